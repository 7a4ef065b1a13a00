// Code pages of text, the less common bitmap encodings, and playing in bands on several threads.
#include <gtest/gtest.h>

#include <QPainter>

#include "Dib.h"
#include "Fabrique_Wmf.h"
#include "Fonctions_Wmf.h"
#include "Joueur_Metafichier.h"
#include "Metafichier.h"
#include "Rendu_Wmf.h"
#include "Texte_Wmf.h"

namespace kestrane::wmf::test {
namespace {

Result<QImage> Decode(const QByteArray& o) {
    return Dib::Decode(reinterpret_cast<const uint8_t*>(o.constData()), static_cast<size_t>(o.size()));
}

TEST(Texte_Wmf, AnsiCharacterSetDecodesWindows1252) {
    EXPECT_EQ(Texte_Wmf::Decode(QByteArray("\x80\xE9t\xE9", 4), 0), QString::fromUtf8("€été"));
    EXPECT_EQ(Texte_Wmf::Decode(QByteArray("\xCF\xE8\xF0", 3), 204), QString::fromUtf8("Пир"));  // Russian
}

TEST(Texte_Wmf, DoubleByteCharactersKeepTheirTwoBytes) {
    // Shift-JIS: "A", then the two bytes of U+3042 (hiragana a), then "B".
    const auto c = Texte_Wmf::Decoupe(QByteArray("A\x82\xA0" "B", 4), 128);
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(std::tuple(c[1].premier_octet, c[1].nb_octets, c[2].premier_octet), std::tuple(1, 2, 3));
    if (c[1].texte != QString(QChar(0x3042)))
        GTEST_SKIP() << "no Shift-JIS codec in this Qt";
}

TEST(Texte_Wmf, PositiveHeightIsTheCellNegativeTheCharacter) {
    Police_Gdi p;
    p.nom = "DejaVu Sans";
    p.hauteur = -40;
    const QFont caractere = Texte_Wmf::Police(p, 40);
    p.hauteur = 40;
    EXPECT_EQ(caractere.pixelSize(), 40);
    EXPECT_LT(Texte_Wmf::Police(p, 40).pixelSize(), 40);
}

TEST(Dib, CoreHeaderAndBottomUpRows) {
    // 12-byte header, 2 × 2 at 24 bits, no colour table; rows bottom-up: blue red / green white.
    QByteArray o("\x0C\x00\x00\x00\x02\x00\x02\x00\x01\x00\x18\x00", 12);
    o.append(QByteArray("\xFF\x00\x00\x00\x00\xFF\x00\x00", 8));  // bottom row: blue, red, padding
    o.append(QByteArray("\x00\xFF\x00\xFF\xFF\xFF\x00\x00", 8));  // top row: green, white
    auto im = Decode(o);
    ASSERT_TRUE(im.ok()) << im.status().message();
    EXPECT_EQ((std::vector{Pixel(*im, 0, 0), Pixel(*im, 0, 1), Pixel(*im, 1, 1)}),
              (std::vector<QRgb>{0x00FF00, 0x0000FF, 0xFF0000}));
}

TEST(Dib, Rle4AndRefusals) {
    QByteArray o = Fabrique_Wmf::Entete_Dib(4, 1, 4, 2 /* RLE4 */, {qRgb(255, 0, 0), qRgb(0, 0, 255)});
    o.append(QByteArray("\x04\x01\x00\x01", 4));  // 4 pixels alternating 0, 1; end of bitmap
    auto im = Decode(o);
    ASSERT_TRUE(im.ok()) << im.status().message();
    EXPECT_EQ((std::vector{Pixel(*im, 0, 0), Pixel(*im, 1, 0), Pixel(*im, 2, 0)}),
              (std::vector<QRgb>{0xFF0000, 0x0000FF, 0xFF0000}));

    QByteArray enorme = o;
    enorme[4] = enorme[5] = enorme[8] = enorme[9] = '\x40';  // 16448 × 16448: refused before allocating
    EXPECT_FALSE(Decode(enorme).ok());
    QByteArray profondeur = o;
    profondeur[14] = 7;
    EXPECT_FALSE(Decode(profondeur).ok());
}

TEST(Dib, EncodedImagesDecodeToThemselves) {
    QImage im(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) im.setPixel(x, y, qRgb(x * 50, y * 100, 7));
    auto lu = Decode(Dib::Encode(im));
    ASSERT_TRUE(lu.ok());
    EXPECT_EQ(lu.value(), im);
}

TEST(Rendu_Wmf, BandsOnSeveralThreadsGiveTheSamePicture) {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 300, 300).Stylo(0, 0, Qt::black).Choisit(0).Brosse(0, Qt::green).Choisit(1);
    for (int k = 0; k < 40; ++k)
        f.Rec(ELLIPSE, {20 + 7 * k, 40 + 6 * k, 3 * k, 2 * k})
            .Polygone({{k, 299 - k}, {150, 3 * k}, {299 - 2 * k, 250}});
    f.Rec(SETBKMODE, {1})
        .Rec(CREATEFONTINDIRECT, {-30, 0, 0, 0, 700},
             QByteArray(8, '\0') + QByteArray("DejaVu Sans").leftJustified(32, '\0'));
    f.Choisit(2).Rec(TEXTOUT, {4, 'O' | ('a' << 8), 'k' | ('s' << 8), 120, 20});
    auto lu = Metafichier::Lit(f.Simple());
    ASSERT_TRUE(lu.ok());
    const Metafichier& m = lu.value();
    QImage seul(333, 517, QImage::Format_RGB32), bandes(333, 517, QImage::Format_RGB32);
    seul.fill(Qt::white);
    bandes.fill(Qt::white);
    {
        QPainter p(&seul);
        Joueur_Metafichier::Joue(m, p, QRectF(0, 0, 333, 517));
        Joueur_Metafichier::Joue(m, p, QRectF(20, 20, 200, 300));
    }
    Rendu_Wmf::Peint_Couches(bandes, {&m, &m}, QRectF(0, 0, 333, 517));
    // The second layer is the same file in another frame, laid by a second call.
    Rendu_Wmf::Peint_Couches(bandes, {&m}, QRectF(20, 20, 200, 300));
    int differents = 0;
    for (int y = 0; y < 517; ++y)
        for (int x = 0; x < 333; ++x) differents += seul.pixel(x, y) != bandes.pixel(x, y);
    // Qt clips outlines to each band, which can move a one-pixel line that crosses a band edge
    // sideways by a pixel; nothing else may differ.
    EXPECT_LE(differents, 333 * 517 / 1000) << "pixels differing between one painter and bands";
}

}  // namespace
}  // namespace kestrane::wmf::test
