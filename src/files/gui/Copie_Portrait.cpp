#include "Copie_Portrait.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QRectF>
#include <QSvgGenerator>

#include "Dessin.h"
#include "Portrait_Affiche.h"
#include "Reglages.h"
#include "Robot_Tab.h"

namespace kestrane {

std::unique_ptr<QMimeData> Copie_Portrait::Donnees(
    QImage image, QSize taille, const std::function<void(QPainter&, const QRectF&)>& peint) {
    const QRectF cible(0, 0, taille.width(), taille.height());

    QByteArray svg;
    {
        QBuffer tampon(&svg);
        tampon.open(QIODevice::WriteOnly);
        QSvgGenerator generateur;
        generateur.setOutputDevice(&tampon);
        generateur.setSize(taille);
        generateur.setViewBox(cible);
        QPainter peintre(&generateur);
        peintre.fillRect(cible, Qt::white);
        peint(peintre, cible);
    }

    auto donnees = std::make_unique<QMimeData>();
    donnees->setImageData(image);
    donnees->setData(Type_Svg, svg);
    return donnees;
}

std::unique_ptr<QMimeData> Copie_Portrait::Donnees_Calques(const Robot_Tab& calques, QSize taille,
                                                           qreal dpr) {
    if (taille.isEmpty())
        taille = QSize(1, 1);
    // The raster is the very picture Robot paints.
    return Donnees(calques.Image(taille, dpr, true), taille,
                   [&calques](QPainter& peintre, const QRectF& cible) {
                       for (const Robot_Tab::Calque& calque : calques.Calques()) {
                           if (calque.Image)
                               calque.Image->Peint(peintre, cible);
                       }
                   });
}

std::unique_ptr<QMimeData> Copie_Portrait::Donnees_Dessin(const Dessin& dessin, QSize taille, qreal dpr) {
    if (taille.isEmpty())
        taille = QSize(1, 1);
    if (dpr <= 0)
        dpr = 1;
    QImage image((QSizeF(taille) * dpr).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    {
        QPainter peintre(&image);
        dessin.Peint(peintre, QRectF(0, 0, taille.width(), taille.height()));
    }
    return Donnees(std::move(image), taille,
                   [&dessin](QPainter& peintre, const QRectF& cible) { dessin.Peint(peintre, cible); });
}

void Copie_Portrait::Place(std::unique_ptr<QMimeData> donnees) {
    QClipboard* presse_papiers = QGuiApplication::clipboard();
    presse_papiers->clear();
    presse_papiers->setMimeData(donnees.release());  // the clipboard takes it
}

Status Copie_Portrait::Copie(const Portrait_Affiche& portrait, const Reglages& reglages,
                             const std::string& popup) {
    if (const auto choix = portrait.Boite_Choix(); choix && popup.empty()) {
        auto donnees = std::make_unique<QMimeData>();
        donnees->setText(portrait.Texte_Choix());
        Place(std::move(donnees));
        return Status::Ok();
    }
    if (const auto choix = portrait.Boite_Choix()) {
        auto dessin = Dessin::Charge(reglages.Rep_Descripteurs + popup);
        if (!dessin)
            return dessin.status();
        Place(Donnees_Dessin(*dessin.value(), choix->Taille, choix->Ratio));
        return Status::Ok();
    }
    const Boite_Ecran boite = portrait.Boite_Portrait();
    Place(Donnees_Calques(portrait.Calques_Peints(), boite.Taille, boite.Ratio));
    return Status::Ok();
}

}  // namespace kestrane
