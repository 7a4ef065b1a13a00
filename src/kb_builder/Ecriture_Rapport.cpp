#include "Ecriture_Rapport.h"

#include <filesystem>

#include "Chargeur_Base.h"
#include "Conversions.h"
#include "Ecriture_Documents.h"
#include "Rapport_Html.h"
#include "Rapport_Json.h"
#include "Reglages_Base.h"

namespace kestrane::kb {

Status Ecrit_Rapport(const std::string& dossier, const std::string& sortie, bool json,
                     Options_Rapport options, const Progression& progression) {
    const Reglages_Base reglages = Lit_Reglages_Base(dossier);
    const std::string ini = (std::filesystem::path(dossier) / "kestrane.ini").string();
    if (!reglages.Lu)
        return Status::Error(ini + ": the settings file cannot be read");
    if (reglages.Data.empty())
        return Status::Error(ini + ": " +
                             (reglages.Problemes.empty() ? "no data folder" : reglages.Problemes.front()));
    Chargement c = Charge_Base({reglages.Base, reglages.Data + "/"}, nullptr);
    if (!c.Base)
        return Status::Error(c.Echec ? c.Echec->Message + ": " + c.Echec->Detail
                                     : reglages.Base + ": cannot be loaded");
    if (options.Nom_Base.empty())
        options.Nom_Base = std::filesystem::path(dossier).lexically_normal().filename().string();
    const auto distribution = reglages.Cles.find("Options/Distribution");
    if (options.Dossier_Documents.empty() && distribution != reglages.Cles.end() &&
        Equal_No_Case(distribution->second, "hd"))
        options.Dossier_Documents = reglages.Documents;
    const Rapport_Cle rapport = Calcule_Rapport(*c.Base, options, progression);
    return Ecrit_Texte(sortie, json ? Rapport_Json(rapport) : Rapport_Html(rapport));
}

}  // namespace kestrane::kb
