#pragma once
// Opening and saving the current identification: the file format plus what the engine does
// around it (refresh after an open; the modified flag, cleared only by a complete save or open).

#include <string>

#include "Fichier_Identification.h"
#include "Identification_Courante.h"

namespace kestrane {

// Reads `chemin` (used exactly as given), replaces the answers, refreshes and marks the
// identification unchanged. A file that cannot be read or does not fit leaves the identification
// untouched (code Ouverture or Trop_Court). A drawing that cannot be loaded after the answers were
// replaced gives code Dessin, its path as the message.
Status Ouvre_Identification(Identification_Courante& identification, const Base_Connaissance& base,
                            const std::string& chemin);

// Writes the answers to `chemin`; marks the identification unchanged only when the file was
// written and put in place.
Status Enregistre_Identification(Identification_Courante& identification, const std::string& chemin);

}  // namespace kestrane
