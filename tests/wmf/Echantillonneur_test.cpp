#include <gtest/gtest.h>

#include <QPainter>
#include <QTemporaryDir>

#include "Echantillonneur_Palette_Wmf.h"
#include "Peripherique_Wmf.h"

namespace kestrane::wmf::test {
namespace {

// {bands, width, height} -> the centre of each band, halves rounded to even.
TEST(Echantillonneur_Palette_Wmf, EachBandIsReadAtItsCentre) {
    const struct {
        int n, largeur, hauteur;
        std::vector<QPoint> points;
    } cas[] = {
        {4, 400, 100, {{50, 50}, {150, 50}, {250, 50}, {350, 50}}},
        {1, 5, 5, {{2, 2}}},                        // 2.5 -> 2
        {1, 7, 7, {{4, 4}}},                        // 3.5 -> 4
        {3, 100, 10, {{17, 5}, {50, 5}, {83, 5}}},  // 16.67, 50, 83.33
        {0, 100, 10, {}},
    };
    for (const auto& c : cas)
        EXPECT_EQ(Echantillonneur_Palette_Wmf::Points(c.n, c.largeur, c.hauteur), c.points)
            << c.n << " in " << c.largeur;
}

// Drawn in a frame of other proportions than the box: the picture is stretched to it. An
// unreadable picture gives no colours.
TEST(Echantillonneur_Palette_Wmf, SamplesTheBandsOfAPalettePictureStretchedToTheBox) {
    const QColor bandes[4] = {QColor(200, 10, 20), QColor(30, 180, 40), QColor(50, 60, 170),
                              QColor(250, 240, 5)};
    QTemporaryDir dossier;
    const std::string chemin = dossier.filePath("couleur.wmf").toStdString();
    Peripherique_Wmf palette(1000, 37);
    QPainter p(&palette);
    std::vector<int32_t> attendues;
    for (int c = 0; c < 4; ++c) {
        p.fillRect(QRect(c * 250, 0, 250, 37), bandes[c]);
        attendues.push_back(bandes[c].red() | (bandes[c].green() << 8) | (bandes[c].blue() << 16));
    }
    p.end();
    ASSERT_TRUE(palette.Enregistre(chemin).ok());
    EXPECT_EQ(Echantillonneur_Palette_Wmf(chemin, 400, 100).Echantillonne(4), attendues);
    EXPECT_TRUE(Echantillonneur_Palette_Wmf(chemin + "x", 400, 100).Echantillonne(4).empty());
}

}  // namespace
}  // namespace kestrane::wmf::test
