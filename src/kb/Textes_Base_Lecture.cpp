// Textes_Base read from the database's optional tables Langues_Textes and Traductions: the
// desktop's side (the compact base file carries the lookup as it stands).

#include <optional>

#include "Conversions.h"
#include "Database.h"
#include "Textes_Base.h"

namespace kestrane {
namespace {

std::optional<Texte_Traduisible> Traduisible(std::string_view table, std::string_view champ) {
    for (const Texte_Traduisible& t : Textes_Traduisibles) {
        if (Equal_No_Case(t.Table, table) && Equal_No_Case(t.Champ, champ))
            return t;
    }
    return std::nullopt;
}

}  // namespace

Textes_Base Textes_Base::Lit(const Database& base, std::vector<std::string>& avertissements) {
    Textes_Base textes;
    const std::string lieu = base.Path() + ": ";
    if (base.Has_Table("Langues_Textes")) {
        if (auto rs = base.Open_Table("Langues_Textes"); rs) {
            Recordset& r = **rs;
            for (r.Move_First(); !r.Eof(); r.Move_Next()) {
                Langue_Textes langue{r.Get("Suffixe").Text(), r.Get("Langue").Text(),
                                     r.Get("Origine").Boolean().value_or(false)};
                if (langue.Suffixe.empty()) {
                    avertissements.push_back(lieu + "Langues_Textes row " + std::to_string(r.Position() + 1) +
                                             " has no Suffixe; passed over");
                    continue;
                }
                textes.Declare(std::move(langue));
            }
        } else {
            avertissements.push_back(rs.status().message());
        }
    }
    if (!base.Has_Table("Traductions"))
        return textes;
    auto rs = base.Open_Table("Traductions");
    if (!rs) {
        avertissements.push_back(rs.status().message());
        return textes;
    }
    Recordset& r = **rs;
    for (r.Move_First(); !r.Eof(); r.Move_Next()) {
        const std::string table = r.Get("Nom_Table").Text();
        const std::string champ = r.Get("Champ").Text();
        const std::string cle = r.Get("Cle").Text();
        const std::string langue = r.Get("Langue").Text();
        const auto quoi = Traduisible(table, champ);
        if (!quoi || cle.empty() || langue.empty()) {
            avertissements.push_back(lieu + "Traductions row " + std::to_string(r.Position() + 1) + " (" +
                                     table + "." + champ + " of '" + cle + "' in '" + langue +
                                     "') names no translatable text; passed over");
            continue;
        }
        textes.Ajoute(*quoi, cle, langue, r.Get("Texte").Text());
    }
    return textes;
}

}  // namespace kestrane
