#pragma once
// The magnified region's arithmetic, in twips. The full-size drawing is 2200 x 3300 pixels, four
// times what its page shows; tx and ty are the screen's twips per pixel; largeur and hauteur the
// zoom window's inner size in twips. Results are rounded halves to even; the clamps compare
// single-precision values.

namespace kestrane {

constexpr int Largeur_Dessin = 2200;
constexpr int Hauteur_Dessin = 3300;

struct Region_Zoom {
    long Zoom_X = 0;
    long Zoom_Y = 0;
    bool operator==(const Region_Zoom&) const = default;
};

// The region centred on the drawing point under the pointer (souris, in document pixels; x0, y0
// where the drawing starts in its page), kept inside the drawing.
Region_Zoom Region_Depuis_Pointeur(long souris_x, long souris_y, long x0, long y0, double tx, double ty,
                                   double largeur, double hauteur);

// The region after the pointer moved from the last point (x0, y0) to (x, y) with the left button
// held, all in twips of the window: the drawing follows the pointer, kept inside the drawing; a
// window larger than the drawing in one direction shows it from 0 in that direction.
Region_Zoom Glisse_Region(Region_Zoom region, double x, double y, double x0, double y0, double tx, double ty,
                          double largeur, double hauteur);

}  // namespace kestrane
