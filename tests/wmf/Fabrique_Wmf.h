#pragma once
// Hand-made metafiles for the tests: records are appended word by word, exactly as the tests
// spell them (parameters in file order, that is reversed), then wrapped in a header.

#include <QByteArray>
#include <QColor>
#include <QImage>

#include <cstdint>
#include <vector>

namespace kestrane::wmf::test {

class Fabrique_Wmf {
  public:
    // Appends a record of function f with the given parameter words and trailing bytes.
    Fabrique_Wmf& Rec(uint16_t f, std::vector<int> mots = {}, const QByteArray& suite = {});
    // Common records, parameters in natural order.
    Fabrique_Wmf& Fenetre(int x, int y, int largeur, int hauteur);
    Fabrique_Wmf& Stylo(int style, int largeur, QColor c);
    Fabrique_Wmf& Brosse(int style, QColor c, int hachure = 0);
    Fabrique_Wmf& Choisit(int indice);
    Fabrique_Wmf& Rectangle(int g, int h, int d, int b);
    Fabrique_Wmf& Polygone(const std::vector<QPoint>& points);

    // The metafile without / with a placeable header (bounding box g, h, d, b).
    QByteArray Simple(int nb_objets = 16) const;
    QByteArray Placable(int g, int h, int d, int b, int nb_objets = 16) const;
    // Raw record bytes, for tests that damage them.
    const QByteArray& Enregistrements() const { return enregistrements_; }

    static std::vector<int> Couleur(QColor c) {
        const uint32_t v = static_cast<uint32_t>(c.red() | (c.green() << 8) | (c.blue() << 16));
        return {static_cast<int>(v & 0xFFFF), static_cast<int>(v >> 16)};
    }
    // The 40-byte header of a DIB (size of the bits 0) and its colour table, for tests that write
    // the bits themselves (run-length encodings).
    static QByteArray Entete_Dib(int largeur, int hauteur, int bits, int compression,
                                 const std::vector<QRgb>& table);
    // A packed DIB with a 40-byte header for `image` at the given depth (1, 4, 8, 24 or 32),
    // with the image's own colours in the table for depths up to 8.
    static QByteArray Dib(const QImage& image, int bits);

  private:
    QByteArray enregistrements_;
};

// The colour of a pixel without alpha.
inline QRgb Pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

}  // namespace kestrane::wmf::test
