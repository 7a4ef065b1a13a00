#pragma once
// Writes a GIF picture whose pixels change from place to place, so that a region copied from
// the wrong offset shows different colours.

#include <string>

namespace kestrane::test {

// Returns false when the file cannot be written.
bool Ecrit_Dessin_Gif(const std::string& chemin, int largeur, int hauteur);

}  // namespace kestrane::test
