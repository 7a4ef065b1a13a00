#include "Calcul_Classement.h"

#include <gtest/gtest.h>

#include <random>

#include "Classement_Litteral.h"
#include "Cle_Test.h"
#include "Liste_Especes.h"

namespace kestrane::test {
namespace {

// nb_esp species and nb_etats states, weights and matrix all 0.
std::unique_ptr<Base_Connaissance> Base_Vide(int nb_esp, int nb_etats) {
    auto base = Construit_Vide(nb_esp, std::vector<int>(static_cast<size_t>(nb_etats), 1));
    base->Poids.assign(static_cast<size_t>(nb_etats), 0);
    return base;
}

// Random bases of several kinds: few values (many ties), zero weights, negative values, values
// that overflow 16 bits once multiplied, and answers with values other than 1 (as files may hold).
TEST(Calcul_Classement, MatchesTheLiteralAlgorithmOnRandomBases) {
    std::mt19937 alea(20240611);
    for (int essai = 0; essai < 400; ++essai) {
        const int genre = essai % 4;
        const int nb_esp = 1 + static_cast<int>(alea() % 60);
        const int nb_etats = 1 + static_cast<int>(alea() % 40);
        auto base = Base_Vide(nb_esp, nb_etats);
        auto tire = [&](int bas, int haut) {
            return static_cast<int16_t>(bas + static_cast<int>(alea() % (haut - bas + 1)));
        };
        for (auto& p : base->Poids)
            p = genre == 0   ? tire(0, 1)
                : genre == 1 ? tire(-3, 3)
                : genre == 2 ? tire(-32768, 32767)
                             : tire(0, 5);
        for (auto& v : base->Matrice.Data())
            v = genre == 2 ? tire(-32768, 32767) : genre == 1 ? tire(-2, 2) : tire(0, 1);
        Calcul_Classement calcul(*base);  // one calculation and one result reused for every answer set
        Resultats_Classement obtenu = Resultats_Classement::Initial(base->Nb_Esp);
        for (int reponses = 0; reponses < 5; ++reponses) {
            std::vector<int16_t> etats(static_cast<size_t>(nb_etats), 0);
            for (auto& e : etats) {
                const auto u = alea() % 10;
                e = u < 3 ? 1 : u == 9 && genre >= 1 ? tire(-5, 32767) : 0;
            }
            Resultats_Classement attendu = Resultats_Classement::Initial(base->Nb_Esp);
            Classement_Litteral(*base, etats, attendu);
            calcul.Calcule(etats, obtenu);
            const auto tout = [](const Resultats_Classement& r) {
                return std::tie(r.Score_Esp, r.Classement_Esp.Espece, r.Classement_Esp.Score, r.Pourcent_Esp,
                                r.Classement_Esp.Pourcent);
            };
            ASSERT_EQ(tout(obtenu), tout(attendu)) << "essai " << essai << "." << reponses;
        }
    }
}

// Small cases written out: {weights, matrix (species-major), answers} -> ranking and percentages.
// The sort takes one of three paths by the spread of the scores (counting, packed keys, plain
// comparison); each must keep equal scores in species order.
TEST(Calcul_Classement, WorkedCasesAndEqualScoresInSpeciesOrderAtEverySpread) {
    const struct {
        const char* quoi;
        std::vector<int16_t> poids, matrice, etats;
        std::vector<int32_t> especes, pourcent_esp, pourcent;
    } cas[] = {
        // clang-format off
        {"no answer: species order, zero percent", {1, 1}, {1, 0, 1, 1, 1, 0}, {0, 0}, {0, 1, 2}, {0, 0, 0}, {0, 0, 0}},
        // Species 0: (0, 1) = 3; species 1: (1, 1) = 5; species 2: (0, 1) = 3.
        {"worked example", {2, 3}, {0, 1, 0, 1, 1, 1}, {1, 1}, {1, 0, 2}, {100, 60, 60}, {60, 100, 60}},
        // 1 and -1 (a file may hold -1) cancel in the total but not in species 1's score.
        {"answers of zero total still rank", {1, 1}, {0, 1, 0, 0}, {1, -1}, {1, 0}, {0, 0}, {0, 0}},
        {"ties of small scores", {1}, {0, 1, 0, 1, 0, 1}, {1}, {1, 3, 5, 0, 2, 4}, {100, 100, 100, 0, 0, 0}, {0, 100, 0, 100, 0, 100}},
        {"ties of scores of a million", {1000}, {0, 1000, 0, 1000, 0, 1000}, {1}, {1, 3, 5, 0, 2, 4},
         {100000, 100000, 100000, 0, 0, 0}, {0, 100000, 0, 100000, 0, 100000}},
        {"ties of scores beyond 32 bits", {32767}, {0, 32767, 0, 32767, 0, 32767}, {32767}, {1, 3, 5, 0, 2, 4},
         {3276700, 3276700, 3276700, 0, 0, 0}, {0, 3276700, 0, 3276700, 0, 3276700}},
        // clang-format on
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quoi);
        auto base = Base_Vide(static_cast<int>(c.especes.size()), static_cast<int>(c.poids.size()));
        base->Poids = c.poids;
        base->Matrice.Data() = c.matrice;
        Resultats_Classement r = Resultats_Classement::Initial(base->Nb_Esp);
        Calcul_Classement(*base).Calcule(c.etats, r);
        EXPECT_EQ(std::tie(r.Classement_Esp.Espece, r.Pourcent_Esp, r.Classement_Esp.Pourcent),
                  std::tie(c.especes, c.pourcent_esp, c.pourcent));
    }
}

TEST(Liste_Especes, LinesHaveTheWindowsForm) {
    EXPECT_EQ((std::vector{Ligne_Espece(85, "Quercus robur"), Ligne_Espece(0, "A"), Ligne_Espece(-4, "A")}),
              (std::vector<std::string>{" 85% - Quercus robur", " 0% - A", "-4% - A"}));
    EXPECT_EQ(Nom_De_Ligne(" 85% - Quercus % - x"), "Quercus % - x");
}

}  // namespace
}  // namespace kestrane::test
