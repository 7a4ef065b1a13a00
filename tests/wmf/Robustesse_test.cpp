// Damaged files: whatever the damage, reading and playing end, without crash or runaway memory.
#include <gtest/gtest.h>

#include <QPainter>

#include <cstdint>

#include "Fabrique_Wmf.h"
#include "Fonctions_Wmf.h"
#include "Metafichier.h"
#include "Peripherique_Wmf.h"
#include "Rendu_Wmf.h"

namespace kestrane::wmf::test {
namespace {

QByteArray Fichier_Varie() {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 100, 100).Stylo(0, 2, Qt::blue).Choisit(0).Brosse(2, Qt::red, 3).Choisit(1);
    f.Rectangle(0, 0, 50, 50).Rec(ELLIPSE, {90, 90, 10, 10}).Rec(PIE, {0, 50, 50, 100, 100, 100, 0, 0});
    f.Rec(POLYPOLYGON, {2, 3, 3, 0, 0, 10, 0, 0, 10, 50, 50, 60, 50, 50, 60});
    f.Rec(SAVEDC).Rec(INTERSECTCLIPRECT, {80, 80, 20, 20}).Rec(RESTOREDC, {1});
    f.Rec(CREATEREGION, {0, 6, 0, 0, 0, 1, 0, 0, 0, 50, 50, 2, 0, 50, 0, 50, 2}).Rec(SELECTCLIPREGION, {2});
    f.Rec(TEXTOUT, {3, 'a' | ('b' << 8), 'c', 10, 10});
    QImage im(3, 3, QImage::Format_RGB32);
    im.fill(Qt::green);
    f.Rec(STRETCHDIB, {0x0020, 0x00CC, 0, 3, 3, 0, 0, 30, 30, 5, 5}, Fabrique_Wmf::Dib(im, 8));
    f.Rec(DIBCREATEPATTERNBRUSH, {5, 0}, Fabrique_Wmf::Dib(im, 1)).Choisit(3).Rectangle(60, 60, 90, 90);
    return f.Placable(0, 0, 100, 100);
}

TEST(Robustesse, DamagedFilesAreReadAndPlayedToTheEnd) {
    const QByteArray sain = Fichier_Varie();
    uint32_t graine = 12345;
    auto hasard = [&graine] {
        graine = graine * 1664525u + 1013904223u;
        return graine >> 8;
    };
    int lisibles = 0;
    for (int essai = 0; essai < 400; ++essai) {
        QByteArray o = sain;
        const int changes = 1 + static_cast<int>(hasard() % 8);
        for (int k = 0; k < changes; ++k) {
            const int i = static_cast<int>(hasard() % static_cast<uint32_t>(o.size()));
            const uint32_t genre = hasard() % 4;  // a random byte, 0xFF, zero, or the file cut there
            if (genre == 3)
                o.truncate(i);
            else
                o[i] = static_cast<char>(genre == 0 ? hasard() : genre == 1 ? 0xFF : 0);
            if (o.isEmpty())
                break;
        }
        auto lu = Metafichier::Lit(o);
        if (!lu)
            continue;
        ++lisibles;
        const QImage im = Rendu_Wmf::Rend(lu.value(), {64, 64}, Qt::transparent);
        EXPECT_EQ(im.size(), QSize(64, 64));
    }
    EXPECT_GT(lisibles, 100);
}

TEST(Robustesse, AbsurdExtentsAndBitmapHeadersAreContained) {
    Fabrique_Wmf f;
    f.Rec(SETWINDOWEXT, {1, 1})
        .Stylo(0, 30000, Qt::black)
        .Choisit(0)
        .Rec(ELLIPSE, {32767, 32767, -32768, -32768});
    f.Rec(SETWINDOWEXT, {0, 0});  // refused: zero extent
    QByteArray dib = Fabrique_Wmf::Dib(QImage(2, 2, QImage::Format_RGB32), 24);
    dib[4] = dib[5] = dib[6] = '\x7F';  // width of some 8 million pixels, data of four
    Rapport_Lecture rapport;
    f.Rec(STRETCHDIB, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 100, 100, 0, 0}, dib);
    auto lu = Metafichier::Lit(f.Simple());
    ASSERT_TRUE(lu.ok());
    Rendu_Wmf::Rend(lu.value(), {50, 50}, Qt::white, &rapport);
    EXPECT_EQ(rapport.ignores.count({SETWINDOWEXT, "zero extent"}), 1u);
    EXPECT_EQ(rapport.ignores.count({STRETCHDIB, "bitmap unreadable"}), 1u);
}

TEST(Robustesse, RepeatedScalingCannotOverflowTheMapping) {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 100, 100).Stylo(0, 3, Qt::black).Choisit(0).Brosse(0, Qt::red).Choisit(1);
    for (int k = 0; k < 40; ++k) f.Rec(SCALEVIEWPORTEXT, {1, 1000, 1, 1000});  // × 1000 each time
    for (int k = 0; k < 40; ++k) f.Rec(SCALEWINDOWEXT, {1000, 1, 1000, 1});    // ÷ 1000 each time
    f.Rectangle(0, 0, 50, 50);
    auto lu = Metafichier::Lit(f.Simple());
    ASSERT_TRUE(lu.ok());
    Rapport_Lecture rapport;
    const QImage im = Rendu_Wmf::Rend(lu.value(), {100, 100}, Qt::white, &rapport);
    EXPECT_GT(rapport.ignores.count({SCALEVIEWPORTEXT, "extent out of range"}), 0u);
    EXPECT_GT(rapport.ignores.count({SCALEWINDOWEXT, "zero extent"}), 0u);
    EXPECT_EQ(im.size(), QSize(100, 100));
}

}  // namespace
}  // namespace kestrane::wmf::test
