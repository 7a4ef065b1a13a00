// Naming the object under a point: the click zones' rules and the nearest palette colour, on copies
// of the key "cle" whose zones are replaced. Feuille: states 0 F_SIMPLE, 1 F_COMP, frame 0;
// Ecorce: states 7 E_LISSE, 8 E_RUGUEUSE, frame 2. Palette: green Feuille, brown Ecorce.
#include <gtest/gtest.h>

#include "Banc_Portrait.h"
#include "Palette_Sampler.h"
#include "Recherche_Objet.h"

namespace kestrane::test {
namespace {

// The object named at (x, y) by the Clic_Zone rows given (Numero, Nom, Cadre, Test_Cadre, X1, X2, Y1,
// Y2, C_0, C_1) with the answers given (the first states, the rest 0) and the frames'; "" for none.
std::string Objet(const Copie_Base& copie, const std::vector<std::string>& zones, double x, double y,
                  std::vector<int16_t> etats, const std::vector<int16_t>& cadres) {
    std::string sql = "DELETE FROM Clic_Zone;";
    for (const std::string& zone : zones) sql += "INSERT INTO Clic_Zone VALUES (" + zone + ");";
    copie.Execute_SQL(sql);
    const auto base = Charge_Copie(copie);
    if (!base) return "(no base)";
    etats.resize(9, 0);
    const Zone_Trouvee z = Cherche_Zone(*base, etats, cadres, x, y);
    return z.Objet != nullptr ? z.Objet->Objet : "";
}

// {zones, point, answers, frames} -> the object named ("" for none).
TEST(Cherche_Zone, RulesOfTheZones) {
    const std::string carre = "1, 'Feuille', 0, 0, 100, 200, 300, 400, 'Fin', NULL";
    const std::string f_0 = "1, 'Feuille', 0, 0, 0, 100, 0, 100, 'Fin', NULL", e_0 = "2, 'Ecorce', 0, 0, 200, 300, 0, 100, 'Fin', NULL";
    const std::string sur_comp = "1, 'Ecorce', 2, 0, 0, 1000, 0, 1000, 'F_COMP', 'Fin'";
    const std::vector<std::string> trois = {f_0, e_0, "3, 'Ecorce', 2, 0, 400, 500, 0, 100, 'Fin', NULL"};
    const std::vector<std::string> test_cadre = {"1, 'Ecorce', 2, 1, 0, 100, 0, 100, 'Fin', NULL",
                                                 "2, 'Feuille', 2, 0, 0, 100, 0, 100, 'Fin', NULL"};
    const std::vector<std::string> cadre_nul = {"1, 'Feuille', 0, NULL, 0, 100, 0, 100, 'Fin', NULL", e_0};
    const struct {
        const char* cas;
        std::vector<std::string> zones;
        double x, y;
        const char* objet;
        std::vector<int16_t> etats = {};
        std::vector<int16_t> cadres = {0, 0, 0};
    } cas[] = {
        // clang-format off
        // The edges are outside the zone.
        {"inside, top left", {carre}, 101, 301, "Feuille"}, {"inside, bottom right", {carre}, 199, 399, "Feuille"},
        {"left edge", {carre}, 100, 350, ""}, {"right edge", {carre}, 200, 350, ""},
        {"top edge", {carre}, 150, 300, ""}, {"bottom edge", {carre}, 150, 400, ""},
        // Each Null edge: the zone holds no point, not even one that 0 would let in.
        {"Null X1", {"1, 'Feuille', 0, 0, NULL, 200, 0, 200, 'Fin', NULL"}, 50, 50, ""},
        {"Null X2", {"1, 'Feuille', 0, 0, 0, NULL, 0, 200, 'Fin', NULL"}, 50, 50, ""},
        {"Null Y1", {"1, 'Feuille', 0, 0, 0, 200, NULL, 200, 'Fin', NULL"}, 50, 50, ""},
        {"Null Y2", {"1, 'Feuille', 0, 0, 0, 200, 0, NULL, 'Fin', NULL"}, 50, 50, ""},
        // A condition holds only when its state's answer is exactly 1 (a file may hold others).
        {"F_COMP not chosen", {sur_comp}, 10, 10, ""}, {"F_SIMPLE chosen", {sur_comp}, 10, 10, "", {1, 0}},
        {"F_COMP chosen", {sur_comp}, 10, 10, "Ecorce", {0, 1}}, {"both chosen", {sur_comp}, 10, 10, "Ecorce", {1, 1}},
        {"F_COMP at 2", {sur_comp}, 10, 10, "", {0, 2}}, {"F_COMP at -1", {sur_comp}, 10, 10, "", {0, -1}},
        {"no Fin", {"1, 'Ecorce', 2, 0, 0, 1000, 0, 1000, 'F_SIMPLE', 'F_COMP'"}, 10, 10, "", {1, 1}},
        {"no such state", {"1, 'Ecorce', 2, 0, 0, 1000, 0, 1000, 'NOPE', 'Fin'"}, 10, 10, "", {1, 1, 1, 1}},
        // Only the first zone of a frame is tested; a zone whose conditions fail does not open it.
        {"first of frame 0", trois, 50, 50, "Feuille"}, {"second of frame 0", trois, 250, 50, ""},
        {"first of frame 2", trois, 450, 50, "Ecorce"},
        {"after a failed condition", {"1, 'Feuille', 0, 0, 0, 100, 0, 100, 'E_LISSE', 'Fin'", e_0}, 250, 50, "Ecorce"},
        // The first zone that counts ends the search, even one naming no object.
        {"naming nothing", {"1, 'Inconnu', 0, 0, 0, 100, 0, 100, 'Fin', NULL", "2, 'Ecorce', 2, 0, 0, 100, 0, 100, 'Fin', NULL"}, 50, 50, ""},
        // A zone without a frame is skipped until a frame opens.
        {"no frame", {"1, 'Feuille', NULL, 0, 0, 100, 0, 100, 'Fin', NULL"}, 50, 50, ""},
        {"no frame, after one", {"1, 'Ecorce', 2, 0, 500, 600, 0, 100, 'Fin', NULL", "2, 'Feuille', NULL, 0, 0, 100, 0, 100, 'Fin', NULL"},
         50, 50, "Feuille"},
        // Test_Cadre needs an answer in its frame and opens no frame; a Null one is neutral.
        {"Test_Cadre, frame unanswered", test_cadre, 50, 50, "Feuille"},
        {"Test_Cadre, frame answered", test_cadre, 50, 50, "Ecorce", {}, {0, 0, -1}},
        {"Null Test_Cadre", cadre_nul, 50, 50, "Feuille"}, {"after a Null Test_Cadre", cadre_nul, 250, 50, "Ecorce"},
        // clang-format on
    };
    const Copie_Base copie("cle");
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        EXPECT_EQ(Objet(copie, c.zones, c.x, c.y, c.etats, c.cadres), c.objet);
    }
}

TEST(Cherche_Zone, ReferenceQuotientFirstThenFloor) {
    EXPECT_EQ(Reference_X(100, 480), 500);
    EXPECT_EQ(Reference_X(99.9, 480), 499);
    EXPECT_EQ(Reference_Y(359, 360), 1795);
    EXPECT_EQ(Reference_X(1, 7), 342);
}

// The palette sampled from the base's picture: green 0x00a000, brown 0x004080 (red + 256 green).
TEST(Couleur_Proche, ExactThenNearestTheLowestIndexOnTiesNothingWithoutPalette) {
    const Copie_Base copie("cle");
    auto proche = [&](int32_t couleur, Palette_Sampler* palette = nullptr) -> std::string {
        const auto base = Charge_Copie(copie, palette);
        return base ? Couleur_Proche(*base, couleur) : "(no base)";
    };
    for (const auto& [couleur, objet] : {std::pair(0x00A000, "Feuille"), {0x004080, "Ecorce"}, {0x10B010, "Feuille"},
                                         {0x003070, "Ecorce"}, {0x007040, "Feuille"}}) {  // halfway: the lower index
        EXPECT_EQ(proche(couleur), objet) << std::hex << couleur;
    }
    Palette_Fixe double_vert({0x00A000, 0x00A000});
    EXPECT_EQ(proche(0x00A000, &double_vert), "Feuille");  // the first of two equal colours
    copie.Execute_SQL("UPDATE Parametres SET Etat = '0' WHERE Nom = 'Nb_Couleurs';");
    EXPECT_EQ(proche(0x00A000), "");
}

}  // namespace
}  // namespace kestrane::test
