#pragma once
// An SVG drawing from a source folder or beside a dataset reads nothing but itself.
//
// The renderer would open any file a drawing names (an <image> pointing at "/home/…/secret.png"
// or "../../x.png") and paint its pixels into the base. A drawing is therefore refused when an
// href names anything but a part of the drawing itself ("#id") or a raster picture embedded in
// it (a "data:" PNG, JPEG, GIF or BMP), when it holds a DTD (entities could spell such a name),
// or when it is not well-formed XML.

#include <QByteArray>
#include <string>

#include "Status.h"

namespace kestrane::kb {

// Ok, or "nom: what reaches outside".
Status Verifie_Svg_Autonome(const QByteArray& svg, const std::string& nom);

// The file's bytes, once checked.
Result<QByteArray> Lit_Svg_Autonome(const std::string& chemin);

}  // namespace kestrane::kb
