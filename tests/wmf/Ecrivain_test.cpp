// Drawings painted onto the metafile device, read back and played.
#include <gtest/gtest.h>

#include <QPainter>
#include <QPainterPath>

#include "Fabrique_Wmf.h"
#include "Fonctions_Wmf.h"
#include "Metafichier.h"
#include "Peripherique_Wmf.h"
#include "Rendu_Wmf.h"

namespace kestrane::wmf::test {
namespace {

void Formes(QPainter& p) {
    p.fillRect(QRect(0, 0, 100, 100), Qt::red);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::green);
    p.drawEllipse(QRect(100, 0, 100, 100));
}

void Image_Transparente(QPainter& p) {  // its left half green, its right half transparent
    QImage image(10, 10, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 5; ++x) image.setPixel(x, y, qRgb(0, 255, 0));
    p.drawImage(QRect(0, 0, 100, 100), image);
}

// {drawing on a frame} -> a placeable file framed by it, with few object slots, holding the
// records counted, that renders at the given size to the probed colours and zones.
struct Cas_Ecrivain {
    const char* nom;
    void (*dessin)(QPainter&);
    QSize cadre, taille;
    std::vector<Sonde> sondes;
    std::vector<Zone> zones = {};
    std::vector<std::pair<uint16_t, int>> comptes = {};
    QColor fond = Qt::white;
};
// clang-format off
const Cas_Ecrivain Cas_Ecrits[] = {
    {"shapes stretched", Formes, {200, 100}, {400, 100}, {{100, 50, Rouge}, {300, 50, Vert}, {204, 2, Blanc}}},
    {"curve flattened into one polygon, the transform applied",
     [](QPainter& p) {
         QPainterPath chemin;
         chemin.cubicTo(50, 0, 50, 50, 0, 50);
         p.scale(2, 2), p.fillPath(chemin, Qt::red);
     },
     {100, 100}, {100, 100}, {{20, 50, Rouge}, {90, 50, Blanc}, {60, 95, Blanc}}, {}, {{POLYGON, 1}}},
    {"translucent colour blended over white, invisible one dropped",
     [](QPainter& p) {
         p.fillRect(QRect(0, 0, 50, 100), QColor(255, 0, 0, 128));
         p.fillRect(QRect(50, 0, 50, 100), QColor(0, 0, 255, 0));
     },
     {100, 100}, {100, 100}, {{25, 50, 0xFFFF7F7F}, {75, 50, Transparent}}, {}, {}, Qt::transparent},
    {"transparent image as a mask pair over a layer", Image_Transparente, {100, 100}, {100, 100},
     {{25, 50, Vert}, {75, 50, Rouge}}, {}, {{STRETCHDIB, 2}}, Qt::red},
    {"transparent image as a mask pair on a transparent canvas", Image_Transparente, {100, 100}, {100, 100},
     {{25, 50, Vert}, {75, 50, Transparent}}, {}, {{STRETCHDIB, 2}}, Qt::transparent},
    {"fifty brushes reuse few slots",
     [](QPainter& p) { for (int i = 0; i < 50; ++i) p.fillRect(QRect(i * 2, 0, 2, 100), QColor(i * 5, 0, 0)); },
     {100, 100}, {100, 100}, {{99, 50, qRgb(245, 0, 0)}}},
    {"pens keep their width, colour and dashes",
     [](QPainter& p) {
         p.setPen(QPen(Qt::red, 6));
         p.drawLine(10, 20, 90, 20);
         p.setPen(QPen(Qt::green, 0, Qt::DashLine));
         p.drawLine(0, 60, 100, 60);
     },
     {100, 100}, {100, 100}, {{50, 18, Rouge}, {50, 22, Rouge}, {50, 26, Blanc}},
     {{QRect(0, 60, 100, 1), 30, Vert}, {QRect(0, 60, 100, 1), 10, Blanc}}},
    {"text is written as text with its advances",
     [](QPainter& p) {
         QFont f("DejaVu Sans");
         f.setPixelSize(40);
         p.setFont(f);
         p.setPen(Qt::black);
         p.drawText(QPointF(10, 60), "Tree");
     },
     {200, 100}, {200, 100}, {},
     {{QRect(8, 20, 110, 55), 200}, {QRect(0, 0, 200, 20), 0}, {QRect(0, 75, 200, 25), 0}, {QRect(0, 0, 8, 100), 0},
      {QRect(118, 0, 82, 100), 0}},
     {{EXTTEXTOUT, 1}, {CREATEFONTINDIRECT, 1}}},
};
// clang-format on

TEST(Ecrivain, DrawingsComeBackFromTheFileTheyWrite) {
    for (const auto& c : Cas_Ecrits) {
        SCOPED_TRACE(c.nom);
        Peripherique_Wmf peripherique(c.cadre.width(), c.cadre.height());
        QPainter p(&peripherique);
        c.dessin(p);
        p.end();
        auto lu = Metafichier::Lit(peripherique.Donnees());
        ASSERT_TRUE(lu.ok()) << lu.status().message();
        EXPECT_TRUE(lu->placable() && lu->entete_placable().somme_juste);
        EXPECT_EQ(lu->cadre(), QRect(QPoint(0, 0), c.cadre));
        EXPECT_LE(lu->nb_objets(), 4);
        for (const auto& [fonction, nombre] : c.comptes) {
            int n = 0;
            for (const auto& e : lu->enregistrements()) n += e.fonction == fonction;
            EXPECT_EQ(n, nombre) << fonction;
        }
        Verifie(Rendu_Wmf::Rend(lu.value(), c.taille, c.fond), c.sondes, c.zones);
    }
}

// A full disk is reported with the system's reason, not taken for a written file.
TEST(Ecrivain, AFullDiskIsAFailureThatSaysWhy) {
    Peripherique_Wmf peripherique(200, 100);
    QPainter p(&peripherique);
    Formes(p);
    p.end();
    const Status s = peripherique.Enregistre("/dev/full");
    ASSERT_FALSE(s.ok());
    EXPECT_NE(s.message().find("No space left on device"), std::string::npos) << s.message();
}

}  // namespace
}  // namespace kestrane::wmf::test
