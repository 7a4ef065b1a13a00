#pragma once
// The "Copy" command while the document view is hidden: the state picture when the chooser is
// shown, otherwise the portrait as Robot paints it (pieces and contradiction overlays). The
// clipboard's content is replaced by two formats of the same picture: a raster image the size of
// the picture box, and its vector counterpart "image/svg+xml", drawn by the metafile player so
// that other programs paste the drawings as drawings. Both have the white ground of the box.
//
// User-interface thread only (the clipboard). Nothing is kept between calls.

#include <QImage>
#include <QMimeData>
#include <QSize>

#include <functional>
#include <memory>
#include <string>

#include "Status.h"

class QPainter;
class QRectF;

namespace kestrane {

class Dessin;
class Portrait_Affiche;
class Robot_Tab;
struct Reglages;

class Copie_Portrait {
  public:
    // The MIME type of the vector format.
    static constexpr const char* Type_Svg = "image/svg+xml";

    // Copies what the portrait side shows. The state picture is read again from
    // Rep_Descripteurs + `popup`; when it cannot be, nothing is copied and the error names it.
    static Status Copie(const Portrait_Affiche& portrait, const Reglages& reglages, const std::string& popup);

    // Every layer of `calques`, overlays included, for a box of `taille` logical pixels on a
    // device of ratio `dpr` (the raster has taille x dpr pixels).
    static std::unique_ptr<QMimeData> Donnees_Calques(const Robot_Tab& calques, QSize taille, qreal dpr);
    // One picture stretched to a box of `taille`.
    static std::unique_ptr<QMimeData> Donnees_Dessin(const Dessin& dessin, QSize taille, qreal dpr);

  private:
    // `image` as the raster, and what `peint` draws over a white box of `taille` as the SVG.
    static std::unique_ptr<QMimeData> Donnees(QImage image, QSize taille,
                                              const std::function<void(QPainter&, const QRectF&)>& peint);
    static void Place(std::unique_ptr<QMimeData> donnees);
};

}  // namespace kestrane
