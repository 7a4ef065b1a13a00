// "Copy": the clipboard receives the portrait, or the state picture while the chooser is shown, as
// a raster image and as SVG drawn from the metafiles.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

#include <gtest/gtest.h>

#include "Banc_Portrait.h"
#include "Copie_Portrait.h"
#include "Robot_Tab.h"

namespace kestrane::test {
namespace {

constexpr QRgb Blanc = 0xFFFFFFFF;
constexpr QRgb Vert_Cellule = 0xFF88CC88;  // the first state of a state picture

// The clipboard's SVG rendered on white at `taille`; null when there is none or it is not valid.
QImage Svg_Du_Presse_Papiers(QSize taille) {
    const QMimeData* donnees = QGuiApplication::clipboard()->mimeData();
    if (donnees == nullptr || !donnees->hasFormat(Copie_Portrait::Type_Svg))
        return {};
    QSvgRenderer rendu(donnees->data(Copie_Portrait::Type_Svg));
    if (!rendu.isValid())
        return {};
    QImage image(taille, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter peintre(&image);
    rendu.render(&peintre, QRectF(QPointF(0, 0), QSizeF(taille)));
    return image;
}

QImage Image_Du_Presse_Papiers() {
    const QMimeData* donnees = QGuiApplication::clipboard()->mimeData();
    if (donnees == nullptr || !donnees->hasImage())
        return {};
    return qvariant_cast<QImage>(donnees->imageData()).convertToFormat(QImage::Format_RGB32);
}

bool Proche(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 8 && std::abs(qGreen(a) - qGreen(b)) <= 8 &&
           std::abs(qBlue(a) - qBlue(b)) <= 8;
}

TEST(CopyCommand, PortraitGoesOnTheClipboardAsImageAndSvg) {
    Banc_Portrait b;
    ASSERT_TRUE(b.Demarrage.ok()) << b.Demarrage.message();
    QGuiApplication::clipboard()->setText("before");
    const Status s = Copie_Portrait::Copie(*b.Portrait, b.Parametres, b.Identification->Question.Popup);
    ASSERT_TRUE(s.ok()) << s.message();
    const QMimeData* donnees = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(donnees, nullptr);
    EXPECT_FALSE(donnees->hasText());  // the old content is gone

    const QImage image = Image_Du_Presse_Papiers();
    ASSERT_EQ(image.size(), QSize(480, 360));
    EXPECT_EQ(image, b.Capture_Robot().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(image.pixel(120, 100), Vert_Feuille);

    // Drawn from the metafiles, not a picture of the raster.
    const QByteArray texte_svg = donnees->data(Copie_Portrait::Type_Svg);
    EXPECT_FALSE(texte_svg.contains("<image")) << texte_svg.left(2000).toStdString();
    EXPECT_TRUE(texte_svg.contains("#00a000")) << texte_svg.left(2000).toStdString();
    const QImage svg = Svg_Du_Presse_Papiers(QSize(480, 360));
    ASSERT_FALSE(svg.isNull());
    EXPECT_TRUE(Proche(svg.pixel(120, 100), Vert_Feuille));
    EXPECT_TRUE(Proche(svg.pixel(240, 300), Brun_Tronc));
    EXPECT_TRUE(Proche(svg.pixel(350, 90), Rouge_Fruit));
    EXPECT_TRUE(Proche(svg.pixel(440, 300), Blanc));
}

TEST(CopyCommand, OverlaysAreCopiedAsShown) {
    Banc_Portrait b;
    Robot_Tab& calques = b.Portrait->Calques();
    calques.Fixe_Nb_Dessins_Sup(1);
    calques.Charge_Dessin("Ecorce", calques.Nb_Robot() + 1, b.Parametres.Rep_Robot + "Contra/ecorce_x.wmf");
    ATTEND_QUE(b.Capture_Robot().pixel(240, 260) == Magenta_Contra);
    ASSERT_TRUE(Copie_Portrait::Copie(*b.Portrait, b.Parametres, "").ok());
    EXPECT_EQ(Image_Du_Presse_Papiers().pixel(240, 260), Magenta_Contra);
    const QImage svg = Svg_Du_Presse_Papiers(QSize(480, 360));
    ASSERT_FALSE(svg.isNull());
    EXPECT_TRUE(Proche(svg.pixel(240, 260), Magenta_Contra));
    EXPECT_TRUE(Proche(svg.pixel(240, 340), Brun_Tronc));  // the piece beneath
}

TEST(CopyCommand, ChooserShownCopiesTheStatePictureNotThePortrait) {
    Banc_Portrait b;
    b.Clic_Dessin(120, 60);  // the leaf: its chooser opens
    ATTEND_QUE(b.Portrait->Widget_Pic_Choix()->isVisible());
    ASSERT_EQ(b.Identification->Question.Popup, "feuille.wmf");
    const Status s = Copie_Portrait::Copie(*b.Portrait, b.Parametres, b.Identification->Question.Popup);
    ASSERT_TRUE(s.ok()) << s.message();

    // The leaf picture is 1 x 2 cells: the first state on the left.
    const QImage image = Image_Du_Presse_Papiers();
    ASSERT_EQ(image.size(), QSize(480, 360));
    EXPECT_TRUE(Proche(image.pixel(120, 180), Vert_Cellule));
    EXPECT_TRUE(Proche(image.pixel(360, 180), qRgb(0xcc, 0xcc, 0x44)));
    EXPECT_FALSE(Proche(image.pixel(120, 100), Vert_Feuille));

    const QImage svg = Svg_Du_Presse_Papiers(QSize(480, 360));
    ASSERT_FALSE(svg.isNull());
    EXPECT_TRUE(Proche(svg.pixel(120, 180), Vert_Cellule));
    EXPECT_TRUE(Proche(svg.pixel(360, 180), qRgb(0xcc, 0xcc, 0x44)));
}

TEST(CopyCommand, UnreadableStatePictureCopiesNothing) {
    Banc_Portrait b;
    b.Clic_Dessin(120, 60);
    ATTEND_QUE(b.Portrait->Widget_Pic_Choix()->isVisible());
    QGuiApplication::clipboard()->setText("before");
    const Status s = Copie_Portrait::Copie(*b.Portrait, b.Parametres, "absent.wmf");
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
}

}  // namespace
}  // namespace kestrane::test
