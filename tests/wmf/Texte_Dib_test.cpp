// Code pages and heights of text; bitmaps the player's table cannot show (round trips, sizes
// refused before anything is allocated).
#include <gtest/gtest.h>

#include "Dib.h"
#include "Fabrique_Wmf.h"
#include "Texte_Wmf.h"

namespace kestrane::wmf::test {
namespace {

TEST(Texte_Wmf, AnsiCharacterSetDecodesWindows1252) {
    EXPECT_EQ(Texte_Wmf::Decode(QByteArray("\x80\xE9t\xE9", 4), 0), QString::fromUtf8("€été"));
    EXPECT_EQ(Texte_Wmf::Decode(QByteArray("\xCF\xE8\xF0", 3), 204), QString::fromUtf8("Пир"));  // Russian
}

TEST(Texte_Wmf, DoubleByteCharactersKeepTheirTwoBytes) {
    // Shift-JIS: "A", then the two bytes of U+3042 (hiragana a), then "B".
    const auto c = Texte_Wmf::Decoupe(QByteArray("A\x82\xA0", 3) + 'B', 128);
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

Result<QImage> Decode(const QByteArray& o) {
    return Dib::Decode(reinterpret_cast<const uint8_t*>(o.constData()), static_cast<size_t>(o.size()));
}

TEST(Dib, EncodedImagesDecodeToThemselvesAndHugeOnesAreRefused) {
    QImage im(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) im.setPixel(x, y, qRgb(x * 50, y * 100, 7));
    auto lu = Decode(Dib::Encode(im));
    ASSERT_TRUE(lu.ok());
    EXPECT_EQ(lu.value(), im);
    // 16448 × 16448 run-length pixels: refused before allocating.
    QByteArray enorme =
        Fabrique_Wmf::Entete_Dib(4, 1, 4, 2, {qRgb(255, 0, 0)}) + QByteArray("\x04\x01\x00\x01", 4);
    enorme[4] = enorme[5] = enorme[8] = enorme[9] = '\x40';
    EXPECT_FALSE(Decode(enorme).ok());
}

}  // namespace
}  // namespace kestrane::wmf::test
