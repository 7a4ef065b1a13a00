#include "Fabrique_Wmf.h"

#include <algorithm>

#include "Fonctions_Wmf.h"

namespace kestrane::wmf::test {

namespace {
void Ajoute16(QByteArray& o, int v) {
    o.append(static_cast<char>(v & 0xFF));
    o.append(static_cast<char>((v >> 8) & 0xFF));
}
void Ajoute32(QByteArray& o, uint32_t v) {
    Ajoute16(o, static_cast<int>(v & 0xFFFF));
    Ajoute16(o, static_cast<int>(v >> 16));
}
}  // namespace

Fabrique_Wmf& Fabrique_Wmf::Rec(uint16_t f, std::vector<int> mots, const QByteArray& suite) {
    Ajoute32(enregistrements_, static_cast<uint32_t>(3 + mots.size() + (suite.size() + 1) / 2));
    Ajoute16(enregistrements_, f);
    for (int m : mots) Ajoute16(enregistrements_, m);
    enregistrements_.append(suite);
    if (suite.size() % 2)
        enregistrements_.append('\0');
    return *this;
}

Fabrique_Wmf& Fabrique_Wmf::Fenetre(int x, int y, int largeur, int hauteur) {
    return Rec(SETWINDOWORG, {y, x}).Rec(SETWINDOWEXT, {hauteur, largeur});
}

Fabrique_Wmf& Fabrique_Wmf::Stylo(int style, int largeur, QColor c) {
    const auto v = Couleur(c);
    return Rec(CREATEPENINDIRECT, {style, largeur, 0, v[0], v[1]});
}

Fabrique_Wmf& Fabrique_Wmf::Brosse(int style, QColor c, int hachure) {
    const auto v = Couleur(c);
    return Rec(CREATEBRUSHINDIRECT, {style, v[0], v[1], hachure});
}

Fabrique_Wmf& Fabrique_Wmf::Choisit(int indice) {
    return Rec(SELECTOBJECT, {indice});
}

Fabrique_Wmf& Fabrique_Wmf::Rectangle(int g, int h, int d, int b) {
    return Rec(RECTANGLE, {b, d, h, g});
}

Fabrique_Wmf& Fabrique_Wmf::Polygone(const std::vector<QPoint>& points) {
    std::vector<int> mots{static_cast<int>(points.size())};
    for (const QPoint& p : points) {
        mots.push_back(p.x());
        mots.push_back(p.y());
    }
    return Rec(POLYGON, mots);
}

QByteArray Fabrique_Wmf::Simple(int nb_objets) const {
    QByteArray o, corps = enregistrements_;
    Ajoute32(corps, 3);  // the EOF record
    Ajoute16(corps, 0);
    for (int v : {1, 9, 0x0300}) Ajoute16(o, v);
    Ajoute32(o, static_cast<uint32_t>((18 + corps.size()) / 2));
    Ajoute16(o, nb_objets);
    Ajoute32(o, 0);
    Ajoute16(o, 0);
    return o + corps;
}

QByteArray Fabrique_Wmf::Placable(int g, int h, int d, int b, int nb_objets) const {
    QByteArray e;
    Ajoute32(e, 0x9AC6CDD7u);
    for (int v : {0, g, h, d, b, 96, 0, 0}) Ajoute16(e, v);
    int somme = 0;
    for (int i = 0; i < 20; i += 2)
        somme ^= static_cast<uint8_t>(e[i]) | (static_cast<uint8_t>(e[i + 1]) << 8);
    Ajoute16(e, somme);
    return e + Simple(nb_objets);
}

QByteArray Fabrique_Wmf::Entete_Dib(int largeur, int hauteur, int bits, int compression,
                                    const std::vector<QRgb>& table) {
    QByteArray o;
    for (int v : {40, largeur, hauteur}) Ajoute32(o, static_cast<uint32_t>(v));
    Ajoute16(o, 1);
    Ajoute16(o, bits);
    for (int v : {compression, 0, 0, 0, static_cast<int>(table.size()), 0})
        Ajoute32(o, static_cast<uint32_t>(v));
    for (QRgb c : table) Ajoute32(o, c & 0xFFFFFF);
    return o;
}

QByteArray Fabrique_Wmf::Dib(const QImage& source, int bits) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    std::vector<QRgb> table;
    for (int y = 0; y < h && bits <= 8; ++y)
        for (int x = 0; x < w; ++x)
            if (std::find(table.begin(), table.end(), image.pixel(x, y)) == table.end())
                table.push_back(image.pixel(x, y));
    if (bits <= 8)
        table.resize(1u << bits, qRgb(0, 0, 0));
    QByteArray o = Entete_Dib(w, h, bits, 0, table);
    for (int y = h - 1; y >= 0; --y) {  // bottom-up rows padded to 32 bits
        QByteArray ligne(((w * bits + 31) / 32) * 4, '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            if (bits <= 8) {  // indices packed from the high bits
                const int i = static_cast<int>(std::find(table.begin(), table.end(), c) - table.begin());
                const int par_octet = 8 / bits;
                ligne[x / par_octet] =
                    static_cast<char>(ligne[x / par_octet] | (i << (8 - bits * (x % par_octet + 1))));
                continue;
            }
            ligne[bits / 8 * x] = static_cast<char>(qBlue(c));
            ligne[bits / 8 * x + 1] = static_cast<char>(qGreen(c));
            ligne[bits / 8 * x + 2] = static_cast<char>(qRed(c));
        }
        o.append(ligne);
    }
    return o;
}

}  // namespace kestrane::wmf::test
