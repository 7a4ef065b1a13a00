#include "Rendu_Wmf.h"

#include <QPainter>

#include <algorithm>
#include <thread>

#include "Joueur_Metafichier.h"

namespace kestrane::wmf {

QImage Rendu_Wmf::Rend(const Metafichier& fichier, QSize taille, const QColor& fond,
                       Rapport_Lecture* rapport) {
    taille = QSize(std::clamp(taille.width(), 1, 16384), std::clamp(taille.height(), 1, 16384));
    const bool opaque = fond.alpha() == 255;
    QImage image(taille, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(fond);
    QPainter peintre(&image);
    Rapport_Lecture r =
        Joueur_Metafichier::Joue(fichier, peintre, QRectF(0, 0, taille.width(), taille.height()));
    peintre.end();
    if (rapport)
        *rapport = std::move(r);
    return image;
}

void Rendu_Wmf::Peint_Couches(QImage& image, const std::vector<const Metafichier*>& couches,
                              const QRectF& cible) {
    if (image.isNull() || couches.empty())
        return;
    // Bands of at least 64 rows; one per hardware thread, at most 8.
    const int fils = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 8);
    const int nb_bandes = std::clamp(image.height() / 64, 1, fils);
    auto peint_bande = [&](int b) {
        const int haut = image.height() * b / nb_bandes, bas = image.height() * (b + 1) / nb_bandes;
        // A QImage over the band's rows of the shared buffer: each thread owns its rows.
        QImage bande(image.bits() + static_cast<qsizetype>(haut) * image.bytesPerLine(), image.width(),
                     bas - haut, image.bytesPerLine(), image.format());
        QPainter peintre(&bande);
        // The frame moves rather than the painter, so that every coordinate reaches the
        // rasteriser shifted by whole pixels only and rounds as it would on the whole image.
        const QRectF cible_bande = cible.translated(0, -haut);
        for (const Metafichier* c : couches)
            if (c)
                Joueur_Metafichier::Joue(*c, peintre, cible_bande);
    };
    if (nb_bandes == 1) {
        QPainter peintre(&image);
        for (const Metafichier* c : couches)
            if (c)
                Joueur_Metafichier::Joue(*c, peintre, cible);
        return;
    }
    image.detach();
    std::vector<std::thread> travailleurs;
    for (int b = 1; b < nb_bandes; ++b) travailleurs.emplace_back(peint_bande, b);
    peint_bande(0);
    for (auto& t : travailleurs) t.join();
}

Result<QImage> Rendu_Wmf::Rend_Fichier(const std::string& chemin, QSize taille, const QColor& fond) {
    auto fichier = Metafichier::Lit_Fichier(chemin);
    if (!fichier)
        return fichier.status();
    return Rend(fichier.value(), taille, fond);
}

}  // namespace kestrane::wmf
