// Naming the object under a point: the click zones' rules and the nearest palette colour.
#include <gtest/gtest.h>

#include <memory>

#include "Base_Test.h"
#include "Chargeur_Base.h"
#include "Palette_Sampler.h"
#include "Recherche_Objet.h"

namespace kestrane::test {
namespace {

// Two characters: A (states 0 A1, 1 A2; frame 0) and B (states 2 B1, 3 B2; frame 1), then the
// zones and palette given.
struct Base_Zones {
    explicit Base_Zones(const std::string& lignes, int nb_couleurs = 0, std::vector<int32_t> couleurs = {}) {
        Description_Base d;
        d.nb_contraintes = 2;
        d.sql = Parametres_SQL({{"Nb_Esp", "1"},
                                {"Nb_Etats_Desc", "4"},
                                {"Nb_Cadre", "3"},
                                {"Nb_Robot", "0"},
                                {"Nb_But_Deter", "0"},
                                {"Nb_But_Quest", "0"},
                                {"Nb_Couleurs", std::to_string(nb_couleurs)},
                                {"Nb_Contraintes", "2"}}) +
                R"sql(
INSERT INTO Flore VALUES ('Acer', 'ACECA', 'Aceraceae', '');
INSERT INTO Caracteres VALUES (0, 'A1', ''), (1, 'A2', ''), (2, 'B1', ''), (3, 'B2', '');
INSERT INTO Objets_Fic VALUES ('A', 0, 0, 2, 1, 2, 0, 'a.wmf', 'A?', 1);
INSERT INTO Objets_Fic VALUES ('B', 1, 2, 2, 1, 2, 1, 'b.wmf', 'B?', 1);
)sql" + lignes;
        d.poids = {1, 1, 1, 1};
        d.matrice = {1, 0, 1, 0};
        dossier = std::make_unique<Base_Temporaire>(d);
        Palette_Fixe palette(std::move(couleurs));
        Chargement c = Charge_Base(dossier->Lieux(), &palette);
        EXPECT_TRUE(c.Base) << (c.Echec ? c.Echec->Message : "");
        base = std::move(c.Base);
    }

    // The object named at (x, y) with the answers given; "" for none.
    std::string Objet(double x, double y, std::vector<int16_t> etats = {0, 0, 0, 0},
                      std::vector<int16_t> cadres = {0, 0, 0}) const {
        const Zone_Trouvee z = Cherche_Zone(*base, etats, cadres, x, y);
        return z.Objet != nullptr ? z.Objet->Objet : std::string();
    }

    std::unique_ptr<Base_Temporaire> dossier;
    std::unique_ptr<Base_Connaissance> base;
};

std::string Zone(int numero, const std::string& nom, const std::string& cadre, const std::string& test_cadre, int x1,
                 int x2, int y1, int y2, const std::string& c0, const std::string& c1) {
    return "INSERT INTO Clic_Zone VALUES (" + std::to_string(numero) + ", '" + nom + "', " + cadre + ", " +
           test_cadre + ", " + std::to_string(x1) + ", " + std::to_string(x2) + ", " + std::to_string(y1) + ", " +
           std::to_string(y2) + ", " + c0 + ", " + c1 + ");\n";
}

TEST(Cherche_Zone, EdgesAreOutsideTheZone) {
    Base_Zones b(Zone(1, "A", "0", "0", 100, 200, 300, 400, "'Fin'", "NULL"));
    EXPECT_EQ(b.Objet(101, 301), "A");
    EXPECT_EQ(b.Objet(199, 399), "A");
    EXPECT_EQ(b.Objet(100, 350), "");
    EXPECT_EQ(b.Objet(200, 350), "");
    EXPECT_EQ(b.Objet(150, 300), "");
    EXPECT_EQ(b.Objet(150, 400), "");
}

// A condition holds only when its state's answer is exactly 1 (a file may hold other values).
TEST(Cherche_Zone, ConditionsMustBeChosenStatesOfValueOne) {
    Base_Zones b(Zone(1, "B", "1", "0", 0, 1000, 0, 1000, "'A2'", "'Fin'"));
    for (const auto& [a1, a2, objet] :
         {std::tuple{0, 0, ""}, {1, 0, ""}, {0, 1, "B"}, {1, 1, "B"}, {0, 2, ""}, {0, -1, ""}})
        EXPECT_EQ(b.Objet(10, 10, {int16_t(a1), int16_t(a2), 0, 0}), objet) << a1 << " " << a2;
}

TEST(Cherche_Zone, ZoneWithoutFinIsNeverHit) {
    Base_Zones b(Zone(1, "B", "1", "0", 0, 1000, 0, 1000, "'A1'", "'A2'"));
    EXPECT_EQ(b.Objet(10, 10, {1, 1, 0, 0}), "");
}

TEST(Cherche_Zone, ConditionNamingNoStateFails) {
    Base_Zones b(Zone(1, "B", "1", "0", 0, 1000, 0, 1000, "'NOPE'", "'Fin'"));
    EXPECT_EQ(b.Objet(10, 10, {1, 1, 1, 1}), "");
}

TEST(Cherche_Zone, OnlyTheFirstZoneOfAFrameIsTested) {
    Base_Zones b(Zone(1, "A", "0", "0", 0, 100, 0, 100, "'Fin'", "NULL") +
                 Zone(2, "B", "0", "0", 200, 300, 0, 100, "'Fin'", "NULL") +
                 Zone(3, "B", "1", "0", 400, 500, 0, 100, "'Fin'", "NULL"));
    EXPECT_EQ(b.Objet(50, 50), "A");
    EXPECT_EQ(b.Objet(250, 50), "");  // second zone of frame 0, even though the point is inside
    EXPECT_EQ(b.Objet(450, 50), "B");
}

TEST(Cherche_Zone, ZoneWhoseConditionsFailDoesNotOpenItsFrame) {
    Base_Zones b(Zone(1, "A", "0", "0", 0, 100, 0, 100, "'B1'", "'Fin'") +
                 Zone(2, "B", "0", "0", 200, 300, 0, 100, "'Fin'", "NULL"));
    EXPECT_EQ(b.Objet(250, 50), "B");
}

TEST(Cherche_Zone, ZoneWithoutFrameIsSkippedUntilAFrameOpens) {
    Base_Zones sans(Zone(1, "A", "NULL", "0", 0, 100, 0, 100, "'Fin'", "NULL"));
    EXPECT_EQ(sans.Objet(50, 50), "");
    Base_Zones apres(Zone(1, "B", "1", "0", 500, 600, 0, 100, "'Fin'", "NULL") +
                     Zone(2, "A", "NULL", "0", 0, 100, 0, 100, "'Fin'", "NULL"));
    EXPECT_EQ(apres.Objet(50, 50), "A");
}

TEST(Cherche_Zone, TestCadreNeedsAnAnswerInItsFrameAndOpensNoFrame) {
    Base_Zones b(Zone(1, "B", "1", "1", 0, 100, 0, 100, "'Fin'", "NULL") +
                 Zone(2, "A", "1", "0", 0, 100, 0, 100, "'Fin'", "NULL"));
    // Frame 1 unanswered: the Test_Cadre zone is passed over, and the next zone of the same
    // frame is still tested.
    EXPECT_EQ(b.Objet(50, 50), "A");
    EXPECT_EQ(b.Objet(50, 50, {0, 0, 1, 0}, {0, -1, 0}), "B");
}

TEST(Cherche_Zone, NullEdgeIsOutsideAndNullTestCadreIsNeutral) {
    // Each Null edge in turn: the zone holds no point, not even one that 0 would let in.
    for (int bord = 0; bord < 4; ++bord) {
        std::string bords[] = {"0", "200", "0", "200"};
        bords[bord] = "NULL";
        Base_Zones b("INSERT INTO Clic_Zone VALUES (1, 'A', 0, 0, " + bords[0] + ", " + bords[1] + ", " +
                     bords[2] + ", " + bords[3] + ", 'Fin', NULL);\n");
        EXPECT_EQ(b.Objet(50, 50), "") << "edge " << bord;
    }
    // A Null Test_Cadre neither asks for an answer in frame 0 nor closes it to the next zone.
    Base_Zones neutre("INSERT INTO Clic_Zone VALUES (1, 'A', 0, NULL, 0, 100, 0, 100, 'Fin', NULL);\n" +
                      Zone(2, "B", "0", "0", 200, 300, 0, 100, "'Fin'", "NULL"));
    ASSERT_EQ(neutre.base->Clic_Zone.size(), 2u);
    EXPECT_FALSE(neutre.base->Clic_Zone[0].Test_Cadre.has_value());
    EXPECT_EQ(neutre.Objet(50, 50), "A");
    EXPECT_EQ(neutre.Objet(250, 50), "B");
}

TEST(Cherche_Zone, ZoneNamingNoObjectEndsTheSearch) {
    Base_Zones b(Zone(1, "Inconnu", "0", "0", 0, 100, 0, 100, "'Fin'", "NULL") +
                 Zone(2, "B", "1", "0", 0, 100, 0, 100, "'Fin'", "NULL"));
    const Zone_Trouvee z = Cherche_Zone(*b.base, {0, 0, 0, 0}, {0, 0, 0}, 50, 50);
    EXPECT_TRUE(z.Touchee);
    EXPECT_EQ(z.Zone, 0);
    EXPECT_EQ(z.Objet, nullptr);
}

TEST(Cherche_Zone, ReferenceQuotientFirstThenFloor) {
    EXPECT_EQ(Reference_X(100, 480), 500);
    EXPECT_EQ(Reference_X(99.9, 480), 499);
    EXPECT_EQ(Reference_Y(359, 360), 1795);
    EXPECT_EQ(Reference_X(1, 7), 342);
}

const std::string Couleurs = "INSERT INTO Couleurs VALUES (1, 'R1'), (2, 'V'), (3, 'R2'), (4, 'B');\n";

TEST(Couleur_Proche, ExactColourGivesTheFirstEqualEntry) {
    Base_Zones b(Couleurs, 4, {0x0000FF, 0x00FF00, 0x0000FF, 0xFF0000});
    EXPECT_EQ(Couleur_Proche(*b.base, 0x0000FF), "R1");
    EXPECT_EQ(Couleur_Proche(*b.base, 0x00FF00), "V");
}

TEST(Couleur_Proche, NearestColourWinsLowestIndexOnTies) {
    Base_Zones b(Couleurs, 4, {0x0000FF, 0x00FF00, 0x0000FF, 0xFF0000});
    // red 200, green 10, blue 0 (0x000AC8): nearest to pure red.
    EXPECT_EQ(Couleur_Proche(*b.base, 0x000AC8), "R1");
    // Exactly between pure green and pure blue: the lower index.
    EXPECT_EQ(Couleur_Proche(*b.base, 0x808000), "V");
    EXPECT_EQ(Couleur_Proche(*b.base, 0xF00010), "B");
}

TEST(Couleur_Proche, EmptyPaletteGivesNothing) {
    Base_Zones b("");
    EXPECT_EQ(Couleur_Proche(*b.base, 0x123456), "");
}

}  // namespace
}  // namespace kestrane::test
