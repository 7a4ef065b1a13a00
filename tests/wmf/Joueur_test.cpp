// Hand-made metafiles, one record or rule of the player per case, played at one logical unit per
// pixel unless a case says otherwise, and checked at probe points and in zones.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include <stdexcept>

#include "Fabrique_Wmf.h"
#include "Fonctions_Wmf.h"
#include "Joueur_Metafichier.h"
#include "Metafichier.h"
#include "Rendu_Wmf.h"

namespace kestrane::wmf::test {
namespace {

const int HH = 'H' | ('H' << 8), II = 'I' | ('I' << 8), WW = 'W' | ('W' << 8);

// The file read, or the test failed with the reader's reason.
Metafichier Lit(const QByteArray& octets) {
    auto lu = Metafichier::Lit(octets);
    if (!lu)
        throw std::runtime_error(lu.status().message());
    return std::move(lu.value());
}

Fabrique_Wmf Fenetre(int largeur, int hauteur = 0) {
    return Fabrique_Wmf().Fenetre(0, 0, largeur, hauteur ? hauteur : largeur);
}
// A pen (none unless given) and a solid brush of colour c selected (slots 0, 1), in a 100 × 100
// window unless the file is placeable.
Fabrique_Wmf Base(QColor c, int style = 5, int largeur = 0, QColor stylo = Qt::black, bool placable = false) {
    Fabrique_Wmf f = placable ? Fabrique_Wmf() : Fenetre(100);
    return f.Stylo(style, largeur, stylo).Choisit(0).Brosse(0, c).Choisit(1);
}

// A region of one scan (y 0..50) with one span (x 0..50).
const std::vector<int> Region{0, 6, 0, 0, 0, 1, 0, 0, 0, 50, 50, /* scan */ 2, 0, 50, 0, 50, 2};

// Palette entries: the first (or the version) and the count, then the colours.
std::vector<int> Entrees(int premier, std::vector<QColor> couleurs) {
    std::vector<int> mots{premier, static_cast<int>(couleurs.size())};
    for (QColor c : couleurs) mots.insert(mots.end(), {Couleur(c)[0], Couleur(c)[1]});
    return mots;
}
// A brush of the selected palette's entry i, selected into `slot`.
Fabrique_Wmf& Brosse_Palette(Fabrique_Wmf& f, int i, int slot) {
    return f.Rec(CREATEBRUSHINDIRECT, {0, i, 0x0100, 0}).Choisit(slot);
}

// A 200-unit-wide window, transparent text background and a bold font of the given height.
Fabrique_Wmf Ecriture(int hauteur, int echappement = 0, int cote = 100) {
    return Fenetre(200, cote).Rec(SETBKMODE, {1}).Police(hauteur, echappement).Choisit(0);
}

// Two by two pixels of the given colours, by rows.
QByteArray Dib(std::vector<QRgb> c, int bits = 24) {
    QImage im(2, 2, QImage::Format_RGB32);
    for (int i = 0; i < 4; ++i) im.setPixel(i % 2, i / 2, c[i]);
    return Fabrique_Wmf::Dib(im, bits);
}
// STRETCHDIB: rop, colour usage, source h, w, y, x, destination h, w, y, x.
Fabrique_Wmf Etire(Fabrique_Wmf f, const QByteArray& dib, int rop = 0x0020, int rop_haut = 0x00CC,
                   QSize source = {2, 2}, QSize cible = {100, 100}) {
    const int sh = source.height(), sw = source.width();
    return f.Rec(STRETCHDIB, {rop, rop_haut, 0, sh, sw, 0, 0, cible.height(), cible.width(), 0, 0}, dib);
}
const std::vector<QRgb> RVBN{Rouge, Vert, Bleu, Noir};
const std::vector<Sonde> Quatre_Couleurs{{25, 25, Rouge}, {75, 25, Vert}, {25, 75, Bleu}, {75, 75, Noir}};

// An AND mask (white around a black square) then an OR image (black around a green square).
QByteArray Masque_Et_Image() {
    const Fabrique_Wmf masque = Etire(Fenetre(100), Dib({Noir, Blanc, Blanc, Blanc}), 0x00C6, 0x0088);
    return Etire(masque, Dib({Vert, Noir, Noir, Noir}), 0x0086, 0x00EE);
}

// A thick red line down the middle drawn with raster operation rop2.
QByteArray Ligne_Rop(int rop2) {
    Fabrique_Wmf f = Fenetre(100).Stylo(0, 10, Qt::red).Choisit(0).Rec(SETROP2, {rop2});
    return f.Rec(MOVETO, {50, 0}).Rec(LINETO, {50, 100});
}

// Over a red layer, a vertically hatched band (y < 50) and a dashed line at y = 75, in the
// background mode given.
QByteArray Hachures(int mode) {
    Fabrique_Wmf f = Fenetre(100).Rec(SETBKMODE, {mode}).Stylo(5, 0, Qt::black).Choisit(0);
    f.Brosse(2, Qt::black, 1).Choisit(1).Rectangle(0, 0, 100, 50).Stylo(1, 0, Qt::black).Choisit(2);
    return f.Rec(MOVETO, {75, 0}).Rec(LINETO, {75, 100});
}
const QRect Rang_25(0, 25, 100, 1), Rang_75(0, 75, 100, 1);

const std::vector<int> Deux_Carres{2, 4, 4, 10, 10, 90, 10, 90, 90, 10, 90, 30, 30, 70, 30, 70, 70, 30, 70};
const std::vector<QPoint> Etoile{{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};

struct Cas_Joueur {
    const char* nom;
    QByteArray fichier;
    std::vector<Sonde> sondes;
    std::vector<Zone> zones = {};
    QSize taille = {100, 100};
    QColor fond = Qt::white;
    int ignores = 0;  // records skipped; every other record of the case must be played
    int muets = 0;    // records the report leaves out: unreadable create records, a gap of the report
};

// {records, probe points, zones} -> colours and ink.
std::vector<Cas_Joueur> Cas_Joues() {
    QByteArray enorme = Dib(RVBN), profondeur = Dib(RVBN);
    enorme[4] = enorme[5] = enorme[6] = '\x7F';  // width of some 8 million pixels, data of four
    profondeur[14] = 7;
    QImage damier(8, 8, QImage::Format_RGB32);
    for (int i = 0; i < 64; ++i) damier.setPixel(i % 8, i / 8, (i % 8 + i / 8) % 2 ? Blanc : Noir);
    Fabrique_Wmf echelles = Base(Qt::red), chaine = Ecriture(30), palette = Base(Qt::red), reduite = palette;
    for (int k = 0; k < 40; ++k) echelles.Rec(SCALEVIEWPORTEXT, {1, 1000, 1, 1000});  // × 1000 each time
    for (int k = 0; k < 40; ++k) echelles.Rec(SCALEWINDOWEXT, {1000, 1, 1000, 1});    // ÷ 1000 each time
    for (int k = 0; k < 40; ++k) echelles.Rec(SCALEWINDOWEXT, {1, 1000, 1, 1});       // y alone × 1000
    chaine.Rec(SETTEXTALIGN, {1}).Rec(MOVETO, {10, 100});
    for (int k = 0; k < 4; ++k) chaine.Rec(TEXTOUT, {2, HH, 0, 0});
    // Entry 1 painted green, then set to blue and painted; entry 2 animated to black and painted.
    palette.Rec(CREATEPALETTE, Entrees(0x300, {Qt::red, Qt::green, Qt::red}))
        .Rec(SELECTPALETTE, {2})
        .Rec(REALIZEPALETTE);
    Brosse_Palette(palette, 1, 3).Rectangle(0, 0, 30, 100).Rec(SETPALENTRIES, Entrees(1, {Qt::blue}));
    Brosse_Palette(palette, 1, 4).Rectangle(30, 0, 60, 100).Rec(ANIMATEPALETTE, Entrees(2, {Qt::black}));
    Brosse_Palette(palette, 2, 5).Rectangle(60, 0, 100, 100);
    reduite.Rec(CREATEPALETTE, Entrees(0x300, {Qt::green, Qt::green})).Rec(SELECTPALETTE, {2});
    Brosse_Palette(reduite, 0, 3).Rectangle(0, 0, 50, 100).Rec(RESIZEPALETTE, {1});
    Brosse_Palette(reduite, 1, 4).Rectangle(50, 0, 100, 100);
    // Bottom row: 4 × index 0; end of line; top row: absolute run of 4 (1 0 1 0); end of bitmap.
    const QByteArray rle8 = Fabrique_Wmf::Entete_Dib(4, 2, 8, 1, {qRgb(0, 0, 255), qRgb(255, 0, 0)}) +
                            QByteArray("\x04\x00\x00\x00\x00\x04\x01\x00\x01\x00\x00\x01", 12);
    // 4 pixels alternating 0, 1 then end of bitmap.
    const QByteArray rle4 = Fabrique_Wmf::Entete_Dib(4, 1, 4, 2, {qRgb(255, 0, 0), qRgb(0, 0, 255)}) +
                            QByteArray("\x04\x01\x00\x01", 4);
    // A 12-byte header, 2 × 2 at 1 bit, a table of 3-byte colours (red, green); rows bottom-up: 0 1, 1 0.
    // The same header at 24 bits with no pixels at all is white.
    const QByteArray noyau = QByteArray("\x0C\x00\x00\x00\x02\x00\x02\x00\x01\x00\x01\x00", 12) +
                             QByteArray("\x00\x00\xFF\x00\xFF\x00\x40\x00\x00\x00\x80\x00\x00\x00", 14),
                     vide = QByteArray("\x0C\x00\x00\x00\x02\x00\x02\x00\x01\x00\x18\x00", 12);
    // A Bitmap16 8 × 8 at 1 bit, two bytes a row, 22 bytes unused, then rows of four 1s and four 0s.
    const QByteArray bitmap16 = QByteArray("\x00\x00\x08\x00\x08\x00\x02\x00\x01\x01", 10) +
                                QByteArray(22, '\0') + QByteArray("\xF0\x00", 2).repeated(8);
    // clang-format off
    return {
    {"rectangle without its right and bottom edges", Base(Qt::red).Rectangle(10, 10, 50, 50),
     {{30, 30, Rouge}, {10, 10, Rouge}, {49, 49, Rouge}, {50, 50, Blanc}, {5, 5, Blanc}}},
    {"ellipse", Base(Qt::green).Rec(ELLIPSE, {100, 100, 0, 0}), {{50, 50, Vert}, {3, 3, Blanc}}},
    {"pie whose start is its end is a whole ellipse", Base(Qt::red).Rec(PIE, {50, 100, 50, 100, 100, 100, 0, 0}),
     {{20, 50, Rouge}, {80, 50, Rouge}, {50, 20, Rouge}}},
    {"pie counter-clockwise from the right to the top", Base(Qt::red).Rec(PIE, {0, 50, 50, 100, 100, 100, 0, 0}),
     {{70, 30, Rouge}, {30, 30, Blanc}, {30, 70, Blanc}, {70, 70, Blanc}}},
    {"chord fills only the segment its ends cut off; one of an empty rectangle is nothing",
     Base(Qt::red).Rec(CHORD, {0, 50, 50, 100, 100, 0, 0, 0}).Rec(CHORD, {0, 50, 50, 100, 100, 100, 0, 0}),
     {{80, 20, Rouge}, {60, 40, Blanc}, {30, 30, Blanc}}},
    {"arc is an outline, never filled", Base(Qt::red, 0, 6, Qt::blue).Rec(ARC, {50, 90, 50, 90, 90, 90, 10, 10}),
     {{10, 50, Bleu}, {50, 10, Bleu}, {50, 50, Blanc}, {30, 50, Blanc}}},
    {"rounded rectangle leaves out its corners, 80 wide and 10 high", Base(Qt::red).Rec(ROUNDRECT, {10, 80, 100, 100, 0, 0}),
     {{50, 50, Rouge}, {50, 2, Rouge}, {2, 50, Rouge}, {0, 10, Rouge}, {10, 0, Blanc}, {2, 2, Blanc}, {99, 99, Blanc}}},
    {"pixel", Base(Qt::red).Rec(SETPIXEL, {0, 0xFF, 40, 30}), {{30, 40, Bleu}, {31, 40, Blanc}, {30, 41, Blanc}, {29, 39, Blanc}}},
    {"window origin offset from the one set",
     Base(Qt::red).Rec(SETWINDOWORG, {0, 10}).Rec(OFFSETWINDOWORG, {20, 10}).Rectangle(20, 20, 30, 30),
     {{5, 5, Rouge}, {15, 5, Blanc}, {25, 25, Blanc}}},
    {"viewport origin", Base(Qt::red).Rec(SETVIEWPORTORG, {20, 30}).Rectangle(0, 0, 10, 10), {{35, 25, Rouge}, {5, 5, Blanc}}},
    {"viewport origin offset from the one set",
     Base(Qt::red).Rec(SETVIEWPORTORG, {20, 30}).Rec(OFFSETVIEWPORTORG, {10, 5}).Rectangle(0, 0, 10, 10),
     {{40, 35, Rouge}, {32, 22, Blanc}, {7, 12, Blanc}}},
    {"negative extent flips the picture", Base(Qt::red).Fenetre(0, 100, 100, -100).Rectangle(10, 10, 30, 30),
     {{20, 80, Rouge}, {20, 20, Blanc}}},
    {"plain file keeps its own window", Base(Qt::red).Fenetre(50, 50, 100, 100).Rectangle(50, 50, 100, 100),
     {{50, 50, Rouge}, {150, 150, Blanc}}, {}, {200, 200}},
    {"isotropic mode keeps units square", Base(Qt::red).Rec(SETMAPMODE, {7}).Fenetre(0, 0, 100, 100).Rectangle(0, 0, 100, 100),
     {{50, 50, Rouge}, {150, 50, Blanc}}, {}, {200, 100}},
    // No window record in the placeable files: the bounding box alone maps the picture.
    {"placeable bounding box at the origin, x and y stretched apart",
     Base(Qt::red, 5, 0, Qt::black, true).Rectangle(0, 0, 100, 200).Placable(0, 0, 200, 200),
     {{25, 40, Rouge}, {75, 25, Blanc}}, {}, {100, 50}},
    {"placeable bounding box elsewhere", Base(Qt::red, 5, 0, Qt::black, true).Rectangle(100, 200, 200, 300).Placable(100, 200, 300, 400),
     {{25, 25, Rouge}, {75, 75, Blanc}, {49, 49, Rouge}, {51, 51, Blanc}}},
    {"clip rectangle intersected (x < 50), then one excluded (10 <= x < 30, 40 <= y < 60)",
     Base(Qt::red).Rec(INTERSECTCLIPRECT, {100, 50, 0, 0}).Rec(EXCLUDECLIPRECT, {60, 30, 40, 10}).Rectangle(0, 0, 100, 100),
     {{40, 50, Rouge}, {20, 20, Rouge}, {75, 50, Blanc}, {20, 50, Blanc}}},
    {"clip region offset", Base(Qt::red).Rec(INTERSECTCLIPRECT, {50, 50, 0, 0}).Rec(OFFSETCLIPRGN, {50, 50}).Rectangle(0, 0, 100, 100),
     {{25, 25, Blanc}, {75, 75, Rouge}}},
    {"region selected as the clip", Base(Qt::red).Rec(CREATEREGION, Region).Rec(SELECTCLIPREGION, {2}).Rectangle(0, 0, 100, 100),
     {{25, 25, Rouge}, {75, 75, Blanc}, {25, 75, Blanc}}},
    {"region filled with the brush named", Base(Qt::red).Brosse(0, Qt::blue).Rec(CREATEREGION, Region).Rec(FILLREGION, {3, 2}),
     {{25, 25, Bleu}, {49, 49, Bleu}, {75, 75, Blanc}, {50, 25, Blanc}}},
    {"region painted with the brush selected", Base(Qt::red).Rec(CREATEREGION, Region).Rec(PAINTREGION, {2}),
     {{25, 25, Rouge}, {75, 75, Blanc}}},
    {"region framed inside its edges", Base(Qt::red).Brosse(0, Qt::blue).Rec(CREATEREGION, Region).Rec(FRAMEREGION, {3, 2, 5, 5}),
     {{2, 25, Bleu}, {47, 25, Bleu}, {25, 2, Bleu}, {25, 25, Blanc}, {52, 25, Blanc}}},
    {"region inversion is skipped", Base(Qt::red).Rec(CREATEREGION, Region).Rec(INVERTREGION, {2}),
     {{25, 25, Blanc}}, {}, {100, 100}, Qt::white, 1},
    {"palette entries created, selected, set and animated", palette, {{15, 50, Vert}, {45, 50, Bleu}, {80, 50, Noir}}},
    {"palette resized loses the entries past its size", reduite, {{25, 50, Vert}, {75, 50, Noir}}},
    {"save and restore give back the clip and the mapping",
     Base(Qt::red).Rec(SAVEDC).Rec(INTERSECTCLIPRECT, {100, 50, 0, 0}).Fenetre(0, 0, 200, 200).Rec(RESTOREDC, {0xFFFF})
         .Rectangle(50, 0, 100, 100),
     {{75, 50, Rouge}, {40, 50, Blanc}}},
    {"positive restore level is absolute: back to the second state saved, clipped to x < 50",
     Base(Qt::red).Rec(SAVEDC).Rec(INTERSECTCLIPRECT, {100, 50, 0, 0}).Rec(SAVEDC).Rec(INTERSECTCLIPRECT, {100, 25, 0, 0})
         .Rec(SAVEDC).Rec(RESTOREDC, {2}).Rectangle(0, 0, 100, 100),
     {{40, 50, Rouge}, {60, 50, Blanc}}},
    {"alternate fill leaves the inner square of a polypolygon empty", Base(Qt::red).Rec(SETPOLYFILLMODE, {1}).Rec(POLYPOLYGON, Deux_Carres),
     {{20, 50, Rouge}, {50, 50, Blanc}}},
    {"winding fill fills the inner square of a polypolygon", Base(Qt::red).Rec(SETPOLYFILLMODE, {2}).Rec(POLYPOLYGON, Deux_Carres),
     {{20, 50, Rouge}, {50, 50, Rouge}}},
    {"alternate fill leaves the centre of a polygon star empty", Base(Qt::red).Rec(SETPOLYFILLMODE, {1}).Polygone(Etoile),
     {{50, 50, Blanc}, {50, 10, Rouge}}},
    {"winding fill fills the centre of a polygon star", Base(Qt::red).Rec(SETPOLYFILLMODE, {2}).Polygone(Etoile),
     {{50, 50, Rouge}, {10, 80, Blanc}}},
    // A wide pen takes the painter's path rather than the direct one (a scaled painter, the third, below).
    {"winding fill of a star outlined by a wide pen", Base(Qt::red, 0, 3, Qt::blue).Rec(SETPOLYFILLMODE, {2}).Polygone(Etoile),
     {{50, 50, Rouge}, {10, 80, Blanc}}},
    {"polygon reaching far outside fills what is visible",
     Base(Qt::red, 0, 0, Qt::blue).Polygone({{-30000, -30000}, {30000, -30000}, {50, 50}}),
     {{50, 10, Rouge}, {50, 80, Blanc}, {50, 50, Bleu}}},
    {"zero-width pen is one device pixel at any scale",
     Fenetre(25).Stylo(0, 0, Qt::black).Choisit(0).Rec(MOVETO, {12, 2}).Rec(LINETO, {12, 23}),
     {{50, 48, Noir}, {50, 46, Blanc}, {50, 50, Blanc}}},
    {"wide pen scales with the mapping", Fenetre(50).Stylo(0, 5, Qt::blue).Choisit(0).Rec(MOVETO, {25, 5}).Rec(LINETO, {25, 45}),
     {{50, 46, Bleu}, {50, 53, Bleu}, {50, 40, Blanc}}},
    {"centred outline spills out by half its width", Base(Qt::red, 0, 10, Qt::blue).Rectangle(20, 20, 80, 80), {{17, 50, Bleu}}},
    {"inside-frame pen keeps the outline inside the shape", Base(Qt::red, 6, 10, Qt::blue).Rectangle(20, 20, 80, 80),
     {{17, 50, Blanc}, {22, 50, Bleu}, {50, 50, Rouge}}},
    {"XOR pen on white shows the complement", Ligne_Rop(7), {{50, 50, 0xFF00FFFF}}},
    {"XOR pen on a transparent canvas looks as on white paper", Ligne_Rop(7),
     {{50, 50, 0xFF00FFFF}, {10, 10, Transparent}}, {}, {100, 100}, Qt::transparent},
    {"NOP pen draws nothing", Ligne_Rop(11), {{50, 50, Blanc}}},
    {"opaque background mode paints white between hatches and dashes", Hachures(2),
     {}, {{Rang_25, 5, Noir}, {Rang_25, 0, Rouge}, {Rang_75, 20, Blanc}}, {100, 100}, Qt::red},
    {"transparent background mode lets the layer show there", Hachures(1),
     {}, {{Rang_25, 5, Noir}, {Rang_25, 50, Rouge}, {Rang_75, 0, Blanc}}, {100, 100}, Qt::red},
    {"missing objects are skipped and the selected brush kept", Base(Qt::red).Choisit(500).Choisit(7).Rectangle(0, 0, 100, 100),
     {{50, 50, Rouge}}, {}, {100, 100}, Qt::white, 2},
    // Pen 0, red brush 1; 2: too short to read; blue brush 3; then the green brush takes the freed slot 1.
    {"unreadable create record still takes its slot, a deleted slot is reused",
     Base(Qt::red).Rec(CREATEREGION, {0, 6}).Brosse(0, Qt::blue).Choisit(3).Rectangle(0, 0, 50, 100)
         .Rec(DELETEOBJECT, {1}).Brosse(0, Qt::green).Choisit(1).Rectangle(50, 0, 100, 100),
     {{25, 50, Bleu}, {75, 50, Vert}}, {}, {100, 100}, Qt::white, 0, 1},
    {"huge point counts are skipped, not followed (the first polygon's too)",
     Base(Qt::red).Rec(POLYGON, {32000, 0, 0, 100, 0}).Rec(POLYPOLYGON, {2, 50, 3, 10, 10, 90, 10, 50, 90}).Rectangle(0, 0, 10, 10),
     {{5, 5, Rouge}, {50, 30, Blanc}}, {}, {100, 100}, Qt::white, 2},
    {"escapes and unknown records are skipped and counted",
     Base(Qt::red).Rec(ESCAPE, {15, 4, 1, 2}).Rec(0x0999, {1, 2}).Rectangle(0, 0, 10, 10), {{5, 5, Rouge}}, {}, {100, 100}, Qt::white, 2},
    {"absurd extent, pen and bitmap header are contained; a zero extent is refused",
     Etire(Fabrique_Wmf().Rec(SETWINDOWEXT, {1, 1}).Stylo(0, 30000, Qt::black).Choisit(0)
         .Rec(ELLIPSE, {32767, 32767, -32768, -32768}).Rec(SETWINDOWEXT, {0, 0}), enorme),
     {}, {}, {50, 50}, Qt::white, 2},
    {"scaling the viewport up, the window down then its height up, forty times each, cannot overflow the mapping",
     echelles.Rectangle(0, 0, 50, 50), {}, {}, {100, 100}, Qt::white, 116},  // 116 of the 120 refused
    // DIBSTRETCHBLT without bitmap: rop, source h, w, y, x, reserved, destination h, w, y, x.
    {"blit without bitmap paints the brush, DSTCOPY nothing, WHITENESS white",
     Base(Qt::blue).Rec(DIBSTRETCHBLT, {0x0021, 0x00F0, 0, 0, 0, 0, 0, 50, 50, 0, 0})
         .Rec(DIBSTRETCHBLT, {0x0029, 0x00AA, 0, 0, 0, 0, 0, 50, 50, 50, 50}).Rec(PATBLT, {0x0062, 0x00FF, 20, 20, 80, 0}),
     {{25, 25, Bleu}, {75, 75, Rouge}, {10, 90, Blanc}}, {}, {100, 100}, Qt::red},
    {"1-bit DIB the right way up", Etire(Fenetre(100), Dib({Rouge, Vert, Vert, Rouge}, 1)),
     {{25, 25, Rouge}, {75, 25, Vert}, {25, 75, Vert}, {75, 75, Rouge}}},
    {"4-bit DIB", Etire(Fenetre(100), Dib(RVBN, 4)), Quatre_Couleurs},
    {"8-bit DIB", Etire(Fenetre(100), Dib(RVBN, 8)), Quatre_Couleurs},
    {"24-bit DIB", Etire(Fenetre(100), Dib(RVBN, 24)), Quatre_Couleurs},
    {"32-bit DIB", Etire(Fenetre(100), Dib(RVBN, 32)), Quatre_Couleurs},
    {"DIB with the short core header and its colour table; one without pixels is white",
     Etire(Etire(Fenetre(100), noyau), vide, 0x0020, 0x00CC, {2, 2}, {50, 50}),
     {{25, 25, Blanc}, {75, 25, Rouge}, {25, 75, Rouge}, {75, 75, Vert}}, {}, {100, 100}, Qt::blue},
    {"DIB of an unknown depth is skipped", Etire(Fenetre(100), profondeur), {{50, 50, Blanc}}, {}, {100, 100}, Qt::white, 1},
    {"run-length DIB of 8 bits", Etire(Fenetre(4, 2), rle8, 0x0020, 0x00CC, {4, 2}, {4, 2}),
     {{0, 0, Rouge}, {1, 0, Bleu}, {2, 0, Rouge}, {0, 1, Bleu}, {3, 1, Bleu}}, {}, {4, 2}},
    {"run-length DIB of 4 bits", Etire(Fenetre(4, 1), rle4, 0x0020, 0x00CC, {4, 1}, {4, 1}),
     {{0, 0, Rouge}, {1, 0, Bleu}, {2, 0, Rouge}}, {}, {4, 1}},
    // DIBSTRETCHBLT: rop, source h, w, y, x, destination h, w, y, x; DIBBITBLT: rop, source y, x, h, w, destination y, x.
    {"DIB stretched by DIBSTRETCHBLT, copied 2 × 2 at (60, 60) by DIBBITBLT",
     Fenetre(100).Rec(DIBSTRETCHBLT, {0x0020, 0x00CC, 2, 2, 0, 0, 50, 50, 0, 0}, Dib({Rouge, Noir, Noir, Noir}))
         .Rec(DIBBITBLT, {0x0020, 0x00CC, 0, 0, 2, 2, 60, 60}, Dib({Rouge, Noir, Noir, Noir})),
     {{10, 10, Rouge}, {40, 40, Noir}, {60, 60, Rouge}, {61, 61, Noir}, {70, 70, Blanc}}},
    // BITBLT of a Bitmap16: 8 × 1, 1 bit, byte 0x0F (four 0s then four 1s).
    {"monochrome bitmap takes the text colour for 0 and the background colour for 1",
     Fenetre(8, 1).Rec(SETTEXTCOLOR, Couleur(Qt::red)).Rec(SETBKCOLOR, Couleur(Qt::blue))
         .Rec(BITBLT, {0x0020, 0x00CC, 0, 0, 1, 8, 0, 0}, QByteArray("\x00\x00\x08\x00\x01\x00\x02\x00\x01\x01\x0F\x00", 12)),
     {{1, 0, Rouge}, {6, 0, Bleu}}, {}, {8, 1}},
    {"mask pair keeps the layer beneath visible", Masque_Et_Image(), {{25, 25, Vert}, {75, 75, Rouge}}, {}, {100, 100}, Qt::red},
    {"mask pair keeps a transparent canvas transparent", Masque_Et_Image(),
     {{25, 25, Vert}, {75, 75, Transparent}}, {}, {100, 100}, Qt::transparent},
    {"monochrome pattern brushes dither pixel by pixel in the text and background colours of the time",
     Fenetre(16).Stylo(5, 0, Qt::black).Choisit(0).Rec(DIBCREATEPATTERNBRUSH, {5, 0}, Fabrique_Wmf::Dib(damier, 1)).Choisit(1)
         .Rectangle(0, 0, 16, 8).Rec(SETTEXTCOLOR, Couleur(Qt::red)).Rec(SETBKCOLOR, Couleur(Qt::blue))
         .Rec(CREATEPATTERNBRUSH, {}, bitmap16).Choisit(2).Rectangle(0, 8, 16, 16),
     {{3, 5, Noir}, {4, 5, Blanc}, {12, 6, Noir}, {15, 7, Noir}, {1, 9, Bleu}, {5, 9, Rouge}, {9, 15, Bleu}, {13, 15, Rouge}},
     {}, {16, 16}, Qt::red},
    {"text out draws at the top-left reference by default", Ecriture(30).Rec(TEXTOUT, {4, HH, HH, 50, 100}),
     {}, {{QRect(100, 50, 100, 50), 50}, {QRect(0, 0, 100, 100), 0}, {QRect(100, 0, 100, 48), 0}}, {200, 100}},
    {"right baseline alignment ends the text at the reference", Ecriture(30).Rec(SETTEXTALIGN, {24 | 2}).Rec(TEXTOUT, {2, HH, 50, 100}),
     {}, {{QRect(60, 25, 40, 25), 30}, {QRect(101, 0, 99, 100), 0}, {QRect(0, 52, 200, 48), 0}}, {200, 100}},
    {"opaque background mode fills the text's cell", Ecriture(30).Rec(SETBKMODE, {2}).Rec(TEXTOUT, {2, II, 20, 20}),
     {{21, 21, Blanc}, {100, 80, Rouge}}, {}, {200, 100}, Qt::red},
    {"updating the current position chains text outs, whatever their coordinates", chaine,
     {}, {{QRect(0, 0, 100, 100), 0}, {QRect(150, 10, 50, 40), 30}}, {200, 100}},
    // y, x, length, options (ETO_OPAQUE | ETO_CLIPPED), rectangle left, top, right, bottom, string.
    {"opaque and clipping rectangle of an extended text out",
     Ecriture(40).Rec(SETBKCOLOR, Couleur(Qt::green)).Rec(EXTTEXTOUT, {10, 10, 4, 6, 10, 10, 40, 30, WW, WW}),
     {{38, 28, Vert}}, {{QRect(41, 0, 159, 100), 0}, {QRect(0, 31, 200, 69), 0}, {QRect(10, 10, 30, 20), 20}}, {200, 100}},
    {"spacing of an extended text out places each character (the second 150 units right)",
     Ecriture(20).Rec(EXTTEXTOUT, {10, 0, 2, 0, II, 150, 0}),
     {}, {{QRect(0, 0, 20, 100), 10}, {QRect(150, 0, 20, 100), 10}, {QRect(30, 0, 110, 100), 0}}, {200, 100}},
    {"escapement turns the baseline a quarter: the text climbs from (100, 180) left of x = 100",
     Ecriture(20, 900, 200).Rec(SETTEXTALIGN, {24}).Rec(TEXTOUT, {6, HH, HH, HH, 180, 100}),
     {}, {{QRect(70, 100, 31, 80), 50}, {QRect(105, 0, 95, 200), 0}}, {200, 200}},
    };
    // clang-format on
}

TEST(Joueur, RecordsPaintWhatTheyNameAtTheProbedPoints) {
    for (const Cas_Joueur& c : Cas_Joues()) {
        SCOPED_TRACE(c.nom);
        Rapport_Lecture rapport;
        const QImage im = Rendu_Wmf::Rend(Lit(c.fichier), c.taille, c.fond, &rapport);
        ASSERT_EQ(im.size(), c.taille);
        Verifie(im, c.sondes, c.zones);
        EXPECT_EQ(rapport.Nb_Ignores(), c.ignores);
        int joues = 0;  // every record accounted for, played or skipped
        for (const auto& [fonction, n] : rapport.joues) joues += n;
        EXPECT_EQ(static_cast<size_t>(joues + c.ignores + c.muets), Lit(c.fichier).enregistrements().size());
    }
}

TEST(Joueur, PlaysOntoAVectorDeviceToo) {
    const Metafichier m =
        Lit(Base(QColor(0x12, 0x34, 0x56)).Rectangle(10, 10, 60, 60).Rec(SETROP2, {7}).Rectangle(0, 0, 5, 5));
    QBuffer tampon;
    tampon.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&tampon);
    svg.setSize(QSize(100, 100));
    QPainter p(&svg);
    const Rapport_Lecture r = Joueur_Metafichier::Joue(m, p, QRectF(0, 0, 100, 100));
    p.end();
    EXPECT_EQ(r.Nb_Ignores(), 0);
    EXPECT_TRUE(tampon.data().contains("#123456"));
    EXPECT_TRUE(tampon.data().contains("#edcba9"));  // the XOR rectangle as it looks on white paper
}

// A winding star into the rectangle (50, 50, 25, 25) of a painter that doubles: (100, 100) to (150, 150).
TEST(Joueur, PaintsIntoTheTargetRectangleOfAnyPainter) {
    QImage im(200, 200, QImage::Format_RGB32);
    im.fill(Qt::white);
    QPainter p(&im);
    p.scale(2, 2);
    p.setPen(Qt::green);
    Joueur_Metafichier::Joue(Lit(Base(Qt::red).Rec(SETPOLYFILLMODE, {2}).Polygone(Etoile)), p,
                             QRectF(50, 50, 25, 25));
    EXPECT_EQ(p.pen().color(), QColor(Qt::green));  // the caller's state is given back
    p.end();
    Verifie(im,
            {{125, 125, Rouge}, {125, 103, Rouge}, {90, 90, Blanc}, {160, 160, Blanc}, {105, 140, Blanc}});
}

TEST(Rendu_Wmf, BandsOnSeveralThreadsGiveTheSamePicture) {
    Fabrique_Wmf f = Base(Qt::green, 0).Fenetre(0, 0, 300, 300);
    for (int k = 0; k < 40; ++k)
        f.Rec(ELLIPSE, {20 + 7 * k, 40 + 6 * k, 3 * k, 2 * k})
            .Polygone({{k, 299 - k}, {150, 3 * k}, {299 - 2 * k, 250}});
    f.Rec(SETBKMODE, {1}).Police(30).Choisit(2);
    f.Rec(TEXTOUT, {4, 'O' | ('a' << 8), 'k' | ('s' << 8), 120, 20});
    const Metafichier m = Lit(f);
    QImage seul(333, 517, QImage::Format_RGB32), bandes(333, 517, QImage::Format_RGB32);
    seul.fill(Qt::white), bandes.fill(Qt::white);
    {
        QPainter p(&seul);
        Joueur_Metafichier::Joue(m, p, QRectF(0, 0, 333, 517));
        Joueur_Metafichier::Joue(m, p, QRectF(20, 20, 200, 300));
    }
    Rendu_Wmf::Peint_Couches(bandes, {&m, &m}, QRectF(0, 0, 333, 517));
    Rendu_Wmf::Peint_Couches(bandes, {&m}, QRectF(20, 20, 200, 300));  // the same file in another frame
    int differents = 0;
    for (int y = 0; y < 517; ++y)
        for (int x = 0; x < 333; ++x) differents += seul.pixel(x, y) != bandes.pixel(x, y);
    // Qt clips outlines to each band, which can move a one-pixel line that crosses a band edge
    // sideways by a pixel; nothing else may differ.
    EXPECT_LE(differents, 333 * 517 / 1000) << "pixels differing between one painter and bands";
}

}  // namespace
}  // namespace kestrane::wmf::test
