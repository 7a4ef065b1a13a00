// "Copy": the clipboard receives the portrait, or the state picture while the chooser is shown, as
// a raster image and as SVG drawn from the metafiles.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>

#include "Banc_Impression.h"
#include "Banc_Portrait.h"
#include "Copie_Portrait.h"
#include "Dessin.h"
#include "Robot_Tab.h"

namespace kestrane::test {
namespace {

constexpr QRgb Vert_Cellule = 0xFF88CC88, Jaune_Cellule = 0xFFCCCC44;  // the first two states of a state picture

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

// The clipboard's raster and its SVG show `couleur` at (x, y).
void Attend_Partout(int x, int y, QRgb couleur) {
    const QImage image = Image_Du_Presse_Papiers(), svg = Svg_Du_Presse_Papiers(QSize(480, 360));
    ASSERT_EQ(image.size(), QSize(480, 360));
    ASSERT_FALSE(svg.isNull());
    EXPECT_TRUE(Couleur_Proche(image.pixel(x, y), couleur, 8)) << x << ", " << y;
    EXPECT_TRUE(Couleur_Proche(svg.pixel(x, y), couleur, 8)) << x << ", " << y << " in SVG";
}

// The portrait as shown, overlays included, in place of what the clipboard held.
TEST(CopyCommand, PortraitGoesOnTheClipboardAsImageAndSvg) {
    Banc_Portrait b;
    ASSERT_TRUE(b.Demarrage.ok()) << b.Demarrage.message();
    Robot_Tab& calques = b.Portrait->Calques();
    calques.Fixe_Nb_Dessins_Sup(1);
    calques.Charge_Dessin("Ecorce", calques.Nb_Robot() + 1, b.Parametres.Rep_Robot + "CONTRA/ecorce_x.wmf");
    ATTEND_QUE(b.Capture_Robot().pixel(240, 260) == Magenta_Contra);
    QGuiApplication::clipboard()->setText("before");
    const Status s = Copie_Portrait::Copie(*b.Portrait, b.Parametres, b.Identification->Question.Popup);
    ASSERT_TRUE(s.ok()) << s.message();
    const QMimeData* donnees = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(donnees, nullptr);
    EXPECT_FALSE(donnees->hasText());
    EXPECT_EQ(Image_Du_Presse_Papiers(), b.Capture_Robot().convertToFormat(QImage::Format_RGB32));
    // Drawn from the metafiles, not a picture of the raster.
    const QByteArray texte_svg = donnees->data(Copie_Portrait::Type_Svg);
    EXPECT_FALSE(texte_svg.contains("<image")) << texte_svg.left(2000).toStdString();
    EXPECT_TRUE(texte_svg.contains("#00a000")) << texte_svg.left(2000).toStdString();
    const std::tuple<int, int, QRgb> points[] = {
        {120, 100, Vert_Feuille}, {240, 300, Brun_Tronc}, {440, 300, Blanc}, {240, 260, Magenta_Contra}, {240, 340, Brun_Tronc}};
    for (const auto& [x, y, couleur] : points) Attend_Partout(x, y, couleur);
}

// The leaf picture is 1 x 2 cells: the first state on the left. An unreadable one copies nothing.
TEST(CopyCommand, ChooserShownCopiesTheStatePictureNotThePortrait) {
    Banc_Portrait b;
    b.Clic_Dessin(120, 100);  // the leaf: its chooser opens
    ATTEND_QUE(b.Portrait->Widget_Pic_Choix()->isVisible());
    ASSERT_EQ(b.Identification->Question.Popup, "feuille.wmf");
    const Status s = Copie_Portrait::Copie(*b.Portrait, b.Parametres, b.Identification->Question.Popup);
    ASSERT_TRUE(s.ok()) << s.message();
    Attend_Partout(120, 180, Vert_Cellule);
    Attend_Partout(360, 180, Jaune_Cellule);
    EXPECT_FALSE(Couleur_Proche(Image_Du_Presse_Papiers().pixel(120, 100), Vert_Feuille, 8));

    // A picture that leaves part of its box bare is copied on white, as the chooser shows it.
    auto marque = Dessin::Charge(b.Parametres.Rep_Robot + "CONTRA/ecorce_x.wmf");
    ASSERT_TRUE(marque.ok()) << marque.status().message();
    EXPECT_EQ(qvariant_cast<QImage>(Copie_Portrait::Donnees_Dessin(**marque, {480, 360}, 1)->imageData()).pixel(2, 2), 0xFFFFFFFFu);
    QGuiApplication::clipboard()->setText("before");
    EXPECT_FALSE(Copie_Portrait::Copie(*b.Portrait, b.Parametres, "absent.wmf").ok());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
}

}  // namespace
}  // namespace kestrane::test
