// Writer → reader → raster round trips.
#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>

#include "Conversion_Svg.h"
#include "Fabrique_Wmf.h"
#include "Fonctions_Wmf.h"
#include "Metafichier.h"
#include "Peripherique_Wmf.h"
#include "Rendu_Wmf.h"

namespace kestrane::wmf::test {
namespace {

const QRgb Blanc = 0xFFFFFF, Rouge = 0xFF0000, Vert = 0x00FF00;

template <typename Dessin>
Metafichier Ecrit(int largeur, int hauteur, const Dessin& dessin) {
    Peripherique_Wmf peripherique(largeur, hauteur);
    QPainter p(&peripherique);
    dessin(p);
    p.end();
    auto lu = Metafichier::Lit(peripherique.Donnees());
    EXPECT_TRUE(lu.ok()) << lu.status().message();
    return std::move(lu.value());
}

int Compte(const Metafichier& m, uint16_t fonction) {
    int n = 0;
    for (const auto& e : m.enregistrements()) n += e.fonction == fonction;
    return n;
}

struct Sonde {
    int x, y;
    QRgb couleur;  // with its alpha
};

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

// {drawing on a frame} -> a placeable file framed by it, with few object slots, that renders at
// the given size to the probed colours, and holds the records counted.
const struct Cas_Ecrivain {
    const char* nom;
    void (*dessin)(QPainter&);
    QSize cadre, taille;
    std::vector<Sonde> sondes;
    std::vector<std::pair<uint16_t, int>> comptes = {};
    QColor fond = Qt::white;
} Cas_Ecrits[] = {
    {"shapes at their place", Formes, {200, 100}, {200, 100},
     {{50, 50, 0xFFFF0000}, {150, 50, 0xFF00FF00}, {102, 2, 0xFFFFFFFF}}},
    {"shapes stretched", Formes, {200, 100}, {400, 100},
     {{100, 50, 0xFFFF0000}, {300, 50, 0xFF00FF00}, {204, 2, 0xFFFFFFFF}}},
    {"curve flattened into one polygon, the transform applied",
     [](QPainter& p) {
         QPainterPath chemin;
         chemin.cubicTo(50, 0, 50, 50, 0, 50);
         p.scale(2, 2), p.fillPath(chemin, Qt::red);
     },
     {100, 100}, {100, 100}, {{20, 50, 0xFFFF0000}, {90, 50, 0xFFFFFFFF}, {60, 95, 0xFFFFFFFF}},
     {{POLYGON, 1}}},
    {"translucent colour blended over white, invisible one dropped",
     [](QPainter& p) {
         p.fillRect(QRect(0, 0, 50, 100), QColor(255, 0, 0, 128));
         p.fillRect(QRect(50, 0, 50, 100), QColor(0, 0, 255, 0));
     },
     {100, 100}, {100, 100}, {{25, 50, 0xFFFF7F7F}, {75, 50, 0}}, {}, Qt::transparent},
    {"transparent image as a mask pair over a layer", Image_Transparente, {100, 100}, {100, 100},
     {{25, 50, 0xFF00FF00}, {75, 50, 0xFFFF0000}}, {{STRETCHDIB, 2}}, Qt::red},
    {"transparent image as a mask pair on a transparent canvas", Image_Transparente, {100, 100}, {100, 100},
     {{25, 50, 0xFF00FF00}, {75, 50, 0}}, {{STRETCHDIB, 2}}, Qt::transparent},
    {"fifty brushes reuse few slots",
     [](QPainter& p) { for (int i = 0; i < 50; ++i) p.fillRect(QRect(i * 2, 0, 2, 100), QColor(i * 5, 0, 0)); },
     {100, 100}, {100, 100}, {{99, 50, qRgb(245, 0, 0)}}},
};

TEST(Ecrivain, DrawingsComeBackFromTheFileTheyWrite) {
    for (const auto& c : Cas_Ecrits) {
        SCOPED_TRACE(c.nom);
        const Metafichier m = Ecrit(c.cadre.width(), c.cadre.height(), c.dessin);
        EXPECT_TRUE(m.placable());
        EXPECT_EQ(m.cadre(), QRect(QPoint(0, 0), c.cadre));
        EXPECT_TRUE(m.entete_placable().somme_juste);
        EXPECT_LE(m.nb_objets(), 4);
        for (const auto& [fonction, nombre] : c.comptes) EXPECT_EQ(Compte(m, fonction), nombre) << fonction;
        const QImage im = Rendu_Wmf::Rend(m, c.taille, c.fond);
        for (const Sonde& s : c.sondes) EXPECT_EQ(im.pixel(s.x, s.y), s.couleur) << s.x << ", " << s.y;
    }
}

TEST(Ecrivain, PensKeepWidthColourAndDashes) {
    const Metafichier m = Ecrit(100, 100, [](QPainter& p) {
        p.setPen(QPen(Qt::red, 6));
        p.drawLine(10, 20, 90, 20);
        p.setPen(QPen(Qt::green, 0, Qt::DashLine));
        p.drawLine(0, 60, 100, 60);
    });
    const QImage im = Rendu_Wmf::Rend(m, {100, 100});
    EXPECT_EQ((std::vector{Pixel(im, 50, 18), Pixel(im, 50, 22), Pixel(im, 50, 26)}),
              (std::vector{Rouge, Rouge, Blanc}));
    int verts = 0, blancs = 0;  // along the dashes
    for (int x = 0; x < 100; ++x) verts += Pixel(im, x, 60) == Vert, blancs += Pixel(im, x, 60) == Blanc;
    EXPECT_TRUE(verts > 30 && blancs > 10) << verts << " green, " << blancs << " white";
}

TEST(Ecrivain, TextIsWrittenAsTextWithItsAdvances) {
    const Metafichier m = Ecrit(200, 100, [](QPainter& p) {
        QFont f("DejaVu Sans");
        f.setPixelSize(40);
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(QPointF(10, 60), "Tree");
    });
    EXPECT_EQ(std::tuple(Compte(m, EXTTEXTOUT), Compte(m, CREATEFONTINDIRECT)), std::tuple(1, 1));
    const QImage im = Rendu_Wmf::Rend(m, {200, 100});
    int sombres = 0, hors = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            const bool sombre = qGray(im.pixel(x, y)) < 100;
            (QRect(8, 20, 110, 55).contains(x, y) ? sombres : hors) += sombre;
        }
    EXPECT_TRUE(sombres > 200 && hors == 0) << sombres << " dark pixels in the text's box, " << hors << " outside";
}

// A drawing of 10 × 10 units with the given content, written to `chemin`.
QString Svg(const QString& chemin, const char* contenu = "") {
    QFile f(chemin);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 10 10">)") + contenu +
            "</svg>");
    return chemin;
}

TEST(Conversion_Svg, WritesAPlaceableFileFramedAsAsked) {
    QTemporaryDir dossier;
    const QString svg = Svg(dossier.filePath("feuille.svg"), R"(<rect width="5" height="10" fill="#0f0"/>)");
    const QString wmf = dossier.filePath("feuille.wmf");
    const Status s = Convertit_Svg_En_Wmf(svg.toStdString(), wmf.toStdString(), 2400, 1800);
    ASSERT_TRUE(s.ok()) << s.message();
    auto lu = Metafichier::Lit_Fichier(wmf.toStdString());
    ASSERT_TRUE(lu.ok());
    EXPECT_EQ(lu->cadre(), QRect(0, 0, 2400, 1800));
    const QImage im = Rendu_Wmf::Rend(lu.value(), {240, 180});
    EXPECT_EQ(std::tuple(Pixel(im, 60, 90), Pixel(im, 180, 90)), std::tuple(Vert, Blanc));
}

TEST(Conversion_Svg, ErrorsNameTheFile) {
    QTemporaryDir dossier;
    const std::string absent = dossier.filePath("absent.svg").toStdString();
    const Status s = Convertit_Svg_En_Wmf(absent, dossier.filePath("x.wmf").toStdString(), 100, 100);
    ASSERT_FALSE(s.ok());
    EXPECT_NE(s.message().find(absent), std::string::npos);

    const QString svg = Svg(dossier.filePath("a.svg"));
    const std::string inaccessible = dossier.filePath("no/such/dir/x.wmf").toStdString();
    const Status e = Convertit_Svg_En_Wmf(svg.toStdString(), inaccessible, 100, 100);
    ASSERT_FALSE(e.ok());
    EXPECT_NE(e.message().find(inaccessible), std::string::npos);
}

}  // namespace
}  // namespace kestrane::wmf::test
