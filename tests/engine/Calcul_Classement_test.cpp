#include "Calcul_Classement.h"

#include <gtest/gtest.h>

#include <cmath>
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

// A key with one measured character C0 (classes below 5, 5 to 10, 10 or more) and a categorical C1.
// Species ranges of C0: S0 1..4, S1 8..12, S2 the single value 10, S3 none (open in the matrix),
// S4 4.5..5.2. Every species has C1_0.
std::unique_ptr<Base_Connaissance> Cle_Mesuree() {
    auto base = Construit({{3, 2}, {}, {{0, 0}, {1, 0}, {2, 0}, {-1, 0}, {0, 0}}, {}});
    for (int e = 0; e < 3; ++e) base->Matrice(3, e) = 1;
    base->Matrice(1, 2) = base->Matrice(4, 1) = 1;
    const double nan = std::nan("");
    base->Mesures.push_back({"C0", "mm", {5, 10}, {1, 8, 10, nan, 4.5}, {4, 12, 10, nan, 5.2}, -1});
    base->Indexe();
    return base;
}

// The measured answer: value +/- tolerance chooses the classes it meets, counts as one answer,
// and a species scores it when its range meets the interval, and only then (S3 has no range).
// Without a value the interval is the chosen classes' span. Answers -> C0's chosen classes and
// the percentages by species.
TEST(Reponses_Mesurees, ARangeMeetingTheValueAndToleranceScoresOneAnswer) {
    const struct {
        const char* quoi;
        std::optional<std::pair<double, double>> mesure;  // value, tolerance
        std::vector<int16_t> classes;                     // chosen by hand when there is no value
        bool c1;                                          // C1_0 answered too
        std::vector<int16_t> choisies;
        std::vector<int32_t> pourcent;
    } cas[] = {
        {"exact value on a range's end and a single value", std::pair{10.0, 0.0}, {}, false, {0, 0, 1}, {0, 100, 100, 0, 0}},
        {"two classes met count once", std::pair{10.0, 10.0}, {}, false, {0, 1, 1}, {0, 100, 100, 0, 0}},
        {"tolerance reaches no further range", std::pair{4.0, 10.0}, {}, false, {1, 0, 0}, {100, 0, 0, 0, 0}},
        {"value on a range's start", std::pair{4.5, 0.0}, {}, false, {1, 0, 0}, {0, 0, 0, 0, 100}},
        {"tolerance reaches the next range", std::pair{4.2, 10.0}, {}, false, {1, 0, 0}, {100, 0, 0, 0, 100}},
        {"with a categorical answer", std::pair{2.0, 10.0}, {}, true, {1, 0, 0}, {100, 50, 50, 50, 50}},
        {"classes without a value: their span", std::nullopt, {0, 1, 0}, false, {0, 1, 0}, {0, 100, 0, 0, 100}},
        {"no answer to C0", std::nullopt, {0, 0, 0}, true, {0, 0, 0}, {100, 100, 100, 100, 100}},
    };
    const auto base = Cle_Mesuree();
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quoi);
        Fenetre_Enregistreuse fenetre;
        Identification_Courante id(*base, Reglages_Moteur{}, fenetre, fenetre);
        ASSERT_TRUE(id.Demarre());
        if (c.mesure) {
            id.Question = Question_Courante::De_Objet(base->Objets[0]);
            ASSERT_TRUE(id.Valid_Mesure(c.mesure->first, c.mesure->second));
        } else {
            std::vector<int16_t> etats(c.classes);
            etats.insert(etats.end(), {0, 0});
            ASSERT_TRUE(id.Remplace_Reponses(etats, {}));
        }
        if (c.c1) {
            id.Question = Question_Courante::De_Objet(base->Objets[1]);
            id.Question.Choix = 0;
            ASSERT_TRUE(id.Valid_Descripteur());
        }
        ASSERT_TRUE(id.Actualise_Identification());
        EXPECT_EQ(std::vector<int16_t>(id.Etats_Choisis().begin(), id.Etats_Choisis().begin() + 3), c.choisies);
        EXPECT_EQ(id.Resultats().Classement_Esp.Pourcent, c.pourcent);
        // One contradiction at most for the measured answer.
        for (int rang = 0; rang < 5; ++rang) {
            const auto contra = id.Contradictions(rang);
            const int espece = id.Resultats().Classement_Esp.Espece[static_cast<size_t>(rang)];
            EXPECT_EQ(contra.Nb_Dessins_Sup, (100 - c.pourcent[static_cast<size_t>(espece)]) / (c.c1 ? 50 : 100))
                << "species " << espece;
        }
    }
    // A measured character of one class (every taxon measured alike) counts as well.
    {
        auto une = Construit({{1}, {}, {{0}, {0}}, {}});
        une->Mesures.push_back({"C0", "mm", {}, {1, 5}, {2, 5}, -1});
        une->Indexe();
        Fenetre_Enregistreuse fenetre;
        Identification_Courante id(*une, Reglages_Moteur{}, fenetre, fenetre);
        ASSERT_TRUE(id.Demarre());
        id.Question = Question_Courante::De_Objet(une->Objets[0]);
        ASSERT_TRUE(id.Valid_Mesure(5, 0) && id.Actualise_Identification());
        EXPECT_EQ(id.Resultats().Classement_Esp.Pourcent, (std::vector<int32_t>{0, 100}));
    }
    // A value that is no number, a negative tolerance or a character that is not measured changes nothing.
    Fenetre_Enregistreuse fenetre;
    Identification_Courante id(*base, Reglages_Moteur{}, fenetre, fenetre);
    ASSERT_TRUE(id.Demarre());
    id.Question = Question_Courante::De_Objet(base->Objets[0]);
    EXPECT_FALSE(id.Valid_Mesure(std::nan(""), 10));
    EXPECT_FALSE(id.Valid_Mesure(3, -1));
    id.Question = Question_Courante::De_Objet(base->Objets[1]);
    EXPECT_FALSE(id.Valid_Mesure(3, 10));
    EXPECT_EQ(id.Etats_Choisis(), std::vector<int16_t>(5, 0));
}

TEST(Liste_Especes, LinesHaveTheWindowsForm) {
    EXPECT_EQ((std::vector{Ligne_Espece(85, "Quercus robur"), Ligne_Espece(0, "A"), Ligne_Espece(-4, "A")}),
              (std::vector<std::string>{" 85% - Quercus robur", " 0% - A", "-4% - A"}));
    EXPECT_EQ(Nom_De_Ligne(" 85% - Quercus % - x"), "Quercus % - x");
}

}  // namespace
}  // namespace kestrane::test
