#pragma once
// The discriminant power of the characters over the species tied at the top of the ranking, by
// either strategy (see Strategie_Recherche.h).
//
// A character is eligible when it is allowed (Joker), has at least two states inside the base and
// none of them chosen. Under the Applicable strategy it must also apply: it has no controlling
// state in Descendance, or one of them is chosen, or one of them is shown by every candidate (its
// answer could tell nothing, so the character applies to every candidate; when the user's species
// is among them, it applies to that species too). With c(j) the sum of the matrix values of state
// j over the N candidate species (a species with several states counts once for each):
//   Entropie:   |sum over c(j) != 0 of (c(j) / N) x ln(N / c(j))| / ln(K), K the number of states;
//   Applicable: the same sum with one more group, the candidates whose values on the K states are
//               all 0, normalised by the logarithm of the number of groups the candidates can
//               fall into (K, or K + 1 when that group is not empty), or of N when there are fewer
//               candidates than groups, and capped at 1: it measures how evenly the character
//               splits all the candidates against the most even split they allow. It equals the
//               Entropie power when every candidate has a state and N >= K (only candidates
//               showing several states can lift the raw sum above 1).
// Sums that give no real logarithm (negative matrix values) give power 0; so do characters that
// are not eligible, and every character when there are fewer than two candidates (Applicable).
//
// The choice is the eligible character with the greatest power, provided it is above 0. Entropie
// keeps the first of equal powers; Applicable takes powers within 1e-9 as equal and prefers the
// character whose states' weights sum higher, then the earlier one.
// The ranked list orders every eligible character by the same rule, so its first line is the
// choice whenever there is one.
//
// Candidate sums are formed over the contiguous state columns of the matrix, block by block, so
// the cost is (eligible and controlling states x species) additions however the candidates are
// spread.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "Base_Connaissance.h"
#include "Classement.h"
#include "Strategie_Recherche.h"

namespace kestrane {

// One line of the ranked list: a character (its position in Objets_Fic) and its power.
struct Question_Classee {
    int Position = 0;
    double Pouvoir = 0.0;
};

class Recherche_Discriminant {
  public:
    explicit Recherche_Discriminant(const Base_Connaissance& base);

    // Fills `pouvoir` (one entry per row of Objets_Fic, in its order) for the candidates at ranks
    // 0 .. nb_candidats - 1 of `classement`, and returns the position of the chosen character;
    // -1 when no eligible character has a power above 0.
    int Calcule(const std::vector<int16_t>& etats_choisis, const std::vector<bool>& joker,
                const Classement& classement, int nb_candidats, std::vector<double>& pouvoir,
                Strategie_Recherche strategie = Strategie_Recherche::Entropie);

    // Every eligible character with its power, best first by the strategy's rule.
    std::vector<Question_Classee> Classe(const std::vector<int16_t>& etats_choisis,
                                         const std::vector<bool>& joker, const Classement& classement,
                                         int nb_candidats, Strategie_Recherche strategie);

    // The characters the user can still answer that `classees` leaves out (not allowed, with a
    // single state, or not applying), in Objets_Fic order: those with states in the base and none
    // of them chosen.
    std::vector<int> Hors_Classement(const std::vector<int16_t>& etats_choisis,
                                     const std::vector<Question_Classee>& classees) const;

    // Whether the character at `position` has no controlling state or one of them chosen (the
    // search also lets it apply when every candidate shows one).
    bool S_Applique(size_t position, const std::vector<int16_t>& etats_choisis) const;

    // The Entropie power of one character from its candidate sums (exposed for the tests).
    static double Pouvoir(const std::vector<int64_t>& sommes, int64_t nb_candidats);
    // The Applicable power from the sums and the number of candidates without any state.
    static double Pouvoir_Applicable(const std::vector<int64_t>& sommes, int64_t sans_etat,
                                     int64_t nb_candidats);

  private:
    struct Evaluation {
        int Position;
        double Pouvoir;
        int64_t Poids;
    };
    // The eligible characters with their powers, in Objets_Fic order; fills `pouvoir` as well.
    const std::vector<Evaluation>& Evalue(const std::vector<int16_t>& etats_choisis,
                                          const std::vector<bool>& joker, const Classement& classement,
                                          int nb_candidats, Strategie_Recherche strategie,
                                          std::vector<double>& pouvoir);
    // Whether `a`, met after `b` in Objets_Fic order, ranks before it.
    static bool Passe_Devant(const Evaluation& a, const Evaluation& b, Strategie_Recherche strategie);
    // Whether every candidate shows one of the character's controlling states.
    bool Commande_Partagee(size_t position);
    void Prepare_Candidats(const Classement& classement, int nb_candidats);
    // The candidate sums of states first .. first + nombre - 1 into sommes_; the number of
    // candidates without any non-zero value on them into `sans_etat` when it is given.
    void Somme_Caractere(int premier, int nombre, int64_t* sans_etat);

    const Base_Connaissance& base_;
    std::vector<std::vector<int>> commandes_;  // by position: the states that control the character
    std::vector<int64_t> poids_;               // by position: the sum of its states' weights
    std::unordered_map<int, bool> partagees_;  // by controlling state: every candidate shows it
    std::vector<int16_t> masque_;              // 1 for a candidate species (dense candidates)
    std::vector<int32_t> candidats_;           // candidate species in increasing number
    std::vector<uint8_t> present_;             // scratch: a candidate shows one of the states
    std::vector<int64_t> sommes_;
    std::vector<Evaluation> evaluations_;
    std::vector<double> pouvoir_classement_;
    bool tous_ = false;
    bool dense_ = false;
};

}  // namespace kestrane
