#include "Dib.h"

#include <algorithm>
#include <cstring>

namespace kestrane::wmf {

namespace {

uint16_t Lit16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t Lit32(const uint8_t* p) {
    return Lit16(p) | (static_cast<uint32_t>(Lit16(p + 2)) << 16);
}

// Bits of one pixel out of a packed row.
inline uint32_t Indice(const uint8_t* ligne, int x, int bits) {
    switch (bits) {
        case 1:
            return (ligne[x >> 3] >> (7 - (x & 7))) & 1u;
        case 4:
            return (ligne[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xFu;
        default:
            return ligne[x];
    }
}

int Decalage_Masque(uint32_t masque) {
    if (masque == 0)
        return 0;
    int d = 0;
    while (!(masque & 1u)) {
        masque >>= 1;
        ++d;
    }
    return d;
}

// Extracts one channel under a bit-field mask and widens it to 8 bits.
uint32_t Canal(uint32_t valeur, uint32_t masque) {
    if (masque == 0)
        return 0;
    const int d = Decalage_Masque(masque);
    const uint32_t m = masque >> d;
    return ((valeur >> d) & m) * 255u / m;
}

// Expands RLE8/RLE4 data into one byte per pixel index, rows bottom-up as stored.
void Decompresse_Rle(const uint8_t* p, size_t n, int bits, int largeur, int hauteur,
                     std::vector<uint8_t>& sortie) {
    size_t i = 0;
    int x = 0, y = 0;
    auto pose = [&](uint8_t v) {
        if (x < largeur && y < hauteur)
            sortie[static_cast<size_t>(y) * largeur + x] = v;
        ++x;
    };
    while (i + 1 < n && y < hauteur) {
        const uint8_t a = p[i], b = p[i + 1];
        i += 2;
        if (a > 0) {
            for (int k = 0; k < a && x < largeur; ++k)
                pose(bits == 8 ? b : static_cast<uint8_t>((k & 1) ? (b & 0xF) : (b >> 4)));
        } else if (b == 0) {
            x = 0;
            ++y;
        } else if (b == 1) {
            break;
        } else if (b == 2) {
            if (i + 1 >= n)
                break;
            x += p[i];
            y += p[i + 1];
            i += 2;
        } else {
            const int nb = b;
            const size_t octets = bits == 8 ? nb : (nb + 1) / 2;
            if (i + octets > n)
                break;
            for (int k = 0; k < nb; ++k)
                pose(bits == 8 ? p[i + k]
                               : static_cast<uint8_t>((k & 1) ? (p[i + k / 2] & 0xF) : (p[i + k / 2] >> 4)));
            i += (octets + 1) & ~size_t{1};
        }
    }
}

}  // namespace

Result<QImage> Dib::Decode(const uint8_t* p, size_t n, bool couleurs_palette, const QList<QRgb>& palette) {
    if (n < 12)
        return Status::Error("bitmap too short for a header");
    const uint32_t taille_entete = Lit32(p);
    int64_t largeur = 0, hauteur = 0;
    int bits = 0;
    uint32_t compression = 0, nb_couleurs = 0;
    int octets_couleur = 4;
    if (taille_entete == 12) {
        largeur = Lit16(p + 4);
        hauteur = static_cast<int16_t>(Lit16(p + 6));
        bits = Lit16(p + 10);
        octets_couleur = 3;
    } else if (taille_entete >= 40 && taille_entete <= 124 && n >= taille_entete) {
        largeur = static_cast<int32_t>(Lit32(p + 4));
        hauteur = static_cast<int32_t>(Lit32(p + 8));
        bits = Lit16(p + 14);
        compression = Lit32(p + 16);
        nb_couleurs = Lit32(p + 32);
    } else {
        return Status::Error("unknown bitmap header size " + std::to_string(taille_entete));
    }
    const bool descendant = hauteur < 0;
    hauteur = std::abs(hauteur);
    if (largeur <= 0 || hauteur <= 0 || largeur > 65535 || hauteur > 65535 || largeur * hauteur > Pixels_Max)
        return Status::Error("bitmap size " + std::to_string(largeur) + " x " + std::to_string(hauteur) +
                             " refused");
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return Status::Error("bitmap of " + std::to_string(bits) + " bits per pixel");
    const bool rle = compression == 1 || compression == 2;
    if (compression > 3 || (compression == 1 && bits != 8) || (compression == 2 && bits != 4) ||
        (compression == 3 && bits != 16 && bits != 32))
        return Status::Error("bitmap compression " + std::to_string(compression) + " not handled");

    size_t pos = taille_entete;
    uint32_t masques[3] = {0x7C00, 0x03E0, 0x001F};
    if (bits == 32) {
        masques[0] = 0xFF0000;
        masques[1] = 0xFF00;
        masques[2] = 0xFF;
    }
    if (compression == 3) {
        if (taille_entete == 40) {
            if (n < pos + 12)
                return Status::Error("bitmap bit fields missing");
            for (int k = 0; k < 3; ++k) masques[k] = Lit32(p + pos + 4 * k);
            pos += 12;
        } else {
            for (int k = 0; k < 3; ++k) masques[k] = Lit32(p + 40 + 4 * k);
        }
    }
    QList<QRgb> table;
    if (bits <= 8) {
        const uint32_t entrees =
            (nb_couleurs == 0 || nb_couleurs > (1u << bits)) ? (1u << bits) : nb_couleurs;
        const size_t taille = couleurs_palette ? 2 : static_cast<size_t>(octets_couleur);
        if (n < pos + entrees * taille)
            return Status::Error("bitmap colour table truncated");
        table.resize(1 << bits, qRgb(0, 0, 0));
        for (uint32_t k = 0; k < entrees; ++k) {
            const uint8_t* c = p + pos + k * taille;
            if (couleurs_palette) {
                const uint16_t i = Lit16(c);
                table[k] = i < palette.size() ? palette[i] : (i ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
            } else {
                table[k] = qRgb(c[2], c[1], c[0]);
            }
        }
        pos += entrees * taille;
    } else if (nb_couleurs > 0 && taille_entete >= 40 && !couleurs_palette) {
        // An optional colour table for devices with palettes: skipped.
        pos += std::min<size_t>(static_cast<size_t>(nb_couleurs) * 4, n - std::min(n, pos));
    }
    if (pos > n)
        pos = n;
    const uint8_t* bits_debut = p + pos;
    const size_t disponibles = n - pos;
    const int w = static_cast<int>(largeur), h = static_cast<int>(hauteur);

    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull())
        return Status::Error("out of memory for bitmap");
    image.fill(qRgb(255, 255, 255));
    auto ligne_image = [&](int y_stockee) {
        return reinterpret_cast<QRgb*>(image.scanLine(descendant ? y_stockee : h - 1 - y_stockee));
    };

    if (rle) {
        std::vector<uint8_t> indices(static_cast<size_t>(w) * h, 0);
        Decompresse_Rle(bits_debut, disponibles, bits, w, h, indices);
        for (int y = 0; y < h; ++y) {
            QRgb* d = ligne_image(y);
            const uint8_t* s = indices.data() + static_cast<size_t>(y) * w;
            for (int x = 0; x < w; ++x) d[x] = table[s[x] & ((1 << bits) - 1)];
        }
        return image;
    }
    const size_t pas = ((static_cast<size_t>(w) * bits + 31) / 32) * 4;
    const int lignes = static_cast<int>(std::min<size_t>(h, disponibles / pas));
    for (int y = 0; y < lignes; ++y) {
        const uint8_t* s = bits_debut + static_cast<size_t>(y) * pas;
        QRgb* d = ligne_image(y);
        switch (bits) {
            case 1:
            case 4:
            case 8:
                for (int x = 0; x < w; ++x) d[x] = table[Indice(s, x, bits)];
                break;
            case 16:
                for (int x = 0; x < w; ++x) {
                    const uint32_t v = Lit16(s + 2 * x);
                    d[x] = qRgb(Canal(v, masques[0]), Canal(v, masques[1]), Canal(v, masques[2]));
                }
                break;
            case 24:
                for (int x = 0; x < w; ++x) d[x] = qRgb(s[3 * x + 2], s[3 * x + 1], s[3 * x]);
                break;
            case 32:
                for (int x = 0; x < w; ++x) {
                    const uint32_t v = Lit32(s + 4 * x);
                    d[x] = qRgb(Canal(v, masques[0]), Canal(v, masques[1]), Canal(v, masques[2]));
                }
                break;
        }
    }
    return image;
}

Result<QImage> Dib::Decode_Bitmap16(const uint8_t* p, size_t n, QRgb avant, QRgb fond) {
    if (n < 10)
        return Status::Error("Bitmap16 too short");
    const int largeur = static_cast<int16_t>(Lit16(p + 2));
    const int hauteur = static_cast<int16_t>(Lit16(p + 4));
    const int pas = static_cast<int16_t>(Lit16(p + 6));
    const int plans = p[8], bits = p[9];
    if (largeur <= 0 || hauteur <= 0 || static_cast<int64_t>(largeur) * hauteur > Pixels_Max || plans != 1 ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) ||
        pas < (static_cast<int64_t>(largeur) * bits + 7) / 8)
        return Status::Error("Bitmap16 header refused");
    QImage image(largeur, hauteur, QImage::Format_RGB32);
    if (image.isNull())
        return Status::Error("out of memory for bitmap");
    image.fill(fond);
    const uint8_t* s0 = p + 10;
    const size_t disponibles = n - 10;
    const int lignes = static_cast<int>(std::min<size_t>(hauteur, disponibles / static_cast<size_t>(pas)));
    for (int y = 0; y < lignes; ++y) {  // device-dependent bitmaps are stored top-down
        const uint8_t* s = s0 + static_cast<size_t>(y) * pas;
        QRgb* d = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < largeur; ++x) {
            switch (bits) {
                case 1:
                    d[x] = Indice(s, x, 1) ? fond : avant;
                    break;
                case 4:
                case 8: {
                    const int v = static_cast<int>(Indice(s, x, bits)) * 255 / ((1 << bits) - 1);
                    d[x] = qRgb(v, v, v);
                    break;
                }
                case 24:
                    d[x] = qRgb(s[3 * x + 2], s[3 * x + 1], s[3 * x]);
                    break;
                case 32:
                    d[x] = qRgb(s[4 * x + 2], s[4 * x + 1], s[4 * x]);
                    break;
            }
        }
    }
    return image;
}

QByteArray Dib::Encode(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    const int pas = ((w * 24 + 31) / 32) * 4;
    QByteArray o(40 + static_cast<qsizetype>(pas) * h, '\0');
    auto* p = reinterpret_cast<uint8_t*>(o.data());
    auto ecrit32 = [](uint8_t* d, uint32_t v) {
        for (int k = 0; k < 4; ++k) d[k] = static_cast<uint8_t>(v >> (8 * k));
    };
    ecrit32(p, 40);
    ecrit32(p + 4, static_cast<uint32_t>(w));
    ecrit32(p + 8, static_cast<uint32_t>(h));
    p[12] = 1;
    p[14] = 24;
    ecrit32(p + 20, static_cast<uint32_t>(pas * h));
    for (int y = 0; y < h; ++y) {
        const QRgb* s = reinterpret_cast<const QRgb*>(image.constScanLine(h - 1 - y));
        uint8_t* d = p + 40 + static_cast<size_t>(y) * pas;
        for (int x = 0; x < w; ++x) {
            d[3 * x] = static_cast<uint8_t>(qBlue(s[x]));
            d[3 * x + 1] = static_cast<uint8_t>(qGreen(s[x]));
            d[3 * x + 2] = static_cast<uint8_t>(qRed(s[x]));
        }
    }
    return o;
}

}  // namespace kestrane::wmf
