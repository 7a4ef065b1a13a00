#pragma once
// The folders of a built base, as its settings file kestrane.ini names them (relative paths are
// taken from the file's folder): what the check and the export need to find its files.

#include <map>
#include <string>
#include <vector>

namespace kestrane::kb {

struct Reglages_Base {
    bool Lu = false;                          // the settings file could be read
    std::map<std::string, std::string> Cles;  // "Section/Key" -> value, as written
    std::string Data, Base, Descripteurs, Robot, Documents, Executables;  // resolved, without final '/'
    std::vector<std::string> Problemes;  // a key missing, or a folder not ending with '/'
};

// Reads DOSSIER/kestrane.ini.
Reglages_Base Lit_Reglages_Base(const std::string& dossier);

}  // namespace kestrane::kb
