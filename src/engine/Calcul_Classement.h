#pragma once
// Scoring, ranking and percentages of the species against the answers.
//
// Score of species s = sum over states e of Poids(e) x Matrice(s, e) x Etats_Choisis(e); the
// ranking is by decreasing score, ties in increasing species number; the percentage of a score
// is score x 100 / T (T = sum of Poids(e) x Etats_Choisis(e)), rounded half to even, 0 for every
// species when T = 0. All sums are 64-bit, so no base that the 16-bit data files can describe
// overflows; percentages saturate at the 32-bit range (only reachable with T tiny against
// enormous scores).
//
// A measured character's answer (Reponses_Mesurees.h) counts once: its classes leave the sum
// above, and its weight is added to the score of each species whose range meets the answer's
// interval, and once to T. A base without measured characters scores exactly as above.
//
// The work is proportional to (chosen states x species) plus a sort, not to the whole matrix.
// Results are sized once per base; a refresh allocates nothing.

#include <cstdint>
#include <vector>

#include "Base_Connaissance.h"
#include "Classement.h"
#include "Reponses_Mesurees.h"

namespace kestrane {

struct Resultats_Classement {
    std::vector<int64_t> Score_Esp;     // by species
    Classement Classement_Esp;          // rows 0, 1 by rank; row 2 by species
    std::vector<int32_t> Pourcent_Esp;  // by rank

    // The state right after loading: rank k holds species k, every score and percentage 0.
    static Resultats_Classement Initial(int nb_esp);
};

class Calcul_Classement {
  public:
    explicit Calcul_Classement(const Base_Connaissance& base);

    // The three steps in order. `etats_choisis` holds Nb_Etats_Desc values (any 16-bit value is
    // taken as the multiplier it is, as a loaded file may hold).
    // `valeurs`: the measured values given, by measured character (may be empty).
    void Calcule(const std::vector<int16_t>& etats_choisis, Resultats_Classement& r) {
        Calcule(etats_choisis, {}, r);
    }
    void Calcule(const std::vector<int16_t>& etats_choisis, const Valeurs_Mesurees& valeurs,
                 Resultats_Classement& r);

    void Calcule_Scores(const std::vector<int16_t>& etats_choisis, const Valeurs_Mesurees& valeurs,
                        Resultats_Classement& r) const;
    void Trie_Especes(Resultats_Classement& r);
    void Calcule_Pourcentages(const std::vector<int16_t>& etats_choisis, Resultats_Classement& r) const;

  private:
    const Base_Connaissance& base_;
    std::vector<uint8_t> mesure_;  // by state: 1 for a class of a measured character
    std::vector<int32_t> ordre_;   // scratch of the sort
    std::vector<uint64_t> cles_;   // scratch of the sort
    std::vector<size_t> comptes_;  // scratch of the sort
};

// score x 100 / total as the percentage rule computes it (total != 0).
int32_t Pourcentage(int64_t score, int64_t total);

}  // namespace kestrane
