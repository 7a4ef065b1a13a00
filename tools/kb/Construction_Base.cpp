#include "Construction_Base.h"

#include <filesystem>
#include <random>

#include "Dossier_Provisoire.h"
#include "Ecriture_Base.h"
#include "Ecriture_Dessins.h"
#include "Ecriture_Documents.h"
#include "Source_Flore.h"
#include "Verification_Base.h"

namespace fs = std::filesystem;

namespace kestrane::kb {

Status Construit_Base(const std::string& source, const std::string& sortie,
                      std::vector<std::string>* avertissements) {
    auto src = Lit_Source(source);
    if (!src)
        return src.status();
    return Installe_Base(*src, sortie, avertissements);
}

Status Installe_Base(const Base_Source& src, const std::string& sortie_texte,
                     std::vector<std::string>* avertissements, const Progression& progression) {
    fs::path sortie = fs::absolute(fs::path(sortie_texte)).lexically_normal();
    if (!sortie.has_filename())
        sortie = sortie.parent_path();
    std::error_code ec;
    fs::create_directories(sortie.parent_path(), ec);
    std::random_device alea;
    const std::string marque = std::to_string(alea() % 1000000);
    Dossier_Provisoire provisoire(sortie.parent_path() /
                                  ("." + sortie.filename().string() + ".build-" + marque));
    fs::remove_all(provisoire.Chemin(), ec);
    if (!fs::create_directory(provisoire.Chemin(), ec))
        return Status::Error(provisoire.Chemin().string() + ": cannot be created");

    const std::string dossier = provisoire.Chemin().string();
    Status s = Ecrit_Base(src, dossier);
    if (s.ok())
        s = Ecrit_Dessins(src, dossier, progression);
    if (s.ok())
        s = Ecrit_Documents(src, dossier, progression);
    if (!s.ok())
        return s;

    const auto problemes = Verifie_Base(dossier);
    if (Erreurs(problemes) > 0) {
        std::string texte = "the built base fails its checks:";
        for (const auto& p : problemes)
            if (!p.Avertissement)
                texte += "\n" + p.Texte();
        return Status::Error(texte);
    }
    if (avertissements != nullptr)
        for (const auto& p : problemes) avertissements->push_back(p.Texte());

    // Into place: the old base aside, the new one in, the old one removed.
    const fs::path ancienne = sortie.parent_path() / ("." + sortie.filename().string() + ".old-" + marque);
    const bool existait = fs::exists(sortie);
    if (existait) {
        fs::rename(sortie, ancienne, ec);
        if (ec)
            return Status::Error(sortie.string() + ": the previous base cannot be moved aside (" +
                                 ec.message() + ")");
    }
    fs::rename(provisoire.Chemin(), sortie, ec);
    if (ec) {
        std::error_code ec2;
        if (existait)
            fs::rename(ancienne, sortie, ec2);
        return Status::Error(sortie.string() + ": cannot be written (" + ec.message() + ")");
    }
    provisoire.Garde();
    if (existait)
        fs::remove_all(ancienne, ec);
    return Status::Ok();
}

}  // namespace kestrane::kb
