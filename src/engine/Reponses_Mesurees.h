#pragma once
// Measured answers: a value given for a measured character (Mesure_Objet), with the tolerance
// used, and how such an answer scores.
//
// A measured answer counts as one answer, whatever number of classes it chose: its weight is the
// largest Poids(e) x Etats_Choisis(e) among its chosen classes, and a species scores that weight
// when its range meets the answer's interval, and only then (a species without a range meets
// nothing). The interval is value +/- |value| x tolerance / 100 when the value is known, else the
// span of the chosen classes (answers opened from a file, or classes chosen one by one). The
// chosen classes stay in Etats_Choisis, so the identification file keeps its layout.

#include <cstdint>
#include <optional>
#include <vector>

#include "Base_Connaissance.h"
#include "Mesures_Objets.h"

namespace kestrane {

inline constexpr double Tolerance_Defaut = 10;  // percent of the value

struct Valeur_Mesuree {
    double Valeur = 0;
    double Tolerance = Tolerance_Defaut;  // percent
    bool operator==(const Valeur_Mesuree&) const = default;
};

// By measured character (index in base.Mesures): the value given, nullopt when none.
using Valeurs_Mesurees = std::vector<std::optional<Valeur_Mesuree>>;

// value +/- |value| x tolerance / 100.
Intervalle Intervalle_Valeur(const Valeur_Mesuree& v);

// The interval of the answer to measured character m; nullopt when none of its classes is chosen.
std::optional<Intervalle> Intervalle_Reponse(const Base_Connaissance& base, size_t m,
                                             const std::vector<int16_t>& etats_choisis,
                                             const Valeurs_Mesurees& valeurs);

// The weight of that answer (0 when none of its classes is chosen).
int64_t Poids_Reponse(const Base_Connaissance& base, size_t m, const std::vector<int16_t>& etats_choisis);

}  // namespace kestrane
