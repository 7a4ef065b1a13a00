#include "Vignettes_Etats.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "Reglages.h"

namespace kestrane {

QSize Vignettes_Etats::Taille(const Objet_Fic& objet, const Dessin& dessin, int hauteur) {
    const int lignes = std::max(objet.Lignes, 1);
    const int colonnes = std::max(objet.Colonnes, 1);
    QSizeF image = dessin.Taille_Naturelle();
    if (image.isEmpty())
        image = QSizeF(4, 3);
    // A cell is (width / colonnes) wide for (height / lignes) high.
    const double largeur = hauteur * (image.width() * lignes) / (image.height() * colonnes);
    return {std::clamp(static_cast<int>(std::lround(largeur)), hauteur / 2, hauteur * 2), hauteur};
}

std::shared_ptr<const Dessin> Vignettes_Etats::Dessin_De(const std::string& chemin) {
    auto it = dessins_.find(chemin);
    if (it == dessins_.end()) {
        auto dessin = Dessin::Charge(chemin);
        it = dessins_.emplace(chemin, dessin ? *dessin : nullptr).first;
    }
    return it->second;
}

std::tuple<std::string, int, int, qreal> Vignettes_Etats::Cle(const Objet_Fic& objet, int cellule,
                                                              int hauteur, qreal ratio) const {
    return {reglages_.Rep_Descripteurs + objet.Popup, cellule, hauteur, ratio};
}

std::optional<QPixmap> Vignettes_Etats::Deja_Dessinee(const Objet_Fic& objet, int cellule, int hauteur,
                                                      qreal ratio) const {
    const auto it = cellules_.find(Cle(objet, cellule, hauteur, ratio));
    if (it == cellules_.end())
        return std::nullopt;
    return it->second;
}

QPixmap Vignettes_Etats::Vignette(const Objet_Fic& objet, int cellule, int hauteur, qreal ratio) {
    const int lignes = std::max(objet.Lignes, 1);
    const int colonnes = std::max(objet.Colonnes, 1);
    if (cellule < 0 || cellule >= lignes * colonnes || hauteur <= 0)
        return {};
    const auto cle = Cle(objet, cellule, hauteur, ratio);
    const std::string& chemin = std::get<0>(cle);
    if (const auto it = cellules_.find(cle); it != cellules_.end())
        return it->second;
    QPixmap vignette;
    if (const auto dessin = Dessin_De(chemin)) {
        const QSize taille = Taille(objet, *dessin, hauteur);
        vignette = QPixmap(taille * ratio);
        vignette.setDevicePixelRatio(ratio);
        vignette.fill(Qt::white);
        QPainter peintre(&vignette);
        peintre.setRenderHint(QPainter::Antialiasing);
        peintre.setClipRect(QRect(QPoint(0, 0), taille));
        // The whole picture at the scale where one cell fills the pixmap, shifted to that cell.
        const QRectF cible(-(cellule % colonnes) * taille.width(), -(cellule / colonnes) * taille.height(),
                           colonnes * taille.width(), lignes * taille.height());
        dessin->Peint(peintre, cible);
    }
    cellules_.emplace(cle, vignette);
    return vignette;
}

}  // namespace kestrane
