#pragma once
// `kestrane-kb report`: loads the base in a folder (as its kestrane.ini names it), computes the key
// report and writes it as an HTML page or a JSON document. The pages are checked when the settings
// say they are on the local disk. On failure nothing is written and the Status names the file.

#include <string>

#include "Progression.h"
#include "Rapport_Cle.h"
#include "Status.h"

namespace kestrane::kb {

// `options.Nom_Base` and `options.Dossier_Documents` are filled from the folder when empty.
Status Ecrit_Rapport(const std::string& dossier, const std::string& sortie, bool json,
                     Options_Rapport options, const Progression& progression = {});

}  // namespace kestrane::kb
