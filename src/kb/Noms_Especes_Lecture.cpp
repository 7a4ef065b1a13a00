// The names read from the database (Flore and the "Vernaculaire_" views) and folded with ICU: the
// desktop's side of Noms_Especes.

#include <unordered_map>

#include "Base_Connaissance.h"
#include "Conversions.h"
#include "Database.h"
#include "Noms_Especes.h"
#include "Pli_Texte.h"

namespace kestrane {

Noms_Especes Noms_Especes::Lit(const Base_Connaissance& base) {
    Noms_Especes noms;
    std::unordered_map<std::string, size_t> par_code;
    std::unordered_map<std::string, size_t> par_nom;
    for (size_t s = 0; s < base.Flore.size(); ++s) {
        const Espece_Flore& e = base.Flore[s];
        noms.Ajoute(s, {e.Espece, {}});
        par_code.emplace(To_Upper_Ascii(e.Code), s);
        par_nom.emplace(e.Espece, s);
    }
    if (!base.Base_Donnees)
        return noms;
    for (const std::string& langue : base.Communs_Langues) {
        auto vue = base.Base_Donnees->Open_Query("Vernaculaire_" + langue);
        if (!vue.ok())
            continue;
        Recordset& rs = **vue;
        for (rs.Move_First(); !rs.Eof(); rs.Move_Next()) {
            std::string nom = rs.Get("Nom").Text();
            if (nom.empty())
                continue;
            size_t espece = 0;
            if (const auto c = par_code.find(To_Upper_Ascii(rs.Get("Code").Text())); c != par_code.end()) {
                espece = c->second;
            } else if (const auto e = par_nom.find(rs.Get("Espece").Text()); e != par_nom.end()) {
                espece = e->second;
            } else {
                continue;
            }
            noms.Ajoute(espece, {std::move(nom), langue});
        }
    }
    return noms;
}

void Noms_Especes::Ajoute(size_t espece, Nom nom) {
    std::string plie = Plie_Texte(nom.Texte);
    Ajoute_Plie(espece, std::move(nom), std::move(plie));
}

std::vector<bool> Noms_Especes::Correspondances(std::string_view texte) const {
    return Correspondances_Plie(Plie_Texte(texte));
}

std::vector<Noms_Especes::Nom> Noms_Especes::Noms_Trouves(size_t espece, std::string_view texte) const {
    return Noms_Trouves_Plie(espece, Plie_Texte(texte));
}

}  // namespace kestrane
