#pragma once
// The machine-wide settings written at installation and only ever read by the program: an INI
// file whose sections are "Documents", "Logiciel" and "Options". Relative paths in it are taken
// from the file's own folder, so a knowledge base can be moved with its settings file.

#include <map>
#include <optional>
#include <string>

namespace kestrane {

class Registre_Machine {
public:
    // No file: every key is missing.
    Registre_Machine() = default;
    // Reads the file; a missing or unreadable file gives a registry without keys.
    static Registre_Machine Lit(const std::string& chemin);

    // Where the machine settings are: the file named by the environment variable
    // KESTRANE_MACHINE_SETTINGS, else "kestrane.ini" beside the program, else the installed
    // "../share/kestrane/kestrane.ini", else the installed demo flora's; "" when there is none.
    static std::string Chemin_Par_Defaut(const std::string& dossier_programme);

    bool Existe() const { return !chemin_.empty(); }
    const std::string& Chemin() const { return chemin_; }

    // True when the section exists (the key "can be opened").
    bool Cle_Existe(const std::string& section) const;
    // A value as stored; nullopt when the section or value is missing.
    std::optional<std::string> Valeur(const std::string& section, const std::string& nom) const;
    // A value that names a file or folder: "\" becomes "/" and a relative path is taken from the
    // settings file's folder (a trailing "/" is kept). Web addresses are returned unchanged.
    std::optional<std::string> Chemin_Valeur(const std::string& section, const std::string& nom) const;

private:
    std::string chemin_;
    std::string dossier_;  // ends with "/"
    std::map<std::string, std::map<std::string, std::string>> sections_;
};

}  // namespace kestrane
