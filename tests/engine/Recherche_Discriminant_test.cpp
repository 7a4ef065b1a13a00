#include "Recherche_Discriminant.h"

#include <gtest/gtest.h>

#include "Cle_Test.h"

namespace kestrane::test {
namespace {

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
