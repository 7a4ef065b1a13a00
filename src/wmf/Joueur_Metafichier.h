#pragma once
// Plays a metafile onto any QPainter (widget, QImage, printer, SVG generator), stretched to a
// target rectangle, drawing only what the file contains so that whatever lies beneath stays
// visible. A placeable file maps its bounding box onto the target; a plain file maps its first
// window origin and extent (or, lacking one, one logical unit per pixel). Later window and
// viewport records of the file change the mapping as a device context would.
//
// Unsupported or malformed records are skipped and counted in the returned report; playing never
// fails as a whole. The painter's state (pen, brush, clip, transform, hints) is restored on return.
// Drawing is aliased, as on a device context, so that colours stay those of the file. Raster
// operations act on the pixels beneath on an opaque raster device; on transparent images, printers
// and vector devices they are drawn as they would look on white paper.
// A Metafichier is only read while playing: one parsed file may be played on several painters in
// several threads at once.

#include <QPainter>
#include <QRectF>

#include <memory>

#include "Metafichier.h"
#include "Rapport_Lecture.h"

namespace kestrane::wmf {

class Joueur_Metafichier {
  public:
    // Plays `fichier` into `cible` (in the painter's current coordinates). The painter must be
    // active; `fichier` must outlive the call only.
    static Rapport_Lecture Joue(const Metafichier& fichier, QPainter& peintre, const QRectF& cible);
};

}  // namespace kestrane::wmf
