#include "Graphe_Descendance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "Conversions.h"

namespace kestrane::test {
namespace {

// A base of `nb_caracteres` characters of `etats` states each (character c owns states
// c*etats ..), state identifiers "E<n>", characters "C<c>", and the given dependencies
// (parent state -> dependent character).
std::unique_ptr<Base_Connaissance> Base_Dependances(int nb_caracteres, int etats,
                                                    const std::vector<std::pair<int, int>>& dependances) {
    auto base = std::make_unique<Base_Connaissance>();
    base->Nb_Etats_Desc = static_cast<int16_t>(nb_caracteres * etats);
    for (int c = 0; c < nb_caracteres; ++c) {
        Objet_Fic o;
        o.Objet = "C" + std::to_string(c);
        o.Desc_Num = c;
        o.Index_Car = c * etats;
        o.Nb_Car = etats;
        base->Objets.push_back(o);
    }
    for (int e = 0; e < nb_caracteres * etats; ++e)
        base->Caracteres.push_back({e, "E" + std::to_string(e), ""});
    int numero = 1;
    for (const auto& [parent, enfant] : dependances) {
        // Lower case on purpose: identifiers compare without regard to case.
        base->Descendance.push_back({numero++, "e" + std::to_string(parent), "c" + std::to_string(enfant)});
    }
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

TEST(Graphe_Descendance, AStateWithoutDependantsChangesNothing) {
    auto base = Base_Dependances(3, 2, {{0, 1}});
    Graphe_Descendance graphe(*base);
    std::vector<int16_t> etats{1, 1, 1, 1, 1, 1};
    graphe.Nettoie_Descendance(1, etats);
    EXPECT_EQ(etats, (std::vector<int16_t>{1, 1, 1, 1, 1, 1}));
    graphe.Nettoie_Descendance(0, etats);
    EXPECT_EQ(etats, (std::vector<int16_t>{1, 1, 0, 0, 1, 1}));
}

TEST(Graphe_Descendance, ALongChainIsClearedToItsEnd) {
    std::vector<std::pair<int, int>> chaine;
    for (int c = 0; c + 1 < 1000; ++c) chaine.emplace_back(c * 2, c + 1);  // state 0 of c -> character c + 1
    auto base = Base_Dependances(1000, 2, chaine);
    Graphe_Descendance graphe(*base);
    std::vector<int16_t> etats(2000, 1);
    graphe.Nettoie_Descendance(0, etats);
    EXPECT_EQ(etats[0], 1);
    EXPECT_EQ(etats[1], 1);
    EXPECT_EQ(std::count(etats.begin(), etats.end(), 0), 1998);
}

// A cycle made the plain recursion run until the stack overflowed.
TEST(Graphe_Descendance, ACycleEndsAndClearsEveryStateOnIt) {
    auto base = Base_Dependances(3, 2, {{0, 1}, {2, 2}, {4, 0}, {3, 1}});
    Graphe_Descendance graphe(*base);
    std::vector<int16_t> etats(6, 1);
    graphe.Nettoie_Descendance(0, etats);
    EXPECT_EQ(etats, std::vector<int16_t>(6, 0));
}

TEST(Graphe_Descendance, UnknownRowsAndOutOfRangeStatesArePassedOver) {
    auto base = Base_Dependances(2, 2, {{0, 1}});
    base->Descendance.push_back({2, "E0", "Inconnu"});
    base->Descendance.push_back({3, "Inconnu", "C0"});
    base->Indexe();
    Graphe_Descendance graphe(*base);
    std::vector<int16_t> etats(4, 1);
    graphe.Nettoie_Descendance(-1, etats);
    graphe.Nettoie_Descendance(4, etats);
    EXPECT_EQ(etats, std::vector<int16_t>(4, 1));
    graphe.Nettoie_Descendance(0, etats);
    EXPECT_EQ(etats, (std::vector<int16_t>{1, 1, 0, 0}));
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
