#include "Construction_Base.h"

#include <filesystem>

#include "Dossier_Provisoire.h"
#include "Dossiers_Travail.h"
#include "Ecriture_Base.h"
#include "Ecriture_Dessins.h"
#include "Ecriture_Documents.h"
#include "Sortie_Base.h"
#include "Source_Flore.h"
#include "Verification_Base.h"

namespace fs = std::filesystem;

namespace kestrane::kb {

Status Construit_Base(const std::string& source, const std::string& sortie,
                      std::vector<std::string>* avertissements) {
    if (Status s = Verifie_Sortie(Chemin_Sortie(sortie), source); !s.ok())
        return s;
    auto src = Lit_Source(source);
    if (!src)
        return src.status();
    return Installe_Base(*src, sortie, source, avertissements);
}

Status Installe_Base(const Base_Source& src, const std::string& sortie_texte, const std::string& entree,
                     std::vector<std::string>* avertissements, const Progression& progression) {
    const fs::path sortie = Chemin_Sortie(sortie_texte);
    if (Status s = Verifie_Sortie(sortie, entree); !s.ok())
        return s;
    Parents_Sortie parents(sortie);
    if (!parents.Ok())
        return Status::Error(sortie.parent_path().string() + ": cannot be created");
    Retire_Dossiers_Abandonnes(sortie.parent_path());
    Dossier_Provisoire provisoire(sortie, "build");
    if (!provisoire.Cree())
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

    // OUT again: the work took time, and what may be replaced is checked just before it is.
    if (Status s = Verifie_Sortie(sortie, entree); !s.ok())
        return s;
    // Into place: the old base aside, the new one in, the old one removed.
    if (Status s = Met_En_Place(provisoire.Chemin(), sortie, "base"); !s.ok())
        return s;
    provisoire.Garde();
    parents.Garde();
    return Status::Ok();
}

}  // namespace kestrane::kb
