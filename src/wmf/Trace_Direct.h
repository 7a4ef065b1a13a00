#pragma once
// The fast path of the player for the shapes that make most of a drawing: integer polygons
// filled with an opaque solid colour and outlined with a one-pixel solid pen, written straight
// into the pixels of a 32-bit QImage. The player takes it only when nothing else (clipping,
// raster operations, transforms, opacity) is in force; its pixels follow the rules of the
// aliased rasteriser: a pixel is filled when its centre is inside, lines include both ends.
// Pixels outside the image are dropped at no cost: work grows with the image, not the coordinates.

#include <QImage>
#include <QPoint>

#include <vector>

namespace kestrane::wmf {

class Trace_Direct {
  public:
    // True when `image` is a format the fast path writes (RGB32, ARGB32, ARGB32 premultiplied).
    static bool Format_Accepte(const QImage& image);

    explicit Trace_Direct(QImage& image);

    // Fills a closed polygon; `enroulement` selects the winding rule instead of even-odd.
    void Remplit(const QPoint* points, int nb, bool enroulement, QRgb couleur);
    // Draws the segments joining the points, closing the figure when `ferme`.
    void Trace(const QPoint* points, int nb, bool ferme, QRgb couleur);

  private:
    void Ligne(QPoint a, QPoint b, QRgb couleur);

    uchar* bits_;
    qsizetype pas_;
    int largeur_, hauteur_;
    struct Intersection {
        double x;
        int sens;
    };
    struct Cote {
        int haut, bas;     // rows [haut, bas) whose centres the edge crosses
        double x0, pente;  // crossing at row haut, less half a pixel; change per row
        int sens;          // +1 downwards, −1 upwards
    };
    std::vector<Intersection> intersections_;
    std::vector<Cote> cotes_;
};

}  // namespace kestrane::wmf
