#pragma once
// The one rounding of the program's arithmetic (percentages, layout, document and zoom
// geometry, palette sampling, stored numbers): to the nearest integer, halves to the even
// neighbour, whatever the floating-point rounding mode. Saturates at the range of the integer
// type asked for; not-a-number gives 0. The metafile player rounds its coordinates halves away
// from zero, as a device context does; that is another rule and lives with the player.

#include <cmath>
#include <cstdint>
#include <limits>

namespace kestrane {

template <typename Entier = int32_t>
Entier Arrondi_Pair(double valeur) {
    if (std::isnan(valeur))
        return 0;
    const double plancher = std::floor(valeur);
    const double reste = valeur - plancher;
    double arrondi = plancher;
    if (reste > 0.5 || (reste == 0.5 && std::fmod(plancher, 2.0) != 0.0))
        arrondi = plancher + 1.0;
    constexpr double bas = static_cast<double>(std::numeric_limits<Entier>::min());
    constexpr double haut = static_cast<double>(std::numeric_limits<Entier>::max());
    if (arrondi <= bas)
        return std::numeric_limits<Entier>::min();
    if (arrondi >= haut)
        return std::numeric_limits<Entier>::max();
    return static_cast<Entier>(arrondi);
}

}  // namespace kestrane
