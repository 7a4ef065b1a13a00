#include "Conversion_Svg.h"

#include <QPainter>
#include <QSvgRenderer>

#include "Peripherique_Wmf.h"

namespace kestrane {

Status Convertit_Svg_En_Wmf(const std::string& svg_path, const std::string& wmf_path, int largeur,
                            int hauteur) {
    if (largeur <= 0 || hauteur <= 0 || largeur > 32767 || hauteur > 32767)
        return Status::Error(wmf_path + ": frame " + std::to_string(largeur) + " x " +
                             std::to_string(hauteur) + " out of the metafile's range");
    QSvgRenderer rendu(QString::fromStdString(svg_path));
    if (!rendu.isValid())
        return Status::Error(svg_path + ": cannot read the SVG drawing");
    wmf::Peripherique_Wmf peripherique(largeur, hauteur);
    QPainter peintre;
    if (!peintre.begin(&peripherique))
        return Status::Error(wmf_path + ": cannot start painting");
    rendu.render(&peintre, QRectF(0, 0, largeur, hauteur));
    peintre.end();
    return peripherique.Enregistre(wmf_path);
}

}  // namespace kestrane
