#pragma once
// Keeps the legend and zoom windows whole on the screen that holds the main window: they are
// placed from the main window's panes, which may lie near or past a screen edge. Fits the main
// window, frame and all, to the desktop's working area.

#include <QMargins>
#include <QPoint>
#include <QRect>

class QWidget;

namespace kestrane {

// The top-left corner that moves `cadre` the least while keeping it inside `zone`; a frame larger
// than the zone keeps the zone's top-left corner in view.
QPoint Dans_Zone(const QRect& cadre, const QRect& zone);

// Moves the shown window `fenetre` (its frame) inside `zone`; an empty zone changes nothing.
void Ramene_Dans_Zone(QWidget& fenetre, const QRect& zone);

// The client area of a window whose frame, with these margins, fills `zone`.
QRect Zone_Client(const QRect& zone, const QMargins& cadre);

// Gives the top-level `fenetre` the client area whose frame fills `zone`, so that its title bar
// stays on the screen. The window manager frames a window only once it is shown: until then the
// margins read 0, and the window is fitted again each time they change, for as long as it lives
// (the user's own moves change no margin and are left alone). Calling it again changes the zone.
void Remplit_Zone(QWidget& fenetre, const QRect& zone);

}  // namespace kestrane
