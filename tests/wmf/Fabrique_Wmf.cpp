#include "Fabrique_Wmf.h"

#include <QList>

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
    QByteArray o;
    QByteArray corps = enregistrements_;
    Ajoute32(corps, 3);
    Ajoute16(corps, 0);
    Ajoute16(o, 1);
    Ajoute16(o, 9);
    Ajoute16(o, 0x0300);
    Ajoute32(o, static_cast<uint32_t>((18 + corps.size()) / 2));
    Ajoute16(o, nb_objets);
    Ajoute32(o, 0);
    Ajoute16(o, 0);
    return o + corps;
}

QByteArray Fabrique_Wmf::Placable(int g, int h, int d, int b, int nb_objets) const {
    QByteArray e;
    Ajoute32(e, 0x9AC6CDD7u);
    Ajoute16(e, 0);
    Ajoute16(e, g);
    Ajoute16(e, h);
    Ajoute16(e, d);
    Ajoute16(e, b);
    Ajoute16(e, 96);
    Ajoute32(e, 0);
    int somme = 0;
    for (int i = 0; i < 20; i += 2)
        somme ^= static_cast<uint8_t>(e[i]) | (static_cast<uint8_t>(e[i + 1]) << 8);
    Ajoute16(e, somme);
    return e + Simple(nb_objets);
}

QByteArray Fabrique_Wmf::Dib(const QImage& source, int bits) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    QList<QRgb> table;
    if (bits <= 8) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (!table.contains(image.pixel(x, y) | 0xFF000000))
                    table.append(image.pixel(x, y) | 0xFF000000);
        table.resize(1 << bits, qRgb(0, 0, 0));
    }
    const int pas = ((w * bits + 31) / 32) * 4;
    QByteArray o;
    Ajoute32(o, 40);
    Ajoute32(o, static_cast<uint32_t>(w));
    Ajoute32(o, static_cast<uint32_t>(h));
    Ajoute16(o, 1);
    Ajoute16(o, bits);
    Ajoute32(o, 0);
    Ajoute32(o, static_cast<uint32_t>(pas * h));
    Ajoute32(o, 0);
    Ajoute32(o, 0);
    Ajoute32(o, 0);
    Ajoute32(o, 0);
    for (QRgb c : table) {
        o.append(static_cast<char>(qBlue(c)));
        o.append(static_cast<char>(qGreen(c)));
        o.append(static_cast<char>(qRed(c)));
        o.append('\0');
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray ligne(pas, '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            switch (bits) {
                case 1:
                    if (table.indexOf(c | 0xFF000000))
                        ligne[x / 8] = static_cast<char>(ligne[x / 8] | (0x80 >> (x % 8)));
                    break;
                case 4:
                    ligne[x / 2] = static_cast<char>(ligne[x / 2] |
                                                     (table.indexOf(c | 0xFF000000) << ((x % 2) ? 0 : 4)));
                    break;
                case 8:
                    ligne[x] = static_cast<char>(table.indexOf(c | 0xFF000000));
                    break;
                case 24:
                    ligne[3 * x] = static_cast<char>(qBlue(c));
                    ligne[3 * x + 1] = static_cast<char>(qGreen(c));
                    ligne[3 * x + 2] = static_cast<char>(qRed(c));
                    break;
                case 32:
                    ligne[4 * x] = static_cast<char>(qBlue(c));
                    ligne[4 * x + 1] = static_cast<char>(qGreen(c));
                    ligne[4 * x + 2] = static_cast<char>(qRed(c));
                    break;
            }
        }
        o.append(ligne);
    }
    return o;
}

}  // namespace kestrane::wmf::test
