#pragma once
// Writes the database, POIDS.DAT, MATRICE.DAT and the settings file of a base from its source.

#include <string>

#include "Source_Flore.h"
#include "Status.h"

namespace kestrane::kb {

// Writes into `dossier` (an existing, empty output folder) the database with every table, index
// and "Vernaculaire_" view, then the two data files with the species in the database's own order
// of Flore, and kestrane.ini. Fails with a message naming the file that could not be written.
Status Ecrit_Base(const Base_Source& source, const std::string& dossier);

}  // namespace kestrane::kb
