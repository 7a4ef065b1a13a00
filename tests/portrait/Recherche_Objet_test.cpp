// Naming the object under a point: the click zones' rules and the nearest palette colour, on copies
// of the key "cle" whose zones are replaced. Feuille: states 0 F_SIMPLE, 1 F_COMP, frame 0;
// Ecorce: states 7 E_LISSE, 8 E_RUGUEUSE, frame 2. Palette: green Feuille, brown Ecorce.
#include <gtest/gtest.h>

#include <tuple>

#include "Banc_Portrait.h"
#include "Palette_Sampler.h"
#include "Recherche_Objet.h"

namespace kestrane::test {
namespace {

// The object named at (x, y) among `zones`, with the answers given (the first states, the rest 0)
// and the frames' answers; "" for none.
std::string Objet(const Copie_Base& copie, const std::string& zones, double x, double y, std::vector<int16_t> etats,
                  const std::vector<int16_t>& cadres) {
    copie.Execute_SQL(Sans_Attente("DELETE FROM Clic_Zone;" + zones));
    Reglages reglages;
    const auto base = Charge_Copie(copie, reglages);
    if (!base) return "(no base)";
    etats.resize(9, 0);
    const Zone_Trouvee z = Cherche_Zone(*base, etats, cadres, x, y);
    return z.Objet != nullptr ? z.Objet->Objet : std::string();
}

std::string Zone(int numero, const std::string& nom, const std::string& cadre, const std::string& test_cadre,
                 const std::string& bords, const std::string& conditions) {
    return "INSERT INTO Clic_Zone VALUES (" + std::to_string(numero) + ", '" + nom + "', " + cadre + ", " +
           test_cadre + ", " + bords + ", " + conditions + ");";
}

// One zone of frame 0 (Feuille, "Fin") with the given edges X1, X2, Y1, Y2.
std::string Bords(const std::string& bords) { return Zone(1, "Feuille", "0", "0", bords, "'Fin', NULL"); }

// {zones, point, answers, frames} -> the object named ("" for none).
TEST(Cherche_Zone, RulesOfTheZones) {
    const std::string carre = Bords("100, 200, 300, 400");
    const std::string coin = "0, 100, 0, 100";
    const std::string f_0 = Zone(1, "Feuille", "0", "0", coin, "'Fin', NULL");
    const std::string e_0 = Zone(2, "Ecorce", "0", "0", "200, 300, 0, 100", "'Fin', NULL");
    const std::string trois = f_0 + e_0 + Zone(3, "Ecorce", "2", "0", "400, 500, 0, 100", "'Fin', NULL");
    const std::string sur_comp = Zone(1, "Ecorce", "2", "0", "0, 1000, 0, 1000", "'F_COMP', 'Fin'");
    const std::string test_cadre = Zone(1, "Ecorce", "2", "1", coin, "'Fin', NULL") + Zone(2, "Feuille", "2", "0", coin, "'Fin', NULL");
    const std::string cadre_nul = Zone(1, "Feuille", "0", "NULL", coin, "'Fin', NULL") + e_0;
    const struct {
        const char* cas;
        std::string zones;
        double x, y;
        const char* objet;
        std::vector<int16_t> etats = {};
        std::vector<int16_t> cadres = {0, 0, 0};
    } cas[] = {
        // clang-format off
        // The edges are outside the zone.
        {"inside, top left", carre, 101, 301, "Feuille"},
        {"inside, bottom right", carre, 199, 399, "Feuille"},
        {"left edge", carre, 100, 350, ""},
        {"right edge", carre, 200, 350, ""},
        {"top edge", carre, 150, 300, ""},
        {"bottom edge", carre, 150, 400, ""},
        // Each Null edge: the zone holds no point, not even one that 0 would let in.
        {"Null X1", Bords("NULL, 200, 0, 200"), 50, 50, ""},
        {"Null X2", Bords("0, NULL, 0, 200"), 50, 50, ""},
        {"Null Y1", Bords("0, 200, NULL, 200"), 50, 50, ""},
        {"Null Y2", Bords("0, 200, 0, NULL"), 50, 50, ""},
        // A condition holds only when its state's answer is exactly 1 (a file may hold others).
        {"F_COMP not chosen", sur_comp, 10, 10, ""},
        {"F_SIMPLE chosen", sur_comp, 10, 10, "", {1, 0}},
        {"F_COMP chosen", sur_comp, 10, 10, "Ecorce", {0, 1}},
        {"both chosen", sur_comp, 10, 10, "Ecorce", {1, 1}},
        {"F_COMP at 2", sur_comp, 10, 10, "", {0, 2}},
        {"F_COMP at -1", sur_comp, 10, 10, "", {0, -1}},
        {"no Fin", Zone(1, "Ecorce", "2", "0", "0, 1000, 0, 1000", "'F_SIMPLE', 'F_COMP'"), 10, 10, "", {1, 1}},
        {"no such state", Zone(1, "Ecorce", "2", "0", "0, 1000, 0, 1000", "'NOPE', 'Fin'"), 10, 10, "", {1, 1, 1, 1}},
        // Only the first zone of a frame is tested; a zone whose conditions fail does not open it.
        {"first of frame 0", trois, 50, 50, "Feuille"},
        {"second of frame 0", trois, 250, 50, ""},
        {"first of frame 2", trois, 450, 50, "Ecorce"},
        {"after a failed condition", Zone(1, "Feuille", "0", "0", coin, "'E_LISSE', 'Fin'") + e_0, 250, 50, "Ecorce"},
        // A zone without a frame is skipped until a frame opens.
        {"no frame", Zone(1, "Feuille", "NULL", "0", coin, "'Fin', NULL"), 50, 50, ""},
        {"no frame, after one", Zone(1, "Ecorce", "2", "0", "500, 600, 0, 100", "'Fin', NULL") + Zone(2, "Feuille", "NULL", "0", coin, "'Fin', NULL"), 50, 50, "Feuille"},
        // Test_Cadre needs an answer in its frame and opens no frame; a Null one is neutral.
        {"Test_Cadre, frame unanswered", test_cadre, 50, 50, "Feuille"},
        {"Test_Cadre, frame answered", test_cadre, 50, 50, "Ecorce", {}, {0, 0, -1}},
        {"Null Test_Cadre", cadre_nul, 50, 50, "Feuille"},
        {"after a Null Test_Cadre", cadre_nul, 250, 50, "Ecorce"},
        // clang-format on
    };
    const Copie_Base copie("cle");
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        EXPECT_EQ(Objet(copie, c.zones, c.x, c.y, c.etats, c.cadres), c.objet);
    }
}

TEST(Cherche_Zone, ZoneNamingNoObjectEndsTheSearch) {
    Copie_Base copie("cle");
    copie.Execute_SQL(Sans_Attente("DELETE FROM Clic_Zone;" + Zone(1, "Inconnu", "0", "0", "0, 100, 0, 100", "'Fin', NULL") +
                                   Zone(2, "Ecorce", "2", "0", "0, 100, 0, 100", "'Fin', NULL")));
    Reglages reglages;
    const auto base = Charge_Copie(copie, reglages);
    ASSERT_TRUE(base);
    const Zone_Trouvee z = Cherche_Zone(*base, std::vector<int16_t>(9, 0), {0, 0, 0}, 50, 50);
    EXPECT_EQ(std::tuple(z.Touchee, z.Zone, z.Objet), std::tuple(true, 0, nullptr));
}

TEST(Cherche_Zone, ReferenceQuotientFirstThenFloor) {
    EXPECT_EQ(Reference_X(100, 480), 500);
    EXPECT_EQ(Reference_X(99.9, 480), 499);
    EXPECT_EQ(Reference_Y(359, 360), 1795);
    EXPECT_EQ(Reference_X(1, 7), 342);
}

// The palette sampled from the base's picture: green 0x00a000, brown 0x004080 (red + 256 green).
TEST(Couleur_Proche, ExactThenNearestTheLowestIndexOnTiesNothingWithoutPalette) {
    Copie_Base copie("cle");
    Reglages reglages;
    const auto base = Charge_Copie(copie, reglages);
    ASSERT_TRUE(base);
    for (const auto& [couleur, objet] : {std::pair(0x00A000, "Feuille"), {0x004080, "Ecorce"}, {0x10B010, "Feuille"},
                                         {0x003070, "Ecorce"}, {0x007040, "Feuille"}}) {  // halfway: the lower index
        EXPECT_EQ(Couleur_Proche(*base, couleur), objet) << std::hex << couleur;
    }
    Palette_Fixe double_vert({0x00A000, 0x00A000});
    EXPECT_EQ(Couleur_Proche(*Charge_Copie(copie, reglages, &double_vert), 0x00A000), "Feuille");  // the first of two
    copie.Execute_SQL("UPDATE Parametres SET Etat = '0' WHERE Nom = 'Nb_Couleurs';");
    EXPECT_EQ(Couleur_Proche(*Charge_Copie(copie, reglages), 0x00A000), "");
}

}  // namespace
}  // namespace kestrane::test
