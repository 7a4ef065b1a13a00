#include "Calcul_Classement.h"

#include <gtest/gtest.h>

#include <random>

#include "Classement_Litteral.h"
#include "Liste_Especes.h"

namespace kestrane::test {
namespace {

std::unique_ptr<Base_Connaissance> Base_Vide(int nb_esp, int nb_etats) {
    auto base = std::make_unique<Base_Connaissance>();
    base->Nb_Esp = static_cast<int16_t>(nb_esp);
    base->Nb_Etats_Desc = static_cast<int16_t>(nb_etats);
    base->Poids.assign(static_cast<size_t>(nb_etats), 0);
    base->Matrice = Matrice_Especes(nb_esp, nb_etats);
    for (int s = 0; s < nb_esp; ++s) base->Nom_Esp.push_back("S" + std::to_string(s));
    return base;
}

struct Calcul {
    explicit Calcul(const Base_Connaissance& base)
        : calcul(base), r(Resultats_Classement::Initial(base.Nb_Esp)) {}
    const Resultats_Classement& operator()(const std::vector<int16_t>& etats) {
        calcul.Calcule(etats, r);
        return r;
    }
    Calcul_Classement calcul;
    Resultats_Classement r;
};

void Compare_Au_Litteral(const Base_Connaissance& base, const std::vector<int16_t>& etats, Calcul& calcul,
                         const std::string& cas) {
    Resultats_Classement attendu = Resultats_Classement::Initial(base.Nb_Esp);
    Classement_Litteral(base, etats, attendu);
    const Resultats_Classement& obtenu = calcul(etats);
    ASSERT_EQ(obtenu.Score_Esp, attendu.Score_Esp) << cas;
    ASSERT_EQ(obtenu.Classement_Esp.Espece, attendu.Classement_Esp.Espece) << cas;
    ASSERT_EQ(obtenu.Classement_Esp.Score, attendu.Classement_Esp.Score) << cas;
    ASSERT_EQ(obtenu.Pourcent_Esp, attendu.Pourcent_Esp) << cas;
    ASSERT_EQ(obtenu.Classement_Esp.Pourcent, attendu.Classement_Esp.Pourcent) << cas;
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
        Calcul calcul(*base);
        for (int reponses = 0; reponses < 5; ++reponses) {
            std::vector<int16_t> etats(static_cast<size_t>(nb_etats), 0);
            for (auto& e : etats) {
                const auto u = alea() % 10;
                e = u < 3 ? 1 : u == 9 && genre >= 1 ? tire(-5, 32767) : 0;
            }
            Compare_Au_Litteral(*base, etats, calcul,
                                "essai " + std::to_string(essai) + "." + std::to_string(reponses));
            if (HasFatalFailure())
                return;
        }
    }
}

// The sort takes one of three paths by the spread of the scores (counting, packed keys, plain
// comparison); each must keep equal scores in species order.
TEST(Calcul_Classement, EqualScoresKeepSpeciesOrderAtEverySpreadOfScores) {
    struct Cas {
        int16_t poids, valeur, reponse;  // the best score is poids x valeur x reponse
    };
    for (const Cas& cas : {Cas{1, 1, 1}, Cas{1000, 1000, 1}, Cas{32767, 32767, 32767}}) {
        auto base = Base_Vide(6, 1);
        base->Poids = {cas.poids};
        base->Matrice.Data() = {0, cas.valeur, 0, cas.valeur, 0, cas.valeur};
        Calcul calcul(*base);
        const auto& r = calcul({cas.reponse});
        EXPECT_EQ(r.Classement_Esp.Espece, (std::vector<int32_t>{1, 3, 5, 0, 2, 4}))
            << "weight " << cas.poids;
    }
}

TEST(Calcul_Classement, NoAnswerGivesZeroScoresSpeciesOrderAndZeroPercent) {
    auto base = Base_Vide(3, 2);
    base->Poids = {1, 1};
    base->Matrice.Data() = {1, 0, 1, 1, 1, 0};
    Calcul calcul(*base);
    const auto& r = calcul({0, 0});
    EXPECT_EQ(r.Score_Esp, (std::vector<int64_t>{0, 0, 0}));
    EXPECT_EQ(r.Classement_Esp.Espece, (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(r.Pourcent_Esp, (std::vector<int32_t>{0, 0, 0}));
}

TEST(Calcul_Classement, WorkedExampleAndEqualScoresInSpeciesOrder) {
    auto base = Base_Vide(3, 2);
    base->Poids = {2, 3};
    // Species 0: (0, 1) = 3; species 1: (1, 1) = 5; species 2: (0, 1) = 3.
    base->Matrice.Data() = {0, 1, 0, 1, 1, 1};
    Calcul calcul(*base);
    const auto& r = calcul({1, 1});
    EXPECT_EQ(r.Classement_Esp.Espece, (std::vector<int32_t>{1, 0, 2}));
    EXPECT_EQ(r.Pourcent_Esp, (std::vector<int32_t>{100, 60, 60}));
    EXPECT_EQ(r.Classement_Esp.Pourcent, (std::vector<int32_t>{60, 100, 60}));
}

TEST(Calcul_Classement, AnswersOfZeroTotalGiveZeroPercentButStillRank) {
    auto base = Base_Vide(2, 2);
    base->Poids = {1, 1};
    base->Matrice.Data() = {0, 1, 0, 0};  // species 1 has state 0
    Calcul calcul(*base);
    // 1 and -1 (a file may hold -1) cancel in the total but not in species 1's score.
    const auto& r = calcul({1, -1});
    EXPECT_EQ(r.Classement_Esp.Espece, (std::vector<int32_t>{1, 0}));
    EXPECT_EQ(r.Pourcent_Esp, (std::vector<int32_t>{0, 0}));
    EXPECT_EQ(r.Classement_Esp.Pourcent, (std::vector<int32_t>{0, 0}));
}

TEST(Calcul_Classement, PercentagesRoundHalvesToEven) {
    EXPECT_EQ(Pourcentage(133, 200), 66);  // 66.5
    EXPECT_EQ(Pourcentage(135, 200), 68);  // 67.5
}

// Scores above 327 overflowed 16-bit percentages; a large base must still give exact ones.
TEST(Calcul_Classement, LargeScoresGiveExactPercentages) {
    const int nb_etats = 1000;
    auto base = Base_Vide(3, nb_etats);
    base->Poids.assign(nb_etats, 30);
    for (int e = 0; e < nb_etats; ++e) {
        base->Matrice(0, e) = 1;
        base->Matrice(1, e) = e < 995 ? 1 : 0;
        base->Matrice(2, e) = e < 985 ? 1 : 0;
    }
    Calcul calcul(*base);
    const auto& r = calcul(std::vector<int16_t>(nb_etats, 1));
    EXPECT_EQ(r.Classement_Esp.Score[0], 30000);
    EXPECT_EQ(r.Pourcent_Esp, (std::vector<int32_t>{100, 100, 98}));  // 99.5 -> 100, 98.5 -> 98
}

TEST(Liste_Especes, LinesAndLabelHaveTheWindowsForm) {
    EXPECT_EQ(Ligne_Espece(85, "Quercus robur"), " 85% - Quercus robur");
    EXPECT_EQ(Ligne_Espece(0, "A"), " 0% - A");
    EXPECT_EQ(Ligne_Espece(-4, "A"), "-4% - A");
    EXPECT_EQ(Nom_De_Ligne(" 85% - Quercus % - x"), "Quercus % - x");

    auto base = Base_Vide(4, 1);
    Resultats_Classement r = Resultats_Classement::Initial(4);
    r.Pourcent_Esp = {85, 85, 85, 40};
    r.Classement_Esp.Espece = {2, 0, 1, 3};
    Liste_Especes liste;
    Remplit_Liste(*base, r, 40, "species at", liste);
    EXPECT_EQ(liste.Lignes, (std::vector<std::string>{" 85% - S2", " 85% - S0", " 85% - S1", " 40% - S3"}));
    EXPECT_EQ(liste.Nb_Esp_Max, 3);
    EXPECT_EQ(liste.Legende, " 3 species at 85 %");
    Remplit_Liste(*base, r, 86, "species at", liste);
    EXPECT_TRUE(liste.Lignes.empty());
    EXPECT_EQ(liste.Legende, " 0 species at 85 %");
}

}  // namespace
}  // namespace kestrane::test
