#pragma once
// Turning the project's SVG drawings into the Windows metafiles a knowledge base holds.

#include <string>

#include "Status.h"

namespace kestrane {

// Renders the SVG file at svg_path stretched to a largeur x hauteur logical frame (both > 0) and
// writes it to wmf_path as a placeable metafile whose bounding box is 0,0 .. largeur,hauteur.
// Returns an error naming the file when the SVG cannot be read or the metafile cannot be written;
// wmf_path is then left absent or incomplete.
Status Convertit_Svg_En_Wmf(const std::string& svg_path, const std::string& wmf_path, int largeur,
                            int hauteur);

}  // namespace kestrane
