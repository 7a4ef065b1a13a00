#include "Placement_Fenetre.h"

#include <QWidget>

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

}  // namespace kestrane
