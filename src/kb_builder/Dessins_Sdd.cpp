#include "Dessins_Sdd.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <sstream>
#include <vector>

#include "Ecriture_Documents.h"
#include "Svg_Autonome.h"

namespace kestrane::kb {

namespace {

// Where each character of UTF-8 text starts, in bytes, and the text's end last.
std::vector<size_t> Debuts(const std::string& s) {
    std::vector<size_t> out;
    for (size_t i = 0; i < s.size(); ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80)
            out.push_back(i);
    out.push_back(s.size());
    return out;
}

// The words of the text in lines of at most `largeur` characters (a longer word is cut). In one
// pass over the text: a card is tried at several sizes, and its text may be long.
std::vector<std::string> Coupe(const std::string& texte, size_t largeur) {
    const std::vector<size_t> debuts = Debuts(texte);
    const size_t n = debuts.size() - 1;
    auto blanc = [&](size_t k) {
        const char c = texte[debuts[k]];
        return c == ' ' || c == '\n' || c == '\t';
    };
    std::vector<std::string> lignes;
    std::string ligne;
    size_t longueur = 0;  // characters in `ligne`
    for (size_t k = 0; k < n;) {
        if (blanc(k)) {
            ++k;
            continue;
        }
        size_t fin = k;
        while (fin < n && !blanc(fin)) ++fin;
        // The word [k, fin): on this line, on the next, or cut into lines of its own.
        while (k < fin) {
            const size_t place = longueur == 0 ? largeur : largeur - std::min(largeur, longueur + 1);
            if (fin - k <= place) {
                if (longueur > 0)
                    ligne += ' ', ++longueur;
                ligne.append(texte, debuts[k], debuts[fin] - debuts[k]);
                longueur += fin - k;
                k = fin;
            } else if (longueur > 0) {
                lignes.push_back(std::move(ligne));
                ligne.clear();
                longueur = 0;
            } else {
                lignes.push_back(texte.substr(debuts[k], debuts[k + largeur] - debuts[k]));
                k += largeur;
            }
        }
    }
    if (longueur > 0)
        lignes.push_back(std::move(ligne));
    return lignes;
}

// No card shows more characters than this at its smallest size; the rest is cut before wrapping.
constexpr size_t Caracteres_Max = 4096;

}  // namespace

std::string Svg_Carte(const std::string& texte_entier, int largeur, int hauteur, bool italique) {
    const std::vector<size_t> debuts = Debuts(texte_entier);
    const bool trop_long = debuts.size() - 1 > Caracteres_Max;
    const std::string texte = trop_long ? texte_entier.substr(0, debuts[Caracteres_Max]) : texte_entier;
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
        if (lignes.size() <= tiennent) {
            if (trop_long && !lignes.empty())
                lignes.back() += "…";
            break;
        }
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
    QFile fichier(QString::fromStdString(chemin));
    if (!fichier.open(QIODevice::ReadOnly))
        return Status::Error(chemin + ": cannot be read (" + fichier.errorString().toStdString() + ")");
    // A drawing among the pictures is read only when it holds all it shows.
    const QByteArray format = QImageReader::imageFormat(&fichier);
    if (format == "svgz")
        return Status::Error(chemin + ": a compressed drawing is not read");
    QByteArray dessin;
    QBuffer tampon_dessin(&dessin);
    if (format == "svg") {
        dessin = fichier.readAll();
        if (Status s = Verifie_Svg_Autonome(dessin, chemin); !s.ok())
            return s;
        tampon_dessin.open(QIODevice::ReadOnly);
    }
    QImageReader lecteur(format == "svg" ? static_cast<QIODevice*>(&tampon_dessin) : &fichier, format);
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
