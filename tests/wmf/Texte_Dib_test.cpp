// Code pages of text and the less common bitmap encodings.
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

TEST(Texte_Wmf, AnsiCharacterSetDecodesWindows1252) {
    EXPECT_EQ(Texte_Wmf::Decode(QByteArray("\x80\xE9t\xE9", 4), 0), QString::fromUtf8("€été"));
    EXPECT_EQ(Texte_Wmf::Decode(QByteArray("\xCF\xE8\xF0", 3), 204),
              QString::fromUtf8("Пир"));  // RUSSIAN_CHARSET
}

TEST(Texte_Wmf, DoubleByteCharactersKeepTheirTwoBytes) {
    // Shift-JIS: "A", then the two bytes of U+3042 (hiragana a), then "B".
    const auto c = Texte_Wmf::Decoupe(QByteArray("A\x82\xA0"
                                                 "B",
                                                 4),
                                      128);
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[1].premier_octet, 1);
    EXPECT_EQ(c[1].nb_octets, 2);
    EXPECT_EQ(c[2].premier_octet, 3);
    if (c[1].texte != QString(QChar(0x3042)))
        GTEST_SKIP() << "no Shift-JIS codec in this Qt";
}

TEST(Texte_Wmf, PositiveHeightIsTheCellNegativeTheCharacter) {
    Police_Gdi p;
    p.nom = "DejaVu Sans";
    p.hauteur = -40;
    const QFont caractere = Texte_Wmf::Police(p, 40);
    p.hauteur = 40;
    const QFont cellule = Texte_Wmf::Police(p, 40);
    EXPECT_EQ(caractere.pixelSize(), 40);
    EXPECT_LT(cellule.pixelSize(), 40);
}

TEST(Dib, CoreHeaderAndTopDownRows) {
    // 12-byte header, 2 × 2 at 24 bits, colour table none; rows bottom-up: blue red / green white.
    QByteArray o("\x0C\x00\x00\x00\x02\x00\x02\x00\x01\x00\x18\x00", 12);
    o.append(QByteArray("\xFF\x00\x00\x00\x00\xFF\x00\x00", 8));  // bottom row: blue, red, padding
    o.append(QByteArray("\x00\xFF\x00\xFF\xFF\xFF\x00\x00", 8));  // top row: green, white
    auto im = Dib::Decode(reinterpret_cast<const uint8_t*>(o.constData()), static_cast<size_t>(o.size()));
    ASSERT_TRUE(im.ok()) << im.status().message();
    EXPECT_EQ(Pixel(im.value(), 0, 0), 0x00FF00u);
    EXPECT_EQ(Pixel(im.value(), 0, 1), 0x0000FFu);
    EXPECT_EQ(Pixel(im.value(), 1, 1), 0xFF0000u);
}

TEST(Dib, Rle4AndRefusals) {
    QByteArray o;
    auto a16 = [&](int v) {
        o.append(static_cast<char>(v & 0xFF));
        o.append(static_cast<char>(v >> 8));
    };
    auto a32 = [&](uint32_t v) {
        a16(static_cast<int>(v & 0xFFFF));
        a16(static_cast<int>(v >> 16));
    };
    a32(40);
    a32(4);
    a32(1);
    a16(1);
    a16(4);
    a32(2 /* RLE4 */);
    a32(0);
    a32(0);
    a32(0);
    a32(2);
    a32(0);
    o.append(
        QByteArray("\x00\x00\xFF\x00"
                   "\xFF\x00\x00\x00",
                   8));  // 0 red, 1 blue
    o.append(
        QByteArray("\x04\x01"
                   "\x00\x01",
                   4));  // 4 pixels alternating 0,1
    auto im = Dib::Decode(reinterpret_cast<const uint8_t*>(o.constData()), static_cast<size_t>(o.size()));
    ASSERT_TRUE(im.ok()) << im.status().message();
    EXPECT_EQ(Pixel(im.value(), 0, 0), 0xFF0000u);
    EXPECT_EQ(Pixel(im.value(), 1, 0), 0x0000FFu);
    EXPECT_EQ(Pixel(im.value(), 2, 0), 0xFF0000u);

    QByteArray enorme = o;
    enorme[4] = enorme[5] = enorme[8] = enorme[9] = '\x40';  // 16448 × 16448: refused before allocating
    EXPECT_FALSE(
        Dib::Decode(reinterpret_cast<const uint8_t*>(enorme.constData()), static_cast<size_t>(enorme.size()))
            .ok());
    QByteArray profondeur = o;
    profondeur[14] = 7;
    EXPECT_FALSE(Dib::Decode(reinterpret_cast<const uint8_t*>(profondeur.constData()),
                             static_cast<size_t>(profondeur.size()))
                     .ok());
}

TEST(Dib, EncodedImagesDecodeToThemselves) {
    QImage im(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) im.setPixel(x, y, qRgb(x * 50, y * 100, 7));
    const QByteArray o = Dib::Encode(im);
    auto lu = Dib::Decode(reinterpret_cast<const uint8_t*>(o.constData()), static_cast<size_t>(o.size()));
    ASSERT_TRUE(lu.ok());
    EXPECT_EQ(lu.value(), im);
}

TEST(Joueur, MonochromeBitBltTakesTextAndBackgroundColours) {
    // BITBLT with a Bitmap16: 8 × 1, 1 bit, bytes 0x0F (four 0s then four 1s).
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 8, 1)
        .Rec(SETTEXTCOLOR, Fabrique_Wmf::Couleur(Qt::red))
        .Rec(SETBKCOLOR, Fabrique_Wmf::Couleur(Qt::blue));
    QByteArray b16("\x00\x00\x08\x00\x01\x00\x02\x00\x01\x01\x0F\x00", 12);
    f.Rec(BITBLT, {0x0020, 0x00CC, 0, 0, 1, 8, 0, 0}, b16);
    auto lu = Metafichier::Lit(f.Simple());
    ASSERT_TRUE(lu.ok());
    const QImage im = Rendu_Wmf::Rend(lu.value(), {8, 1});
    EXPECT_EQ(Pixel(im, 1, 0), 0xFF0000u);
    EXPECT_EQ(Pixel(im, 6, 0), 0x0000FFu);
}

TEST(Joueur, EscapesAreSkippedAndCounted) {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 10, 10).Rec(ESCAPE, {15, 4, 1, 2}).Rec(0x0999, {1, 2, 3});
    auto lu = Metafichier::Lit(f.Simple());
    ASSERT_TRUE(lu.ok());
    Rapport_Lecture r;
    Rendu_Wmf::Rend(lu.value(), {10, 10}, Qt::white, &r);
    EXPECT_EQ(r.ignores.count({ESCAPE, "escapes ignored"}), 1u);
    EXPECT_EQ(r.ignores.count({0x0999, "record not supported"}), 1u);
    EXPECT_EQ(r.joues[SETWINDOWEXT], 1);
}

TEST(Joueur, PositiveRestoreDcIsAnAbsoluteLevel) {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 100, 100).Stylo(5, 0, Qt::black).Choisit(0).Brosse(0, Qt::red).Choisit(1);
    f.Rec(SAVEDC)
        .Rec(INTERSECTCLIPRECT, {100, 50, 0, 0})
        .Rec(SAVEDC)
        .Rec(INTERSECTCLIPRECT, {100, 25, 0, 0})
        .Rec(SAVEDC);
    f.Rec(RESTOREDC, {2}).Rectangle(0, 0, 100, 100);  // back to the state saved second: clipped to x < 50
    auto lu = Metafichier::Lit(f.Simple());
    ASSERT_TRUE(lu.ok());
    const QImage im = Rendu_Wmf::Rend(lu.value(), {100, 100});
    EXPECT_EQ(Pixel(im, 40, 50), 0xFF0000u);
    EXPECT_EQ(Pixel(im, 60, 50), 0xFFFFFFu);
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
        for (int x = 0; x < 333; ++x) {
            differents += seul.pixel(x, y) != bandes.pixel(x, y);
        }
    // Qt clips outlines to each band, which can move a one-pixel line that crosses a band edge
    // sideways by a pixel; nothing else may differ.
    EXPECT_LE(differents, 333 * 517 / 1000) << "pixels differing between one painter and bands";
}

}  // namespace
}  // namespace kestrane::wmf::test
