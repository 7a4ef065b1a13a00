// Hand-made metafiles, one record or rule of the player per case, played at one logical unit per
// pixel unless a case says otherwise, and checked at probe points and in zones of ink.
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

// Colours with their alpha: a transparent canvas must stay transparent where nothing is drawn.
const QRgb Blanc = 0xFFFFFFFF, Noir = 0xFF000000, Rouge = 0xFFFF0000, Vert = 0xFF00FF00, Bleu = 0xFF0000FF,
           Transparent = 0;
const int HH = 'H' | ('H' << 8);

QImage Joue(const QByteArray& octets, QSize taille = {100, 100}, QColor fond = Qt::white,
            Rapport_Lecture* rapport = nullptr) {
    auto lu = Metafichier::Lit(octets);
    EXPECT_TRUE(lu.ok()) << lu.status().message();
    return lu ? Rendu_Wmf::Rend(lu.value(), taille, fond, rapport) : QImage();
}

// A 100 × 100 window, a pen (none unless given) and a solid brush of colour c selected (slots 0, 1).
Fabrique_Wmf Base_Stylo(QColor c, int style, int largeur, QColor stylo) {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 100, 100).Stylo(style, largeur, stylo).Choisit(0).Brosse(0, c).Choisit(1);
    return f;
}
Fabrique_Wmf Base(QColor c) {
    return Base_Stylo(c, 5, 0, Qt::black);
}
Fabrique_Wmf Sans_Fenetre(QColor c) {
    Fabrique_Wmf f;
    f.Stylo(5, 0, Qt::black).Choisit(0).Brosse(0, c).Choisit(1);
    return f;
}

// A region of one scan (y 0..50) with one span (x 0..50).
Fabrique_Wmf Region(Fabrique_Wmf f) {
    f.Rec(CREATEREGION, {0, 6, 0, 0, 0, 1, 0, 0, 0, 50, 50, /* scan */ 2, 0, 50, 0, 50, 2});
    return f;
}

// A brush of the selected palette's entry i.
Fabrique_Wmf& Brosse_Palette(Fabrique_Wmf& f, int i) {
    return f.Rec(CREATEBRUSHINDIRECT, {0, i, 0x0100, 0});
}

// A 200-unit-wide window, transparent text background and a bold font of the given height.
Fabrique_Wmf Ecriture(int hauteur, int echappement = 0, int cote = 100) {
    QByteArray police(8, '\0');  // the bytes after the five height-to-weight words
    police.append(QByteArray("DejaVu Sans").leftJustified(32, '\0'));
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 200, cote).Rec(SETBKMODE, {1});
    f.Rec(CREATEFONTINDIRECT, {-hauteur, 0, echappement, echappement, 700}, police).Choisit(0);
    return f;
}

// A 2 × 2 picture stretched over the 100 × 100 window: red, green / blue, black (at 1 bit: red,
// green / green, red).
QByteArray Etire(int bits) {
    QImage im(2, 2, QImage::Format_RGB32);
    im.setPixel(0, 0, qRgb(255, 0, 0));
    im.setPixel(1, 0, qRgb(0, 255, 0));
    im.setPixel(0, 1, bits == 1 ? qRgb(0, 255, 0) : qRgb(0, 0, 255));
    im.setPixel(1, 1, bits == 1 ? qRgb(255, 0, 0) : qRgb(0, 0, 0));
    Fabrique_Wmf f;
    // rop, colour usage, source h, w, y, x, destination h, w, y, x.
    f.Fenetre(0, 0, 100, 100)
        .Rec(STRETCHDIB, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 100, 100, 0, 0}, Fabrique_Wmf::Dib(im, bits));
    return f.Simple();
}

// An AND mask (white around a black square) then an OR image (black around a green square).
QByteArray Masque_Et_Image() {
    QImage masque(2, 2, QImage::Format_RGB32), image(2, 2, QImage::Format_RGB32);
    masque.fill(Qt::white);
    masque.setPixel(0, 0, qRgb(0, 0, 0));
    image.fill(Qt::black);
    image.setPixel(0, 0, qRgb(0, 255, 0));
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 100, 100);
    f.Rec(STRETCHDIB, {0x00C6, 0x0088, 0, 2, 2, 0, 0, 100, 100, 0, 0}, Fabrique_Wmf::Dib(masque, 24));
    f.Rec(STRETCHDIB, {0x0086, 0x00EE, 0, 2, 2, 0, 0, 100, 100, 0, 0}, Fabrique_Wmf::Dib(image, 24));
    return f.Simple();
}

// A thick red line down the middle drawn with raster operation rop2.
QByteArray Ligne_Rop(int rop2) {
    Fabrique_Wmf f;
    f.Fenetre(0, 0, 100, 100).Stylo(0, 10, Qt::red).Choisit(0).Rec(SETROP2, {rop2});
    return f.Rec(MOVETO, {50, 0}).Rec(LINETO, {50, 100}).Simple();
}

struct Sonde {
    int x, y;
    QRgb couleur;
};

// A zone where the dark pixels number more than `plus_de`, or none at all when it is 0.
struct Zone {
    QRect rect;
    int plus_de;
};

struct Cas_Joueur {
    const char* nom;
    QByteArray (*fichier)();
    std::vector<Sonde> sondes;
    std::vector<Zone> zones = {};
    QSize taille = {100, 100};
    QColor fond = Qt::white;
    int ignores = 0;  // records skipped; every other record of the case must be played
};

const std::vector<Sonde> Quatre_Couleurs{{25, 25, Rouge}, {75, 25, Vert}, {25, 75, Bleu}, {75, 75, Noir}};
const std::vector<int> Deux_Carres{2, 4, 4, 10, 10, 90, 10, 90, 90, 10, 90, 30, 30, 70, 30, 70, 70, 30, 70};
const std::vector<QPoint> Etoile{{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};

// {records, probe points, zones} -> colours and ink.
// clang-format off
const Cas_Joueur Cas_Joues[] = {
    {"rectangle without its right and bottom edges", [] { return Base(Qt::red).Rectangle(10, 10, 50, 50).Simple(); },
     {{30, 30, Rouge}, {10, 10, Rouge}, {49, 49, Rouge}, {50, 50, Blanc}, {5, 5, Blanc}}},
    {"ellipse", [] { return Base(Qt::green).Rec(ELLIPSE, {100, 100, 0, 0}).Simple(); }, {{50, 50, Vert}, {3, 3, Blanc}}},
    {"polygon", [] { return Base(Qt::red).Polygone({{0, 0}, {100, 0}, {0, 100}}).Simple(); },
     {{20, 20, Rouge}, {80, 80, Blanc}}},
    {"pie whose start is its end is a whole ellipse",
     [] { return Base(Qt::red).Rec(PIE, {50, 100, 50, 100, 100, 100, 0, 0}).Simple(); },
     {{20, 50, Rouge}, {80, 50, Rouge}, {50, 20, Rouge}}},
    {"pie counter-clockwise from the right to the top",
     [] { return Base(Qt::red).Rec(PIE, {0, 50, 50, 100, 100, 100, 0, 0}).Simple(); },
     {{70, 30, Rouge}, {30, 30, Blanc}, {30, 70, Blanc}, {70, 70, Blanc}}},
    {"chord fills only the segment its ends cut off",
     [] { return Base(Qt::red).Rec(CHORD, {0, 50, 50, 100, 100, 100, 0, 0}).Simple(); },
     {{80, 20, Rouge}, {60, 40, Blanc}, {30, 30, Blanc}}},
    {"arc is an outline, never filled",
     [] { return Base_Stylo(Qt::red, 0, 6, Qt::blue).Rec(ARC, {50, 90, 50, 90, 90, 90, 10, 10}).Simple(); },
     {{10, 50, Bleu}, {50, 10, Bleu}, {50, 50, Blanc}, {30, 50, Blanc}}},
    {"rounded rectangle leaves its corners out", [] { return Base(Qt::red).Rec(ROUNDRECT, {40, 40, 100, 100, 0, 0}).Simple(); },
     {{50, 50, Rouge}, {50, 2, Rouge}, {2, 50, Rouge}, {2, 2, Blanc}, {97, 97, Blanc}}},
    {"pixel", [] { return Base(Qt::red).Rec(SETPIXEL, {0, 0xFF, 40, 30}).Simple(); },
     {{30, 40, Bleu}, {31, 40, Blanc}, {30, 41, Blanc}, {29, 39, Blanc}}},
    {"window origin offset from the one set",
     [] { return Base(Qt::red).Rec(SETWINDOWORG, {0, 10}).Rec(OFFSETWINDOWORG, {20, 10}).Rectangle(20, 20, 30, 30).Simple(); },
     {{5, 5, Rouge}, {15, 5, Blanc}, {25, 25, Blanc}}},
    {"viewport origin", [] { return Base(Qt::red).Rec(SETVIEWPORTORG, {20, 30}).Rectangle(0, 0, 10, 10).Simple(); },
     {{35, 25, Rouge}, {5, 5, Blanc}}},
    {"viewport origin offset from the one set",
     [] { return Base(Qt::red).Rec(SETVIEWPORTORG, {20, 30}).Rec(OFFSETVIEWPORTORG, {10, 5}).Rectangle(0, 0, 10, 10).Simple(); },
     {{40, 35, Rouge}, {32, 22, Blanc}, {7, 12, Blanc}}},
    {"negative extent flips the picture",
     [] { return Base(Qt::red).Fenetre(0, 100, 100, -100).Rectangle(10, 10, 30, 30).Simple(); },
     {{20, 80, Rouge}, {20, 20, Blanc}}},
    {"plain file keeps its own window",
     [] { return Base(Qt::red).Fenetre(50, 50, 100, 100).Rectangle(50, 50, 100, 100).Simple(); },
     {{50, 50, Rouge}, {150, 150, Blanc}}, {}, {200, 200}},
    {"isotropic mode keeps units square",
     [] { return Base(Qt::red).Rec(SETMAPMODE, {7}).Fenetre(0, 0, 100, 100).Rectangle(0, 0, 100, 100).Simple(); },
     {{50, 50, Rouge}, {150, 50, Blanc}}, {}, {200, 100}},
    // No window record in the placeable files: the bounding box alone maps the picture.
    {"placeable bounding box at the origin, x and y stretched apart",
     [] { return Sans_Fenetre(Qt::red).Rectangle(0, 0, 100, 200).Placable(0, 0, 200, 200); },
     {{25, 40, Rouge}, {75, 25, Blanc}}, {}, {100, 50}},
    {"placeable bounding box elsewhere",
     [] { return Sans_Fenetre(Qt::red).Rectangle(100, 200, 200, 300).Placable(100, 200, 300, 400); },
     {{25, 25, Rouge}, {75, 75, Blanc}, {49, 49, Rouge}, {51, 51, Blanc}}},
    {"clip rectangle intersected",
     [] { return Base(Qt::red).Rec(INTERSECTCLIPRECT, {100, 50, 0, 0}).Rectangle(0, 0, 100, 100).Simple(); },
     {{25, 50, Rouge}, {75, 50, Blanc}}},
    {"clip rectangle excluded",
     [] { return Base(Qt::red).Rec(EXCLUDECLIPRECT, {60, 60, 40, 40}).Rectangle(0, 0, 100, 100).Simple(); },
     {{50, 50, Blanc}, {20, 20, Rouge}}},
    {"clip region offset",
     [] { return Base(Qt::red).Rec(INTERSECTCLIPRECT, {50, 50, 0, 0}).Rec(OFFSETCLIPRGN, {50, 50}).Rectangle(0, 0, 100, 100).Simple(); },
     {{25, 25, Blanc}, {75, 75, Rouge}}},
    {"region selected as the clip",
     [] { return Region(Base(Qt::red)).Rec(SELECTCLIPREGION, {2}).Rectangle(0, 0, 100, 100).Simple(); },
     {{25, 25, Rouge}, {75, 75, Blanc}, {25, 75, Blanc}}},
    {"region filled with the brush named", [] { return Region(Base(Qt::red).Brosse(0, Qt::blue)).Rec(FILLREGION, {3, 2}).Simple(); },
     {{25, 25, Bleu}, {49, 49, Bleu}, {75, 75, Blanc}, {50, 25, Blanc}}},
    {"region painted with the brush selected", [] { return Region(Base(Qt::red)).Rec(PAINTREGION, {2}).Simple(); },
     {{25, 25, Rouge}, {75, 75, Blanc}}},
    {"region framed inside its edges", [] { return Region(Base(Qt::red).Brosse(0, Qt::blue)).Rec(FRAMEREGION, {3, 2, 5, 5}).Simple(); },
     {{2, 25, Bleu}, {47, 25, Bleu}, {25, 2, Bleu}, {25, 25, Blanc}, {52, 25, Blanc}}},
    {"region inversion is skipped", [] { return Region(Base(Qt::red)).Rec(INVERTREGION, {2}).Simple(); },
     {{25, 25, Blanc}}, {}, {100, 100}, Qt::white, 1},
    {"palette entries created, selected, set and animated",
     [] {
         Fabrique_Wmf f = Base(Qt::red);
         const auto r = Fabrique_Wmf::Couleur(Qt::red), v = Fabrique_Wmf::Couleur(Qt::green);
         const auto b = Fabrique_Wmf::Couleur(Qt::blue), n = Fabrique_Wmf::Couleur(Qt::black);
         f.Rec(CREATEPALETTE, {0x300, 3, r[0], r[1], v[0], v[1], r[0], r[1]}).Rec(SELECTPALETTE, {2}).Rec(REALIZEPALETTE);
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
         Brosse_Palette(f, 0).Choisit(3).Rectangle(0, 0, 50, 100).Rec(RESIZEPALETTE, {1});
         return Brosse_Palette(f, 1).Choisit(4).Rectangle(50, 0, 100, 100).Simple();
     },
     {{25, 50, Vert}, {75, 50, Noir}}},
    {"save and restore give back the clip and the mapping",
     [] { return Base(Qt::red).Rec(SAVEDC).Rec(INTERSECTCLIPRECT, {100, 50, 0, 0}).Fenetre(0, 0, 200, 200)
             .Rec(RESTOREDC, {static_cast<uint16_t>(-1)}).Rectangle(50, 0, 100, 100).Simple(); },
     {{75, 50, Rouge}, {40, 50, Blanc}}},
    {"positive restore level is absolute: back to the second state saved, clipped to x < 50",
     [] { return Base(Qt::red).Rec(SAVEDC).Rec(INTERSECTCLIPRECT, {100, 50, 0, 0}).Rec(SAVEDC)
             .Rec(INTERSECTCLIPRECT, {100, 25, 0, 0})
             .Rec(SAVEDC).Rec(RESTOREDC, {2}).Rectangle(0, 0, 100, 100).Simple(); },
     {{40, 50, Rouge}, {60, 50, Blanc}}},
    {"alternate fill leaves the inner square of a polypolygon empty",
     [] { return Base(Qt::red).Rec(SETPOLYFILLMODE, {1}).Rec(POLYPOLYGON, Deux_Carres).Simple(); }, {{20, 50, Rouge}, {50, 50, Blanc}}},
    {"winding fill fills the inner square of a polypolygon",
     [] { return Base(Qt::red).Rec(SETPOLYFILLMODE, {2}).Rec(POLYPOLYGON, Deux_Carres).Simple(); }, {{20, 50, Rouge}, {50, 50, Rouge}}},
    {"alternate fill leaves the centre of a star empty",
     [] { return Base(Qt::red).Rec(SETPOLYFILLMODE, {1}).Polygone(Etoile).Simple(); }, {{50, 50, Blanc}, {50, 10, Rouge}}},
    {"winding fill fills the centre of a star",
     [] { return Base(Qt::red).Rec(SETPOLYFILLMODE, {2}).Polygone(Etoile).Simple(); }, {{50, 50, Rouge}, {10, 80, Blanc}}},
    {"polygon reaching far outside fills what is visible",
     [] { return Base_Stylo(Qt::red, 0, 0, Qt::blue).Polygone({{-30000, -30000}, {30000, -30000}, {50, 50}}).Simple(); },
     {{50, 10, Rouge}, {50, 80, Blanc}, {50, 50, Bleu}}},
    {"zero-width pen is one device pixel at any scale",
     [] { return Fabrique_Wmf().Fenetre(0, 0, 25, 25).Stylo(0, 0, Qt::black).Choisit(0).Rec(MOVETO, {12, 2}).Rec(LINETO, {12, 23}).Simple(); },
     {{50, 48, Noir}, {50, 46, Blanc}, {50, 50, Blanc}}},
    {"wide pen scales with the mapping",
     [] { return Fabrique_Wmf().Fenetre(0, 0, 50, 50).Stylo(0, 5, Qt::blue).Choisit(0).Rec(MOVETO, {25, 5}).Rec(LINETO, {25, 45}).Simple(); },
     {{50, 46, Bleu}, {50, 53, Bleu}, {50, 40, Blanc}}},
    {"centred outline spills out by half its width",
     [] { return Base_Stylo(Qt::red, 0, 10, Qt::blue).Rectangle(20, 20, 80, 80).Simple(); }, {{17, 50, Bleu}}},
    {"inside-frame pen keeps the outline inside the shape",
     [] { return Base_Stylo(Qt::red, 6, 10, Qt::blue).Rectangle(20, 20, 80, 80).Simple(); },
     {{17, 50, Blanc}, {22, 50, Bleu}, {50, 50, Rouge}}},
    {"XOR pen on white shows the complement", [] { return Ligne_Rop(7); }, {{50, 50, 0xFF00FFFF}}},
    {"XOR pen on a transparent canvas looks as on white paper", [] { return Ligne_Rop(7); },
     {{50, 50, 0xFF00FFFF}, {10, 10, Transparent}}, {}, {100, 100}, Qt::transparent},
    {"NOP pen draws nothing", [] { return Ligne_Rop(11); }, {{50, 50, Blanc}}},
    {"missing objects are skipped and the selected brush kept",
     [] { return Base(Qt::red).Choisit(500).Choisit(7).Rectangle(0, 0, 100, 100).Simple(); },
     {{50, 50, Rouge}}, {}, {100, 100}, Qt::white, 2},
    {"unreadable create record still takes its slot, a deleted slot is reused",
     [] {
         Fabrique_Wmf f = Base(Qt::red);                                       // pen 0, red brush 1
         f.Rec(CREATEREGION, {0, 6}).Brosse(0, Qt::blue);                      // 2: too short to read; 3
         f.Choisit(3).Rectangle(0, 0, 50, 100);
         f.Rec(DELETEOBJECT, {1}).Brosse(0, Qt::green).Choisit(1);             // the green brush takes slot 1
         return f.Rectangle(50, 0, 100, 100).Simple();
     },
     {{25, 50, Bleu}, {75, 50, Vert}}},
    {"huge point count is skipped, not followed",
     [] { return Base(Qt::red).Rec(POLYGON, {32000, 0, 0, 100, 0}).Rectangle(0, 0, 10, 10).Simple(); },
     {{5, 5, Rouge}}, {}, {100, 100}, Qt::white, 1},
    {"escapes and unknown records are skipped and counted",
     [] { return Base(Qt::red).Rec(ESCAPE, {15, 4, 1, 2}).Rec(0x0999, {1, 2}).Rectangle(0, 0, 10, 10).Simple(); },
     {{5, 5, Rouge}}, {}, {100, 100}, Qt::white, 2},
    {"absurd extent, pen and bitmap header are contained; a zero extent is refused",
     [] {
         QByteArray dib = Fabrique_Wmf::Dib(QImage(2, 2, QImage::Format_RGB32), 24);
         dib[4] = dib[5] = dib[6] = '\x7F';  // width of some 8 million pixels, data of four
         Fabrique_Wmf f;
         f.Rec(SETWINDOWEXT, {1, 1}).Stylo(0, 30000, Qt::black).Choisit(0).Rec(ELLIPSE, {32767, 32767, -32768, -32768});
         return f.Rec(SETWINDOWEXT, {0, 0}).Rec(STRETCHDIB, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 100, 100, 0, 0}, dib).Simple();
     },
     {}, {}, {50, 50}, Qt::white, 2},
    {"scaling the viewport up and the window down, forty times each, cannot overflow the mapping",
     [] {
         Fabrique_Wmf f = Base(Qt::red);
         for (int k = 0; k < 40; ++k) f.Rec(SCALEVIEWPORTEXT, {1, 1000, 1, 1000});  // × 1000 each time
         for (int k = 0; k < 40; ++k) f.Rec(SCALEWINDOWEXT, {1000, 1, 1000, 1});    // ÷ 1000 each time
         return f.Rectangle(0, 0, 50, 50).Simple();
     },
     {}, {}, {100, 100}, Qt::white, 78},  // 78 of the 80 scalings are refused
    // DIBSTRETCHBLT without bitmap: rop, source h, w, y, x, reserved, destination h, w, y, x.
    {"blit without bitmap paints the brush, DSTCOPY nothing, WHITENESS white",
     [] { return Base(Qt::blue).Rec(DIBSTRETCHBLT, {0x0021, 0x00F0, 0, 0, 0, 0, 0, 50, 50, 0, 0})
             .Rec(DIBSTRETCHBLT, {0x0029, 0x00AA, 0, 0, 0, 0, 0, 50, 50, 50, 50})
             .Rec(PATBLT, {0x0062, 0x00FF, 20, 20, 80, 0}).Simple(); },
     {{25, 25, Bleu}, {75, 75, Rouge}, {10, 90, Blanc}}, {}, {100, 100}, Qt::red},
    {"1-bit DIB the right way up", [] { return Etire(1); }, {{25, 25, Rouge}, {75, 25, Vert}, {25, 75, Vert}, {75, 75, Rouge}}},
    {"4-bit DIB", [] { return Etire(4); }, Quatre_Couleurs},
    {"8-bit DIB", [] { return Etire(8); }, Quatre_Couleurs},
    {"24-bit DIB", [] { return Etire(24); }, Quatre_Couleurs},
    {"32-bit DIB", [] { return Etire(32); }, Quatre_Couleurs},
    // DIBSTRETCHBLT: rop, source h, w, y, x, destination h, w, y, x; DIBBITBLT: rop, source y, x, h, w, destination y, x.
    {"DIB stretched by DIBSTRETCHBLT, copied 2 × 2 at (60, 60) by DIBBITBLT",
     [] {
         QImage im(2, 2, QImage::Format_RGB32);
         im.fill(Qt::black);
         im.setPixel(0, 0, qRgb(255, 0, 0));
         const QByteArray dib = Fabrique_Wmf::Dib(im, 24);
         return Fabrique_Wmf().Fenetre(0, 0, 100, 100).Rec(DIBSTRETCHBLT, {0x0020, 0x00CC, 2, 2, 0, 0, 50, 50, 0, 0}, dib)
             .Rec(DIBBITBLT, {0x0020, 0x00CC, 0, 0, 2, 2, 60, 60}, dib).Simple();
     },
     {{10, 10, Rouge}, {40, 40, Noir}, {60, 60, Rouge}, {61, 61, Noir}, {70, 70, Blanc}}},
    {"run-length DIB of 8 bits",
     [] {
         QByteArray dib = Fabrique_Wmf::Entete_Dib(4, 2, 8, 1 /* RLE8 */, {qRgb(0, 0, 255), qRgb(255, 0, 0)});
         // Bottom row: 4 × index 0; end of line; top row: absolute run of 4 (1 0 1 0); end of bitmap.
         dib.append(QByteArray("\x04\x00\x00\x00\x00\x04\x01\x00\x01\x00\x00\x01", 12));
         return Fabrique_Wmf().Fenetre(0, 0, 4, 2).Rec(STRETCHDIB, {0x0020, 0x00CC, 0, 2, 4, 0, 0, 2, 4, 0, 0}, dib).Simple();
     },
     {{0, 0, Rouge}, {1, 0, Bleu}, {2, 0, Rouge}, {0, 1, Bleu}, {3, 1, Bleu}}, {}, {4, 2}},
    // BITBLT of a Bitmap16: 8 × 1, 1 bit, byte 0x0F (four 0s then four 1s).
    {"monochrome bitmap takes the text colour for 0 and the background colour for 1",
     [] { return Fabrique_Wmf().Fenetre(0, 0, 8, 1).Rec(SETTEXTCOLOR, Fabrique_Wmf::Couleur(Qt::red))
             .Rec(SETBKCOLOR, Fabrique_Wmf::Couleur(Qt::blue))
             .Rec(BITBLT, {0x0020, 0x00CC, 0, 0, 1, 8, 0, 0},
                  QByteArray("\x00\x00\x08\x00\x01\x00\x02\x00\x01\x01\x0F\x00", 12)).Simple(); },
     {{1, 0, Rouge}, {6, 0, Bleu}}, {}, {8, 1}},
    {"mask pair keeps the layer beneath visible", Masque_Et_Image, {{25, 25, Vert}, {75, 75, Rouge}}, {}, {100, 100}, Qt::red},
    {"mask pair keeps a transparent canvas transparent", Masque_Et_Image,
     {{25, 25, Vert}, {75, 75, Transparent}}, {}, {100, 100}, Qt::transparent},
    {"monochrome pattern brush dithers pixel by pixel",
     [] {
         QImage damier(8, 8, QImage::Format_RGB32);
         for (int y = 0; y < 8; ++y)
             for (int x = 0; x < 8; ++x) damier.setPixel(x, y, (x + y) % 2 ? 0xFFFFFFFF : 0xFF000000);
         return Fabrique_Wmf().Fenetre(0, 0, 16, 16).Stylo(5, 0, Qt::black).Choisit(0)
             .Rec(DIBCREATEPATTERNBRUSH, {5, 0}, Fabrique_Wmf::Dib(damier, 1)).Choisit(1).Rectangle(0, 0, 16, 16).Simple();
     },
     {{3, 5, Noir}, {4, 5, Blanc}, {12, 6, Noir}, {15, 15, Noir}}, {}, {16, 16}, Qt::red},
    {"text out draws at the top-left reference by default", [] { return Ecriture(30).Rec(TEXTOUT, {4, HH, HH, 50, 100}).Simple(); },
     {}, {{QRect(100, 50, 100, 50), 50}, {QRect(0, 0, 100, 100), 0}, {QRect(100, 0, 100, 48), 0}}, {200, 100}},
    {"right baseline alignment ends the text at the reference",
     [] { return Ecriture(30).Rec(SETTEXTALIGN, {24 | 2}).Rec(TEXTOUT, {2, HH, 50, 100}).Simple(); },
     {}, {{QRect(60, 25, 40, 25), 30}, {QRect(101, 0, 99, 100), 0}, {QRect(0, 52, 200, 48), 0}}, {200, 100}},
    {"opaque background mode fills the text's cell",
     [] { return Ecriture(30).Rec(SETBKMODE, {2}).Rec(TEXTOUT, {2, 'i' | ('i' << 8), 20, 20}).Simple(); },
     {{21, 21, Blanc}, {100, 80, Rouge}}, {}, {200, 100}, Qt::red},
    {"updating the current position chains text outs, whatever their coordinates",
     [] {
         Fabrique_Wmf f = Ecriture(30);
         f.Rec(SETTEXTALIGN, {1}).Rec(MOVETO, {10, 100});
         for (int k = 0; k < 4; ++k) f.Rec(TEXTOUT, {2, HH, 0, 0});
         return f.Simple();
     },
     {}, {{QRect(0, 0, 100, 100), 0}, {QRect(150, 10, 50, 40), 30}}, {200, 100}},
    // y, x, length, options (ETO_OPAQUE | ETO_CLIPPED), rectangle left, top, right, bottom, string.
    {"opaque and clipping rectangle of an extended text out",
     [] { return Ecriture(40).Rec(SETBKCOLOR, Fabrique_Wmf::Couleur(Qt::green))
             .Rec(EXTTEXTOUT, {10, 10, 4, 6, 10, 10, 40, 30, 'W' | ('W' << 8), 'W' | ('W' << 8)}).Simple(); },
     {{38, 28, Vert}}, {{QRect(41, 0, 159, 100), 0}, {QRect(0, 31, 200, 69), 0}, {QRect(10, 10, 30, 20), 20}}, {200, 100}},
    {"spacing of an extended text out places each character (the second 150 units right)",
     [] { return Ecriture(20).Rec(EXTTEXTOUT, {10, 0, 2, 0, 'I' | ('I' << 8), 150, 0}).Simple(); },
     {}, {{QRect(0, 0, 20, 100), 10}, {QRect(150, 0, 20, 100), 10}, {QRect(30, 0, 110, 100), 0}}, {200, 100}},
    {"escapement turns the baseline a quarter: the text climbs from (100, 180) left of x = 100",
     [] { return Ecriture(20, 900, 200).Rec(SETTEXTALIGN, {24}).Rec(TEXTOUT, {6, HH, HH, HH, 180, 100}).Simple(); },
     {}, {{QRect(70, 100, 31, 80), 50}, {QRect(105, 0, 95, 200), 0}}, {200, 200}},
};
// clang-format on

int Compte_Sombres(const QImage& im, QRect zone) {
    int n = 0;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x) n += qGray(im.pixel(x, y)) < 100;
    return n;
}

TEST(Joueur, RecordsPaintWhatTheyNameAtTheProbedPoints) {
    for (const Cas_Joueur& c : Cas_Joues) {
        SCOPED_TRACE(c.nom);
        Rapport_Lecture rapport;
        const QImage im = Joue(c.fichier(), c.taille, c.fond, &rapport);
        ASSERT_EQ(im.size(), c.taille);
        for (const Sonde& s : c.sondes)
            EXPECT_EQ(im.pixel(s.x, s.y), s.couleur) << "at " << s.x << ", " << s.y;
        for (const Zone& z : c.zones) {
            const int n = Compte_Sombres(im, z.rect);
            if (z.plus_de == 0)
                EXPECT_EQ(n, 0) << "ink at " << z.rect.x() << ", " << z.rect.y();
            else
                EXPECT_GT(n, z.plus_de) << "too little ink at " << z.rect.x() << ", " << z.rect.y();
        }
        EXPECT_EQ(rapport.Nb_Ignores(), c.ignores);
    }
}

// Over a red layer, the opaque background mode paints white between hatches and the gaps of a
// dashed pen; the transparent mode lets the red show there.
TEST(Joueur, BackgroundModeDecidesWhatShowsBetweenHatchesAndDashes) {
    for (bool transparent : {false, true}) {
        Fabrique_Wmf f;
        f.Fenetre(0, 0, 100, 100);
        if (transparent)
            f.Rec(SETBKMODE, {1});
        f.Stylo(5, 0, Qt::black)
            .Choisit(0)
            .Brosse(2, Qt::black, 1 /* vertical */)
            .Choisit(1)
            .Rectangle(0, 0, 100, 50);
        f.Stylo(1 /* dash */, 0, Qt::black).Choisit(2).Rec(MOVETO, {75, 0}).Rec(LINETO, {75, 100});
        const QImage im = Joue(f.Simple(), {100, 100}, Qt::red);
        int noirs = 0, rouges = 0, tirets_blancs = 0;
        for (int x = 0; x < 100; ++x) {
            noirs += im.pixel(x, 25) == Noir;
            rouges += im.pixel(x, 25) == Rouge;
            tirets_blancs += im.pixel(x, 75) == Blanc;
        }
        SCOPED_TRACE(transparent ? "transparent" : "opaque");
        EXPECT_GT(noirs, 5);
        EXPECT_GT(transparent ? rouges : tirets_blancs, transparent ? 50 : 20);
        EXPECT_EQ(transparent ? tirets_blancs : rouges, 0);
    }
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
    EXPECT_EQ(im.pixel(125, 125), Rouge);
    EXPECT_EQ(im.pixel(90, 90), Blanc);
    EXPECT_EQ(im.pixel(160, 160), Blanc);
}

}  // namespace
}  // namespace kestrane::wmf::test
