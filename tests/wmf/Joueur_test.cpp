// Hand-made metafiles, one family of records at a time, played at one logical unit per pixel
// unless a test says otherwise, and checked pixel by pixel.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include "Fabrique_Wmf.h"
#include "Fonctions_Wmf.h"
#include "Joueur_Metafichier.h"
#include "Metafichier.h"
#include "Rendu_Wmf.h"

namespace kestrane::wmf::test {
namespace {

const QRgb Blanc = 0xFFFFFF, Noir = 0x000000, Rouge = 0xFF0000, Vert = 0x00FF00, Bleu = 0x0000FF;

QImage Joue(const QByteArray& octets, QSize taille = {100, 100}, QColor fond = Qt::white,
            Rapport_Lecture* rapport = nullptr) {
    auto lu = Metafichier::Lit(octets);
    EXPECT_TRUE(lu.ok()) << lu.status().message();
    if (!lu)
        return {};
    return Rendu_Wmf::Rend(lu.value(), taille, fond, rapport);
}

// A 100 × 100 window with no outline pen and a solid brush of colour c selected (slots 0, 1).
Fabrique_Wmf Base(QColor c) {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 100, 100).Stylo(5, 0, Qt::black).Choisit(0).Brosse(0, c).Choisit(1);
    return f;
}

// A region of one scan (y 0..50) with one span (x 0..50).
Fabrique_Wmf& Region(Fabrique_Wmf& f) {
    return f.Rec(CREATEREGION, {0, 6, 0, 0, 0, 1, 0, 0, 0, 50, 50, /* scan */ 2, 0, 50, 0, 50, 2});
}

// A brush of the selected palette's entry i.
Fabrique_Wmf& Brosse_Palette(Fabrique_Wmf& f, int i) {
    return f.Rec(CREATEBRUSHINDIRECT, {0, i, 0x0100, 0});
}

struct Sonde {
    int x, y;
    QRgb couleur;
};

struct Cas_Joueur {
    const char* nom;
    QByteArray (*fichier)();
    std::vector<Sonde> sondes;
    QSize taille = {100, 100};
    QColor fond = Qt::white;
    int ignores = 0;  // records skipped; every other record of the case must be played
};

// {records, probe points} -> colours, one case per record or rule of the player.
const Cas_Joueur Cas_Joues[] = {
    {"rectangle without its right and bottom edges",
     [] { return Base(Qt::red).Rectangle(10, 10, 50, 50).Simple(); },
     {{30, 30, Rouge}, {10, 10, Rouge}, {49, 49, Rouge}, {50, 50, Blanc}, {5, 5, Blanc}}},
    {"ellipse",
     [] {
         return Base(Qt::green).Rec(ELLIPSE, {100, 100, 0, 0}).Simple();
     },
     {{50, 50, Vert}, {3, 3, Blanc}}},
    {"polygon",
     [] {
         return Base(Qt::red).Polygone({{0, 0}, {100, 0}, {0, 100}}).Simple();
     },
     {{20, 20, Rouge}, {80, 80, Blanc}}},
    {"pie whose start is its end is a whole ellipse",
     [] {
         return Base(Qt::red).Rec(PIE, {50, 100, 50, 100, 100, 100, 0, 0}).Simple();
     },
     {{20, 50, Rouge}, {80, 50, Rouge}, {50, 20, Rouge}}},
    {"pie counter-clockwise from the right to the top",
     [] {
         return Base(Qt::red).Rec(PIE, {0, 50, 50, 100, 100, 100, 0, 0}).Simple();
     },
     {{70, 30, Rouge}, {30, 30, Blanc}, {30, 70, Blanc}, {70, 70, Blanc}}},
    {"chord fills only the segment its ends cut off",
     [] {
         return Base(Qt::red).Rec(CHORD, {0, 50, 50, 100, 100, 100, 0, 0}).Simple();
     },
     {{80, 20, Rouge}, {60, 40, Blanc}, {30, 30, Blanc}}},
    {"arc is an outline, never filled",
     [] {
         Fabrique_Wmf f;
         f.Fenetre(0, 0, 100, 100).Stylo(0, 6, Qt::blue).Choisit(0).Brosse(0, Qt::red).Choisit(1);
         return f.Rec(ARC, {50, 90, 50, 90, 90, 90, 10, 10}).Simple();
     },
     {{10, 50, Bleu}, {50, 10, Bleu}, {50, 50, Blanc}, {30, 50, Blanc}}},
    {"rounded rectangle leaves its corners out",
     [] {
         return Base(Qt::red).Rec(ROUNDRECT, {40, 40, 100, 100, 0, 0}).Simple();
     },
     {{50, 50, Rouge}, {50, 2, Rouge}, {2, 50, Rouge}, {2, 2, Blanc}, {97, 97, Blanc}}},
    {"pixel",
     [] {
         return Base(Qt::red).Rec(SETPIXEL, {0, 0xFF, 40, 30}).Simple();
     },
     {{30, 40, Bleu}, {31, 40, Blanc}, {30, 41, Blanc}, {29, 39, Blanc}}},
    {"window origin offset from the one set",
     [] {
         return Base(Qt::red)
             .Rec(SETWINDOWORG, {0, 10})
             .Rec(OFFSETWINDOWORG, {20, 10})
             .Rectangle(20, 20, 30, 30)
             .Simple();
     },
     {{5, 5, Rouge}, {15, 5, Blanc}, {25, 25, Blanc}}},
    {"viewport origin",
     [] {
         return Base(Qt::red).Rec(SETVIEWPORTORG, {20, 30}).Rectangle(0, 0, 10, 10).Simple();
     },
     {{35, 25, Rouge}, {5, 5, Blanc}}},
    {"viewport origin offset from the one set",
     [] {
         return Base(Qt::red)
             .Rec(SETVIEWPORTORG, {20, 30})
             .Rec(OFFSETVIEWPORTORG, {10, 5})
             .Rectangle(0, 0, 10, 10)
             .Simple();
     },
     {{40, 35, Rouge}, {32, 22, Blanc}, {7, 12, Blanc}}},
    {"negative extent flips the picture",
     [] { return Base(Qt::red).Fenetre(0, 100, 100, -100).Rectangle(10, 10, 30, 30).Simple(); },
     {{20, 80, Rouge}, {20, 20, Blanc}}},
    {"plain file keeps its own window",
     [] { return Base(Qt::red).Fenetre(50, 50, 100, 100).Rectangle(50, 50, 100, 100).Simple(); },
     {{50, 50, Rouge}, {150, 150, Blanc}},
     {200, 200}},
    {"isotropic mode keeps units square",
     [] {
         return Base(Qt::red).Rec(SETMAPMODE, {7}).Fenetre(0, 0, 100, 100).Rectangle(0, 0, 100, 100).Simple();
     },
     {{50, 50, Rouge}, {150, 50, Blanc}},
     {200, 100}},
    {"placeable bounding box at the origin, x and y stretched apart",
     [] {
         Fabrique_Wmf f;
         f.Stylo(5, 0, Qt::black).Choisit(0).Brosse(0, Qt::red).Choisit(1).Rectangle(0, 0, 100, 200);
         return f.Placable(0, 0, 200, 200);
     },
     {{25, 40, Rouge}, {75, 25, Blanc}},
     {100, 50}},
    {"placeable bounding box elsewhere",
     [] {
         Fabrique_Wmf f;
         f.Stylo(5, 0, Qt::black).Choisit(0).Brosse(0, Qt::red).Choisit(1).Rectangle(100, 200, 200, 300);
         return f.Placable(100, 200, 300, 400);
     },
     {{25, 25, Rouge}, {75, 75, Blanc}, {49, 49, Rouge}, {51, 51, Blanc}}},
    {"clip rectangle intersected",
     [] {
         return Base(Qt::red).Rec(INTERSECTCLIPRECT, {100, 50, 0, 0}).Rectangle(0, 0, 100, 100).Simple();
     },
     {{25, 50, Rouge}, {75, 50, Blanc}}},
    {"clip rectangle excluded",
     [] {
         return Base(Qt::red).Rec(EXCLUDECLIPRECT, {60, 60, 40, 40}).Rectangle(0, 0, 100, 100).Simple();
     },
     {{50, 50, Blanc}, {20, 20, Rouge}}},
    {"clip region offset",
     [] {
         return Base(Qt::red)
             .Rec(INTERSECTCLIPRECT, {50, 50, 0, 0})
             .Rec(OFFSETCLIPRGN, {50, 50})
             .Rectangle(0, 0, 100, 100)
             .Simple();
     },
     {{25, 25, Blanc}, {75, 75, Rouge}}},
    {"region selected as the clip",
     [] {
         Fabrique_Wmf f = Base(Qt::red);
         return Region(f).Rec(SELECTCLIPREGION, {2}).Rectangle(0, 0, 100, 100).Simple();
     },
     {{25, 25, Rouge}, {75, 75, Blanc}, {25, 75, Blanc}}},
    {"region filled with the brush named",
     [] {
         Fabrique_Wmf f = Base(Qt::red).Brosse(0, Qt::blue);
         return Region(f).Rec(FILLREGION, {3, 2}).Simple();
     },
     {{25, 25, Bleu}, {49, 49, Bleu}, {75, 75, Blanc}, {50, 25, Blanc}}},
    {"region painted with the brush selected",
     [] {
         Fabrique_Wmf f = Base(Qt::red);
         return Region(f).Rec(PAINTREGION, {2}).Simple();
     },
     {{25, 25, Rouge}, {75, 75, Blanc}}},
    {"region framed inside its edges",
     [] {
         Fabrique_Wmf f = Base(Qt::red).Brosse(0, Qt::blue);
         return Region(f).Rec(FRAMEREGION, {3, 2, 5, 5}).Simple();
     },
     {{2, 25, Bleu}, {47, 25, Bleu}, {25, 2, Bleu}, {25, 25, Blanc}, {52, 25, Blanc}}},
    {"region inversion is skipped",
     [] {
         Fabrique_Wmf f = Base(Qt::red);
         return Region(f).Rec(INVERTREGION, {2}).Simple();
     },
     {{25, 25, Blanc}},
     {100, 100},
     Qt::white,
     1},
    {"palette entries created, selected, set and animated",
     [] {
         Fabrique_Wmf f = Base(Qt::red);
         const auto r = Fabrique_Wmf::Couleur(Qt::red), v = Fabrique_Wmf::Couleur(Qt::green);
         const auto b = Fabrique_Wmf::Couleur(Qt::blue), n = Fabrique_Wmf::Couleur(Qt::black);
         f.Rec(CREATEPALETTE, {0x300, 3, r[0], r[1], v[0], v[1], r[0], r[1]}).Rec(SELECTPALETTE, {2});
         f.Rec(REALIZEPALETTE);
         Brosse_Palette(f, 1).Choisit(3).Rectangle(0, 0, 30, 100);  // green
         f.Rec(SETPALENTRIES, {1, 1, b[0], b[1]});
         Brosse_Palette(f, 1).Choisit(4).Rectangle(30, 0, 60, 100);  // blue
         f.Rec(ANIMATEPALETTE, {2, 1, n[0], n[1]});
         return Brosse_Palette(f, 2).Choisit(5).Rectangle(60, 0, 100, 100).Simple();  // black
     },
     {{15, 50, Vert}, {45, 50, Bleu}, {80, 50, Noir}}},
    {"palette resized loses the entries past its size",
     [] {
         Fabrique_Wmf f = Base(Qt::red);
         const auto v = Fabrique_Wmf::Couleur(Qt::green);
         f.Rec(CREATEPALETTE, {0x300, 2, v[0], v[1], v[0], v[1]}).Rec(SELECTPALETTE, {2});
         Brosse_Palette(f, 0).Choisit(3).Rectangle(0, 0, 50, 100);
         f.Rec(RESIZEPALETTE, {1});
         return Brosse_Palette(f, 1).Choisit(4).Rectangle(50, 0, 100, 100).Simple();
     },
     {{25, 50, Vert}, {75, 50, Noir}}},
    {"save and restore give back the clip and the mapping",
     [] {
         return Base(Qt::red)
             .Rec(SAVEDC)
             .Rec(INTERSECTCLIPRECT, {100, 50, 0, 0})
             .Fenetre(0, 0, 200, 200)
             .Rec(RESTOREDC, {static_cast<uint16_t>(-1)})
             .Rectangle(50, 0, 100, 100)
             .Simple();
     },
     {{75, 50, Rouge}, {40, 50, Blanc}}},
    {"alternate fill leaves the inner square of a polypolygon empty",
     [] {
         return Base(Qt::red)
             .Rec(SETPOLYFILLMODE, {1})
             .Rec(POLYPOLYGON, {2, 4, 4, 10, 10, 90, 10, 90, 90, 10, 90, 30, 30, 70, 30, 70, 70, 30, 70})
             .Simple();
     },
     {{20, 50, Rouge}, {50, 50, Blanc}}},
    {"winding fill fills the inner square of a polypolygon",
     [] {
         return Base(Qt::red)
             .Rec(SETPOLYFILLMODE, {2})
             .Rec(POLYPOLYGON, {2, 4, 4, 10, 10, 90, 10, 90, 90, 10, 90, 30, 30, 70, 30, 70, 70, 30, 70})
             .Simple();
     },
     {{20, 50, Rouge}, {50, 50, Rouge}}},
    {"alternate fill leaves the centre of a star empty",
     [] {
         return Base(Qt::red)
             .Rec(SETPOLYFILLMODE, {1})
             .Polygone({{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}})
             .Simple();
     },
     {{50, 50, Blanc}, {50, 10, Rouge}}},
    {"winding fill fills the centre of a star",
     [] {
         return Base(Qt::red)
             .Rec(SETPOLYFILLMODE, {2})
             .Polygone({{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}})
             .Simple();
     },
     {{50, 50, Rouge}, {10, 80, Blanc}}},
    {"polygon reaching far outside fills what is visible",
     [] {
         Fabrique_Wmf f;
         f.Fenetre(0, 0, 100, 100).Stylo(0, 0, Qt::blue).Choisit(0).Brosse(0, Qt::red).Choisit(1);
         return f.Polygone({{-30000, -30000}, {30000, -30000}, {50, 50}}).Simple();
     },
     {{50, 10, Rouge}, {50, 80, Blanc}, {50, 50, Bleu}}},
    {"zero-width pen is one device pixel at any scale",
     [] {
         Fabrique_Wmf f;
         f.Fenetre(0, 0, 25, 25).Stylo(0, 0, Qt::black).Choisit(0);
         return f.Rec(MOVETO, {12, 2}).Rec(LINETO, {12, 23}).Simple();
     },
     {{50, 48, Noir}, {50, 46, Blanc}, {50, 50, Blanc}}},
    {"wide pen scales with the mapping",
     [] {
         Fabrique_Wmf f;
         f.Fenetre(0, 0, 50, 50).Stylo(0, 5, Qt::blue).Choisit(0);
         return f.Rec(MOVETO, {25, 5}).Rec(LINETO, {25, 45}).Simple();
     },
     {{50, 46, Bleu}, {50, 53, Bleu}, {50, 40, Blanc}}},
    {"centred outline spills out by half its width",
     [] {
         Fabrique_Wmf f;
         f.Fenetre(0, 0, 100, 100).Stylo(0, 10, Qt::blue).Choisit(0).Brosse(0, Qt::red).Choisit(1);
         return f.Rectangle(20, 20, 80, 80).Simple();
     },
     {{17, 50, Bleu}}},
    {"inside-frame pen keeps the outline inside the shape",
     [] {
         Fabrique_Wmf f;
         f.Fenetre(0, 0, 100, 100).Stylo(6, 10, Qt::blue).Choisit(0).Brosse(0, Qt::red).Choisit(1);
         return f.Rectangle(20, 20, 80, 80).Simple();
     },
     {{17, 50, Blanc}, {22, 50, Bleu}, {50, 50, Rouge}}},
    {"missing objects are skipped and the selected brush kept",
     [] { return Base(Qt::red).Choisit(500).Choisit(7).Rectangle(0, 0, 100, 100).Simple(); },
     {{50, 50, Rouge}},
     {100, 100},
     Qt::white,
     2},
    {"huge point count is skipped, not followed",
     [] {
         return Base(Qt::red).Rec(POLYGON, {32000, 0, 0, 100, 0}).Rectangle(0, 0, 10, 10).Simple();
     },
     {{5, 5, Rouge}},
     {100, 100},
     Qt::white,
     1},
    {"blit without bitmap paints the brush, DSTCOPY nothing, WHITENESS white",
     [] {
         // DIBSTRETCHBLT without bitmap: rop, source h, w, y, x, reserved, destination h, w, y, x.
         return Base(Qt::blue)
             .Rec(DIBSTRETCHBLT, {0x0021, 0x00F0, 0, 0, 0, 0, 0, 50, 50, 0, 0})
             .Rec(DIBSTRETCHBLT, {0x0029, 0x00AA, 0, 0, 0, 0, 0, 50, 50, 50, 50})
             .Rec(PATBLT, {0x0062, 0x00FF, 20, 20, 80, 0})
             .Simple();
     },
     {{25, 25, Bleu}, {75, 75, Rouge}, {10, 90, Blanc}},
     {100, 100},
     Qt::red},
};

TEST(Joueur, RecordsPaintWhatTheyNameAtTheProbedPoints) {
    for (const Cas_Joueur& c : Cas_Joues) {
        SCOPED_TRACE(c.nom);
        Rapport_Lecture rapport;
        const QImage im = Joue(c.fichier(), c.taille, c.fond, &rapport);
        ASSERT_EQ(im.size(), c.taille);
        for (const Sonde& s : c.sondes)
            EXPECT_EQ(Pixel(im, s.x, s.y), s.couleur) << "at " << s.x << ", " << s.y;
        EXPECT_EQ(rapport.Nb_Ignores(), c.ignores);
    }
}

TEST(Joueur, UnreadableCreateRecordStillTakesItsSlot) {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 100, 100).Stylo(5, 0, Qt::black).Choisit(0);  // pen: slot 0
    f.Brosse(0, Qt::red);                                         // slot 1
    f.Rec(CREATEREGION, {0, 6});                                  // slot 2: too short to read
    f.Brosse(0, Qt::blue);                                        // slot 3
    f.Choisit(3).Rectangle(0, 0, 50, 100);
    f.Rec(DELETEOBJECT, {1}).Brosse(0, Qt::green).Choisit(1).Rectangle(50, 0, 100, 100);  // reuses slot 1
    Rapport_Lecture rapport;
    const QImage im = Joue(f.Simple(), {100, 100}, Qt::white, &rapport);
    EXPECT_EQ(Pixel(im, 25, 50), Bleu);
    EXPECT_EQ(Pixel(im, 75, 50), Vert);
    EXPECT_EQ(rapport.joues[SELECTOBJECT], 3);
}

TEST(Joueur, OpaqueBackgroundPaintsBetweenHatchesTransparentDoesNot) {
    auto hachure = [](bool transparent) {
        Fabrique_Wmf f;
        f.Fenetre(0, 0, 100, 100)
            .Stylo(5, 0, Qt::black)
            .Choisit(0)
            .Brosse(2, Qt::black, 1 /* vertical */)
            .Choisit(1);
        if (transparent)
            f.Rec(SETBKMODE, {1});
        f.Rectangle(0, 0, 100, 100);
        return f.Simple();
    };
    auto compte = [](const QImage& im, QRgb c) {
        int n = 0;
        for (int x = 0; x < 100; ++x) n += Pixel(im, x, 50) == c;
        return n;
    };
    const QImage opaque = Joue(hachure(false), {100, 100}, Qt::red);
    const QImage transparent = Joue(hachure(true), {100, 100}, Qt::red);
    EXPECT_GT(compte(opaque, Noir), 5);
    EXPECT_EQ(compte(opaque, Rouge), 0);        // the white background hides the layer beneath
    EXPECT_GT(compte(transparent, Rouge), 50);  // the layer beneath shows between the lines
    EXPECT_GT(compte(transparent, Noir), 5);
}

int Compte_Sombres(const QImage& im, QRect zone) {
    int n = 0;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x) n += qGray(im.pixel(x, y)) < 100;
    return n;
}

// The bytes of a logical font after its five height-to-weight words: flags, then the face name.
QByteArray Police() {
    QByteArray suite(8, '\0');
    suite.append("DejaVu Sans");
    suite.append(QByteArray(32 - 11, '\0'));
    return suite;
}

TEST(Joueur, TextOutDrawsAtTheTopLeftReferenceByDefault) {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 200, 100)
        .Rec(SETBKMODE, {1})
        .Rec(CREATEFONTINDIRECT, {-30, 0, 0, 0, 700}, Police())
        .Choisit(0);
    f.Rec(TEXTOUT, {4, 'H' | ('H' << 8), 'H' | ('H' << 8), 50, 100});
    const QImage im = Joue(f.Simple(), {200, 100});
    EXPECT_GT(Compte_Sombres(im, QRect(100, 50, 100, 50)), 50);
    EXPECT_EQ(Compte_Sombres(im, QRect(0, 0, 100, 100)), 0);
    EXPECT_EQ(Compte_Sombres(im, QRect(100, 0, 100, 48)), 0);
}

TEST(Joueur, TextAlignRightBaselineEndsAtTheReference) {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 200, 100)
        .Rec(SETBKMODE, {1})
        .Rec(SETTEXTALIGN, {24 | 2})
        .Rec(CREATEFONTINDIRECT, {-30, 0, 0, 0, 700}, Police())
        .Choisit(0);
    f.Rec(TEXTOUT, {2, 'H' | ('H' << 8), 50, 100});
    const QImage im = Joue(f.Simple(), {200, 100});
    EXPECT_GT(Compte_Sombres(im, QRect(60, 25, 40, 25)), 30);
    EXPECT_EQ(Compte_Sombres(im, QRect(101, 0, 99, 100)), 0);
    EXPECT_EQ(Compte_Sombres(im, QRect(0, 52, 200, 48)), 0);
}

TEST(Joueur, OpaqueTextBackgroundHidesWhatIsBeneath) {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 200, 100).Rec(CREATEFONTINDIRECT, {-30, 0, 0, 0, 400}, Police()).Choisit(0);
    f.Rec(TEXTOUT, {2, 'i' | ('i' << 8), 20, 20});
    const QImage im = Joue(f.Simple(), {200, 100}, Qt::red);
    int blancs = 0;
    for (int x = 20; x < 40; ++x) blancs += Pixel(im, x, 25) == Blanc;
    EXPECT_GT(blancs, 3);
}

TEST(Joueur, UpdateCurrentPositionChainsTextOuts) {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 200, 100)
        .Rec(SETBKMODE, {1})
        .Rec(SETTEXTALIGN, {1})
        .Rec(CREATEFONTINDIRECT, {-30, 0, 0, 0, 700}, Police())
        .Choisit(0);
    f.Rec(MOVETO, {10, 100});
    // The coordinates of the records are ignored: each text starts where the last one ended.
    for (int k = 0; k < 4; ++k) f.Rec(TEXTOUT, {2, 'H' | ('H' << 8), 0, 0});
    const QImage im = Joue(f.Simple(), {200, 100});
    EXPECT_EQ(Compte_Sombres(im, QRect(0, 0, 100, 100)), 0);
    EXPECT_GT(Compte_Sombres(im, QRect(150, 10, 50, 40)), 30);  // the fourth pair lies far right
}

TEST(Joueur, ExtTextOutOpaqueRectangleAndClipping) {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 200, 100).Rec(SETBKMODE, {1}).Rec(SETBKCOLOR, Fabrique_Wmf::Couleur(Qt::green));
    f.Rec(CREATEFONTINDIRECT, {-40, 0, 0, 0, 700}, Police()).Choisit(0);
    // y, x, length, options (ETO_OPAQUE | ETO_CLIPPED), rectangle left, top, right, bottom, string.
    f.Rec(EXTTEXTOUT, {10, 10, 4, 6, 10, 10, 40, 30, 'W' | ('W' << 8), 'W' | ('W' << 8)});
    const QImage im = Joue(f.Simple(), {200, 100});
    EXPECT_EQ(Pixel(im, 38, 28), Vert);
    EXPECT_EQ(Compte_Sombres(im, QRect(41, 0, 159, 100)), 0);
    EXPECT_EQ(Compte_Sombres(im, QRect(0, 31, 200, 69)), 0);
    EXPECT_GT(Compte_Sombres(im, QRect(10, 10, 30, 20)), 20);
}

TEST(Joueur, ExtTextOutSpacingPlacesEachCharacter) {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 200, 100)
        .Rec(SETBKMODE, {1})
        .Rec(CREATEFONTINDIRECT, {-20, 0, 0, 0, 700}, Police())
        .Choisit(0);
    f.Rec(EXTTEXTOUT, {10, 0, 2, 0, 'I' | ('I' << 8), 150, 0});  // second I 150 units to the right
    const QImage im = Joue(f.Simple(), {200, 100});
    EXPECT_GT(Compte_Sombres(im, QRect(0, 0, 20, 100)), 10);
    EXPECT_GT(Compte_Sombres(im, QRect(150, 0, 20, 100)), 10);
    EXPECT_EQ(Compte_Sombres(im, QRect(30, 0, 110, 100)), 0);
}

TEST(Joueur, EscapementTurnsTheBaseline) {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 200, 200)
        .Rec(SETBKMODE, {1})
        .Rec(SETTEXTALIGN, {24})
        .Rec(CREATEFONTINDIRECT, {-20, 0, 900, 900, 700}, Police())
        .Choisit(0);
    f.Rec(TEXTOUT, {6, 'H' | ('H' << 8), 'H' | ('H' << 8), 'H' | ('H' << 8), 180, 100});
    const QImage im = Joue(f.Simple(), {200, 200});
    // Turned a quarter counter-clockwise, the text climbs from (100, 180) and stays left of x = 100.
    EXPECT_GT(Compte_Sombres(im, QRect(70, 100, 31, 80)), 50);
    EXPECT_EQ(Compte_Sombres(im, QRect(105, 0, 95, 200)), 0);
}

QByteArray Dib_Quatre_Couleurs(int bits) {
    QImage im(2, 2, QImage::Format_RGB32);
    im.setPixel(0, 0, qRgb(255, 0, 0));
    im.setPixel(1, 0, qRgb(0, 255, 0));
    im.setPixel(0, 1, qRgb(0, 0, 255));
    im.setPixel(1, 1, bits == 1 ? qRgb(255, 0, 0) : qRgb(0, 0, 0));
    return Fabrique_Wmf::Dib(im, bits);
}

class Bitmaps : public ::testing::TestWithParam<int> {};

TEST_P(Bitmaps, StretchDibPaintsEachDepthTheRightWayUp) {
    const int bits = GetParam();
    Fabrique_Wmf f;
    // rop, colour usage, source h, w, y, x, destination h, w, y, x.
    f.Fenetre(0, 0, 100, 100)
        .Rec(STRETCHDIB, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 100, 100, 0, 0}, Dib_Quatre_Couleurs(bits));
    const QImage im = Joue(f.Simple());
    EXPECT_EQ(Pixel(im, 25, 25), Rouge);
    if (bits == 1) {
        EXPECT_EQ(Pixel(im, 75, 25), Vert);
        return;
    }
    EXPECT_EQ(Pixel(im, 75, 25), Vert);
    EXPECT_EQ(Pixel(im, 25, 75), Bleu);
    EXPECT_EQ(Pixel(im, 75, 75), Noir);
}
INSTANTIATE_TEST_SUITE_P(Profondeurs, Bitmaps, ::testing::Values(1, 4, 8, 24, 32));

TEST(Joueur, DibStretchBltAndDibBitBlt) {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 100, 100);
    // DIBSTRETCHBLT: rop, source h, w, y, x, destination h, w, y, x.
    f.Rec(DIBSTRETCHBLT, {0x0020, 0x00CC, 2, 2, 0, 0, 50, 50, 0, 0}, Dib_Quatre_Couleurs(24));
    // DIBBITBLT: rop, source y, x, h, w, destination y, x: a 2 × 2 copy at (60, 60).
    f.Rec(DIBBITBLT, {0x0020, 0x00CC, 0, 0, 2, 2, 60, 60}, Dib_Quatre_Couleurs(24));
    const QImage im = Joue(f.Simple());
    EXPECT_EQ(Pixel(im, 10, 10), Rouge);
    EXPECT_EQ(Pixel(im, 40, 40), Noir);
    EXPECT_EQ(Pixel(im, 60, 60), Rouge);
    EXPECT_EQ(Pixel(im, 61, 61), Noir);
    EXPECT_EQ(Pixel(im, 70, 70), Blanc);
}

TEST(Joueur, Rle8BitmapIsExpanded) {
    QByteArray dib;
    auto a16 = [&](int v) {
        dib.append(static_cast<char>(v & 0xFF));
        dib.append(static_cast<char>(v >> 8));
    };
    auto a32 = [&](uint32_t v) {
        a16(static_cast<int>(v & 0xFFFF));
        a16(static_cast<int>(v >> 16));
    };
    a32(40);
    a32(4);
    a32(2);
    a16(1);
    a16(8);
    a32(1 /* RLE8 */);
    a32(0);
    a32(0);
    a32(0);
    a32(2);
    a32(0);
    dib.append(
        QByteArray("\xFF\x00\x00\x00"
                   "\x00\x00\xFF\x00",
                   8));  // index 0 blue, 1 red
    // Bottom row: 4 × index 0; end of line; top row: absolute run of 4 (1 0 1 0); end of bitmap.
    dib.append(
        QByteArray("\x04\x00"
                   "\x00\x00"
                   "\x00\x04\x01\x00\x01\x00"
                   "\x00\x01",
                   12));
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 4, 2).Rec(STRETCHDIB, {0x0020, 0x00CC, 0, 2, 4, 0, 0, 2, 4, 0, 0}, dib);
    const QImage im = Joue(f.Simple(), {4, 2});
    EXPECT_EQ(Pixel(im, 0, 0), Rouge);
    EXPECT_EQ(Pixel(im, 1, 0), Bleu);
    EXPECT_EQ(Pixel(im, 2, 0), Rouge);
    EXPECT_EQ(Pixel(im, 0, 1), Bleu);
    EXPECT_EQ(Pixel(im, 3, 1), Bleu);
}

TEST(Joueur, MaskPairKeepsTheLayerBeneathVisible) {
    // An AND mask (white around a black square) then an OR image (black around a green square).
    QImage masque(2, 2, QImage::Format_RGB32), image(2, 2, QImage::Format_RGB32);
    masque.fill(Qt::white);
    masque.setPixel(0, 0, qRgb(0, 0, 0));
    image.fill(Qt::black);
    image.setPixel(0, 0, qRgb(0, 255, 0));
    for (QColor fond : {QColor(Qt::red), QColor(Qt::transparent)}) {
        Fabrique_Wmf f;
        f.Fenetre(0, 0, 100, 100);
        f.Rec(STRETCHDIB, {0x00C6, 0x0088, 0, 2, 2, 0, 0, 100, 100, 0, 0}, Fabrique_Wmf::Dib(masque, 24));
        f.Rec(STRETCHDIB, {0x0086, 0x00EE, 0, 2, 2, 0, 0, 100, 100, 0, 0}, Fabrique_Wmf::Dib(image, 24));
        const QImage im = Joue(f.Simple(), {100, 100}, fond);
        EXPECT_EQ(Pixel(im, 25, 25), Vert);
        EXPECT_EQ(im.pixel(75, 75), fond.rgba()) << "background " << fond.name().toStdString();
    }
}

TEST(Joueur, MonochromePatternBrushDithers) {
    QImage damier(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) damier.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 16, 16).Stylo(5, 0, Qt::black).Choisit(0);
    QByteArray dib = Fabrique_Wmf::Dib(damier, 1);
    f.Rec(DIBCREATEPATTERNBRUSH, {5, 0}, dib).Choisit(1).Rectangle(0, 0, 16, 16);
    const QImage im = Joue(f.Simple(), {16, 16}, Qt::red);
    int noirs = 0, blancs = 0;
    for (int x = 0; x < 16; ++x) {
        noirs += Pixel(im, x, 5) == Noir;
        blancs += Pixel(im, x, 5) == Blanc;
    }
    EXPECT_EQ(noirs, 8);
    EXPECT_EQ(blancs, 8);
    EXPECT_NE(Pixel(im, 3, 5), Pixel(im, 4, 5));
}

TEST(Joueur, XorPenOnWhiteShowsTheComplement) {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 100, 100)
        .Stylo(0, 10, Qt::red)
        .Choisit(0)
        .Rec(SETROP2, {7})
        .Rec(MOVETO, {50, 0})
        .Rec(LINETO, {50, 100});
    for (QColor fond : {QColor(Qt::white), QColor(Qt::transparent)}) {
        const QImage im = Joue(f.Simple(), {100, 100}, fond);
        EXPECT_EQ(Pixel(im, 50, 50), 0x00FFFFu) << fond.name().toStdString();
    }
    Fabrique_Wmf nop;
    nop.Fenetre(0, 0, 100, 100)
        .Stylo(0, 10, Qt::red)
        .Choisit(0)
        .Rec(SETROP2, {11})
        .Rec(MOVETO, {50, 0})
        .Rec(LINETO, {50, 100});
    EXPECT_EQ(Pixel(Joue(nop.Simple()), 50, 50), Blanc);
}

TEST(Joueur, PlaysOntoAVectorDeviceToo) {
    auto lu = Metafichier::Lit(Base(QColor(0x12, 0x34, 0x56))
                                   .Rectangle(10, 10, 60, 60)
                                   .Rec(SETROP2, {7})
                                   .Rectangle(0, 0, 5, 5)
                                   .Simple());
    ASSERT_TRUE(lu.ok());
    QBuffer tampon;
    tampon.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&tampon);
    svg.setSize(QSize(100, 100));
    QPainter p(&svg);
    const Rapport_Lecture r = Joueur_Metafichier::Joue(lu.value(), p, QRectF(0, 0, 100, 100));
    p.end();
    EXPECT_EQ(r.Nb_Ignores(), 0);
    EXPECT_TRUE(tampon.data().contains("#123456"));
    EXPECT_TRUE(tampon.data().contains("#edcba9"));  // the XOR rectangle as it looks on white paper
}

TEST(Joueur, PaintsIntoTheTargetRectangleOfAnyPainter) {
    QImage im(200, 200, QImage::Format_RGB32);
    im.fill(Qt::white);
    auto lu = Metafichier::Lit(Base(Qt::red).Rectangle(0, 0, 100, 100).Simple());
    ASSERT_TRUE(lu.ok());
    QPainter p(&im);
    p.setPen(Qt::green);
    Joueur_Metafichier::Joue(lu.value(), p, QRectF(100, 100, 50, 50));
    EXPECT_EQ(p.pen().color(), QColor(Qt::green));  // the caller's state is given back
    p.end();
    EXPECT_EQ(Pixel(im, 125, 125), Rouge);
    EXPECT_EQ(Pixel(im, 90, 90), Blanc);
    EXPECT_EQ(Pixel(im, 160, 160), Blanc);
}

}  // namespace
}  // namespace kestrane::wmf::test
