// kestrane-cli's key commands, run as the user runs them, on the small test key.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Cle_Test.h"
#include "Fichier_Identification.h"
#include "Schema_Base.h"

namespace kestrane::test {
namespace {

struct Sortie {
    int statut = -1;
    std::string out;
    std::string err;
};

// The test key with a French and a Spanish text and common names in two languages.
Description_Base Cle_Traduite() {
    Description_Base d = Description_Cle(
        Schema_Traductions_SQL() +
        "INSERT INTO Langues_Textes VALUES ('en', '', -1), ('es', '', 0), ('fr', '', 0);"
        "INSERT INTO Traductions (Nom_Table, Cle, Champ, Langue, Texte) VALUES"
        " ('Objets_Fic', 'Ecorce', 'TipText', 'fr', 'Écorce'),"
        " ('Caracteres', 'E_LISSE', 'TipText', 'es', 'Corteza lisa');"
        "INSERT INTO Communs_Langues (Langue) VALUES ('English'), ('French');"
        "INSERT INTO Noms_Communs (Code, Langue, Nom) VALUES ('ACECA', 'French', 'Érable champêtre'),"
        " ('ACECA', 'English', 'Field maple'), ('BETPE', 'French', 'Bouleau'),"
        " ('BETPE', 'English', 'Silver birch');");
    d.langues_vues = {"English", "French"};
    return d;
}

class Ligne_Commande : public ::testing::Test {
  protected:
    void SetUp() override {
        base = std::make_unique<Base_Temporaire>(Cle_Traduite());
        reglages = Ecrit_Reglages(*base);
    }

    // A machine settings file with absolute folders, each ending with its separator.
    static std::string Ecrit_Reglages(const Base_Temporaire& b) {
        const std::string chemin = b.Dossier() + "cle.ini";
        std::ofstream ini(chemin);
        ini << "[Logiciel]\nData=" << b.Dossier() << "\nBase=base.sqlite\nRobot=" << b.Dossier()
            << "robot/\nDescripteurs=" << b.Dossier()
            << "descripteurs/\n[Options]\nDistribution=hd\nValeur=0\n";
        return chemin;
    }

    Sortie Lance(const std::string& arguments) {
        const std::string fichier_err = base->Dossier() + "stderr.txt";
        const std::string commande = std::string(KESTRANE_CLI) + " " + arguments + " 2>'" + fichier_err + "'";
        Sortie s;
        FILE* tube = popen(commande.c_str(), "r");
        if (tube == nullptr)
            return s;
        std::array<char, 4096> tampon{};
        size_t lus;
        while ((lus = fread(tampon.data(), 1, tampon.size(), tube)) > 0) s.out.append(tampon.data(), lus);
        const int brut = pclose(tube);
        s.statut = WIFEXITED(brut) ? WEXITSTATUS(brut) : -1;
        std::stringstream texte;
        texte << std::ifstream(fichier_err).rdbuf();
        s.err = texte.str();
        return s;
    }
    // `commande` with the settings option after its first word.
    Sortie Lance_Cle(const std::string& commande) {
        const size_t espace = std::min(commande.find(' '), commande.size());
        return Lance(commande.substr(0, espace) + " --settings '" + reglages + "'" + commande.substr(espace));
    }

    std::unique_ptr<Base_Temporaire> base;
    std::string reglages;
};

// Each command's output: exactly, or the pieces it must hold (JSON, tables).
TEST_F(Ligne_Commande, EachCommandPrintsWhatTheWindowShows) {
    const struct {
        std::string commande;
        std::string sortie = {};               // the whole output, when given
        std::vector<std::string> pieces = {};  // else pieces of it
    } cas[] = {
        // clang-format off
        {"rank --answer Feuille=F_SIMPLE --answer ecorce=1",
         " 1 species at 100 %\n 100% - Carpinus\n 67% - Acer\n 67% - Betula\n 33% - Fraxinus\n"},
        // The answers go through validation: F_SIMPLE clears Foliole.
        {"rank --answer Feuille=F_COMP --answer Foliole=FOL_5 --answer Feuille=F_SIMPLE --threshold 50",
         " 3 species at 100 %\n 100% - Acer\n 100% - Betula\n 100% - Carpinus\n"},
        {"rank --lang fr --threshold 101", " 0 espèces à 0 %\n"},
        {"rank --answer Ecorce=E_RUGUEUSE --threshold 100 --json", "",
         {"\"label\": \" 2 species at 100 %\"", "\"line\": \" 100% - Fraxinus\""}},
        {"best", "Ecorce\tBark\tpower 1.000000\n"},
        {"best --lang fr", "Ecorce\tÉcorce\tpower 1.000000\n"},
        {"best --lang es", "Ecorce\tBark\tpower 1.000000\n"},  // untranslated
        {"best --answer Feuille=F_COMP --answer Foliole=FOL_5 --lang es", "Ay solamente una especie\n"},
        {"best --answer Ecorce=E_RUGUEUSE --json", "", {"\"objet\": \"Feuille\""}},
        {"best --all",
         "Ecorce\tBark\tpower 1.000000\nMarge\tMargin\tpower 1.000000\n"
         "Feuille\tLeaf type\tpower 0.811278\nFoliole\tLeaflets\tpower 0.630930\n"},
        // Foliole and Marge wait for F_COMP and FOL_5; the first line is what best proposes.
        {"best --all --strategy applicable", "Ecorce\tBark\tpower 1.000000\nFeuille\tLeaf type\tpower 0.811278\n"},
        {"best --strategy Applicable", "Ecorce\tBark\tpower 1.000000\n"},
        {"info --lang ES", "", {"E_LISSE  weight 1  \"Corteza lisa\""}},
        // Acer and Betula end tied under the applicable strategy: Marge waits for FOL_5.
        {"walk", "", {"standard          4      4 (100.0%)      4            2.00      2              0\n",
                      "applicable        4      4 (100.0%)      2            1.50      2              0\n"}},
        {"contra --answer Feuille=F_SIMPLE --answer Ecorce=E_RUGUEUSE Fraxinus", "",
         {"Fraxinus: 1 contradicted answer\n", "Feuille\tF_SIMPLE\tbutton 2\t", "contra/feuille_x.ico"}},
        {"contra --answer Ecorce=E_RUGUEUSE acer", "", {"Ecorce\tE_RUGUEUSE\tlayer 3\t", "CONTRA/ecorce_x.wmf"}},
        {"compare Acer FRAEX",
         "Acer and Fraxinus\n\nWhat tells them apart\nEcorce\tBark\tSmooth bark\tRough bark\n"
         "Feuille\tLeaf type\tSimple leaf\tCompound leaf\nMarge\tMargin\tToothed margin\tEntire margin\n\n"
         "What they share\nNone.\n\nKnown for only one of them\n"
         "Foliole\tLeaflets\tnot known\tFive leaflets; Seven leaflets\n"},
        {"compare betula carpinus --json --lang fr", "",
         {"\"shared\": [{\"objet\": \"Feuille\", \"question\": \"Leaf type\", \"disjoint\": false, "
          "\"a\": [{\"state\": \"F_SIMPLE\", \"text\": \"Simple leaf\"}]", "\"only_one\": []}"}},
        {"portrait --answer Ecorce=E_RUGUEUSE --json", "", {"00/tronc01.wmf\"", "01/feuille01.wmf\""}},
        // Any of the names, in any case.
        {"find ERABLE", "Acer\tACECA\tAceraceae\tÉrable champêtre (French)\n"},
        {"find 'field MAPLE'", "Acer\tACECA\tAceraceae\tField maple (English)\n"},
        {"find a",
         "Acer\tACECA\tAceraceae\tAcer; Field maple (English); Érable champêtre (French)\n"
         "Betula\tBETPE\tBetulaceae\tBetula; Bouleau (French)\nCarpinus\tCARBE\tBetulaceae\tCarpinus\n"
         "Fraxinus\tFRAEX\tOleaceae\tFraxinus\n"},
        {"find bouleau --json",
         "{\"text\": \"bouleau\", \"species\": [{\"index\": 1, \"name\": \"Betula\", \"code\": \"BETPE\", "
         "\"family\": \"Betulaceae\", \"names\": [{\"name\": \"Bouleau\", \"language\": \"French\"}]}]}\n"},
        // clang-format on
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.commande);
        const Sortie s = Lance_Cle(c.commande);
        EXPECT_EQ(s.statut, 0) << s.err;
        if (c.pieces.empty()) {
            EXPECT_EQ(s.out, c.sortie);
        }
        for (const std::string& piece : c.pieces) EXPECT_NE(s.out.find(piece), std::string::npos) << s.out;
    }
}

// A saved identification is the start of the next command, and `answers` describes it in the
// panel's words and state-number order (a file keeps no order).
TEST_F(Ligne_Commande, SaveThenStartFromOrDescribeTheSavedIdentification) {
    const std::string fichier = base->Dossier() + "Sauve.IDO", suite = base->Dossier() + "suite.ido";
    ASSERT_EQ(Lance_Cle("rank --answer Feuille=F_COMP --save '" + fichier + "'").statut, 0);
    const Sortie s = Lance_Cle("rank --ido '" + fichier + "' --answer Foliole=1 --threshold 100");
    ASSERT_EQ(s.statut, 0) << s.err;
    EXPECT_EQ(s.out, " 1 species at 100 %\n 100% - Fraxinus\n");
    const std::string reponses_suite = "' --answer Ecorce=E_LISSE --answer Foliole=FOL_5 --save '";
    ASSERT_EQ(Lance_Cle("rank --ido '" + fichier + reponses_suite + suite + "'").statut, 0);
    const Sortie reponses = Lance_Cle("answers --ido '" + suite + "'");
    ASSERT_EQ(reponses.statut, 0) << reponses.err;
    EXPECT_EQ(reponses.out,
              "Feuille\tLeaf type\tF_COMP\tCompound leaf\nFoliole\tLeaflets\tFOL_5\tFive leaflets\n"
              "Ecorce\tBark\tE_LISSE\tSmooth bark\n");
    const Sortie json = Lance_Cle("answers --json --ido '" + suite + "'");
    EXPECT_NE(json.out.find("{\"objet\": \"Foliole\", \"question\": \"Leaflets\", \"states\": [{\"number\": 3, "
                            "\"cell\": 1, \"id\": \"FOL_5\", \"text\": \"Five leaflets\", \"value\": 1}]}"),
              std::string::npos) << json.out;
}

TEST_F(Ligne_Commande, ErrorsGoToStderrWithANonZeroStatus) {
    const std::string court = base->Dossier() + "court.ido";
    std::ofstream(court) << "xx";
    const struct {
        std::string arguments;
        std::string message;
    } cas[] = {
        // clang-format off
        {"rank --answer Tronc=1", "no character \"Tronc\""},
        {"rank --answer Feuille=FOL_3", "neither a state identifier"},
        {"rank --answer Feuille=2", "cell number 0 .. 1"},
        {"rank --ido '" + base->Dossier() + "absent.ido'", "absent.ido"},
        {"rank --ido '" + court + "'", "does not fit this knowledge base"},
        {"answers --ido '" + court + "'", "does not fit this knowledge base"},
        {"contra Quercus", "no species \"Quercus\""},
        {"compare Acer Quercus", "no species \"Quercus\""},
        {"rank --save '" + court + "/x.ido'", "not saved"},
        {"best --strategy other", "expected standard or applicable"},
        {"info --lang de", ""},
        {"find oak", ""},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.arguments);
        const Sortie s = Lance_Cle(c.arguments);
        EXPECT_NE(s.statut, 0);
        EXPECT_NE(s.err.find(c.message), std::string::npos) << s.err;
        EXPECT_TRUE(s.out.empty());
    }
}

// Every command reports what the load stopped on, or what it passed over and went on without.
TEST_F(Ligne_Commande, WhatTheLoadStoppedOnOrPassedOverIsReported) {
    const struct {
        std::string sql;
        bool matrice;
        int statut;
        std::string message;
    } cas[] = {
        {"", false, 1, "MATRICE.DAT"},
        {"DELETE FROM Parametres WHERE Nom = 'Nb_Esp';", true, 1, "has no species"},
        {"INSERT INTO Objets_Fic VALUES ('Cime', 9, 40, 2, 1, 2, 0, 'c.wmf', 'Cime?', 1);", true, 0,
         "Objets_Fic row \"Cime\" has states 40 .. 41"},
    };
    for (const auto& k : cas) {
        Description_Base d = Description_Cle(k.sql);
        d.ecrire_matrice = k.matrice;
        Base_Temporaire variante(d);
        const std::string reglages_variante = "--settings '" + Ecrit_Reglages(variante) + "'";
        for (const char* commande : {"rank ", "best ", "portrait ", "walk "}) {
            const Sortie s = Lance(commande + reglages_variante);
            EXPECT_EQ(s.statut, k.statut) << commande << k.sql;
            const std::string attendu =
                k.statut == 0 ? "warning: " + variante.Chemin_Base() + ": " + k.message : k.message;
            EXPECT_NE(s.err.find(attendu), std::string::npos) << commande << k.sql << "\n" << s.err;
        }
    }
}

// Without --settings: the environment variable, else a message that says where it looked.
TEST_F(Ligne_Commande, TheSettingsAreFoundWithoutTheOption) {
    setenv("KESTRANE_MACHINE_SETTINGS", reglages.c_str(), 1);
    const Sortie trouve = Lance("find birch");
    unsetenv("KESTRANE_MACHINE_SETTINGS");
    EXPECT_EQ(trouve.out, "Betula\tBETPE\tBetulaceae\tSilver birch (English)\n") << trouve.err;
    const Sortie sans = Lance("rank");
    EXPECT_NE(sans.statut, 0);
    EXPECT_NE(sans.err.find("no machine settings found"), std::string::npos) << sans.err;
}

}  // namespace
}  // namespace kestrane::test
