#include "Reglages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "Base_Test.h"
#include "Magasin_Memoire.h"

namespace kestrane {
namespace {

using test::Magasin_Memoire;

// The options the user can change: threshold, dynamic cursor, distribution, documents' address.
std::tuple<int, bool, std::string, std::string> Options(const Reglages& r) {
    return {r.Seuil_Pourcent, r.Curseur_Dynamique, r.Distribution, r.Adresse_Documents};
}

class ReglagesTest : public ::testing::Test {
protected:
    void SetUp() override { dossier_ = test::Dossier_Temporaire("kestrane-reglages"); }
    void TearDown() override { std::filesystem::remove_all(dossier_); }

    Registre_Machine Machine(const std::string& texte) {
        // A new file each time: QSettings caches what it read from a path.
        const auto chemin = (dossier_ / ("machine" + std::to_string(++fichiers_) + ".ini")).string();
        std::ofstream(chemin) << texte;
        return Registre_Machine::Lit(chemin);
    }

    std::filesystem::path dossier_;
    int fichiers_ = 0;
};

TEST_F(ReglagesTest, MachineValuesWithPathsTakenFromTheFilesFolder) {
    const auto machine = Machine(
        "[Logiciel]\nData=data/\nBase=flore.sqlite\nDescripteurs=/abs/desc/\nExecutables=../bin/\nRobot=robot/\n"
        "[Documents]\nAdresse=http://example.org/docs/\n[Options]\nCurseur=True\nDistribution=http\nValeur=50\n");
    const Magasin_Memoire utilisateur;
    const Reglages r = Lit_Registre(machine, utilisateur);
    const std::string dossier = std::filesystem::canonical(dossier_).string();
    EXPECT_EQ(r.Rep_Data, dossier + "/data/");
    EXPECT_EQ(r.Chemin_Base, dossier + "/data/flore.sqlite");
    EXPECT_EQ(r.Rep_Descripteurs, "/abs/desc/");
    EXPECT_EQ(r.Rep_Executables, std::filesystem::path(dossier).parent_path().string() + "/bin/");
    EXPECT_EQ(r.Rep_Robot, dossier + "/robot/");
    EXPECT_EQ(Options(r), std::tuple(50, true, "http", "http://example.org/docs/"));
}

// The search strategy: the machine's, then the user's; an unknown name is no choice.
TEST_F(ReglagesTest, SearchStrategyByName) {
    const struct {
        std::string machine;
        std::string utilisateur;  // "" for none stored
        Strategie_Recherche attendue;
    } cas[] = {
        {"", "", Strategie_Recherche::Entropie},
        {"", "applicable", Strategie_Recherche::Applicable},
        {"Strategie=applicable\n", "", Strategie_Recherche::Applicable},
        {"Strategie=applicable\n", "standard", Strategie_Recherche::Entropie},
        {"Strategie=applicable\n", "sideways", Strategie_Recherche::Applicable},
    };
    for (const auto& c : cas) {
        Magasin_Memoire utilisateur;
        if (!c.utilisateur.empty())
            utilisateur.valeurs["Options/Strategie"] = c.utilisateur;
        EXPECT_EQ(Lit_Registre(Machine("[Options]\n" + c.machine), utilisateur).Strategie, c.attendue)
            << c.machine << " / " << c.utilisateur;
    }
}

// The tolerance of measured values: 10 %, the machine's, then the user's; what is not a percentage
// of 0 to 1000 is no choice. Apply stores it as it reads it back.
TEST_F(ReglagesTest, ToleranceOfMeasuresInPercent) {
    const struct {
        std::string machine, utilisateur;  // "" for none stored
        double attendue;
    } cas[] = {
        {"", "", 10}, {"Tolerance=5\n", "", 5}, {"Tolerance=5\n", "12.5", 12.5}, {"", "0", 0},
        {"Tolerance=5\n", "-3", 5}, {"", "12,5", 10}, {"", "2000", 10},
    };
    for (const auto& c : cas) {
        Magasin_Memoire utilisateur;
        if (!c.utilisateur.empty())
            utilisateur.valeurs["Options/Tolerance"] = c.utilisateur;
        EXPECT_EQ(Lit_Registre(Machine("[Options]\n" + c.machine), utilisateur).Tolerance_Mesure, c.attendue)
            << c.machine << " / " << c.utilisateur;
    }
    Magasin_Memoire utilisateur;
    Reglages r;
    r.Tolerance_Mesure = 7.5;
    Ecrit_Options(utilisateur, r, 0);
    EXPECT_EQ(Lit_Registre(Machine("[Options]\n"), utilisateur).Tolerance_Mesure, 7.5);
}

TEST_F(ReglagesTest, UserValuesOverrideUnlessTheyHoldTheAbsentMarkers) {
    const auto machine = Machine("[Options]\nCurseur=True\nDistribution=http\nValeur=50\n[Documents]\nAdresse=web/\n");
    Magasin_Memoire utilisateur;
    EXPECT_EQ(Lit_Registre(machine, utilisateur).Seuil_Pourcent, 50);

    utilisateur.valeurs["Options/Valeur"] = "0";
    utilisateur.valeurs["Options/Curseur"] = "False";
    utilisateur.valeurs["Options/Distribution"] = "hd";
    utilisateur.valeurs["Documents/Adresse"] = "/home/me/docs/";
    EXPECT_EQ(Options(Lit_Registre(machine, utilisateur)), std::tuple(0, false, "hd", "/home/me/docs/"));

    // The markers themselves, as stored values, mean "not stored".
    utilisateur.valeurs["Options/Valeur"] = "-1";
    utilisateur.valeurs["Options/Curseur"] = "Fin";
    utilisateur.valeurs["Options/Distribution"] = "Fin";
    utilisateur.valeurs["Documents/Adresse"] = "Fin";
    EXPECT_EQ(Options(Lit_Registre(machine, utilisateur)),
              std::tuple(50, true, "http", std::filesystem::canonical(dossier_).string() + "/web/"));

    // A leading-number parse: "  25 %" is 25.
    utilisateur.valeurs["Options/Valeur"] = "  25 %";
    EXPECT_EQ(Lit_Registre(machine, utilisateur).Seuil_Pourcent, 25);
}

TEST_F(ReglagesTest, NothingStoredGivesEmptyPathsZeroAndFalse) {
    const Registre_Machine machine = Registre_Machine::Lit((dossier_ / "none.ini").string());
    EXPECT_FALSE(machine.Existe());
    const Reglages r = Lit_Registre(machine, Magasin_Memoire());
    EXPECT_EQ(r.Rep_Data + r.Chemin_Base + r.Rep_Robot, "");
    EXPECT_EQ(Options(r), std::tuple(0, false, "", ""));
}

TEST_F(ReglagesTest, LanguageFromUserThenMachineThenSystem) {
    const Registre_Machine sans_cle;
    Magasin_Memoire utilisateur;
    // Only the primary language of the system's counts (0x0400 | 12 is 12).
    EXPECT_EQ((std::vector{Choisit_Langue(utilisateur, sans_cle, 10), Choisit_Langue(utilisateur, sans_cle, 12),
                           Choisit_Langue(utilisateur, sans_cle, 7), Choisit_Langue(utilisateur, sans_cle, 0x0400 | 12)}),
              (std::vector<int16_t>{1, 2, 0, 2}));

    const auto machine = Machine("[Options]\nLangue=1\n");
    EXPECT_EQ(Choisit_Langue(utilisateur, machine, 12), 1);
    utilisateur.valeurs["Options/Langue"] = "2";
    EXPECT_EQ(Choisit_Langue(utilisateur, machine, 9), 2);
    // A language the program has no text for is no choice.
    utilisateur.valeurs["Options/Langue"] = "7";
    EXPECT_EQ(Choisit_Langue(utilisateur, machine, 9), 1);
    // A machine key without the value: the system language decides.
    EXPECT_EQ(Choisit_Langue(Magasin_Memoire(), Machine("[Options]\nValeur=3\n"), 12), 2);
    EXPECT_EQ((std::vector{Langue_Primaire_Systeme("fr_CA"), Langue_Primaire_Systeme("es"), Langue_Primaire_Systeme("de_DE")}),
              (std::vector{12, 10, 0}));
}

TEST_F(ReglagesTest, AppliedOptionsReadBackAsTheyWereSet) {
    const auto fichier = (dossier_ / "user.ini").string();
    {
        Magasin_QSettings magasin(fichier);
        Reglages r;
        r.Seuil_Pourcent = 0;
        r.Curseur_Dynamique = false;
        r.Distribution = "hd";
        r.Adresse_Documents = "/data/docs, with comma/";
        Ecrit_Options(magasin, r, 2);
    }
    const Magasin_QSettings relu(fichier);
    const auto machine = Machine("[Options]\nCurseur=True\nValeur=50\n");
    EXPECT_EQ(Options(Lit_Registre(machine, relu)), std::tuple(0, false, "hd", "/data/docs, with comma/"));
    EXPECT_EQ(Choisit_Langue(relu, machine, 9), 2);
}

TEST_F(ReglagesTest, PalettePathFromUserThenMachineThenDefault) {
    Magasin_Memoire utilisateur;
    EXPECT_EQ(Chemin_Palette(utilisateur, Registre_Machine(), "/default/couleur.wmf"), "/default/couleur.wmf");
    const auto machine = Machine("[Logiciel]\nData=data/\n");
    EXPECT_EQ(Chemin_Palette(utilisateur, machine, "x"),
              std::filesystem::canonical(dossier_).string() + "/data/couleur.wmf");
    utilisateur.valeurs["Logiciel/Data"] = "/mine/";
    EXPECT_EQ(Chemin_Palette(utilisateur, machine, "x"), "/mine/couleur.wmf");
}

TEST_F(ReglagesTest, MachineSettingsFoundByVariableThenBesideTheProgram) {
    const auto beside = (dossier_ / "kestrane.ini").string();
    std::ofstream(beside) << "[Options]\n";
    unsetenv("KESTRANE_MACHINE_SETTINGS");
    EXPECT_EQ(Registre_Machine::Chemin_Par_Defaut(dossier_.string()), beside);
    setenv("KESTRANE_MACHINE_SETTINGS", "/elsewhere/k.ini", 1);
    EXPECT_EQ(Registre_Machine::Chemin_Par_Defaut(dossier_.string()), "/elsewhere/k.ini");
    unsetenv("KESTRANE_MACHINE_SETTINGS");
    EXPECT_EQ(Registre_Machine::Chemin_Par_Defaut((dossier_ / "nothing").string()), "");
}

}  // namespace
}  // namespace kestrane
