#pragma once
// Rendering a metafile to a raster: what the palette sampler, the portrait's tests and
// `kestrane-wmf render` use.

#include <QColor>
#include <QImage>
#include <QSize>

#include <string>
#include <vector>

#include "Metafichier.h"
#include "Rapport_Lecture.h"
#include "Status.h"

namespace kestrane::wmf {

class Rendu_Wmf {
  public:
    // Plays `fichier` stretched to an image of `taille` (each side 1 .. 16384) filled first with
    // `fond` (Qt::transparent for none). An opaque background gives an RGB32 image, in which
    // raster operations act on the pixels beneath as on paper; otherwise ARGB32 premultiplied.
    static QImage Rend(const Metafichier& fichier, QSize taille, const QColor& fond = Qt::white,
                       Rapport_Lecture* rapport = nullptr);
    // Paints `couches` in order, each stretched to `cible`, into `image` (any format QPainter can
    // paint on), splitting the image into horizontal bands painted on several threads at once.
    // Gives the picture of playing the layers one after the other on one painter, except that a
    // one-pixel outline crossing a band edge may lie one pixel aside (Qt clips it per band). The files
    // are only read, so the same parsed files may be painted into several images at once.
    static void Peint_Couches(QImage& image, const std::vector<const Metafichier*>& couches,
                              const QRectF& cible);

    // Reads and renders a file; the error names the file and why it could not be read.
    static Result<QImage> Rend_Fichier(const std::string& chemin, QSize taille,
                                       const QColor& fond = Qt::white);
};

}  // namespace kestrane::wmf
