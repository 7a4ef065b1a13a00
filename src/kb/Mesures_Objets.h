#pragma once
// Measured characters: how a value or a range meets a character's classes and the species' ranges.
//
// A base may carry two optional tables (Schema_Mesures_SQL), read like the translations' tables:
// a base without them loads exactly as before.
//   Objets_Mesures: one row per measured character: Objet, Unite ("mm"), Limites (the cuts
//     between its classes, its states in order, as numbers separated by ";": "4;5.5;8").
//   Etendues_Especes: one row per species and measured character: Espece (the Flore name), Objet,
//     Bas and Haut (the species' range; a single value has Bas = Haut).
// Class k of a character with cuts L holds the values in [L[k-1], L[k]); the first class holds
// everything below its cut, the last everything above its own.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Base_Connaissance.h"

namespace kestrane {

class Database;

struct Intervalle {
    double Bas = 0, Haut = 0;  // Bas <= Haut; either may be infinite
};

// The cuts as the table writes them, and back (nullopt for text that is not numbers in
// increasing order).
std::string Texte_Limites(const std::vector<double>& limites);
std::optional<std::vector<double>> Lit_Limites(std::string_view texte);

// A number as the tables and the command line write it, whatever the locale: the shortest text
// that reads back the same ("34", "2.5", "0.001"); and such a text read (nullopt unless the
// whole text is one finite number).
std::string Texte_Nombre(double v);
std::optional<double> Lit_Nombre(std::string_view texte);

// The classes (relative to the character's first state) that [i.Bas, i.Haut] meets, in order.
std::vector<int> Classes_Rencontrees(const Mesure_Objet& mesure, Intervalle i);
// The span of classes premiere .. derniere (the first and last open to the infinities; a class
// ends just below its cut).
Intervalle Etendue_Classes(const Mesure_Objet& mesure, int premiere, int derniere);
// Whether species s's range meets the interval (a species without a range meets nothing).
inline bool Rencontre(const Mesure_Objet& mesure, size_t s, Intervalle i) {
    return mesure.Bas[s] <= i.Haut && mesure.Haut[s] >= i.Bas;
}

// Reads Objets_Mesures and Etendues_Especes into base.Mesures when the base has them (after
// Objets and Nom_Esp are read). A row that cannot be used (an unknown character or species, cuts
// that do not fit the character's states, a range that is not numbers or whose Bas exceeds its
// Haut) is passed over with a line in `problemes`, "table T, row N: what".
void Lit_Mesures(const Database& base, Base_Connaissance& b, std::vector<std::string>& problemes);

}  // namespace kestrane
