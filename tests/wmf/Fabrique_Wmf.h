#pragma once
// Hand-made metafiles for the tests: records are appended word by word, exactly as the tests
// spell them (parameters in file order, that is reversed), then wrapped in a header. And the
// checks of what they paint: colours at probe points, pixels of a colour counted in zones.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRect>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "Fonctions_Wmf.h"

namespace kestrane::wmf::test {

inline void Ajoute16(QByteArray& o, int v) {
    o.append(static_cast<char>(v & 0xFF)).append(static_cast<char>((v >> 8) & 0xFF));
}
inline void Ajoute32(QByteArray& o, uint32_t v) {
    Ajoute16(o, static_cast<int>(v & 0xFFFF)), Ajoute16(o, static_cast<int>(v >> 16));
}

// The two words of a colour reference.
inline std::vector<int> Couleur(QColor c) {
    return {c.red() | (c.green() << 8), c.blue()};
}

class Fabrique_Wmf {
  public:
    // Appends a record of function f with the given parameter words and trailing bytes.
    Fabrique_Wmf& Rec(uint16_t f, std::vector<int> mots = {}, const QByteArray& suite = {}) {
        Ajoute32(octets_, static_cast<uint32_t>(3 + mots.size() + (suite.size() + 1) / 2));
        Ajoute16(octets_, f);
        for (int m : mots) Ajoute16(octets_, m);
        octets_.append(suite).append(suite.size() % 2, '\0');
        return *this;
    }
    // Common records, parameters in natural order.
    Fabrique_Wmf& Fenetre(int x, int y, int l, int h) {
        return Rec(SETWINDOWORG, {y, x}).Rec(SETWINDOWEXT, {h, l});
    }
    Fabrique_Wmf& Stylo(int style, int l, QColor c) {
        return Rec(CREATEPENINDIRECT, {style, l, 0, Couleur(c)[0], c.blue()});
    }
    Fabrique_Wmf& Brosse(int style, QColor c, int hachure = 0) {
        return Rec(CREATEBRUSHINDIRECT, {style, Couleur(c)[0], c.blue(), hachure});
    }
    Fabrique_Wmf& Choisit(int indice) { return Rec(SELECTOBJECT, {indice}); }
    Fabrique_Wmf& Rectangle(int g, int h, int d, int b) { return Rec(RECTANGLE, {b, d, h, g}); }
    Fabrique_Wmf& Polygone(const std::vector<QPoint>& points) {
        std::vector<int> mots{static_cast<int>(points.size())};
        for (const QPoint& p : points) mots.insert(mots.end(), {p.x(), p.y()});
        return Rec(POLYGON, mots);
    }
    // A bold DejaVu Sans of the given character height, escapement in tenths of a degree: height,
    // width, escapement, orientation, weight, then 8 bytes of flags and the face name.
    Fabrique_Wmf& Police(int hauteur, int echappement = 0) {
        const QByteArray suite = QByteArray(8, '\0') + QByteArray("DejaVu Sans").leftJustified(32, '\0');
        return Rec(CREATEFONTINDIRECT, {-hauteur, 0, echappement, echappement, 700}, suite);
    }

    // The metafile without / with a placeable header (bounding box g, h, d, b). A Fabrique_Wmf
    // stands for its plain metafile where bytes are expected.
    QByteArray Simple(int nb_objets = 16) const {
        QByteArray o, corps = octets_;
        Ajoute32(corps, 3), Ajoute16(corps, 0);  // the EOF record
        for (int v : {1, 9, 0x0300}) Ajoute16(o, v);
        Ajoute32(o, static_cast<uint32_t>((18 + corps.size()) / 2));
        Ajoute16(o, nb_objets), Ajoute32(o, 0), Ajoute16(o, 0);
        return o + corps;
    }
    operator QByteArray() const { return Simple(); }  // NOLINT: implicit on purpose
    QByteArray Placable(int g, int h, int d, int b, int nb_objets = 16) const {
        QByteArray e;
        Ajoute32(e, 0x9AC6CDD7u);
        for (int v : {0, g, h, d, b, 96, 0, 0}) Ajoute16(e, v);
        int somme = 0;
        for (int i = 0; i < 20; i += 2)
            somme ^= static_cast<uint8_t>(e[i]) | (static_cast<uint8_t>(e[i + 1]) << 8);
        Ajoute16(e, somme);
        return e + Simple(nb_objets);
    }

    // The 40-byte header of a DIB (size of the bits 0) and its colour table, for tests that write
    // the bits themselves (run-length encodings).
    static QByteArray Entete_Dib(int largeur, int hauteur, int bits, int compression,
                                 const std::vector<QRgb>& table) {
        QByteArray o;
        for (int v : {40, largeur, hauteur}) Ajoute32(o, static_cast<uint32_t>(v));
        Ajoute16(o, 1), Ajoute16(o, bits);
        for (int v : {compression, 0, 0, 0, static_cast<int>(table.size()), 0})
            Ajoute32(o, static_cast<uint32_t>(v));
        for (QRgb c : table) Ajoute32(o, c & 0xFFFFFF);
        return o;
    }
    // A packed DIB with a 40-byte header for `image` at the given depth (1, 4, 8, 24 or 32), with
    // the image's own colours in the table for depths up to 8; rows bottom-up padded to 32 bits.
    static QByteArray Dib(const QImage& source, int bits) {
        const QImage image = source.convertToFormat(QImage::Format_RGB32);
        const int w = image.width(), h = image.height();
        std::vector<QRgb> table;
        for (int i = 0; i < w * h && bits <= 8; ++i)
            if (std::find(table.begin(), table.end(), image.pixel(i % w, i / w)) == table.end())
                table.push_back(image.pixel(i % w, i / w));
        if (bits <= 8)
            table.resize(1u << bits, qRgb(0, 0, 0));
        QByteArray o = Entete_Dib(w, h, bits, 0, table);
        for (int y = h - 1; y >= 0; --y) {
            QByteArray ligne(((w * bits + 31) / 32) * 4, '\0');
            for (int x = 0; x < w; ++x) {
                const QRgb c = image.pixel(x, y);
                const int i = static_cast<int>(std::find(table.begin(), table.end(), c) - table.begin());
                if (bits <= 8)  // indices packed from the high bits
                    ligne[x * bits / 8] =
                        static_cast<char>(ligne[x * bits / 8] | (i << (8 - bits - x * bits % 8)));
                else
                    for (int k = 0; k < 3; ++k) ligne[bits / 8 * x + k] = static_cast<char>(c >> (8 * k));
            }
            o.append(ligne);
        }
        return o;
    }

  private:
    QByteArray octets_;
};

// Colours with their alpha: a transparent canvas must stay transparent where nothing is drawn.
inline constexpr QRgb Blanc = 0xFFFFFFFF, Noir = 0xFF000000, Rouge = 0xFFFF0000, Vert = 0xFF00FF00,
                      Bleu = 0xFF0000FF, Transparent = 0;
// In a zone: any pixel darker than mid-grey (text, antialiased).
inline constexpr QRgb Sombre = 1;

struct Sonde {
    int x, y;
    QRgb couleur;
};
// A zone holding more than `plus_de` pixels of the colour, or none at all when it is 0.
struct Zone {
    QRect rect;
    int plus_de;
    QRgb couleur = Sombre;
};
inline void Verifie(const QImage& im, const std::vector<Sonde>& sondes, const std::vector<Zone>& zones = {}) {
    for (const Sonde& s : sondes) EXPECT_EQ(im.pixel(s.x, s.y), s.couleur) << "at " << s.x << ", " << s.y;
    for (const Zone& z : zones) {
        int n = 0;
        for (int y = z.rect.top(); y <= z.rect.bottom(); ++y)
            for (int x = z.rect.left(); x <= z.rect.right(); ++x)
                n += z.couleur == Sombre ? qGray(im.pixel(x, y)) < 100 : im.pixel(x, y) == z.couleur;
        EXPECT_TRUE(z.plus_de ? n > z.plus_de : n == 0)
            << n << " pixels of " << std::hex << z.couleur << " in the zone at " << std::dec << z.rect.x()
            << ", " << z.rect.y();
    }
}

}  // namespace kestrane::wmf::test
