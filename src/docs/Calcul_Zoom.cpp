#include "Calcul_Zoom.h"

#include "Arrondi_Pair.h"

namespace kestrane {
namespace {

// Keeps one coordinate of the region inside the drawing's extent (in twips).
long Borne(long debut, double taille_fenetre, double etendue) {
    if (static_cast<float>(taille_fenetre + debut) >= static_cast<float>(etendue))
        return Arrondi_Pair<long>(etendue - taille_fenetre);
    if (debut < 0)
        return 0;
    return debut;
}

}  // namespace

Region_Zoom Region_Depuis_Pointeur(long souris_x, long souris_y, long x0, long y0, double tx, double ty,
                                   double largeur, double hauteur) {
    Region_Zoom r;
    r.Zoom_X = Arrondi_Pair<long>(tx * 4 * static_cast<double>(souris_x - x0) - largeur / 2);
    r.Zoom_Y = Arrondi_Pair<long>(ty * 4 * static_cast<double>(souris_y - y0) - hauteur / 2);
    r.Zoom_Y = Borne(r.Zoom_Y, hauteur, ty * Hauteur_Dessin);
    r.Zoom_X = Borne(r.Zoom_X, largeur, tx * Largeur_Dessin);
    return r;
}

Region_Zoom Glisse_Region(Region_Zoom region, double x, double y, double x0, double y0, double tx, double ty,
                          double largeur, double hauteur) {
    if (hauteur / ty <= Hauteur_Dessin) {
        region.Zoom_Y = Arrondi_Pair<long>(y0 + static_cast<double>(region.Zoom_Y) - y);
        region.Zoom_Y = Borne(region.Zoom_Y, hauteur, ty * Hauteur_Dessin);
    } else {
        region.Zoom_Y = 0;
    }
    if (largeur / tx <= Largeur_Dessin) {
        region.Zoom_X = Arrondi_Pair<long>(x0 + static_cast<double>(region.Zoom_X) - x);
        region.Zoom_X = Borne(region.Zoom_X, largeur, tx * Largeur_Dessin);
    } else {
        region.Zoom_X = 0;
    }
    return region;
}

}  // namespace kestrane
