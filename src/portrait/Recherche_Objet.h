#pragma once
// Naming the object under a point of the portrait: the click zones of the 2400 x 1800 reference
// frame, then the nearest palette colour. Pure functions of the base and the answers.

#include <cstdint>
#include <string>
#include <vector>

#include "Base_Connaissance.h"

namespace kestrane {

// The reference frame that always covers the whole interior of the portrait.
inline constexpr double Largeur_Reference = 2400;
inline constexpr double Hauteur_Reference = 1800;

// A point of a box of `largeur` x `hauteur` (any unit, the point in the same unit) in reference
// units: floor((2400 / largeur) x x), the quotient formed first.
int32_t Reference_X(double x, double largeur);
int32_t Reference_Y(double y, double hauteur);

struct Zone_Trouvee {
    bool Touchee = false;                // a zone passed every test (its object may still be missing)
    int Zone = -1;                       // its index in Clic_Zone
    const Objet_Fic* Objet = nullptr;    // the object it names; null when Objets_Fic has none
};

// Cherche_Zone: scans Clic_Zone in index order. A zone counts when every condition state is
// chosen (exactly 1) up to its "Fin", when its frame is not the one of the last zone without
// Test_Cadre that passed its conditions, when the point lies strictly inside, and, with
// Test_Cadre, when its frame holds an answer. The first zone that counts ends the scan, whether
// or not its object exists. A condition naming no state, or a frame outside the answers, fails.
Zone_Trouvee Cherche_Zone(const Base_Connaissance& base, const std::vector<int16_t>& etats_choisis,
                          const std::vector<int16_t>& etat_cadre, double x, double y);

// Couleur_Proche: the code of the first palette entry equal to `couleur` (red + 256 green +
// 65536 blue), else of the entry nearest in RGB distance (the lowest index among equals);
// "" when the palette is empty.
std::string Couleur_Proche(const Base_Connaissance& base, int32_t couleur);

}  // namespace kestrane
