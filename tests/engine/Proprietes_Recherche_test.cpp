// The search held to its invariants over generated keys, whatever the candidates and the strategy:
// a proposed question tells the candidates apart, nothing is proposed only when no question could,
// the ranked questions fall from the choice, and the walker identifies what the key can tell apart.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

#include "Cle_Test.h"
#include "Parcours_Recherche.h"
#include "Recherche_Discriminant.h"

namespace kestrane::test {
namespace {

constexpr Strategie_Recherche Strategies[] = {Strategie_Recherche::Entropie, Strategie_Recherche::Applicable};

// A key of 1 .. 20 species and 1 .. 6 characters of 1 .. 4 states; each species shows one state of
// a character, none (-1) when `lacunes`, and a few dependencies when `dependances`.
Cle_Memoire Cle_Au_Hasard(std::mt19937& alea, bool lacunes, bool dependances) {
    const auto tire = [&](int n) { return static_cast<int>(alea() % static_cast<unsigned>(n)); };
    Cle_Memoire cle;
    for (int c = 0, nb_car = 1 + tire(6); c < nb_car; ++c) {
        cle.etats.push_back(1 + tire(4));
        cle.poids.push_back(static_cast<int16_t>(1 + tire(3)));
    }
    for (int s = 0, nb_esp = 1 + tire(20); s < nb_esp; ++s) {
        cle.especes.emplace_back();
        for (const int k : cle.etats) cle.especes.back().push_back(lacunes && tire(5) == 0 ? -1 : tire(k));
    }
    for (int d = 0; dependances && cle.etats.size() > 1 && d < 2; ++d) {
        const int c = 1 + tire(static_cast<int>(cle.etats.size()) - 1), p = tire(c);
        cle.dependances.push_back({c, p, tire(cle.etats[static_cast<size_t>(p)])});
    }
    return cle;
}

// The power as first written: each state summed over the candidates in rank order, the terms in order.
double Pouvoir_Litteral(const Base_Connaissance& base, const Classement& c, int n, const Objet_Fic& o) {
    double p = 0;
    for (int j = 0; j < o.Nb_Car; ++j) {
        int64_t s = 0;
        for (int k = 0; k < n; ++k) s += base.Matrice(c.Espece[static_cast<size_t>(k)], o.Index_Car + j);
        if (s != 0)
            p -= static_cast<double>(s) / n * std::log(static_cast<double>(n) / static_cast<double>(s)) /
                 std::log(static_cast<double>(o.Nb_Car));
    }
    return std::fabs(p);
}

// Whether two of the candidates differ on one of the character's states.
bool Separe(const Base_Connaissance& b, const Classement& c, int n, const Objet_Fic& o) {
    for (int k = 1; k < n; ++k)
        for (int j = 0; j < o.Nb_Car; ++j)
            if (b.Matrice(c.Espece[0], o.Index_Car + j) != b.Matrice(c.Espece[static_cast<size_t>(k)], o.Index_Car + j))
                return true;
    return false;
}

// {random key, answers, candidates} -> each eligible character has the literal power (candidates
// are summed three ways, over every species, a mask or a gather, depending on how many there are);
// for each strategy, the choice separates the candidates;
// when there is none, no eligible character would (under the applicable strategy, checked on keys
// without dependencies, where every character applies); the ranked list starts with the choice,
// gives Calcule's powers, falls (from at most 1 under the applicable strategy), and with what it
// leaves out names every unanswered character once.
TEST(Proprietes_Recherche, TheProposedQuestionAlwaysSeparatesTheCandidates) {
    std::mt19937 alea(321);
    for (int essai = 0; essai < 300; ++essai) {
        const bool dependances = essai % 3 == 2;
        const auto base = Construit(Cle_Au_Hasard(alea, essai % 2 == 1, dependances));
        for (size_t c = 0; c < base->Joker.size(); ++c) base->Joker[c] = alea() % 6 != 0;
        for (auto& v : base->Matrice.Data()) v = static_cast<int16_t>(v != 0 || alea() % 10 == 0);  // some show several
        std::vector<int16_t> etats(static_cast<size_t>(base->Nb_Etats_Desc), 0);
        std::set<int> repondus;
        for (size_t p = 0; p < base->Objets.size(); ++p)
            if (alea() % 4 == 0) {
                const Objet_Fic& o = base->Objets[p];
                etats[static_cast<size_t>(o.Index_Car) + alea() % static_cast<unsigned>(o.Nb_Car)] = 1;
                repondus.insert(static_cast<int>(p));
            }
        Classement classement = Classement::Initial(base->Nb_Esp);
        std::shuffle(classement.Espece.begin(), classement.Espece.end(), alea);
        const int n = 1 + static_cast<int>(alea() % static_cast<unsigned>(base->Nb_Esp));
        Recherche_Discriminant recherche(*base);
        for (const auto strategie : Strategies) {
            SCOPED_TRACE("essai " + std::to_string(essai) + ", " + std::string(Nom_Strategie(strategie)) + ", " +
                         std::to_string(n) + " candidates");
            std::vector<double> pouvoir;
            const int choix = recherche.Calcule(etats, base->Joker, classement, n, pouvoir, strategie);
            for (size_t p = 0; strategie == Strategie_Recherche::Entropie && p < pouvoir.size(); ++p) {
                const bool eligible = base->Joker[p] && !repondus.count(static_cast<int>(p)) && base->Objets[p].Nb_Car >= 2;
                EXPECT_NEAR(pouvoir[p], eligible ? Pouvoir_Litteral(*base, classement, n, base->Objets[p]) : 0.0, 1e-12);
            }
            if (choix >= 0) {
                const Objet_Fic& o = base->Objets[static_cast<size_t>(choix)];
                EXPECT_TRUE(Separe(*base, classement, n, o)) << o.Objet << " power " << pouvoir[static_cast<size_t>(choix)];
                EXPECT_TRUE(base->Joker[static_cast<size_t>(choix)] && !repondus.count(choix));
            } else {
                for (size_t p = 0; p < base->Objets.size(); ++p) {
                    if (base->Joker[p] && !repondus.count(static_cast<int>(p)) && base->Objets[p].Nb_Car >= 2 &&
                        (strategie == Strategie_Recherche::Entropie || !dependances)) {
                        EXPECT_FALSE(Separe(*base, classement, n, base->Objets[p])) << base->Objets[p].Objet;
                    }
                }
            }
            const auto lignes = recherche.Classe(etats, base->Joker, classement, n, strategie);
            EXPECT_EQ(lignes.empty() ? -1 : lignes.front().Pouvoir > 0 ? lignes.front().Position : -1, choix);
            std::set<int> vues;
            double plafond = strategie == Strategie_Recherche::Applicable ? 1.0 : 1e300;
            for (const auto& ligne : lignes) {
                EXPECT_EQ(ligne.Pouvoir, pouvoir[static_cast<size_t>(ligne.Position)]);
                EXPECT_LE(ligne.Pouvoir, plafond + 1e-9);
                plafond = ligne.Pouvoir;
                vues.insert(ligne.Position);
            }
            for (const int p : recherche.Hors_Classement(etats, lignes)) EXPECT_TRUE(vues.insert(p).second) << p;
            std::set<int> a_repondre;
            for (size_t p = 0; p < base->Objets.size(); ++p)
                if (!repondus.count(static_cast<int>(p)) && base->Objets[p].Nb_Car > 0)
                    a_repondre.insert(static_cast<int>(p));
            EXPECT_EQ(vues, a_repondre);
        }
    }
}

// {random key, every species showing one state of every character, no dependency} -> the walk of
// each species, under each strategy, identifies it, alone exactly when no other species shows the
// same states.
TEST(Proprietes_Recherche, TheWalkIdentifiesEverySpeciesAloneWhenItsStatesAreItsOwn) {
    std::mt19937 alea(654);
    for (int essai = 0; essai < 60; ++essai) {
        const Cle_Memoire cle = Cle_Au_Hasard(alea, false, false);
        const auto base = Construit(cle);
        int seules = 0;
        for (const auto& s : cle.especes) seules += std::count(cle.especes.begin(), cle.especes.end(), s) == 1;
        for (const auto strategie : Strategies) {
            SCOPED_TRACE("essai " + std::to_string(essai) + ", " + std::string(Nom_Strategie(strategie)));
            const Bilan_Parcours bilan = Parcourt_Especes(*base, strategie);
            EXPECT_EQ(std::tuple(bilan.Nb_Identifiees, bilan.Nb_Seules, bilan.Questions_Non_Applicables),
                      std::tuple(base->Nb_Esp, seules, 0));
        }
    }
}

}  // namespace
}  // namespace kestrane::test
