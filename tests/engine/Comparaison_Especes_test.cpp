// The comparison of two species on the small test key (Cle_Test.h): its three sections.

#include <gtest/gtest.h>

#include "Cle_Test.h"
#include "Comparaison_Especes.h"

namespace kestrane::test {
namespace {

// A section as (character, first species' states, second's, disjoint).
struct Ligne {
    std::string objet;
    std::vector<int> a, b;
    bool disjoints;
    bool operator==(const Ligne&) const = default;
};

std::vector<Ligne> Lignes(const Base_Connaissance& base, const std::vector<Caractere_Compare>& section) {
    std::vector<Ligne> lignes;
    for (const auto& c : section)
        lignes.push_back(
            {base.Objets[static_cast<size_t>(c.Position)].Objet, c.Etats_A, c.Etats_B, c.Disjoints});
    return lignes;
}

TEST(Comparaison_Especes, DifferingFirstThoseWithoutACommonStateThenSharedThenKnownForOne) {
    const Cle_Chargee b = Charge_Cle();
    ASSERT_TRUE(b.Base);
    b.Base->Matrice(2, 7) = 1;  // Carpinus shows smooth bark too
    const struct {
        int a, b;
        std::vector<Ligne> differents, communs, un_seul;
    } cas[] = {
        // (Acer and Fraxinus, leaflets known for one only: the command-line key's `compare` case.)
        // Betula and Carpinus: the bark they may share comes after the margin they cannot; neither has
        // leaflets, so Foliole is left out.
        {1, 2, {{"Marge", {5}, {6}, true}, {"Ecorce", {7}, {7, 8}, false}}, {{"Feuille", {0}, {0}, false}}, {}},
        {0, 4, {}, {}, {}},  // a species out of range
    };
    for (const auto& c : cas) {
        const Comparaison_Especes r = Compare_Especes(*b.Base, c.a, c.b);
        EXPECT_EQ(std::tuple(Lignes(*b.Base, r.Differents), Lignes(*b.Base, r.Communs), Lignes(*b.Base, r.Un_Seul)),
                  std::tie(c.differents, c.communs, c.un_seul))
            << c.a << " " << c.b;
    }
}

}  // namespace
}  // namespace kestrane::test
