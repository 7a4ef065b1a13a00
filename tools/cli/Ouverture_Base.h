#pragma once
// Loading the knowledge base that a machine settings file names, for every command of the tool.
// The per-user store is not read: the command line gives its own options.

#include <memory>
#include <ostream>
#include <string>

#include "Chargeur_Base.h"
#include "Reglages.h"

namespace kestrane::cli {

struct Base_Ouverte {
    Reglages reglages;
    std::unique_ptr<Base_Connaissance> base;
};

// The settings file the tool uses when none is given: KESTRANE_MACHINE_SETTINGS, "kestrane.ini"
// beside the program, then the installed settings under the prefix, as the window looks
// (Registre_Machine::Chemin_Par_Defaut); "" when there is none.
std::string Reglages_Par_Defaut();

// Reads the settings file (Reglages_Par_Defaut() when "") and loads its base. On failure writes a
// message naming the file and what is wrong to `erreurs` and returns a null base; otherwise writes
// there one "warning:" line for each problem the load passed over.
Base_Ouverte Ouvre_Base(const std::string& fichier_reglages, std::ostream& erreurs);

}  // namespace kestrane::cli
