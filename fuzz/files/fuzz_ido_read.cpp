// The identification-file reader on arbitrary bytes. The first two bytes choose the knowledge
// base's counts (states, frames), the rest is the file; a decoded file must re-encode to the
// bytes of its layout.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "Fichier_Identification.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const int nb_etats = data[0] * 4;
    const int nb_cadre = data[1];
    const uint8_t* fichier = data + 2;
    const size_t taille = size - 2;
    auto lu = kestrane::Decode_Identification(fichier, taille, nb_etats, nb_cadre);
    const size_t attendu = kestrane::Taille_Identification(nb_etats, nb_cadre);
    if (bool(lu) != (taille >= attendu))
        std::abort();  // a file is refused exactly when it is short
    if (!lu)
        return 0;
    if (lu->Etats_Choisis.size() != static_cast<size_t>(nb_etats) ||
        lu->Etat_Cadre.size() != static_cast<size_t>(nb_cadre))
        std::abort();
    const std::vector<uint8_t> encode = kestrane::Encode_Identification(lu->Etats_Choisis, lu->Etat_Cadre);
    if (encode.size() != attendu || !std::equal(encode.begin(), encode.end(), fichier))
        std::abort();
    return 0;
}
