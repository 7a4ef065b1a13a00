// Naming the object under a point: the click zones' rules and the nearest palette colour.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

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
        // clang-format off
        d.sql = Parametres_SQL({{"Nb_Esp", "1"}, {"Nb_Etats_Desc", "4"}, {"Nb_Cadre", "3"}, {"Nb_Robot", "0"}, {"Nb_But_Deter", "0"},
                                {"Nb_But_Quest", "0"}, {"Nb_Couleurs", std::to_string(nb_couleurs)}, {"Nb_Contraintes", "2"}}) +
        // clang-format on
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

std::string Zone(int numero, const std::string& nom, const std::string& cadre, const std::string& test_cadre,
                 int x1, int x2, int y1, int y2, const std::string& c0, const std::string& c1) {
    return "INSERT INTO Clic_Zone VALUES (" + std::to_string(numero) + ", '" + nom + "', " + cadre + ", " +
           test_cadre + ", " + std::to_string(x1) + ", " + std::to_string(x2) + ", " + std::to_string(y1) +
           ", " + std::to_string(y2) + ", " + c0 + ", " + c1 + ");\n";
}

// One zone of frame 0 (A, "Fin") with the given edges.
std::string Bords(const std::string& x1, const std::string& x2, const std::string& y1,
                  const std::string& y2) {
    return "INSERT INTO Clic_Zone VALUES (1, 'A', 0, 0, " + x1 + ", " + x2 + ", " + y1 + ", " + y2 +
           ", 'Fin', NULL);\n";
}

// {zones, point, answers, frames} -> the object named ("" for none).
TEST(Cherche_Zone, RulesOfTheZones) {
    const std::string carre = Bords("100", "200", "300", "400");
    const std::string a_0 = Zone(1, "A", "0", "0", 0, 100, 0, 100, "'Fin'", "NULL");
    const std::string b_0 = Zone(2, "B", "0", "0", 200, 300, 0, 100, "'Fin'", "NULL");
    const std::string trois = a_0 + b_0 + Zone(3, "B", "1", "0", 400, 500, 0, 100, "'Fin'", "NULL");
    const std::string sur_a2 = Zone(1, "B", "1", "0", 0, 1000, 0, 1000, "'A2'", "'Fin'");
    const std::string test_cadre = Zone(1, "B", "1", "1", 0, 100, 0, 100, "'Fin'", "NULL") +
                                   Zone(2, "A", "1", "0", 0, 100, 0, 100, "'Fin'", "NULL");
    const std::string cadre_nul =
        "INSERT INTO Clic_Zone VALUES (1, 'A', 0, NULL, 0, 100, 0, 100, 'Fin', NULL);\n" + b_0;
    const struct {
        const char* cas;
        std::string zones;
        double x, y;
        const char* objet;
        std::vector<int16_t> etats = {0, 0, 0, 0};
        std::vector<int16_t> cadres = {0, 0, 0};
    } cas[] = {
        // clang-format off
        // The edges are outside the zone.
        {"inside, top left", carre, 101, 301, "A"},
        {"inside, bottom right", carre, 199, 399, "A"},
        {"left edge", carre, 100, 350, ""},
        {"right edge", carre, 200, 350, ""},
        {"top edge", carre, 150, 300, ""},
        {"bottom edge", carre, 150, 400, ""},
        // Each Null edge: the zone holds no point, not even one that 0 would let in.
        {"Null X1", Bords("NULL", "200", "0", "200"), 50, 50, ""},
        {"Null X2", Bords("0", "NULL", "0", "200"), 50, 50, ""},
        {"Null Y1", Bords("0", "200", "NULL", "200"), 50, 50, ""},
        {"Null Y2", Bords("0", "200", "0", "NULL"), 50, 50, ""},
        // A condition holds only when its state's answer is exactly 1 (a file may hold others).
        {"A2 not chosen", sur_a2, 10, 10, ""},
        {"A1 chosen", sur_a2, 10, 10, "", {1, 0, 0, 0}},
        {"A2 chosen", sur_a2, 10, 10, "B", {0, 1, 0, 0}},
        {"both chosen", sur_a2, 10, 10, "B", {1, 1, 0, 0}},
        {"A2 at 2", sur_a2, 10, 10, "", {0, 2, 0, 0}},
        {"A2 at -1", sur_a2, 10, 10, "", {0, -1, 0, 0}},
        {"no Fin", Zone(1, "B", "1", "0", 0, 1000, 0, 1000, "'A1'", "'A2'"), 10, 10, "", {1, 1, 0, 0}},
        {"no such state", Zone(1, "B", "1", "0", 0, 1000, 0, 1000, "'NOPE'", "'Fin'"), 10, 10, "", {1, 1, 1, 1}},
        // Only the first zone of a frame is tested; a zone whose conditions fail does not open it.
        {"first of frame 0", trois, 50, 50, "A"},
        {"second of frame 0", trois, 250, 50, ""},
        {"first of frame 1", trois, 450, 50, "B"},
        {"after a failed condition", Zone(1, "A", "0", "0", 0, 100, 0, 100, "'B1'", "'Fin'") + b_0, 250, 50, "B"},
        // A zone without a frame is skipped until a frame opens.
        {"no frame", Zone(1, "A", "NULL", "0", 0, 100, 0, 100, "'Fin'", "NULL"), 50, 50, ""},
        {"no frame, after one", Zone(1, "B", "1", "0", 500, 600, 0, 100, "'Fin'", "NULL") + Zone(2, "A", "NULL", "0", 0, 100, 0, 100, "'Fin'", "NULL"), 50, 50, "A"},
        // Test_Cadre needs an answer in its frame and opens no frame; a Null one is neutral.
        {"Test_Cadre, frame unanswered", test_cadre, 50, 50, "A"},
        {"Test_Cadre, frame answered", test_cadre, 50, 50, "B", {0, 0, 1, 0}, {0, -1, 0}},
        {"Null Test_Cadre", cadre_nul, 50, 50, "A"},
        {"after a Null Test_Cadre", cadre_nul, 250, 50, "B"},
        // clang-format on
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        EXPECT_EQ(Base_Zones(c.zones).Objet(c.x, c.y, c.etats, c.cadres), c.objet);
    }
}

TEST(Cherche_Zone, ZoneNamingNoObjectEndsTheSearch) {
    Base_Zones b(Zone(1, "Inconnu", "0", "0", 0, 100, 0, 100, "'Fin'", "NULL") +
                 Zone(2, "B", "1", "0", 0, 100, 0, 100, "'Fin'", "NULL"));
    const Zone_Trouvee z = Cherche_Zone(*b.base, {0, 0, 0, 0}, {0, 0, 0}, 50, 50);
    EXPECT_EQ(std::tuple(z.Touchee, z.Zone, z.Objet), std::tuple(true, 0, nullptr));
}

TEST(Cherche_Zone, ReferenceQuotientFirstThenFloor) {
    EXPECT_EQ(Reference_X(100, 480), 500);
    EXPECT_EQ(Reference_X(99.9, 480), 499);
    EXPECT_EQ(Reference_Y(359, 360), 1795);
    EXPECT_EQ(Reference_X(1, 7), 342);
}

const std::string Couleurs = "INSERT INTO Couleurs VALUES (1, 'R1'), (2, 'V'), (3, 'R2'), (4, 'B');\n";

TEST(Couleur_Proche, ExactThenNearestTheLowestIndexOnTiesNothingWithoutPalette) {
    Base_Zones b(Couleurs, 4, {0x0000FF, 0x00FF00, 0x0000FF, 0xFF0000});
    EXPECT_EQ(Couleur_Proche(*b.base, 0x0000FF), "R1");  // the first of two equal entries
    EXPECT_EQ(Couleur_Proche(*b.base, 0x00FF00), "V");
    EXPECT_EQ(Couleur_Proche(*b.base, 0x000AC8), "R1");  // red 200, green 10: nearest to pure red
    EXPECT_EQ(Couleur_Proche(*b.base, 0x808000), "V");   // between green and blue: the lower index
    EXPECT_EQ(Couleur_Proche(*b.base, 0xF00010), "B");
    EXPECT_EQ(Couleur_Proche(*Base_Zones("").base, 0x123456), "");
}

}  // namespace
}  // namespace kestrane::test
