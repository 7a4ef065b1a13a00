#include "Echantillonneur_Palette_Wmf.h"

#include <algorithm>

#include "Arrondi_Pair.h"
#include "Rendu_Wmf.h"

namespace kestrane::wmf {

Echantillonneur_Palette_Wmf::Echantillonneur_Palette_Wmf(std::string chemin, int largeur, int hauteur)
    : chemin_(std::move(chemin)), taille_(std::max(1, largeur), std::max(1, hauteur)) {}

std::vector<QPoint> Echantillonneur_Palette_Wmf::Points(int nb_couleurs, int largeur, int hauteur) {
    std::vector<QPoint> points;
    if (nb_couleurs <= 0)
        return points;
    const int y = Arrondi_Pair<int>(hauteur / 2.0);
    const double bande = static_cast<double>(largeur) / nb_couleurs;
    for (int c = 0; c < nb_couleurs; ++c) points.emplace_back(Arrondi_Pair<int>(bande / 2 + c * bande), y);
    return points;
}

std::vector<int32_t> Echantillonneur_Palette_Wmf::Echantillonne(int nb_couleurs) {
    std::vector<int32_t> couleurs;
    if (nb_couleurs <= 0)
        return couleurs;
    if (!image_) {
        auto rendu = Rendu_Wmf::Rend_Fichier(chemin_, taille_, Qt::white);
        image_ = rendu ? rendu.value() : QImage();
    }
    if (image_->isNull())
        return couleurs;
    for (const QPoint& p : Points(nb_couleurs, taille_.width(), taille_.height())) {
        // A point on the right or bottom edge reads the last pixel inside the box.
        const QPoint q(std::clamp(p.x(), 0, image_->width() - 1), std::clamp(p.y(), 0, image_->height() - 1));
        const QRgb v = image_->pixel(q);
        couleurs.push_back(static_cast<int32_t>(qRed(v) | (qGreen(v) << 8) | (qBlue(v) << 16)));
    }
    return couleurs;
}

}  // namespace kestrane::wmf
