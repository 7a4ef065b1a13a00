#include "Dessin.h"

#include <QImageReader>

#include <cstdlib>

#include "Chemins_Fichiers.h"
#include "Joueur_Metafichier.h"

namespace kestrane {

Result<std::shared_ptr<const Dessin>> Dessin::Charge(const std::string& chemin) {
    const std::string sur_disque = Trouve_Fichier(chemin);
    if (!Fichier_Existe(sur_disque)) return Status::Error(chemin + ": no such file");
    auto dessin = std::make_shared<Dessin>();
    auto metafichier = wmf::Metafichier::Lit_Fichier(sur_disque);
    if (metafichier) {
        dessin->metafichier_ = std::move(metafichier).value();
        return std::shared_ptr<const Dessin>(std::move(dessin));
    }
    QImageReader lecteur(QString::fromStdString(sur_disque));
    QImage image = lecteur.read();
    if (image.isNull()) {
        return Status::Error(chemin + ": neither a metafile (" + metafichier.status().message() +
                             ") nor a picture (" + lecteur.errorString().toStdString() + ")");
    }
    dessin->image_ = std::move(image);
    return std::shared_ptr<const Dessin>(std::move(dessin));
}

QSizeF Dessin::Taille_Naturelle() const {
    if (!metafichier_)
        return QSizeF(image_.size());
    const QRect cadre = metafichier_->cadre().normalized();
    if (!cadre.isEmpty())
        return QSizeF(cadre.size());
    const QSize etendue = metafichier_->etendue_fenetre_initiale();
    return QSizeF(std::abs(etendue.width()), std::abs(etendue.height()));
}

void Dessin::Peint(QPainter& peintre, const QRectF& cible) const {
    if (metafichier_) {
        wmf::Joueur_Metafichier::Joue(*metafichier_, peintre, cible);
    } else if (!image_.isNull()) {
        peintre.drawImage(cible, image_);
    }
}

}  // namespace kestrane
