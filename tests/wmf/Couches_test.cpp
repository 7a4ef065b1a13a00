// Layers: metafiles painted one over the other on the same painter compose one picture.
#include <gtest/gtest.h>

#include <QPainter>

#include "Fabrique_Wmf.h"
#include "Fonctions_Wmf.h"
#include "Joueur_Metafichier.h"
#include "Metafichier.h"
#include "Peripherique_Wmf.h"

namespace kestrane::wmf::test {
namespace {

template <typename Dessin>
Metafichier Couche(Dessin&& dessin) {
    Peripherique_Wmf peripherique(240, 180);
    QPainter p(&peripherique);
    dessin(p);
    p.end();
    return std::move(Metafichier::Lit(peripherique.Donnees()).value());
}

QImage Empile(const std::vector<const Metafichier*>& couches, QSize taille, QImage::Format format,
              QColor fond) {
    QImage image(taille, format);
    image.fill(fond);
    QPainter p(&image);
    for (const Metafichier* c : couches)
        Joueur_Metafichier::Joue(*c, p, QRectF(QPointF(0, 0), QSizeF(taille)));
    return image;
}

TEST(Couches, EachLayerPaintsOnlyItsOwnShapes) {
    const Metafichier tronc =
        Couche([](QPainter& p) { p.fillRect(QRect(100, 60, 40, 120), QColor(120, 70, 20)); });
    const Metafichier houppier = Couche([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 140, 30));
        p.drawEllipse(QRect(40, 0, 160, 100));
    });
    for (auto format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        const QImage im = Empile({&tronc, &houppier}, {480, 360}, format, Qt::white);
        EXPECT_EQ(Pixel(im, 240, 300), 0x784614u);  // trunk below the crown
        EXPECT_EQ(Pixel(im, 240, 150), 0x148C1Eu);  // crown laid over the trunk
        EXPECT_EQ(Pixel(im, 20, 300), 0xFFFFFFu);   // paper
    }
}

TEST(Couches, ATransparentCanvasStaysTransparentOutsideTheShapes) {
    const Metafichier feuille = Couche([](QPainter& p) { p.fillRect(QRect(0, 0, 120, 180), Qt::green); });
    const QImage im = Empile({&feuille}, {240, 180}, QImage::Format_ARGB32_Premultiplied, Qt::transparent);
    EXPECT_EQ(qAlpha(im.pixel(60, 90)), 255);
    EXPECT_EQ(im.pixel(180, 90), 0u);
}

TEST(Couches, OpaqueBackgroundModeHidesTheLayerBeneathTransparentDoesNot) {
    // A layer made elsewhere: dashed outline and text, once left in the default opaque mode.
    auto dessin = [](bool transparent) {
        Fabrique_Wmf f;
        f.Fenetre(0, 0, 240, 180);
        if (transparent)
            f.Rec(SETBKMODE, {1});
        f.Stylo(1 /* dash */, 0, Qt::black).Choisit(0).Rec(MOVETO, {90, 0}).Rec(LINETO, {90, 240});
        return std::move(Metafichier::Lit(f.Simple()).value());
    };
    const Metafichier fond = Couche([](QPainter& p) { p.fillRect(QRect(0, 0, 240, 180), Qt::red); });
    const Metafichier opaque = dessin(false), transparent = dessin(true);
    auto blancs_sur_la_ligne = [](const QImage& im) {
        int n = 0;
        for (int x = 0; x < 240; ++x) n += Pixel(im, x, 90) == 0xFFFFFFu;
        return n;
    };
    EXPECT_GT(blancs_sur_la_ligne(Empile({&fond, &opaque}, {240, 180}, QImage::Format_RGB32, Qt::white)), 20);
    EXPECT_EQ(blancs_sur_la_ligne(Empile({&fond, &transparent}, {240, 180}, QImage::Format_RGB32, Qt::white)),
              0);
}

}  // namespace
}  // namespace kestrane::wmf::test
