#pragma once
// The zoom window: part of the full-size drawing at its own resolution (four times what the
// drawing page shows). Loaded hidden; the documents show it (above the main window, below its
// dialogs) on a mouse-down on the drawing and hide it when another page or species comes. The
// left button drags the drawing.
// It reads the drawing through a reference to the picture its owner keeps (Etat_Documents);
// a null picture paints nothing but the white background.

#include <QImage>
#include <QPointF>
#include <QWidget>

#include "Calcul_Zoom.h"

namespace kestrane {

class frmZoom : public QWidget {
    Q_OBJECT
  public:
    // `image_dessin` must outlive the window. `parent` only ties the window's lifetime and stacking
    // to the main window; it is a window of its own.
    explicit frmZoom(const QImage& image_dessin, QWidget* parent = nullptr);

    // Caption "Zoom 4x : " + espece + " - " + famille, then shown and raised: the first
    // time with its frame's top-left at `coin`, later where the user left it; in either case whole
    // inside `zone` (global pixels; empty for anywhere).
    void Ouvre(const QString& espece, const QString& famille, QPoint coin, const QRect& zone);

    // The region centred on the pointer (document pixels) over the drawing starting at (x0, y0),
    // then repainted.
    void Region_Depuis_Pointeur(long souris_x, long souris_y, long x0, long y0);

    void Dessine_Zoom();

    long Zoom_X() const { return region_.Zoom_X; }
    long Zoom_Y() const { return region_.Zoom_Y; }
    Region_Zoom Region() const { return region_; }

    // The screen's twips per pixel (1440 per logical inch).
    double Twips_Par_Pixel_X() const;
    double Twips_Par_Pixel_Y() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QPointF En_Twips(const QPointF& pixels) const;

    const QImage& image_dessin_;
    Region_Zoom region_;
    QPointF dernier_point_;  // twips of the inner area, whole numbers
    bool place_ = false;     // placed once: later openings keep the user's place
};

}  // namespace kestrane
