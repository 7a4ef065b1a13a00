#include "Ecriture_Medias.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include "Ecriture_Documents.h"
#include "Svg_Autonome.h"

namespace fs = std::filesystem;

namespace kestrane::kb {

namespace {

// The picture file reduced to at most `pixels` on its longer side; a null image when it cannot
// be read or may not be.
QImage Lit_Image(const std::string& chemin, int pixels) {
    QFile fichier(QString::fromStdString(chemin));
    if (!fichier.open(QIODevice::ReadOnly))
        return {};
    const QByteArray format = QImageReader::imageFormat(&fichier);
    if (format.isEmpty() || format == "svgz")
        return {};
    QByteArray dessin;
    QBuffer tampon(&dessin);
    if (format == "svg") {
        dessin = fichier.readAll();
        if (!Verifie_Svg_Autonome(dessin, chemin).ok())
            return {};
        tampon.open(QIODevice::ReadOnly);
    }
    QImageReader lecteur(format == "svg" ? static_cast<QIODevice*>(&tampon) : &fichier, format);
    lecteur.setAutoTransform(true);
    const QSize annonce = lecteur.size();
    if (!annonce.isValid() || static_cast<qint64>(annonce.width()) * annonce.height() > 200'000'000)
        return {};
    if (annonce.width() > pixels || annonce.height() > pixels)
        lecteur.setScaledSize(annonce.scaled(pixels, pixels, Qt::KeepAspectRatio));
    QImage image = lecteur.read();
    if (!image.isNull() && (image.width() > pixels || image.height() > pixels))
        image = image.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

}  // namespace

std::vector<std::string> Ecrit_Images_Page(const std::vector<Image_Source>& images, const fs::path& dossier,
                                           const std::string& prefixe) {
    std::vector<std::string> noms(images.size());
    for (size_t k = 0; k < images.size(); ++k) {
        if (images[k].Fichier.empty())
            continue;
        const QImage image = Lit_Image(images[k].Fichier, Pixels_Image_Page);
        if (image.isNull())
            continue;
        const bool png = image.hasAlphaChannel();
        const std::string nom = prefixe + "_" + std::to_string(k + 1) + (png ? ".png" : ".jpg");
        if (image.save(QString::fromStdString((dossier / nom).string()), png ? "PNG" : "JPG", png ? -1 : 85))
            noms[k] = nom;
    }
    return noms;
}

bool Ecrit_Vignette(const std::vector<Image_Source>& images, const fs::path& png) {
    for (const auto& i : images) {
        if (i.Fichier.empty())
            continue;
        const QImage image = Lit_Image(i.Fichier, Pixels_Vignette);
        if (!image.isNull())
            return image.save(QString::fromStdString(png.string()), "PNG");
    }
    return false;
}

std::string Html_Images(const std::vector<Image_Source>& images, const std::vector<std::string>& fichiers,
                        const std::string& suffixe) {
    std::string figures, liens;
    for (size_t k = 0; k < images.size(); ++k) {
        const std::string legende = Echappe_Xml(Texte_Langue(images[k].Legendes, suffixe, images[k].Legende));
        if (k < fichiers.size() && !fichiers[k].empty()) {
            figures += "<figure><img src=\"" + Echappe_Xml(fichiers[k]) + "\" alt=\"" + legende +
                       "\" style=\"max-width:100%\">" +
                       (legende.empty() ? std::string() : "<figcaption>" + legende + "</figcaption>") +
                       "</figure>\n";
        } else if (!images[k].Adresse.empty()) {
            const std::string adresse = Echappe_Xml(images[k].Adresse);
            liens +=
                "<li><a href=\"" + adresse + "\">" + (legende.empty() ? adresse : legende) + "</a></li>\n";
        }
    }
    return figures + (liens.empty() ? std::string() : "<ul>\n" + liens + "</ul>\n");
}

}  // namespace kestrane::kb
