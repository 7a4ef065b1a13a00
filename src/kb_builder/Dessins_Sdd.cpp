#include "Dessins_Sdd.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <sstream>
#include <vector>

#include "Ecriture_Documents.h"

namespace kestrane::kb {

namespace {

// Characters of UTF-8 text, each as its bytes.
std::vector<std::string> Caracteres(const std::string& s) {
    std::vector<std::string> out;
    for (size_t i = 0; i < s.size();) {
        size_t n = 1;
        const auto c = static_cast<unsigned char>(s[i]);
        if (c >= 0xF0)
            n = 4;
        else if (c >= 0xE0)
            n = 3;
        else if (c >= 0xC0)
            n = 2;
        out.push_back(s.substr(i, n));
        i += n;
    }
    return out;
}

// The words of the text in lines of at most `largeur` characters (a longer word is cut).
std::vector<std::string> Coupe(const std::string& texte, size_t largeur) {
    std::vector<std::string> lignes;
    std::vector<std::string> ligne;  // characters of the line being filled
    std::vector<std::string> mot;
    auto pose_mot = [&] {
        while (!mot.empty()) {
            const size_t place = ligne.empty() ? largeur : largeur - std::min(largeur, ligne.size() + 1);
            if (mot.size() <= place) {
                if (!ligne.empty())
                    ligne.push_back(" ");
                ligne.insert(ligne.end(), mot.begin(), mot.end());
                mot.clear();
            } else if (!ligne.empty()) {
                std::string l;
                for (const auto& c : ligne) l += c;
                lignes.push_back(l);
                ligne.clear();
            } else {
                std::string l;
                for (size_t k = 0; k < largeur; ++k) l += mot[k];
                lignes.push_back(l);
                mot.erase(mot.begin(), mot.begin() + static_cast<std::ptrdiff_t>(largeur));
            }
        }
    };
    for (const auto& c : Caracteres(texte)) {
        if (c == " " || c == "\n" || c == "\t")
            pose_mot();
        else
            mot.push_back(c);
    }
    pose_mot();
    if (!ligne.empty()) {
        std::string l;
        for (const auto& c : ligne) l += c;
        lignes.push_back(l);
    }
    return lignes;
}

}  // namespace

std::string Svg_Carte(const std::string& texte, int largeur, int hauteur, bool italique) {
    const double marge = std::min(largeur, hauteur) * 0.08;
    const double utile_l = largeur - 2 * marge, utile_h = hauteur - 2 * marge;
    // The largest font at which the wrapped text fits, down to a floor where it is cut.
    double taille = std::min(utile_h / 2.0, utile_l / 6.0);
    const double plancher = std::max(8.0, std::min(largeur, hauteur) / 24.0);
    std::vector<std::string> lignes;
    for (;; taille *= 0.9) {
        const size_t par_ligne = std::max<size_t>(4, static_cast<size_t>(utile_l / (taille * 0.56)));
        lignes = Coupe(texte, par_ligne);
        const size_t tiennent = std::max<size_t>(1, static_cast<size_t>(utile_h / (taille * 1.25)));
        if (lignes.size() <= tiennent)
            break;
        if (taille * 0.9 < plancher) {
            lignes.resize(tiennent);
            lignes.back() += "…";
            break;
        }
    }
    std::ostringstream out;
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << largeur << "\" height=\"" << hauteur
        << "\" viewBox=\"0 0 " << largeur << " " << hauteur << "\">\n"
        << "<rect x=\"" << marge / 2 << "\" y=\"" << marge / 2 << "\" width=\"" << largeur - marge
        << "\" height=\"" << hauteur - marge << "\" rx=\"" << marge / 2
        << "\" fill=\"#f4f8ee\" stroke=\"#8fa67a\" stroke-width=\"" << std::max(2.0, marge / 8) << "\"/>\n";
    const double interligne = taille * 1.25;
    const double debut =
        hauteur / 2.0 - interligne * (static_cast<double>(lignes.size()) - 1) / 2.0 + taille * 0.35;
    for (size_t k = 0; k < lignes.size(); ++k)
        out << "<text x=\"" << largeur / 2.0 << "\" y=\"" << debut + interligne * static_cast<double>(k)
            << "\" font-family=\"DejaVu Sans\" font-size=\"" << taille << "\" text-anchor=\"middle\""
            << (italique ? " font-style=\"italic\"" : "") << " fill=\"#203020\">" << Echappe_Xml(lignes[k])
            << "</text>\n";
    out << "</svg>\n";
    return out.str();
}

Result<std::string> Svg_Image(const std::string& chemin, int largeur, int hauteur, int pixels) {
    QImageReader lecteur(QString::fromStdString(chemin));
    lecteur.setAutoTransform(true);
    // A picture far too large to be meant as one is refused before it is decoded.
    const QSize annonce = lecteur.size();
    if (annonce.isValid() && static_cast<qint64>(annonce.width()) * annonce.height() > 200'000'000)
        return Status::Error(chemin + ": the picture is too large");
    QImage image = lecteur.read();
    if (image.isNull())
        return Status::Error(chemin + ": not a readable picture (" + lecteur.errorString().toStdString() +
                             ")");
    if (image.width() > pixels || image.height() > pixels)
        image = image.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QByteArray png;
    QBuffer tampon(&png);
    tampon.open(QIODevice::WriteOnly);
    image.save(&tampon, "PNG");
    const double echelle =
        std::min(static_cast<double>(largeur) / image.width(), static_cast<double>(hauteur) / image.height());
    const double w = image.width() * echelle, h = image.height() * echelle;
    std::ostringstream out;
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << largeur << "\" height=\"" << hauteur
        << "\" viewBox=\"0 0 " << largeur << " " << hauteur << "\">\n"
        << "<image xmlns:xlink=\"http://www.w3.org/1999/xlink\" x=\"" << (largeur - w) / 2 << "\" y=\""
        << (hauteur - h) / 2 << "\" width=\"" << w << "\" height=\"" << h
        << "\" preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64,"
        << png.toBase64().toStdString() << "\"/>\n</svg>\n";
    return out.str();
}

std::string Svg_Icone(const std::string& quoi) {
    std::string corps;
    if (quoi == "search")
        corps =
            "<circle cx=\"13\" cy=\"13\" r=\"8\" fill=\"#e8f0ff\" stroke=\"#2c4a7a\" stroke-width=\"3\"/>"
            "<path d=\"M19 19 L28 28\" stroke=\"#2c4a7a\" stroke-width=\"4\" stroke-linecap=\"round\"/>";
    else if (quoi == "results")
        corps =
            "<rect x=\"4\" y=\"4\" width=\"24\" height=\"24\" rx=\"3\" fill=\"#ffffff\" stroke=\"#2c4a7a\" "
            "stroke-width=\"2\"/><path d=\"M9 11 H23 M9 16 H23 M9 21 H18\" stroke=\"#2c4a7a\" "
            "stroke-width=\"2.5\"/>";
    else if (quoi == "ok")
        corps =
            "<path d=\"M5 17 L13 25 L27 8\" fill=\"none\" stroke=\"#2d7a2d\" stroke-width=\"5\" "
            "stroke-linecap=\"round\" stroke-linejoin=\"round\"/>";
    else if (quoi == "back")
        corps =
            "<path d=\"M27 16 H7 M15 7 L6 16 L15 25\" fill=\"none\" stroke=\"#7a2d2d\" stroke-width=\"4\" "
            "stroke-linecap=\"round\" stroke-linejoin=\"round\"/>";
    else if (quoi == "next")
        corps =
            "<path d=\"M5 16 H25 M17 7 L26 16 L17 25\" fill=\"none\" stroke=\"#2c4a7a\" stroke-width=\"4\" "
            "stroke-linecap=\"round\" stroke-linejoin=\"round\"/>";
    else
        corps = "<rect x=\"6\" y=\"6\" width=\"20\" height=\"20\" fill=\"#c0c0c0\"/>";
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">" +
           corps + "</svg>\n";
}

}  // namespace kestrane::kb
