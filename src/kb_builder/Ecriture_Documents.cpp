#include "Ecriture_Documents.h"

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <sstream>

#include "Disposition_Sortie.h"
#include "Ecriture_Aides.h"
#include "Ecriture_Images.h"
#include "Ecriture_Medias.h"
#include "Table_Csv.h"

namespace fs = std::filesystem;

namespace kestrane::kb {

namespace {

const char* const Modele_Espece = R"(<!DOCTYPE html>
<html lang="{{Suffixe}}"><head><meta charset="utf-8"><title>{{Espece}}</title></head>
<body>
<p>{{Langues}}</p>
<h1><i>{{Espece}}</i></h1>
{{?Famille}}<p>{{Rang}}: {{Famille}}</p>
{{/Famille}}{{?Noms}}<p>{{T:Noms}}: {{Noms}}</p>
{{/Noms}}{{?Legende}}<p>{{Legende}}</p>
{{/Legende}}{{Description}}
{{Images}}<h2>{{T:Caracteres}}</h2>
{{Caracteres}}
{{Lien_Dessin}}
</body></html>
)";

const char* const Modele_Dessin = R"(<!DOCTYPE html>
<html lang="{{Suffixe}}"><head><meta charset="utf-8"><title>{{Espece}}</title>
<style>body{margin:0} #titre{position:absolute;left:12px;top:8px;height:56px}
#dessin{position:absolute;left:12px;top:72px;width:550px;height:825px}</style></head>
<body>
<div id="titre"><a href="{{Page_Espece}}"><i>{{Espece}}</i></a> &ndash; {{Famille}} &ndash; {{Langues}}</div>
{{Image_Dessin}}
</body></html>
)";

const char* const Modele_Erreur = R"(<!DOCTYPE html>
<html lang="{{Suffixe}}"><head><meta charset="utf-8"><title>{{T:Erreur_Titre}}</title></head>
<body><h1>{{T:Erreur_Titre}}</h1><p>{{T:Erreur_Texte}}</p><p>{{Langues}}</p></body></html>
)";

const char* const Modele_Guide = R"(<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Kestrane</title></head>
<body><h1>Kestrane</h1><p>Click an organ of the tree, choose the picture that matches your specimen and
confirm. The species are ranked after every answer.</p></body></html>
)";

std::string Minuscules(const std::string& s) {
    return Plie(s);
}

std::string Lit_Fichier(const fs::path& p, const char* defaut) {
    std::ifstream in(p);
    if (!in)
        return defaut;
    std::stringstream t;
    t << in.rdbuf();
    return t.str();
}

// Leaves out every block {{?Name}}...{{/Name}} whose value is empty, so that a page shows no
// heading over nothing; the blocks of the other values lose their two marks.
std::string Sans_Vides(const std::string& modele, const std::map<std::string, std::string>& valeurs) {
    std::string out;
    size_t i = 0;
    while (true) {
        const size_t a = modele.find("{{?", i);
        const size_t b = a == std::string::npos ? a : modele.find("}}", a);
        if (b == std::string::npos)
            break;
        const std::string cle = modele.substr(a + 3, b - a - 3);
        const std::string fin = "{{/" + cle + "}}";
        const size_t f = modele.find(fin, b + 2);
        if (f == std::string::npos)
            break;
        out += modele.substr(i, a - i);
        const auto it = valeurs.find(cle);
        if (it != valeurs.end() && !it->second.empty())
            out += modele.substr(b + 2, f - b - 2);
        i = f + fin.size();
    }
    return out + modele.substr(i);
}

// Replaces {{Name}} by its value and {{T:Key}} by the label of the language, after leaving out the
// blocks of empty values (Sans_Vides).
std::string Remplit(const std::string& modele_brut, const std::map<std::string, std::string>& valeurs,
                    const std::map<std::string, std::string>& textes) {
    const std::string modele = Sans_Vides(modele_brut, valeurs);
    std::string out;
    size_t i = 0;
    while (i < modele.size()) {
        const size_t a = modele.find("{{", i);
        if (a == std::string::npos)
            break;
        const size_t b = modele.find("}}", a);
        if (b == std::string::npos)
            break;
        out += modele.substr(i, a - i);
        const std::string cle = modele.substr(a + 2, b - a - 2);
        if (cle.rfind("T:", 0) == 0) {
            auto it = textes.find(cle.substr(2));
            out += it != textes.end() ? it->second : Echappe_Xml(cle.substr(2));
        } else {
            auto it = valeurs.find(cle);
            if (it != valeurs.end())
                out += it->second;
        }
        i = b + 2;
    }
    out += modele.substr(i);
    return out;
}

std::string Dessin_Piece(const Base_Source& src, const Regle_Source& r, const std::string& variante) {
    const fs::path dossier = fs::path(src.Dossier) / "portrait";
    if (r.Piece == 0)
        return (dossier / (r.Dessin + ".svg")).string();
    const fs::path propre = dossier / (r.Dessin + variante + ".svg");
    if (fs::exists(propre))
        return propre.string();
    return (dossier / (r.Dessin + ".svg")).string();
}

Status Ecrit_Dessin_Espece(const Base_Source& src, const Espece_Source& e, const std::string& gif) {
    using D = Disposition_Sortie;
    QImage image(D::Largeur_Dessin, D::Hauteur_Dessin, QImage::Format_RGB32);
    image.fill(Qt::white);
    const double w = D::Largeur_Dessin, h = D::Hauteur_Dessin;
    if (!e.Dessin.empty()) {
        const std::string svg = (fs::path(src.Dossier) / "dessins" / (e.Dessin + ".svg")).string();
        Status s = Peint_Svg(image, {svg}, QRectF(0, 0, 2400, 1800), QRectF(0, 0, w, h));
        if (!s.ok())
            return s;
    } else {
        const auto pieces = Dessins_Portrait(src, e);
        // The whole portrait above; below, its right half, where the organs' panels are, as large as
        // the lower half allows and whole, so that no panel is cut.
        Status s = Peint_Svg(image, pieces, QRectF(0, 0, 2400, 1800), QRectF(0, 0, w, h / 2));
        const double echelle = std::min(w / 1200, (h / 2) / 1600);
        if (s.ok())
            s = Peint_Svg(image, pieces, QRectF(1200, 0, 1200, 1600),
                          QRectF((w - 1200 * echelle) / 2, h / 2, 1200 * echelle, 1600 * echelle));
        if (!s.ok())
            return s;
    }
    return Ecrit_Gif(image, gif);
}

// The species' own drawing, or else one made of the portrait; a taxon imported without a picture,
// in a base without a portrait, has none (a blank card for each would cost time and room for
// nothing).
bool A_Un_Dessin(const Base_Source& src, const Espece_Source& e) {
    return !e.Dessin.empty() || !src.Pieces.empty();
}

}  // namespace

std::vector<std::string> Dessins_Portrait(const Base_Source& src, const Espece_Source& e) {
    std::vector<std::string> out;
    std::string variante;
    for (size_t p = 0; p < src.Pieces.size(); ++p) {
        for (const auto& r : src.Regles) {
            if (r.Piece != static_cast<int>(p))
                continue;
            bool ok = true;
            for (const auto& c : r.Conditions) ok = ok && e.Valeurs[static_cast<size_t>(src.Etat(c))] == 1;
            if (!ok)
                continue;
            if (p == 0)
                variante = r.Dessin.substr(r.Dessin.size() - 2);
            out.push_back(Dessin_Piece(src, r, variante));
            break;
        }
    }
    return out;
}

Status Ecrit_Documents(const Base_Source& src, const std::string& sortie, const Progression& progression) {
    using D = Disposition_Sortie;
    const fs::path modeles = fs::path(src.Dossier) / "documents";
    const std::string m_espece = Lit_Fichier(modeles / "espece.html", Modele_Espece);
    const std::string m_dessin = Lit_Fichier(modeles / "dessin.html", Modele_Dessin);
    const std::string m_erreur = Lit_Fichier(modeles / "erreur.html", Modele_Erreur);
    const std::string m_guide = Lit_Fichier(modeles / "guide.html", Modele_Guide);

    // Labels by language: textes.csv has a column Cle and one column per language suffix.
    std::map<std::string, std::map<std::string, std::string>> textes;
    if (fs::exists(modeles / "textes.csv")) {
        auto t = Table_Csv::Lit((modeles / "textes.csv").string(), "documents/textes.csv");
        if (!t)
            return t.status();
        auto cle = t->Colonne("Cle");
        if (!cle)
            return Status::Error("documents/textes.csv:1: missing column 'Cle'");
        for (const auto& ligne : t->Lignes())
            for (const auto& lg : src.Langues)
                if (auto c = t->Colonne(lg.Suffixe))
                    textes[lg.Suffixe][ligne.Champs[*cle]] = Echappe_Xml(ligne.Champs[*c]);
    }

    std::error_code ec;
    const fs::path docs = fs::path(sortie) / D::Documents;
    fs::create_directories(docs, ec);

    // The label of the rank of a species' group (family, genus...) in a language.
    auto rang = [&](const std::string& suffixe, const std::string& cle) {
        const auto& t = textes[suffixe];
        const auto it = t.find(cle);
        return it != t.end() ? it->second : Echappe_Xml(cle);
    };

    auto liens_langues = [&](const std::string& actuelle, const std::string& debut) {
        std::string out;
        for (const auto& lg : src.Langues) {
            if (!out.empty())
                out += " | ";
            if (lg.Suffixe == actuelle)
                out += "<b>" + Echappe_Xml(lg.Langue) + "</b>";
            else
                out += "<a href=\"" + debut + "_" + lg.Suffixe + ".html\">" + Echappe_Xml(lg.Langue) + "</a>";
        }
        return out;
    };

    // Progress counts the species whose pages are written, then the drawings made.
    size_t nb_dessins = 0;
    for (const auto& e : src.Especes) nb_dessins += A_Un_Dessin(src, e) ? 1 : 0;
    const size_t etapes = src.Especes.size() + nb_dessins;
    std::vector<std::future<Status>> dessins;
    for (const auto& e : src.Especes) {
        const auto k = static_cast<size_t>(&e - src.Especes.data());
        if (progression && k % 64 == 0)
            progression("pages", k, etapes);
        const std::string c5 = Minuscules(e.Code);
        const fs::path dossier = docs / c5.substr(0, 1) / c5;
        fs::create_directories(dossier, ec);
        if (ec)
            return Status::Error(dossier.string() + ": cannot be created");
        // The taxon's own pictures, beside its pages, and the first as its thumbnail.
        const auto images = Ecrit_Images_Page(e.Images, dossier, c5);
        Ecrit_Vignette(e.Images, dossier / (c5 + "_vignette.png"));

        for (const auto& lg : src.Langues) {
            std::string caracteres = "<ul>\n";
            for (const auto& c : src.Caracteres) {
                std::string etats;
                for (size_t k = 0; k < c.Etats.size(); ++k)
                    if (e.Valeurs[static_cast<size_t>(c.Index_Car) + k] == 1)
                        etats +=
                            (etats.empty() ? "" : "; ") +
                            Echappe_Xml(Texte_Langue(c.Etats[k].Traductions, lg.Suffixe, c.Etats[k].Texte));
                if (!etats.empty())
                    caracteres += "<li>" + Echappe_Xml(Texte_Langue(c.Traductions, lg.Suffixe, c.Question)) +
                                  " &ndash; " + etats + "</li>\n";
            }
            caracteres += "</ul>";
            std::string noms;
            for (const auto& n : e.Noms.at(lg.Suffixe)) noms += (noms.empty() ? "" : ", ") + Echappe_Xml(n);
            std::map<std::string, std::string> v{
                {"Espece", Echappe_Xml(e.Espece)},
                {"Code", Echappe_Xml(e.Code)},
                {"Famille", Echappe_Xml(e.Famille)},
                {"Rang", rang(lg.Suffixe, e.Rang.empty() ? "Famille" : e.Rang)},
                {"Legende", Echappe_Xml(Texte_Langue(e.Legendes, lg.Suffixe, e.Legende))},
                {"Description", Texte_Langue(e.Descriptions, lg.Suffixe, e.Description)},
                {"Noms", noms},
                {"Langue", Echappe_Xml(lg.Langue)},
                {"Suffixe", lg.Suffixe},
                {"Page_Espece", c5 + "_" + lg.Suffixe + ".html"},
                {"Page_Dessin", "dessin_" + c5 + "_" + lg.Suffixe + ".html"},
                {"Image", c5 + ".gif"},
                {"Caracteres", caracteres},
                {"Images", Html_Images(e.Images, images, lg.Suffixe)}};
            if (!v["Images"].empty())  // the figures carry their own captions
                v["Legende"].clear();
            const auto& t = textes[lg.Suffixe];
            const auto texte = [&](const std::string& cle) {
                auto it = t.find(cle);
                return it != t.end() ? it->second : Echappe_Xml(cle);
            };
            const bool dessin = A_Un_Dessin(src, e);
            v["Lien_Dessin"] = dessin
                                   ? "<p><a href=\"" + v["Page_Dessin"] + "\">" + texte("Dessin") + "</a></p>"
                                   : "<p>" + texte("Sans_Dessin") + "</p>";
            v["Image_Dessin"] = dessin ? "<img id=\"dessin\" src=\"" + v["Image"] +
                                             "\" width=\"550\" height=\"825\" alt=\"" + v["Espece"] + "\">"
                                       : "<p id=\"dessin\">" + texte("Sans_Dessin") + "</p>";
            v["Langues"] = liens_langues(lg.Suffixe, c5);
            Status s = Ecrit_Texte(dossier / (c5 + "_" + lg.Suffixe + ".html"),
                                   Remplit(m_espece, v, textes[lg.Suffixe]));
            if (!s.ok())
                return s;
            v["Langues"] = liens_langues(lg.Suffixe, "dessin_" + c5);
            s = Ecrit_Texte(dossier / ("dessin_" + c5 + "_" + lg.Suffixe + ".html"),
                            Remplit(m_dessin, v, textes[lg.Suffixe]));
            if (!s.ok())
                return s;
        }
        if (!A_Un_Dessin(src, e))
            continue;
        const std::string gif = (dossier / (c5 + ".gif")).string();
        dessins.push_back(
            std::async(std::launch::deferred, [&src, &e, gif] { return Ecrit_Dessin_Espece(src, e, gif); }));
    }

    // The full-size drawings take most of the time: two at once.
    Status resultat = Status::Ok();
    for (size_t i = 0; i < dessins.size(); i += 2) {
        if (progression)
            progression("pages", src.Especes.size() + i, etapes);
        auto a = std::async(std::launch::async, [&dessins, i] { return dessins[i].get(); });
        Status b = i + 1 < dessins.size() ? dessins[i + 1].get() : Status::Ok();
        Status sa = a.get();
        if (!sa.ok() && resultat.ok())
            resultat = sa;
        if (!b.ok() && resultat.ok())
            resultat = b;
    }
    if (!resultat.ok())
        return resultat;

    if (Status s = Ecrit_Aides(src, docs); !s.ok())
        return s;
    const fs::path data = fs::path(sortie) / D::Data;
    fs::create_directories(data, ec);
    for (const auto& lg : src.Langues) {
        std::map<std::string, std::string> v{{"Suffixe", lg.Suffixe}, {"Langue", Echappe_Xml(lg.Langue)}};
        v["Langues"] = liens_langues(lg.Suffixe, "error");
        Status s =
            Ecrit_Texte(data / ("error_" + lg.Suffixe + ".html"), Remplit(m_erreur, v, textes[lg.Suffixe]));
        if (!s.ok())
            return s;
    }
    const fs::path aide = fs::path(sortie) / D::Executables / D::Aide;
    fs::create_directories(aide, ec);
    std::map<std::string, std::string> v;
    return Ecrit_Texte(aide / "guide.html", Remplit(m_guide, v, textes[src.Langues.front().Suffixe]));
}

std::string Echappe_Xml(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                // Control characters other than tab and line ends are not allowed in XML.
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r')
                    out += c;
        }
    }
    return out;
}

Status Ecrit_Texte(const fs::path& p, const std::string& texte) {
    std::ofstream out(p, std::ios::trunc | std::ios::binary);
    out << texte;
    out.close();
    if (!out)
        return Status::Error(p.string() + ": cannot be written");
    return Status::Ok();
}

}  // namespace kestrane::kb
