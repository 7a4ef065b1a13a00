#include "Texte_Wmf.h"

#include <QFontMetricsF>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>

namespace kestrane::wmf {

namespace {

const char* Page_De_Code(uint8_t jeu) {
    switch (jeu) {
        case 128:
            return "Shift_JIS";
        case 129:
            return "windows-949";
        case 130:
            return "windows-1361";
        case 134:
            return "GBK";
        case 136:
            return "Big5";
        case 161:
            return "windows-1253";
        case 162:
            return "windows-1254";
        case 163:
            return "windows-1258";
        case 177:
            return "windows-1255";
        case 178:
            return "windows-1256";
        case 186:
            return "windows-1257";
        case 204:
            return "windows-1251";
        case 222:
            return "windows-874";
        case 238:
            return "windows-1250";
        case 255:
            return "IBM437";
        default:
            return "windows-1252";
    }
}

bool Double_Octet(uint8_t jeu) {
    return jeu == 128 || jeu == 129 || jeu == 130 || jeu == 134 || jeu == 136;
}

bool Octet_De_Tete(uint8_t jeu, uint8_t o) {
    if (jeu == 128)
        return (o >= 0x81 && o <= 0x9F) || (o >= 0xE0 && o <= 0xFC);
    return o >= 0x81 && o <= 0xFE;
}

// Windows-1252 beyond Latin-1, for systems whose Qt has no such codec.
constexpr char16_t Cp1252[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

}  // namespace

QFont Texte_Wmf::Police(const Police_Gdi& p, double hauteur) {
    QFont f(p.nom.isEmpty() ? QStringLiteral("Sans Serif") : p.nom);
    switch (p.famille & 0xF0) {
        case 0x10:
            f.setStyleHint(QFont::Serif);
            break;
        case 0x20:
            f.setStyleHint(QFont::SansSerif);
            break;
        case 0x30:
            f.setStyleHint(QFont::TypeWriter);
            break;
        case 0x40:
            f.setStyleHint(QFont::Cursive);
            break;
        case 0x50:
            f.setStyleHint(QFont::Decorative);
            break;
        default:
            break;
    }
    f.setWeight(static_cast<QFont::Weight>(std::clamp(p.poids == 0 ? 400 : p.poids, 1, 1000)));
    f.setItalic(p.italique);
    f.setUnderline(p.souligne);
    f.setStrikeOut(p.barre);
    f.setKerning(false);
    // Glyph edges keep the text colour: blended edges would read as colours of no palette.
    f.setStyleStrategy(QFont::NoAntialias);
    const double taille = hauteur > 0 ? hauteur : 12.0;  // GDI's default font is about 12 pixels high
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(std::min(taille, 4000.0)))));
    if (p.hauteur > 0) {
        // A cell height includes the internal leading: shrink the em so that ascent + descent fits.
        const QFontMetricsF m(f);
        const double cellule = m.ascent() + m.descent();
        if (cellule > 0)
            f.setPixelSize(std::max(1, static_cast<int>(std::lround(taille * taille / cellule))));
    }
    return f;
}

QString Texte_Wmf::Decode(const QByteArray& octets, uint8_t jeu) {
    if (jeu == 2)
        return QString::fromLatin1(octets);  // symbol fonts map bytes to their own glyphs
    QStringDecoder decodeur(Page_De_Code(jeu));
    if (decodeur.isValid())
        return decodeur.decode(octets);
    QString s;
    s.reserve(octets.size());
    for (char c : octets) {
        const auto o = static_cast<uint8_t>(c);
        s += (o >= 0x80 && o < 0xA0 && (jeu == 0 || jeu == 1)) ? QChar(Cp1252[o - 0x80]) : QChar(o);
    }
    return s;
}

std::vector<Texte_Wmf::Caractere> Texte_Wmf::Decoupe(const QByteArray& octets, uint8_t jeu) {
    std::vector<Caractere> sortie;
    const int n = static_cast<int>(octets.size());
    if (!Double_Octet(jeu)) {
        const QString texte = Decode(octets, jeu);
        if (texte.size() == n) {
            for (int i = 0; i < n; ++i) sortie.push_back({QString(texte[i]), i, 1});
            return sortie;
        }
        for (int i = 0; i < n; ++i) sortie.push_back({Decode(octets.mid(i, 1), jeu), i, 1});
        return sortie;
    }
    for (int i = 0; i < n;) {
        const int l = (Octet_De_Tete(jeu, static_cast<uint8_t>(octets[i])) && i + 1 < n) ? 2 : 1;
        sortie.push_back({Decode(octets.mid(i, l), jeu), i, l});
        i += l;
    }
    return sortie;
}

}  // namespace kestrane::wmf
