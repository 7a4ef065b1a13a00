#pragma once
// Text of metafiles: the QFont for a logical font at a device size, and the decoding of byte
// strings by the code page the font's character set names.

#include <QByteArray>
#include <QFont>
#include <QString>

#include <cstdint>
#include <vector>

#include "Objets_Gdi.h"

namespace kestrane::wmf {

class Texte_Wmf {
  public:
    // One character of a string and the bytes it came from.
    struct Caractere {
        QString texte;
        int premier_octet = 0;
        int nb_octets = 1;
    };

    // The font for `police` whose height, in device pixels, is `hauteur` (the absolute value of
    // the logical height mapped to the device). A negative logical height is the character
    // height, a positive one the cell height; zero takes a default size.
    static QFont Police(const Police_Gdi& police, double hauteur);

    // Decodes `octets` in the code page of character set `jeu` (ANSI 0, SHIFTJIS 128...).
    static QString Decode(const QByteArray& octets, uint8_t jeu);

    // Splits `octets` into characters, pairing the lead and trail bytes of double-byte sets.
    static std::vector<Caractere> Decoupe(const QByteArray& octets, uint8_t jeu);
};

}  // namespace kestrane::wmf
