// The measured characters read from the database's optional tables Objets_Mesures and
// Etendues_Especes: the desktop's side (the compact base file carries them as they stand).

#include <charconv>
#include <cmath>
#include <limits>
#include <map>

#include "Conversions.h"
#include "Database.h"
#include "Mesures_Objets.h"

namespace kestrane {
namespace {

// A field as a number: a real, an integer or text that is one number; nullopt otherwise (null,
// NaN, other text).
std::optional<double> Nombre(const Value& v) {
    if (v.Is_Integer())
        return static_cast<double>(v.Number());
    if (!v.Is_Real() && !v.Is_Text())
        return std::nullopt;
    const std::string t = v.Text();
    double d = 0;
    const auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), d);
    if (ec != std::errc() || p != t.data() + t.size() || std::isnan(d))
        return std::nullopt;
    return d;
}

}  // namespace

void Lit_Mesures(const Database& base, Base_Connaissance& b, std::vector<std::string>& problemes) {
    if (!base.Has_Table("Objets_Mesures"))
        return;
    auto rs = base.Open_Table("Objets_Mesures");
    if (!rs) {
        problemes.push_back("table Objets_Mesures: " + rs.status().message());
        return;
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const auto nb_esp = static_cast<size_t>(std::max(b.Nb_Esp, 0));
    std::map<std::string, size_t> par_objet;
    Recordset& r = **rs;
    for (r.Move_First(); !r.Eof(); r.Move_Next()) {
        const std::string lieu = "table Objets_Mesures, row " + std::to_string(r.Position() + 1) + ": ";
        Mesure_Objet m;
        m.Objet = r.Get("Objet").Text();
        m.Unite = r.Get("Unite").Text();
        const Objet_Fic* o = nullptr;
        for (const auto& objet : b.Objets)
            if (o == nullptr && Equal_No_Case(objet.Objet, m.Objet))
                o = &objet;
        const auto limites = Lit_Limites(r.Get("Limites").Text());
        if (o == nullptr) {
            problemes.push_back(lieu + "'" + m.Objet + "' is no character of Objets_Fic");
        } else if (!limites || limites->size() + 1 != static_cast<size_t>(o->Nb_Car)) {
            problemes.push_back(lieu + "Limites '" + r.Get("Limites").Text() + "' are not " +
                                std::to_string(o->Nb_Car - 1) + " increasing numbers (one fewer than the " +
                                std::to_string(o->Nb_Car) + " states of '" + m.Objet + "')");
        } else if (!par_objet.emplace(To_Upper_Ascii(m.Objet), b.Mesures.size()).second) {
            problemes.push_back(lieu + "'" + m.Objet + "' is measured twice");
        } else {
            m.Limites = *limites;
            m.Bas.assign(nb_esp, nan);
            m.Haut.assign(nb_esp, nan);
            b.Mesures.push_back(std::move(m));
        }
    }
    if (!base.Has_Table("Etendues_Especes"))
        return;
    auto etendues = base.Open_Table("Etendues_Especes");
    if (!etendues) {
        problemes.push_back("table Etendues_Especes: " + etendues.status().message());
        return;
    }
    std::map<std::string, size_t> par_espece;
    for (size_t s = 0; s < b.Nom_Esp.size(); ++s) par_espece.emplace(To_Upper_Ascii(b.Nom_Esp[s]), s);
    Recordset& e = **etendues;
    for (e.Move_First(); !e.Eof(); e.Move_Next()) {
        const std::string lieu = "table Etendues_Especes, row " + std::to_string(e.Position() + 1) + ": ";
        const std::string espece = e.Get("Espece").Text(), objet = e.Get("Objet").Text();
        const auto s = par_espece.find(To_Upper_Ascii(espece));
        const auto m = par_objet.find(To_Upper_Ascii(objet));
        const auto bas = Nombre(e.Get("Bas")), haut = Nombre(e.Get("Haut"));
        if (s == par_espece.end())
            problemes.push_back(lieu + "'" + espece + "' is no species of the key");
        else if (m == par_objet.end())
            problemes.push_back(lieu + "'" + objet + "' is no measured character of Objets_Mesures");
        else if (!bas || !haut)
            problemes.push_back(lieu + "the range of '" + espece + "' is not two numbers");
        else if (*bas > *haut)
            problemes.push_back(lieu + "the range of '" + espece + "' starts at " + Texte_Nombre(*bas) +
                                ", above its end " + Texte_Nombre(*haut));
        else if (!std::isnan(b.Mesures[m->second].Bas[s->second]))
            problemes.push_back(lieu + "'" + espece + "' has a second range of '" + objet + "'");
        else {
            b.Mesures[m->second].Bas[s->second] = *bas;
            b.Mesures[m->second].Haut[s->second] = *haut;
        }
    }
}

}  // namespace kestrane
