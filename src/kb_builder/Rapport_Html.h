#pragma once
// The key report as one HTML page: plain markup, the histograms drawn as inline SVG, no script,
// laid out to print. Headings in the report's language (Textes_Rapport).

#include <string>

#include "Rapport_Cle.h"

namespace kestrane::kb {

std::string Rapport_Html(const Rapport_Cle& rapport);

// A figure with `chiffres` decimals and a point, whatever the locale.
std::string Decimales(double valeur, int chiffres);

}  // namespace kestrane::kb
