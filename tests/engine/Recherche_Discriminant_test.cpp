#include "Recherche_Discriminant.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "Cle_Test.h"

namespace kestrane::test {
namespace {

// The power as first written: sums over the candidates in rank order, then the terms in order.
double Pouvoir_Litteral(const Base_Connaissance& base, const Classement& c, int n, const Objet_Fic& o) {
    std::vector<int64_t> sommes(static_cast<size_t>(o.Nb_Car), 0);
    for (int k = 0; k < n; ++k) {
        for (int j = 0; j < o.Nb_Car; ++j)
            sommes[static_cast<size_t>(j)] += base.Matrice(c.Espece[static_cast<size_t>(k)], o.Index_Car + j);
    }
    double p = 0;
    for (const int64_t s : sommes) {
        if (s == 0)
            continue;
        const double l1 = std::log(static_cast<double>(n) / static_cast<double>(s));
        const double l2 = std::log(static_cast<double>(o.Nb_Car));
        p -= static_cast<double>(s) / n * l1 / l2;
    }
    return std::fabs(p);
}

// Candidates are summed three ways (every species, a mask, a gather) depending on how many there
// are; each must give the literal power.
TEST(Recherche_Discriminant, MatchesTheLiteralPowerForAnyCandidateSet) {
    std::mt19937 alea(5);
    for (int essai = 0; essai < 100; ++essai) {
        const int nb_esp = 1 + static_cast<int>(alea() % 200);
        std::vector<int> etats;
        for (int c = 0; c < 6; ++c) etats.push_back(2 + static_cast<int>(alea() % 4));
        auto base = Construit_Vide(nb_esp, etats);
        for (auto& v : base->Matrice.Data()) v = static_cast<int16_t>(alea() % 4 == 0 ? 1 : 0);
        Classement c = Classement::Initial(nb_esp);
        std::shuffle(c.Espece.begin(), c.Espece.end(), alea);
        Recherche_Discriminant recherche(*base);
        const std::vector<int16_t> reponses(static_cast<size_t>(base->Nb_Etats_Desc), 0);
        for (const int n : {nb_esp, std::max(1, nb_esp / 2), std::max(1, nb_esp / 20), 1}) {
            std::vector<double> pouvoir;
            const int meilleur = recherche.Calcule(reponses, base->Joker, c, n, pouvoir);
            double attendu_meilleur = 0;
            int attendu_position = -1;
            ASSERT_EQ(pouvoir.size(), base->Objets.size());
            for (size_t p = 0; p < base->Objets.size(); ++p) {
                const double attendu = Pouvoir_Litteral(*base, c, n, base->Objets[p]);
                ASSERT_NEAR(pouvoir[p], attendu, 1e-12) << "essai " << essai << ", " << n << " candidates";
                if (attendu_meilleur < pouvoir[p]) {
                    attendu_meilleur = pouvoir[p];
                    attendu_position = static_cast<int>(p);
                }
            }
            EXPECT_EQ(meilleur, attendu_position);
        }
    }
}

// Characters that tell nothing have no power under either strategy, so Search never proposes
// them: a single state (ln 1 = 0 made it undefined), a state every candidate shares, an answered
// one (any non-zero value, as a file may hold), one not allowed, negative matrix values (no NaN),
// and every character once a single candidate is left.
TEST(Recherche_Discriminant, CharactersThatTellNothingHaveNoPower) {
    EXPECT_EQ(Recherche_Discriminant::Pouvoir({3}, 5), 0.0);
    EXPECT_EQ(Recherche_Discriminant::Pouvoir({-2, 1}, 3), 0.0);
    auto base = Construit_Vide(4, {1, 2, 2, 2, 2});
    for (int s = 0; s < 4; ++s) {
        base->Matrice(s, 0) = 1;          // C0: one state
        base->Matrice(s, 1) = 1;          // C1: every candidate in state 0
        base->Matrice(s, 3 + s % 2) = 1;  // C2: split
        base->Matrice(s, 5 + s % 2) = 1;  // C3: split, but not allowed
        base->Matrice(s, 7 + s % 2) = 1;  // C4: split, but answered
    }
    ASSERT_EQ(base->Joker.size(), 5u);
    base->Joker[3] = false;
    Recherche_Discriminant recherche(*base);
    const std::vector<int16_t> reponses{0, 0, 0, 0, 0, 0, 0, 0, -1};
    for (const auto strategie : {Strategie_Recherche::Entropie, Strategie_Recherche::Applicable}) {
        SCOPED_TRACE(Nom_Strategie(strategie));
        std::vector<bool> joker = base->Joker;
        std::vector<double> pouvoir;
        EXPECT_EQ(recherche.Calcule(reponses, joker, Classement::Initial(4), 4, pouvoir, strategie), 2);
        EXPECT_EQ(pouvoir, (std::vector<double>{0, 0, 1, 0, 0}));
        EXPECT_EQ(recherche.Calcule(reponses, joker, Classement::Initial(4), 1, pouvoir, strategie), -1);
        EXPECT_EQ(pouvoir, std::vector<double>(5, 0.0)) << "one candidate left";
        joker[2] = false;
        EXPECT_EQ(recherche.Calcule(reponses, joker, Classement::Initial(4), 4, pouvoir, strategie), -1);
    }
}

}  // namespace
}  // namespace kestrane::test
