#include "frmZoom.h"

#include <QMouseEvent>
#include <QPainter>

#include "Arrondi_Pair.h"
#include "Placement_Fenetre.h"

namespace kestrane {
namespace {
// Inner area when first shown, in twips.
constexpr double Largeur_Initiale = 6405;
constexpr double Hauteur_Initiale = 3735;
}  // namespace

frmZoom::frmZoom(const QImage& image_dessin, QWidget* parent)
    : QWidget(parent, Qt::Tool), image_dessin_(image_dessin) {  // above the main window, below dialogs
    setObjectName(QStringLiteral("frmZoom"));
    setAutoFillBackground(true);
    setMouseTracking(true);  // moves without a button keep the last point
    QPalette fond = palette();
    fond.setColor(QPalette::Window, Qt::white);
    setPalette(fond);
    resize(Arrondi_Pair<int>(Largeur_Initiale / Twips_Par_Pixel_X()),
           Arrondi_Pair<int>(Hauteur_Initiale / Twips_Par_Pixel_Y()));
}

double frmZoom::Twips_Par_Pixel_X() const {
    return 1440.0 / logicalDpiX();
}
double frmZoom::Twips_Par_Pixel_Y() const {
    return 1440.0 / logicalDpiY();
}

QPointF frmZoom::En_Twips(const QPointF& pixels) const {
    return {static_cast<double>(Arrondi_Pair<long>(pixels.x() * Twips_Par_Pixel_X())),
            static_cast<double>(Arrondi_Pair<long>(pixels.y() * Twips_Par_Pixel_Y()))};
}

void frmZoom::Ouvre(const QString& espece, const QString& famille, QPoint coin, const QRect& zone) {
    setWindowTitle(QStringLiteral("Zoom 4x : ") + espece + QStringLiteral(" - ") + famille);
    if (!place_) {
        move(coin);
        place_ = true;
    }
    show();
    // The frame is known once shown.
    Ramene_Dans_Zone(*this, zone);
    raise();
}

void frmZoom::Region_Depuis_Pointeur(long souris_x, long souris_y, long x0, long y0) {
    const double tx = Twips_Par_Pixel_X();
    const double ty = Twips_Par_Pixel_Y();
    region_ =
        kestrane::Region_Depuis_Pointeur(souris_x, souris_y, x0, y0, tx, ty, width() * tx, height() * ty);
    Dessine_Zoom();
}

void frmZoom::Dessine_Zoom() {
    update();
}

void frmZoom::paintEvent(QPaintEvent*) {
    if (height() == 0 || image_dessin_.isNull())
        return;
    // The region is kept in twips; the picture is read pixel for pixel, without scaling.
    const QRect source(Arrondi_Pair<int>(region_.Zoom_X / Twips_Par_Pixel_X()),
                       Arrondi_Pair<int>(region_.Zoom_Y / Twips_Par_Pixel_Y()), width(),
                       height());
    QPainter peintre(this);
    peintre.drawImage(QPoint(0, 0), image_dessin_, source);
}

void frmZoom::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        dernier_point_ = En_Twips(event->position());
}

void frmZoom::mouseMoveEvent(QMouseEvent* event) {
    const QPointF point = En_Twips(event->position());
    if (event->buttons() & Qt::LeftButton) {
        const double tx = Twips_Par_Pixel_X();
        const double ty = Twips_Par_Pixel_Y();
        region_ = Glisse_Region(region_, point.x(), point.y(), dernier_point_.x(), dernier_point_.y(), tx, ty,
                                width() * tx, height() * ty);
        Dessine_Zoom();
    }
    dernier_point_ = point;
}

}  // namespace kestrane
