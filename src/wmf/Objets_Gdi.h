#pragma once
// The graphics objects a metafile creates in its object table, as the player keeps them.

#include <QColor>
#include <QImage>
#include <QList>
#include <QRegion>
#include <QString>

#include <cstdint>
#include <variant>

namespace kestrane::wmf {

struct Stylo_Gdi {
    uint16_t style = 0;  // PS_* style, end-cap and join bits
    int largeur = 0;     // logical units; 0 is one device pixel
    QColor couleur = Qt::black;
};

struct Brosse_Gdi {
    uint16_t style = 0;  // BS_SOLID 0, BS_NULL 1, BS_HATCHED 2, BS_PATTERN 3, BS_DIBPATTERN(PT) 5/6
    QColor couleur = Qt::white;
    uint16_t hachure = 0;     // HS_* for BS_HATCHED
    QImage motif;             // pattern brushes
    bool motif_mono = false;  // monochrome pattern: its two colours follow the text and background colours
};

struct Police_Gdi {
    int hauteur = 0, largeur = 0, escapement = 0, poids = 400;
    bool italique = false, souligne = false, barre = false;
    uint8_t jeu_caracteres = 0, famille = 0;
    QString nom;
};

struct Palette_Gdi {
    QList<QRgb> couleurs;
};

// Regions are kept in logical units and mapped when used.
struct Region_Gdi {
    QRegion region;
};

// A slot taken by a create record the player could not decode: it holds the place of the object
// so that later indices still designate the right slots.
struct Objet_Vide {};

using Objet_Gdi = std::variant<Objet_Vide, Stylo_Gdi, Brosse_Gdi, Police_Gdi, Palette_Gdi, Region_Gdi>;

}  // namespace kestrane::wmf
