#include "Reglages_Base.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace kestrane::kb {

Reglages_Base Lit_Reglages_Base(const std::string& dossier) {
    Reglages_Base r;
    std::ifstream in(fs::path(dossier) / "kestrane.ini");
    r.Lu = static_cast<bool>(in);
    std::string ligne, section;
    while (std::getline(in, ligne)) {
        if (!ligne.empty() && ligne.back() == '\r')
            ligne.pop_back();
        if (ligne.empty() || ligne[0] == ';' || ligne[0] == '#')
            continue;
        if (ligne[0] == '[') {
            section = ligne.substr(1, ligne.find(']') - 1);
            continue;
        }
        const size_t eg = ligne.find('=');
        if (eg != std::string::npos)
            r.Cles[section + "/" + ligne.substr(0, eg)] = ligne.substr(eg + 1);
    }
    if (!r.Lu)
        return r;
    auto chemin = [&](const std::string& cle) {
        auto it = r.Cles.find(cle);
        if (it == r.Cles.end() || it->second.empty()) {
            r.Problemes.push_back("no value " + cle);
            return std::string();
        }
        if (it->second.back() != '/')
            r.Problemes.push_back(cle + " must end with '/'");
        fs::path p(it->second);
        std::string out = (p.is_absolute() ? p : fs::path(dossier) / p).lexically_normal().string();
        while (out.size() > 1 && out.back() == '/') out.pop_back();
        return out;
    };
    r.Data = chemin("Logiciel/Data");
    r.Base = r.Data.empty() ? std::string() : r.Data + "/" + r.Cles["Logiciel/Base"];
    r.Descripteurs = chemin("Logiciel/Descripteurs");
    r.Robot = chemin("Logiciel/Robot");
    r.Documents = chemin("Documents/Adresse");
    r.Executables = chemin("Logiciel/Executables");
    return r;
}

}  // namespace kestrane::kb
