#pragma once
// The drawings an imported key needs and an exchange file does not carry, as SVG text that the
// builder turns into metafiles, icons and GIF images like any source drawing: a card with a text
// (a state or a taxon without a picture), a picture file framed whole (a state's or a taxon's
// photograph found beside the dataset) and the toolbar icons. Needs a QGuiApplication for the
// pictures.

#include <string>

#include "Status.h"

namespace kestrane::kb {

// The text on a pale card with a border, wrapped and sized to fill largeur x hauteur (its
// viewBox). Text that cannot fit is cut with an ellipsis.
std::string Svg_Carte(const std::string& texte, int largeur, int hauteur, bool italique = false);

// The picture file (any format Qt reads) whole and centred in largeur x hauteur, embedded at no
// more than `pixels` on its longer side. Fails, naming the file, when it cannot be read.
Result<std::string> Svg_Image(const std::string& chemin, int largeur, int hauteur, int pixels);

// A toolbar icon: "search", "results", "ok", "back" or "next" (any other gives a plain square).
std::string Svg_Icone(const std::string& quoi);

}  // namespace kestrane::kb
