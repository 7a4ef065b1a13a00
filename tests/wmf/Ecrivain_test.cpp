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
Metafichier Ecrit(int largeur, int hauteur, Dessin&& dessin) {
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

TEST(Ecrivain, ShapesComeBackAtTheirPlaceStretchedToAnySize) {
    const Metafichier m = Ecrit(200, 100, [](QPainter& p) {
        p.fillRect(QRect(0, 0, 100, 100), Qt::red);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::green);
        p.drawEllipse(QRect(100, 0, 100, 100));
    });
    EXPECT_TRUE(m.placable());
    EXPECT_EQ(m.cadre(), QRect(0, 0, 200, 100));
    EXPECT_TRUE(m.entete_placable().somme_juste);
    for (QSize taille : {QSize(200, 100), QSize(400, 100)}) {
        const QImage im = Rendu_Wmf::Rend(m, taille);
        const int kx = taille.width() / 200;
        EXPECT_EQ(Pixel(im, 50 * kx, 50), Rouge);
        EXPECT_EQ(Pixel(im, 150 * kx, 50), Vert);
        EXPECT_EQ(Pixel(im, 102 * kx, 2), Blanc);
    }
}

TEST(Ecrivain, CurvesAreFlattenedAndTransformsApplied) {
    const Metafichier m = Ecrit(100, 100, [](QPainter& p) {
        p.scale(2, 2);
        QPainterPath chemin;
        chemin.moveTo(0, 0);
        chemin.cubicTo(50, 0, 50, 50, 0, 50);
        p.fillPath(chemin, Qt::red);
    });
    const QImage im = Rendu_Wmf::Rend(m, {100, 100});
    EXPECT_EQ(Pixel(im, 20, 50), Rouge);  // inside the curve, scaled by 2
    EXPECT_EQ(Pixel(im, 90, 50), Blanc);
    EXPECT_EQ(Pixel(im, 60, 95), Blanc);
    EXPECT_EQ(Compte(m, POLYGON), 1);
}

TEST(Ecrivain, TranslucentColoursAreBlendedOverWhiteAndInvisibleOnesDropped) {
    const Metafichier m = Ecrit(100, 100, [](QPainter& p) {
        p.fillRect(QRect(0, 0, 50, 100), QColor(255, 0, 0, 128));
        p.fillRect(QRect(50, 0, 50, 100), QColor(0, 0, 255, 0));
    });
    const QImage im = Rendu_Wmf::Rend(m, {100, 100}, Qt::transparent);
    const QColor c = im.pixelColor(25, 50);
    EXPECT_EQ(c.red(), 255);
    EXPECT_NEAR(c.green(), 127, 2);
    EXPECT_EQ(im.pixel(75, 50), 0u);  // nothing drawn there
}

TEST(Ecrivain, PensKeepWidthColourAndDashes) {
    const Metafichier m = Ecrit(100, 100, [](QPainter& p) {
        p.setPen(QPen(Qt::red, 6));
        p.drawLine(10, 20, 90, 20);
        p.setPen(QPen(Qt::green, 0, Qt::DashLine));
        p.drawLine(0, 60, 100, 60);
    });
    const QImage im = Rendu_Wmf::Rend(m, {100, 100});
    EXPECT_EQ(Pixel(im, 50, 18), Rouge);
    EXPECT_EQ(Pixel(im, 50, 22), Rouge);
    EXPECT_EQ(Pixel(im, 50, 26), Blanc);
    int verts = 0, blancs = 0;  // along the dashes
    for (int x = 0; x < 100; ++x) verts += Pixel(im, x, 60) == Vert, blancs += Pixel(im, x, 60) == Blanc;
    EXPECT_GT(verts, 30);
    EXPECT_GT(blancs, 10);
}

TEST(Ecrivain, TextIsWrittenAsTextWithItsAdvances) {
    const Metafichier m = Ecrit(200, 100, [](QPainter& p) {
        QFont f("DejaVu Sans");
        f.setPixelSize(40);
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(QPointF(10, 60), "Tree");
    });
    EXPECT_EQ(Compte(m, EXTTEXTOUT), 1);
    EXPECT_EQ(Compte(m, CREATEFONTINDIRECT), 1);
    const QImage im = Rendu_Wmf::Rend(m, {200, 100});
    int sombres = 0, hors = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            const bool sombre = qGray(im.pixel(x, y)) < 100;
            (QRect(8, 20, 110, 55).contains(x, y) ? sombres : hors) += sombre;
        }
    EXPECT_GT(sombres, 200);
    EXPECT_EQ(hors, 0);
}

TEST(Ecrivain, TransparentImagesBecomeMaskPairsThatLetTheLayerBeneathShow) {
    QImage image(10, 10, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 5; ++x) image.setPixel(x, y, qRgb(0, 255, 0));
    const Metafichier m = Ecrit(100, 100, [&](QPainter& p) { p.drawImage(QRect(0, 0, 100, 100), image); });
    EXPECT_EQ(Compte(m, STRETCHDIB), 2);
    for (QColor fond : {QColor(Qt::red), QColor(Qt::transparent)}) {
        const QImage im = Rendu_Wmf::Rend(m, {100, 100}, fond);
        EXPECT_EQ(Pixel(im, 25, 50), Vert);
        EXPECT_EQ(im.pixel(75, 50), fond.rgba());
    }
}

TEST(Ecrivain, ManyObjectsReuseFewSlots) {
    const Metafichier m = Ecrit(100, 100, [](QPainter& p) {
        for (int i = 0; i < 50; ++i) p.fillRect(QRect(i * 2, 0, 2, 100), QColor(i * 5, 0, 0));
    });
    EXPECT_LE(m.nb_objets(), 4);
    const QImage im = Rendu_Wmf::Rend(m, {100, 100});
    EXPECT_EQ(Pixel(im, 99, 50), static_cast<QRgb>(qRgb(245, 0, 0) & 0xFFFFFF));
}

// A drawing of 10 × 10 units with the given content, written to `chemin`.
QString Svg(const QString& chemin, const char* contenu = "") {
    QFile f(chemin);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 10 10">)") + contenu + "</svg>");
    return chemin;
}

TEST(Conversion_Svg, WritesAPlaceableFileFramedAsAsked) {
    QTemporaryDir dossier;
    const QString svg = Svg(dossier.filePath("feuille.svg"), R"(<rect width="5" height="10" fill="#00ff00"/>)");
    const QString wmf = dossier.filePath("feuille.wmf");
    const Status s = Convertit_Svg_En_Wmf(svg.toStdString(), wmf.toStdString(), 2400, 1800);
    ASSERT_TRUE(s.ok()) << s.message();
    auto lu = Metafichier::Lit_Fichier(wmf.toStdString());
    ASSERT_TRUE(lu.ok());
    EXPECT_EQ(lu->cadre(), QRect(0, 0, 2400, 1800));
    const QImage im = Rendu_Wmf::Rend(lu.value(), {240, 180});
    EXPECT_EQ(Pixel(im, 60, 90), Vert);
    EXPECT_EQ(Pixel(im, 180, 90), Blanc);
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
