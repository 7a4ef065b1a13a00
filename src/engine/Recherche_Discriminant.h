#pragma once
// The discriminant power of the characters over the species tied at the top of the ranking.
//
// For a character of K states that is allowed (Joker) and unanswered, with c(j) the sum of the
// matrix values of state j over the N candidate species, the power is
// |sum over c(j) != 0 of (c(j) / N) x ln(N / c(j)) / ln(K)|: the entropy of the candidates over
// the states, normalised to 1. Characters answered, not allowed, with fewer than two states, or
// whose sums give no real logarithm (negative matrix values) have power 0.
//
// Candidate sums are formed over the contiguous state columns of the matrix, so the cost is
// (allowed unanswered states x species) additions however the candidates are spread.

#include <cstdint>
#include <vector>

#include "Base_Connaissance.h"
#include "Classement.h"

namespace kestrane {

class Recherche_Discriminant {
  public:
    explicit Recherche_Discriminant(const Base_Connaissance& base);

    // Fills `pouvoir` (one entry per row of Objets_Fic, in its order) for the candidates at ranks
    // 0 .. nb_candidats - 1 of `classement`, and returns the position of the strictly greatest
    // power, the first on ties; -1 when every power is 0.
    int Calcule(const std::vector<int16_t>& etats_choisis, const std::vector<bool>& joker,
                const Classement& classement, int nb_candidats, std::vector<double>& pouvoir);

    // The power of one character from its candidate sums (exposed for the tests).
    static double Pouvoir(const std::vector<int64_t>& sommes, int64_t nb_candidats);

  private:
    const Base_Connaissance& base_;
    std::vector<int16_t> masque_;     // 1 for a candidate species
    std::vector<int32_t> candidats_;  // candidate species in increasing number
    std::vector<int64_t> sommes_;
};

}  // namespace kestrane
