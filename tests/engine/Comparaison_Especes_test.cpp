// The comparison of two species on the small test key (Cle_Test.h): its three sections.

#include <gtest/gtest.h>

#include "Cle_Test.h"
#include "Comparaison_Especes.h"

namespace kestrane::test {
namespace {

// A section as "character first's states / second's states", "!" after a disjoint character.
std::string Section(const Base_Connaissance& base, const std::vector<Caractere_Compare>& section) {
    std::string texte;
    for (const auto& c : section) {
        texte += base.Objets[static_cast<size_t>(c.Position)].Objet + (c.Disjoints ? "!" : "");
        for (const auto* etats : {&c.Etats_A, &c.Etats_B}) {
            for (const int e : *etats) texte += " " + std::to_string(e);
            texte += etats == &c.Etats_A ? " /" : "; ";
        }
    }
    return texte;
}

// (Acer and Fraxinus, leaflets known for one only: the command-line key's `compare` case.)
TEST(Comparaison_Especes, DifferingFirstThoseWithoutACommonStateThenSharedThenKnownForOne) {
    const Cle_Chargee b = Charge_Cle();
    ASSERT_TRUE(b.Base);
    b.Base->Matrice(2, 7) = 1;  // Carpinus shows smooth bark too
    // Betula and Carpinus: the bark they may share comes after the margin they cannot; neither has
    // leaflets, so Foliole is left out. Then a species out of range.
    for (const auto& [a, b_, attendu] : {std::tuple(1, 2, "Marge! 5 / 6; Ecorce 7 / 7 8; |Feuille 0 / 0; |"),
                                         std::tuple(0, 4, "||")}) {
        const Comparaison_Especes r = Compare_Especes(*b.Base, a, b_);
        EXPECT_EQ(Section(*b.Base, r.Differents) + "|" + Section(*b.Base, r.Communs) + "|" + Section(*b.Base, r.Un_Seul),
                  attendu);
    }
}

}  // namespace
}  // namespace kestrane::test
