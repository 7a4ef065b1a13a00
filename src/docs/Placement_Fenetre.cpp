#include "Placement_Fenetre.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace kestrane {

QPoint Dans_Zone(const QRect& cadre, const QRect& zone) {
    // The far edge first, then the near one, so that a frame too large shows its top-left part.
    const int x = std::max(std::min(cadre.left(), zone.right() + 1 - cadre.width()), zone.left());
    const int y = std::max(std::min(cadre.top(), zone.bottom() + 1 - cadre.height()), zone.top());
    return {x, y};
}

void Ramene_Dans_Zone(QWidget& fenetre, const QRect& zone) {
    if (zone.isEmpty())
        return;
    const QRect cadre = fenetre.frameGeometry();
    const QPoint coin = Dans_Zone(cadre, zone);
    if (coin != cadre.topLeft())
        fenetre.move(coin);
}

QRect Zone_Client(const QRect& zone, const QMargins& cadre) {
    return zone.marginsRemoved(cadre);
}

namespace {

QMargins Marges_Cadre(const QWidget& fenetre) {
    const QWindow* fenetre_native = fenetre.windowHandle();
    return fenetre_native != nullptr ? fenetre_native->frameMargins() : QMargins();
}

// Fits the window again when its frame's margins change.
class Suivi_Zone : public QObject {
  public:
    Suivi_Zone(QWidget& fenetre, const QRect& zone) : QObject(&fenetre), fenetre_(fenetre), zone_(zone) {
        setObjectName(QStringLiteral("Suivi_Zone"));
        fenetre.installEventFilter(this);
    }
    void Ajuste(const QRect& zone) {
        zone_ = zone;
        marges_ = Marges_Cadre(fenetre_);
        fenetre_.setGeometry(Zone_Client(zone_, marges_));
    }

  protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        // A window manager that keeps the client where it was while it frames the window sends no
        // move: the first activation or paint after the framing tells as well.
        switch (evenement->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowActivate:
        case QEvent::Paint:
            if (objet == &fenetre_ && Marges_Cadre(fenetre_) != marges_ && !fenetre_.isMaximized() &&
                !fenetre_.isFullScreen())
                Ajuste(zone_);
            break;
        default:
            break;
        }
        return false;
    }

  private:
    QWidget& fenetre_;
    QRect zone_;
    QMargins marges_;
};

}  // namespace

void Remplit_Zone(QWidget& fenetre, const QRect& zone) {
    auto* suivi = dynamic_cast<Suivi_Zone*>(
        fenetre.findChild<QObject*>(QStringLiteral("Suivi_Zone"), Qt::FindDirectChildrenOnly));
    if (suivi == nullptr)
        suivi = new Suivi_Zone(fenetre, zone);
    suivi->Ajuste(zone);
}

}  // namespace kestrane
