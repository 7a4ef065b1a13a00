#include "Ecriture_Images.h"

#include <gif_lib.h>

#include <QBuffer>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <unordered_map>

#include "Conversion_Svg.h"
#include "Svg_Autonome.h"

namespace fs = std::filesystem;

namespace kestrane::kb {

Status Ecrit_Wmf(const std::string& svg, const std::string& wmf, int largeur, int hauteur) {
    if (auto lu = Lit_Svg_Autonome(svg); !lu)
        return lu.status();
    return Convertit_Svg_En_Wmf(svg, wmf, largeur, hauteur);
}

Status Ecrit_Wmf_Texte(const std::string& texte_svg, const std::string& wmf, int largeur, int hauteur) {
    const std::string temporaire = wmf + ".svg";
    {
        std::ofstream out(temporaire, std::ios::trunc);
        out << texte_svg;
        if (!out)
            return Status::Error(temporaire + ": cannot be written");
    }
    Status s = Ecrit_Wmf(temporaire, wmf, largeur, hauteur);
    std::error_code ec;
    fs::remove(temporaire, ec);
    return s;
}

namespace {

void Pose_16(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void Pose_32(std::string& out, unsigned v) {
    Pose_16(out, v & 0xFFFF);
    Pose_16(out, v >> 16);
}

}  // namespace

Status Ecrit_Ico(const std::string& svg, const std::string& ico) {
    auto lu = Lit_Svg_Autonome(svg);
    if (!lu)
        return lu.status();
    QSvgRenderer rendu(*lu);
    if (!rendu.isValid())
        return Status::Error(svg + ": not a readable SVG drawing");
    const int cote = 32;
    QImage image(cote, cote, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        rendu.render(&p, QRectF(0, 0, cote, cote));
    }
    // BMP payload: BITMAPINFOHEADER (height doubled for the mask), BGRA rows bottom-up, AND mask.
    std::string bmp;
    Pose_32(bmp, 40);
    Pose_32(bmp, cote);
    Pose_32(bmp, cote * 2);
    Pose_16(bmp, 1);
    Pose_16(bmp, 32);
    Pose_32(bmp, 0);
    Pose_32(bmp, 0);
    Pose_32(bmp, 0);
    Pose_32(bmp, 0);
    Pose_32(bmp, 0);
    Pose_32(bmp, 0);
    for (int y = cote - 1; y >= 0; --y) {
        const auto* ligne = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < cote; ++x) Pose_32(bmp, ligne[x]);  // ARGB32 in memory is B, G, R, A
    }
    const int octets_masque = ((cote + 31) / 32) * 4;
    for (int y = cote - 1; y >= 0; --y) {
        std::string rangee(static_cast<size_t>(octets_masque), '\0');
        const auto* ligne = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < cote; ++x)
            if (qAlpha(ligne[x]) == 0)
                rangee[static_cast<size_t>(x / 8)] =
                    static_cast<char>(rangee[static_cast<size_t>(x / 8)] | (0x80 >> (x % 8)));
        bmp += rangee;
    }
    std::string fichier;
    Pose_16(fichier, 0);
    Pose_16(fichier, 1);  // icon
    Pose_16(fichier, 1);  // one image
    fichier += static_cast<char>(cote);
    fichier += static_cast<char>(cote);
    fichier += '\0';  // no palette
    fichier += '\0';
    Pose_16(fichier, 1);
    Pose_16(fichier, 32);
    Pose_32(fichier, static_cast<unsigned>(bmp.size()));
    Pose_32(fichier, 22);
    fichier += bmp;
    std::ofstream out(ico, std::ios::binary | std::ios::trunc);
    out.write(fichier.data(), static_cast<std::streamsize>(fichier.size()));
    out.close();
    if (!out)
        return Status::Error(ico + ": cannot be written");
    return Status::Ok();
}

namespace {

// An 8-bit image of a drawing made of flat colours: its 256 most frequent colours (counted on a
// sample of the pixels) make the palette, so the fills keep their exact colours; the other pixels
// (antialiased edges) take the nearest palette colour.
QImage Reduit_A_256_Couleurs(const QImage& source) {
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    std::unordered_map<QRgb, int> frequence;
    for (int y = 0; y < rgb.height(); y += 3) {
        const auto* ligne = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); x += 3) ++frequence[ligne[x] | 0xFF000000u];
    }
    std::vector<std::pair<int, QRgb>> tri;
    for (const auto& [c, n] : frequence) tri.push_back({n, c});
    std::sort(tri.begin(), tri.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    if (tri.size() > 256)
        tri.resize(256);
    QList<QRgb> table;
    std::unordered_map<QRgb, int> index;
    for (const auto& [n, c] : tri) {
        index[c] = static_cast<int>(table.size());
        table.push_back(c);
    }
    // Nearest palette entry of each colour at 5 bits per component, computed on first need.
    std::vector<int> proche(32768, -1);
    auto plus_proche = [&](QRgb c) {
        const int cle = ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3);
        int& k = proche[static_cast<size_t>(cle)];
        if (k < 0) {
            long meilleur = -1;
            for (int i = 0; i < table.size(); ++i) {
                const long dr = qRed(table[i]) - qRed(c), dg = qGreen(table[i]) - qGreen(c),
                           db = qBlue(table[i]) - qBlue(c);
                const long d = dr * dr + dg * dg + db * db;
                if (meilleur < 0 || d < meilleur)
                    meilleur = d, k = i;
            }
        }
        return k;
    };
    QImage out(rgb.size(), QImage::Format_Indexed8);
    out.setColorTable(table);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* ligne = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* dest = out.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = ligne[x] | 0xFF000000u;
            auto it = index.find(c);
            dest[x] = static_cast<uchar>(it != index.end() ? it->second : plus_proche(c));
        }
    }
    return out;
}

}  // namespace

Status Ecrit_Gif(const QImage& source, const std::string& gif) {
    const QImage image = Reduit_A_256_Couleurs(source);
    const QList<QRgb> table = image.colorTable();
    int taille = 2;
    while (taille < table.size()) taille *= 2;
    std::vector<GifColorType> couleurs(static_cast<size_t>(taille));
    for (int i = 0; i < table.size(); ++i) {
        couleurs[static_cast<size_t>(i)] = {static_cast<GifByteType>(qRed(table[i])),
                                            static_cast<GifByteType>(qGreen(table[i])),
                                            static_cast<GifByteType>(qBlue(table[i]))};
    }
    int erreur = 0;
    GifFileType* f = EGifOpenFileName(gif.c_str(), false, &erreur);
    if (!f)
        return Status::Error(gif + ": cannot be created (" + GifErrorString(erreur) + ")");
    ColorMapObject* carte = GifMakeMapObject(taille, couleurs.data());
    bool ok = carte && EGifPutScreenDesc(f, image.width(), image.height(), 8, 0, carte) == GIF_OK &&
              EGifPutImageDesc(f, 0, 0, image.width(), image.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < image.height(); ++y)
        ok = EGifPutLine(f, const_cast<GifPixelType*>(image.constScanLine(y)), image.width()) == GIF_OK;
    GifFreeMapObject(carte);
    if (EGifCloseFile(f, &erreur) != GIF_OK)
        ok = false;
    if (!ok)
        return Status::Error(gif + ": cannot be written");
    // giflib creates the file readable by its owner only; documents are for everyone to read.
    std::error_code ec;
    fs::permissions(
        gif, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read,
        ec);
    return Status::Ok();
}

Result<std::string> Svg_Grille(const std::vector<std::string>& dessins, int lignes, int colonnes, int cote) {
    std::ostringstream out;
    const int largeur = colonnes * cote, hauteur = lignes * cote;
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << largeur << "\" height=\"" << hauteur
        << "\" viewBox=\"0 0 " << largeur << " " << hauteur << "\">\n"
        << "<rect x=\"0\" y=\"0\" width=\"" << largeur << "\" height=\"" << hauteur
        << "\" fill=\"#ffffff\"/>\n";
    static const std::regex re_debut("<svg\\b[^>]*>");
    static const std::regex re_vue(
        "viewBox\\s*=\\s*\"\\s*([-0-9.eE]+)[ ,]+([-0-9.eE]+)[ ,]+([-0-9.eE]+)[ ,]+([-0-9.eE]+)\\s*\"");
    for (size_t k = 0; k < dessins.size(); ++k) {
        const int x = static_cast<int>(k) % colonnes * cote, y = static_cast<int>(k) / colonnes * cote;
        if (!dessins[k].empty()) {
            std::ifstream in(dessins[k]);
            if (!in)
                return Status::Error(dessins[k] + ": cannot be read");
            std::stringstream tout;
            tout << in.rdbuf();
            const std::string texte = tout.str();
            if (Status s = Verifie_Svg_Autonome(QByteArray::fromStdString(texte), dessins[k]); !s.ok())
                return s;
            std::smatch m;
            if (!std::regex_search(texte, m, re_debut))
                return Status::Error(dessins[k] + ": no <svg> element");
            const std::string debut = m.str(0);
            const size_t interieur = static_cast<size_t>(m.position(0) + m.length(0));
            const size_t fin = texte.rfind("</svg>");
            std::smatch v;
            if (!std::regex_search(debut, v, re_vue) || fin == std::string::npos || fin < interieur)
                return Status::Error(dessins[k] + ": the drawing needs a viewBox and a closing </svg>");
            const double vx = std::stod(v.str(1)), vy = std::stod(v.str(2)), vw = std::stod(v.str(3)),
                         vh = std::stod(v.str(4));
            const double marge = cote * 0.05;
            const double echelle = std::min((cote - 2 * marge) / vw, (cote - 2 * marge) / vh);
            const double dx = x + (cote - vw * echelle) / 2, dy = y + (cote - vh * echelle) / 2;
            out << "<g transform=\"translate(" << dx << " " << dy << ") scale(" << echelle << ") translate("
                << -vx << " " << -vy << ")\">\n"
                << texte.substr(interieur, fin - interieur) << "\n</g>\n";
        }
        out << "<rect x=\"" << x + 2 << "\" y=\"" << y + 2 << "\" width=\"" << cote - 4 << "\" height=\""
            << cote - 4 << "\" fill=\"none\" stroke=\"#b0b0b0\" stroke-width=\"3\"/>\n";
    }
    out << "</svg>\n";
    return out.str();
}

std::string Svg_Palette(const std::vector<uint32_t>& couleurs, int largeur_bande, int hauteur) {
    std::ostringstream out;
    const int largeur = std::max<int>(1, static_cast<int>(couleurs.size())) * largeur_bande;
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << largeur << "\" height=\"" << hauteur
        << "\" viewBox=\"0 0 " << largeur << " " << hauteur << "\">\n";
    for (size_t k = 0; k < couleurs.size(); ++k) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "#%06x", couleurs[k] & 0xFFFFFFu);
        out << "<rect x=\"" << k * static_cast<size_t>(largeur_bande) << "\" y=\"0\" width=\""
            << largeur_bande << "\" height=\"" << hauteur << "\" fill=\"" << hex << "\"/>\n";
    }
    out << "</svg>\n";
    return out.str();
}

Status Peint_Svg(QImage& image, const std::vector<std::string>& dessins, const QRectF& vue,
                 const QRectF& cible) {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(cible);
    for (const auto& d : dessins) {
        auto lu = Lit_Svg_Autonome(d);
        if (!lu)
            return lu.status();
        QSvgRenderer rendu(*lu);
        if (!rendu.isValid())
            return Status::Error(d + ": not a readable SVG drawing");
        const QRectF boite = rendu.viewBoxF();
        // The region `vue` is given in units of a drawing whose viewBox is the reference frame.
        rendu.setViewBox(QRectF(
            boite.x() + vue.x() * boite.width() / 2400.0, boite.y() + vue.y() * boite.height() / 1800.0,
            vue.width() * boite.width() / 2400.0, vue.height() * boite.height() / 1800.0));
        rendu.render(&p, cible);
    }
    return Status::Ok();
}

}  // namespace kestrane::kb
