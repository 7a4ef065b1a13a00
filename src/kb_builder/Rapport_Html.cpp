#include "Rapport_Html.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "Ecriture_Documents.h"
#include "Textes_Rapport.h"

namespace kestrane::kb {
namespace {

constexpr const char* Style =
    "body{font-family:sans-serif;font-size:10pt;margin:1.5em;color:#000}"
    "h1{font-size:16pt}h2{font-size:13pt;border-bottom:1px solid #888;margin-top:1.6em}h3{font-size:11pt}"
    "table{border-collapse:collapse;margin:.5em 0}th,td{border:1px solid #aaa;padding:2px "
    "6px;vertical-align:top}"
    "th{background:#eee;text-align:left}td.n{text-align:right}svg{display:block;margin:.5em 0}"
    "@media print{body{margin:0}tr,svg{page-break-inside:avoid}h2,h3{page-break-after:avoid}}";

std::string Deux_Decimales(double v) {
    return Decimales(v, 2);
}
std::string E(const std::string& s) {
    return Echappe_Xml(s);
}
std::string N(int64_t n) {
    return std::to_string(n);
}

class Page {
  public:
    explicit Page(const Rapport_Cle& r) : r_(r), t_(Textes_Du_Rapport(r.Langue)) {}

    std::string Ecrit() {
        o_ << "<!DOCTYPE html>\n<html lang=\"" << E(r_.Langue) << "\"><head><meta charset=\"utf-8\"><title>"
           << E(t_.Titre) << " &ndash; " << E(r_.Nom_Base) << "</title><style>" << Style
           << "</style></head><body>\n";
        o_ << "<h1>" << E(t_.Titre) << " &ndash; " << E(r_.Nom_Base) << "</h1>\n<table>";
        Ligne({t_.Taxons, N(static_cast<int64_t>(r_.Noms.size()))});
        Ligne({t_.Caracteres, N(r_.Nb_Caracteres)});
        Ligne({t_.Etats, N(r_.Nb_Etats)});
        o_ << "</table>\n";
        Inseparables();
        Questions();
        Caracteres();
        Taxons();
        Textes();
        o_ << "</body></html>\n";
        return o_.str();
    }

  private:
    void Ligne(const std::vector<std::string>& cellules, bool entete = false) {
        o_ << "<tr>";
        for (size_t i = 0; i < cellules.size(); ++i) {
            const bool nombre = !entete && !cellules[i].empty() &&
                                cellules[i].find_first_not_of("0123456789.") == std::string::npos;
            o_ << (entete || i == 0 ? "<th>"
                   : nombre         ? "<td class=\"n\">"
                                    : "<td>")
               << E(cellules[i]) << (entete || i == 0 ? "</th>" : "</td>");
        }
        o_ << "</tr>\n";
    }
    void Paragraphe(const std::string& texte) { o_ << "<p>" << E(texte) << "</p>\n"; }
    void Reste(size_t montres, int64_t total) {
        if (static_cast<int64_t>(montres) < total)
            Paragraphe(Remplit(t_.Autres, {N(total - static_cast<int64_t>(montres))}));
    }
    std::string Nom(int s) const {
        return s >= 0 && static_cast<size_t>(s) < r_.Noms.size() ? r_.Noms[static_cast<size_t>(s)] : N(s);
    }
    std::string Car(int c) const {
        if (c < 0 || static_cast<size_t>(c) >= r_.Caracteres.size())
            return N(c);
        const Figure_Caractere& f = r_.Caracteres[static_cast<size_t>(c)];
        return f.Question.empty() || f.Question == f.Objet ? f.Objet : f.Question + " (" + f.Objet + ")";
    }
    std::string Liste(const std::vector<int>& caracteres, size_t total) const {
        std::string s = N(static_cast<int64_t>(total));
        for (size_t i = 0; i < caracteres.size(); ++i) s += (i ? "; " : ": ") + Car(caracteres[i]);
        return s + (total > caracteres.size() ? "; ..." : "");
    }

    void Inseparables() {
        o_ << "<h2>" << E(t_.Inseparables) << "</h2>\n";
        Paragraphe(Remplit(t_.Paires_Inseparables,
                           {N(r_.Nb_Paires_Inseparables), N(static_cast<int64_t>(r_.Groupes.size()))}));
        if (!r_.Groupes.empty()) {
            o_ << "<table>";
            Ligne({t_.Groupe, t_.Taxons, t_.Paires}, true);
            for (size_t g = 0; g < r_.Groupes.size(); ++g) {
                std::string noms;
                for (int s : r_.Groupes[g].Especes) noms += (noms.empty() ? "" : ", ") + Nom(s);
                Ligne({N(static_cast<int64_t>(g) + 1), noms, N(r_.Groupes[g].Paires)});
            }
            o_ << "</table>\n";
        }
        o_ << "<h3>" << E(t_.Fragiles) << "</h3>\n";
        Paragraphe(Remplit(t_.Nb_Fragiles, {N(r_.Nb_Paires_Fragiles)}));
        if (!r_.Paires_Fragiles.empty()) {
            o_ << "<table>";
            Ligne({t_.Taxon, t_.Taxon, t_.Caractere}, true);
            for (const Paire_Fragile& p : r_.Paires_Fragiles) Ligne({Nom(p.A), Nom(p.B), Car(p.Caractere)});
            o_ << "</table>\n";
            Reste(r_.Paires_Fragiles.size(), r_.Nb_Paires_Fragiles);
        }
    }

    // Bars from the shortest walk to the longest.
    void Histogramme(const std::vector<int>& h) {
        const int largeur = 640, hauteur = 200, gauche = 40, bas = 30, haut = 10;
        int premier = 0;
        while (premier + 1 < static_cast<int>(h.size()) && h[static_cast<size_t>(premier)] == 0) ++premier;
        const int nb = std::max<int>(1, static_cast<int>(h.size()) - premier);
        const int maximum = std::max(1, h.empty() ? 1 : *std::max_element(h.begin(), h.end()));
        const double barre = static_cast<double>(largeur - gauche - 10) / nb;
        const int pas = std::max(1, nb / 20);
        o_ << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << largeur << "\" height=\"" << hauteur
           << "\" role=\"img\" aria-label=\"" << E(t_.Questions) << "\">";
        o_ << "<line x1=\"" << gauche << "\" y1=\"" << hauteur - bas << "\" x2=\"" << largeur - 10
           << "\" y2=\"" << hauteur - bas << "\" stroke=\"#000\"/>";
        o_ << "<text x=\"" << gauche - 4 << "\" y=\"" << haut + 10
           << "\" font-size=\"10\" text-anchor=\"end\">" << maximum << "</text>";
        o_ << "<text x=\"" << gauche - 4 << "\" y=\"" << hauteur - bas
           << "\" font-size=\"10\" text-anchor=\"end\">0</text>";
        for (int n = premier; n < static_cast<int>(h.size()); ++n) {
            const double x = gauche + (n - premier) * barre;
            const double y_haut =
                static_cast<double>(h[static_cast<size_t>(n)]) / maximum * (hauteur - bas - haut);
            o_ << "<rect x=\"" << Decimales(x + 1, 1) << "\" y=\"" << Decimales(hauteur - bas - y_haut, 1)
               << "\" width=\"" << Decimales(std::max(1.0, barre - 2), 1) << "\" height=\""
               << Decimales(y_haut, 1) << "\" fill=\"#4a7f4a\"><title>" << n << " " << E(t_.Questions) << ": "
               << h[static_cast<size_t>(n)] << " " << E(t_.Parcours) << "</title></rect>";
            if ((n - premier) % pas == 0)
                o_ << "<text x=\"" << Decimales(x + barre / 2, 1) << "\" y=\"" << hauteur - bas + 12
                   << "\" font-size=\"10\" text-anchor=\"middle\">" << n << "</text>";
        }
        o_ << "<text x=\"" << gauche + (largeur - gauche) / 2 << "\" y=\"" << hauteur - 4
           << "\" font-size=\"10\" text-anchor=\"middle\">" << E(t_.Questions) << "</text></svg>\n";
    }

    void Questions() {
        o_ << "<h2>" << E(t_.Questions_Necessaires) << "</h2>\n";
        const std::string total = N(static_cast<int64_t>(r_.Noms.size()));
        Paragraphe(r_.Echantillon ? Remplit(t_.Echantillon,
                                            {N(static_cast<int64_t>(r_.Nb_Parcourues)), total, N(r_.Graine)})
                                  : Remplit(t_.Tous_Parcourus, {total}));
        o_ << "<table>";
        std::vector<std::string> entete{t_.Strategie};
        for (const auto& b : r_.Strategies) entete.emplace_back(Nom_Strategie(b.Strategie));
        Ligne(entete, true);
        auto rangee = [&](const char* titre, auto valeur) {
            std::vector<std::string> l{titre};
            for (const auto& b : r_.Strategies) l.push_back(valeur(b));
            Ligne(l);
        };
        rangee(t_.Moyenne, [](const Bilan_Strategie& b) { return Deux_Decimales(b.Moyenne); });
        rangee(t_.Pire, [](const Bilan_Strategie& b) { return N(b.Pire); });
        rangee(t_.Identifies, [](const Bilan_Strategie& b) { return N(b.Nb_Identifiees); });
        rangee(t_.Seuls, [](const Bilan_Strategie& b) { return N(b.Nb_Seules); });
        rangee(t_.Non_Identifies,
               [](const Bilan_Strategie& b) { return N(static_cast<int64_t>(b.Nb_Non_Identifiees)); });
        o_ << "</table>\n";
        for (const auto& b : r_.Strategies) {
            const std::string nom(Nom_Strategie(b.Strategie));
            o_ << "<h3>" << E(t_.Strategie) << " " << E(nom) << "</h3>\n";
            Histogramme(b.Histogramme);
            if (!b.Non_Identifiees.empty()) {
                std::string noms;
                for (int s : b.Non_Identifiees) noms += (noms.empty() ? "" : ", ") + Nom(s);
                o_ << "<p><b>" << E(t_.Non_Identifies) << E(t_.Deux_Points) << "</b>" << E(noms) << "</p>\n";
                Reste(b.Non_Identifiees.size(), static_cast<int64_t>(b.Nb_Non_Identifiees));
            }
            o_ << "<table>";
            Ligne({t_.Plus_Longs, t_.Questions, t_.Questions_Posees}, true);
            for (const Parcours_Espece& p : b.Pires) {
                std::string suite;
                for (size_t i = 0; i < p.Questions.size(); ++i)
                    suite += (i ? " &rarr; " : "") + E(Car(p.Questions[i]));
                o_ << "<tr><th>" << E(Nom(p.Espece)) << "</th><td class=\"n\">" << p.Questions.size()
                   << "</td><td>" << suite << "</td></tr>\n";
            }
            o_ << "</table>\n";
        }
    }

    void Caracteres() {
        o_ << "<h2>" << E(t_.Caracteres) << "</h2>\n";
        std::string jamais, fermes;
        for (size_t c = 0; c < r_.Caracteres.size(); ++c) {
            if (!r_.Caracteres[c].Separe)
                jamais += (jamais.empty() ? "" : "; ") + Car(static_cast<int>(c));
            if (r_.Caracteres[c].Jamais_Ouvert)
                fermes += (fermes.empty() ? "" : "; ") + Car(static_cast<int>(c));
        }
        o_ << "<p><b>" << E(t_.Jamais_Separent) << E(t_.Deux_Points) << "</b>"
           << E(jamais.empty() ? t_.Aucun : jamais) << "</p>\n";
        o_ << "<p><b>" << E(t_.Jamais_Ouvertes) << E(t_.Deux_Points) << "</b>"
           << E(fermes.empty() ? t_.Aucun : fermes) << "</p>\n";
        o_ << "<table>";
        std::vector<std::string> entete{t_.Caractere};
        for (const auto& b : r_.Strategies) {
            const std::string nom(Nom_Strategie(b.Strategie));
            entete.push_back(Remplit(t_.Posee, {nom}));
            entete.push_back(Remplit(t_.Etape, {nom}));
        }
        for (const char* t : {t_.Sans_Codage, t_.Separe, t_.Seul_Separe, t_.Commandes_Mortes, t_.Poids})
            entete.emplace_back(t);
        Ligne(entete, true);
        for (size_t c = 0; c < r_.Caracteres.size(); ++c) {
            const Figure_Caractere& f = r_.Caracteres[c];
            std::vector<std::string> l{Car(static_cast<int>(c))};
            for (size_t k = 0; k < r_.Strategies.size() && k < f.Propositions.size(); ++k) {
                l.push_back(N(f.Propositions[k]));
                l.push_back(f.Propositions[k] > 0 ? Deux_Decimales(f.Etape_Moyenne[k]) : "");
            }
            std::string mortes, poids;
            for (const auto& m : f.Commandes_Mortes) mortes += (mortes.empty() ? "" : "; ") + m;
            for (int p : f.Poids) poids += (poids.empty() ? "" : " ") + N(p);
            for (std::string v : {N(f.Sans_Codage), std::string(f.Separe ? t_.Oui : t_.Non),
                                  N(f.Paires_Fragiles), mortes, poids})
                l.push_back(std::move(v));
            Ligne(l);
        }
        o_ << "</table>\n";
    }

    void Taxons() {
        o_ << "<h2>" << E(t_.Taxons) << "</h2>\n";
        if (!r_.Documents_Verifies)
            Paragraphe(t_.Pages_Non_Verifiees);
        Paragraphe(Remplit(t_.Signales, {N(static_cast<int64_t>(r_.Nb_Especes_Signalees))}));
        if (r_.Especes.empty())
            return;
        o_ << "<table>";
        Ligne({t_.Taxon, t_.Codages_Manquants, t_.Tous_Etats, t_.Documents_Absents}, true);
        for (const Figure_Espece& f : r_.Especes) {
            std::string documents;
            for (const auto& d : f.Documents_Absents) documents += (documents.empty() ? "" : ", ") + d;
            Ligne({Nom(f.Espece), f.Nb_Manquants ? Liste(f.Manquants, f.Nb_Manquants) : "",
                   f.Nb_Tous_Etats ? Liste(f.Tous_Etats, f.Nb_Tous_Etats) : "", documents});
        }
        o_ << "</table>\n";
        Reste(r_.Especes.size(), static_cast<int64_t>(r_.Nb_Especes_Signalees));
    }

    void Textes() {
        o_ << "<h2>" << E(t_.Textes) << "</h2>\n";
        if (r_.Traductions.empty()) {
            Paragraphe(t_.Aucune_Langue);
            return;
        }
        o_ << "<table>";
        Ligne({t_.Langue, t_.Champ, t_.Manquantes, t_.Total}, true);
        for (const auto& t : r_.Traductions)
            Ligne({t.Langue, t.Table + "." + t.Champ, N(static_cast<int64_t>(t.Manquantes)),
                   N(static_cast<int64_t>(t.Total))});
        o_ << "</table>\n";
    }

    const Rapport_Cle& r_;
    const Textes_Rapport& t_;
    std::ostringstream o_;
};

}  // namespace

std::string Decimales(double valeur, int chiffres) {
    char texte[64];
    const auto fin = std::to_chars(texte, texte + sizeof texte, valeur, std::chars_format::fixed, chiffres);
    return std::string(texte, fin.ec == std::errc() ? fin.ptr : texte);
}

std::string Rapport_Html(const Rapport_Cle& rapport) {
    return Page(rapport).Ecrit();
}

}  // namespace kestrane::kb
