#pragma once
// Keeps the legend and zoom windows whole on the screen that holds the main window: they are
// placed from the main window's panes, which may lie near or past a screen edge.

#include <QPoint>
#include <QRect>

class QWidget;

namespace kestrane {

// The top-left corner that moves `cadre` the least while keeping it inside `zone`; a frame larger
// than the zone keeps the zone's top-left corner in view.
QPoint Dans_Zone(const QRect& cadre, const QRect& zone);

// Moves the shown window `fenetre` (its frame) inside `zone`; an empty zone changes nothing.
void Ramene_Dans_Zone(QWidget& fenetre, const QRect& zone);

}  // namespace kestrane
