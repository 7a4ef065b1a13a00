#include "Graphe_Descendance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "Cle_Test.h"
#include "Conversions.h"

namespace kestrane::test {
namespace {

// A key of `nb_caracteres` characters of `etats` states each (character c owns states c*etats ..)
// and the given dependencies (parent state -> dependent character), named in lower case: names
// compare without regard to case. Two rows that name nothing are passed over.
std::unique_ptr<Base_Connaissance> Base_Dependances(int nb_caracteres, int etats,
                                                    const std::vector<std::pair<int, int>>& dependances) {
    Cle_Memoire cle{std::vector<int>(static_cast<size_t>(nb_caracteres), etats), {}, {}, {}};
    for (const auto& [parent, enfant] : dependances) cle.dependances.push_back({enfant, parent / etats, parent % etats});
    auto base = Construit(cle);
    for (Dependance& d : base->Descendance) d.ID_CARAC[0] = d.Objet[0] = 'c';
    base->Descendance.push_back({9998, "E0", "Inconnu"});
    base->Descendance.push_back({9999, "Inconnu", "C0"});
    base->Indexe();
    return base;
}

// The cascade as first written: one scan of the whole table per state reached, no guard.
void Nettoie_Litteral(const Base_Connaissance& base, int etat, std::vector<int16_t>& etats) {
    const Etat_Caractere* e = base.Etat_Par_Numero(etat);
    if (e == nullptr)
        return;
    for (const Dependance& d : base.Descendance) {
        if (To_Upper_Ascii(d.ID_CARAC) != To_Upper_Ascii(e->ID_CARAC))
            continue;
        const Objet_Fic* o = base.Trouve_Objet(d.Objet);
        if (o == nullptr)
            continue;
        for (int k = o->Index_Car; k < o->Index_Car + o->Nb_Car; ++k) {
            etats[static_cast<size_t>(k)] = 0;
            Nettoie_Litteral(base, k, etats);
        }
    }
}

// {characters of two states, dependencies, start} -> states left set.
TEST(Graphe_Descendance, ClearsWhatDependsOnTheStateAndNothingElse) {
    std::vector<std::pair<int, int>> chaine;  // state 0 of character c -> character c + 1
    for (int c = 0; c + 1 < 1000; ++c) chaine.emplace_back(c * 2, c + 1);
    const struct {
        const char* quoi;
        int nb_car;
        std::vector<std::pair<int, int>> dependances;
        int depart;
        std::vector<int> restent;  // the states still set afterwards
    } cas[] = {
        {"no dependants", 3, {{0, 1}}, 1, {0, 1, 2, 3, 4, 5}},
        {"one dependant", 3, {{0, 1}}, 0, {0, 1, 4, 5}},
        {"out of range", 2, {{0, 1}}, -1, {0, 1, 2, 3}},
        {"out of range", 2, {{0, 1}}, 4, {0, 1, 2, 3}},
        // A cycle made the plain recursion run until the stack overflowed.
        {"cycle", 3, {{0, 1}, {2, 2}, {4, 0}, {3, 1}}, 0, {}},
        {"chain of 1,000 to its end", 1000, chaine, 0, {0, 1}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quoi);
        const auto base = Base_Dependances(c.nb_car, 2, c.dependances);
        Graphe_Descendance graphe(*base);
        std::vector<int16_t> etats(static_cast<size_t>(c.nb_car * 2), 1);
        graphe.Nettoie_Descendance(c.depart, etats);
        std::vector<int> restent;
        for (size_t e = 0; e < etats.size(); ++e) {
            if (etats[e] != 0)
                restent.push_back(static_cast<int>(e));
        }
        EXPECT_EQ(restent, c.restent);
    }
}

TEST(Graphe_Descendance, WithoutCyclesGivesThePlainRecursionsResult) {
    std::mt19937 alea(7);
    for (int essai = 0; essai < 200; ++essai) {
        const int nb_car = 2 + static_cast<int>(alea() % 12);
        const int etats_par = 1 + static_cast<int>(alea() % 3);
        std::vector<std::pair<int, int>> dependances;
        const int nb_lignes = static_cast<int>(alea() % 20);
        for (int i = 0; i < nb_lignes; ++i) {
            // Parents only point to later characters: no cycle, but shared dependants (diamonds).
            const int parent_car = static_cast<int>(alea() % static_cast<unsigned>(nb_car - 1));
            const int enfant =
                parent_car + 1 + static_cast<int>(alea() % static_cast<unsigned>(nb_car - parent_car - 1));
            dependances.emplace_back(
                parent_car * etats_par + static_cast<int>(alea() % static_cast<unsigned>(etats_par)), enfant);
        }
        auto base = Base_Dependances(nb_car, etats_par, dependances);
        Graphe_Descendance graphe(*base);
        for (int depart = 0; depart < nb_car * etats_par; ++depart) {
            std::vector<int16_t> attendu(static_cast<size_t>(nb_car * etats_par));
            for (auto& v : attendu) v = static_cast<int16_t>(alea() % 2);
            std::vector<int16_t> obtenu = attendu;
            Nettoie_Litteral(*base, depart, attendu);
            graphe.Nettoie_Descendance(depart, obtenu);
            ASSERT_EQ(obtenu, attendu) << "essai " << essai << ", state " << depart;
        }
    }
}

}  // namespace
}  // namespace kestrane::test
