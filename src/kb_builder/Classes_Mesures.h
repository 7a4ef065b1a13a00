#pragma once
// Measurements turned into states: a quantitative character (leaf length in mm) becomes a few
// classes with readable limits, cut where the taxa's ranges differ.
//
// The limits are the ends of the taxa's ranges; neighbouring pieces that the same taxa share are
// one class, a gap where no taxon lies joins the class below it, and while there are more than
// `max_classes` the two neighbours whose taxa differ least are joined. A taxon belongs to each
// class its range overlaps (a single value to the class that starts at or below it). Values below
// the first class or above the last belong to them: the first class reads "up to", the last
// "or more".

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kestrane::kb {

struct Etendue {
    double Bas = 0, Haut = 0;  // Bas <= Haut
};

struct Classe_Mesure {
    double Bas = 0, Haut = 0;
};

// The classes for the ranges of the taxa that have one (nullopt: not measured). Empty when no
// taxon has a range.
std::vector<Classe_Mesure> Divise_En_Classes(const std::vector<std::optional<Etendue>>& etendues,
                                             size_t max_classes = 8);

// Whether a taxon of that range has class k.
bool Dans_Classe(const Etendue& etendue, const std::vector<Classe_Mesure>& classes, size_t k);

// The text of class k in a language ("en", "fr", "es"; any other gives English), with the unit
// ("mm") after each number: "up to 4 mm", "4 to 5 mm", "5 mm or more".
std::string Texte_Classe(const std::vector<Classe_Mesure>& classes, size_t k, const std::string& unite,
                         const std::string& langue);

}  // namespace kestrane::kb
