#include "Ecriture_Dessins.h"

#include <filesystem>
#include <set>

#include "Disposition_Sortie.h"
#include "Ecriture_Images.h"

namespace fs = std::filesystem;

namespace kestrane::kb {

namespace {

Status Cree(const fs::path& p) {
    std::error_code ec;
    fs::create_directories(p, ec);
    if (ec)
        return Status::Error(p.string() + ": cannot be created");
    return Status::Ok();
}

}  // namespace

Status Ecrit_Dessins(const Base_Source& src, const std::string& sortie, const Progression& progression) {
    using D = Disposition_Sortie;
    const fs::path source(src.Dossier);
    const fs::path robot = fs::path(sortie) / D::Robot;
    const int W = D::Largeur_Portrait, H = D::Hauteur_Portrait;

    // Portrait pieces; a piece after the first is written once per variant of the first.
    std::set<std::string> faits;
    for (const auto& r : src.Regles) {
        const fs::path dossier = robot / Dossier_Piece(r.Piece);
        Status s = Cree(dossier);
        if (!s.ok())
            return s;
        if (r.Piece == 0) {
            const fs::path cible = dossier / r.Nom;
            if (!faits.insert(cible.string()).second)
                continue;
            s = Ecrit_Wmf((source / "portrait" / (r.Dessin + ".svg")).string(), cible.string(), W, H);
            if (!s.ok())
                return s;
            continue;
        }
        for (const auto& v : src.Variantes) {
            const fs::path cible = dossier / (r.Nom + v + ".wmf");
            if (!faits.insert(cible.string()).second)
                continue;
            fs::path svg = source / "portrait" / (r.Dessin + v + ".svg");
            if (!fs::exists(svg))
                svg = source / "portrait" / (r.Dessin + ".svg");
            s = Ecrit_Wmf(svg.string(), cible.string(), W, H);
            if (!s.ok())
                return s;
        }
    }

    // Contradiction marks: an overlay drawing, or an icon for a toolbar button.
    for (const auto& c : src.Contradictions) {
        const fs::path svg = source / "contra" / (c.Dessin + ".svg");
        Status s = Status::Ok();
        if (c.Bouton < 0) {
            s = Cree(robot / "CONTRA");
            if (s.ok())
                s = Ecrit_Wmf(svg.string(), (robot / "CONTRA" / (c.Dessin + ".wmf")).string(), W, H);
        } else {
            s = Cree(robot / "contra");
            if (s.ok())
                s = Ecrit_Ico(svg.string(), (robot / "contra" / (c.Dessin + ".ico")).string());
        }
        if (!s.ok())
            return s;
    }

    // State pictures: one grid per character, cell k for the state Index_Car + k.
    const fs::path descripteurs = fs::path(sortie) / D::Descripteurs;
    Status s = Cree(descripteurs);
    if (!s.ok())
        return s;
    for (size_t k = 0; k < src.Caracteres.size(); ++k) {
        const auto& c = src.Caracteres[k];
        if (progression)
            progression("pictures", k, src.Caracteres.size());
        if (Popup_Stocke(c).empty())
            continue;  // asked from the list of its states
        std::vector<std::string> dessins;
        for (const auto& e : c.Etats)
            dessins.push_back(e.Image.empty() ? std::string()
                                              : (source / "etats" / (e.Image + ".svg")).string());
        auto grille = Svg_Grille(dessins, c.Lignes, c.Colonnes, D::Cote_Case);
        if (!grille)
            return grille.status();
        s = Ecrit_Wmf_Texte(*grille, (descripteurs / c.Popup).string(), c.Colonnes * D::Cote_Case,
                            c.Lignes * D::Cote_Case);
        if (!s.ok())
            return s;
    }

    // Toolbar pictures and the palette, in the data folder.
    const fs::path data = fs::path(sortie) / D::Data;
    s = Cree(data / D::Barres);
    if (!s.ok())
        return s;
    for (const auto* barre : {&src.But_Deter, &src.But_Quest})
        for (const auto& b : *barre) {
            s = Ecrit_Ico((source / "barres" / (b.Image + ".svg")).string(),
                          (data / D::Barres / (b.Image + ".ico")).string());
            if (!s.ok())
                return s;
        }
    std::vector<uint32_t> couleurs;
    for (const auto& c : src.Couleurs) couleurs.push_back(c.Rgb);
    const int bande = 100;
    return Ecrit_Wmf_Texte(Svg_Palette(couleurs, bande, bande), (data / "couleur.wmf").string(),
                           std::max<int>(1, static_cast<int>(couleurs.size())) * bande, bande);
}

}  // namespace kestrane::kb
