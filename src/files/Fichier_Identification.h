#pragma once
// The identification file: Etats_Choisis (Nb_Etats_Desc values) then Etat_Cadre (Nb_Cadre
// values), 16-bit signed little-endian, no header. Only the knowledge base that wrote a file
// gives it a meaning; its counts fix the layout.
//
// Reading refuses a file shorter than the layout (it cannot be this base's) and ignores bytes
// after it. Writing goes to a new file beside the target that is then renamed over it, so a
// failed write leaves the previous file whole.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Status.h"

namespace kestrane {

// The Status code of each failure of this file's functions.
enum class Erreur_Identification : int {
    Ouverture = 1,   // the file cannot be opened or read
    Trop_Court = 2,  // shorter than the layout: it does not fit this knowledge base
    Ecriture = 3,    // the new file could not be written or put in place
    Dessin = 4,      // opened, but a portrait drawing could not be loaded (Echange_Identification)
};

struct Reponses_Identification {
    std::vector<int16_t> Etats_Choisis;
    std::vector<int16_t> Etat_Cadre;
};

// Size in bytes of the layout.
size_t Taille_Identification(int nb_etats, int nb_cadre);

// Decodes the layout from the first bytes of `data`.
Result<Reponses_Identification> Decode_Identification(const uint8_t* data, size_t taille, int nb_etats,
                                                      int nb_cadre);

// The bytes of the layout.
std::vector<uint8_t> Encode_Identification(const std::vector<int16_t>& etats_choisis,
                                           const std::vector<int16_t>& etat_cadre);

// Reads a file; messages name the file.
Result<Reponses_Identification> Lit_Identification(const std::string& chemin, int nb_etats, int nb_cadre);

// Writes a file through Chemin_Temporaire(chemin) and a rename. On failure the target is as it
// was and the temporary file is removed.
Status Ecrit_Identification(const std::string& chemin, const std::vector<int16_t>& etats_choisis,
                            const std::vector<int16_t>& etat_cadre);

// The name of the new file written beside the target.
std::string Chemin_Temporaire(const std::string& chemin);

}  // namespace kestrane
