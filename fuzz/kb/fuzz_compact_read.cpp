// The compact base reader of the web key on arbitrary bytes. The stamp is put right first, so
// that the fuzzer reaches the payload's reading instead of stopping at the stamp check; a base
// read must hold the sizes the engine relies on.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "Base_Compacte.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> fichier(data, data + size);
    if (fichier.size() >= kestrane::Entete_Compacte) {
        const uint64_t e = kestrane::Empreinte_Compacte(fichier.data() + kestrane::Entete_Compacte,
                                                        fichier.size() - kestrane::Entete_Compacte);
        for (size_t i = 0; i < 8; ++i) fichier[12 + i] = static_cast<uint8_t>(e >> (8 * i));
    }
    auto lue = kestrane::Lit_Base_Compacte(fichier.data(), fichier.size());
    if (!lue)
        return 0;
    const kestrane::Base_Connaissance& b = *lue->Base;
    if (b.Nom_Esp.size() != static_cast<size_t>(b.Nb_Esp) ||
        b.Poids.size() != static_cast<size_t>(b.Nb_Etats_Desc) || b.Matrice.Nb_Esp() != b.Nb_Esp ||
        b.Matrice.Nb_Etats() != b.Nb_Etats_Desc || lue->Noms.Nombre_Especes() > b.Flore.size())
        std::abort();
    return 0;
}
