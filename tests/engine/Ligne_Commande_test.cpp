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

class Ligne_Commande : public ::testing::Test {
  protected:
    void SetUp() override {
        base = std::make_unique<Base_Temporaire>(Description_Cle());
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
        std::ifstream err(fichier_err);
        std::stringstream texte;
        texte << err.rdbuf();
        s.err = texte.str();
        return s;
    }
    std::string Reglages() const { return "--settings '" + reglages + "'"; }

    std::unique_ptr<Base_Temporaire> base;
    std::string reglages;
};

TEST_F(Ligne_Commande, RankPrintsTheLabelAndLinesAsTheWindow) {
    const Sortie s = Lance("rank " + Reglages() + " --answer Feuille=F_SIMPLE --answer ecorce=1");
    ASSERT_EQ(s.statut, 0) << s.err;
    EXPECT_EQ(s.out, " 1 species at 100 %\n 100% - Carpinus\n 67% - Acer\n 67% - Betula\n 33% - Fraxinus\n");
}

TEST_F(Ligne_Commande, AnswersGoThroughValidationSoDependantsAreCleared) {
    const Sortie s =
        Lance("rank " + Reglages() +
              " --answer Feuille=F_COMP --answer Foliole=FOL_5 --answer Feuille=F_SIMPLE --threshold 50");
    ASSERT_EQ(s.statut, 0) << s.err;
    // Only F_SIMPLE remains: Acer, Betula, Carpinus at 100.
    EXPECT_EQ(s.out, " 3 species at 100 %\n 100% - Acer\n 100% - Betula\n 100% - Carpinus\n");
}

TEST_F(Ligne_Commande, FrenchLabelAndJson) {
    const Sortie fr = Lance("rank " + Reglages() + " --lang fr --threshold 101");
    ASSERT_EQ(fr.statut, 0) << fr.err;
    EXPECT_EQ(fr.out,
              " 0 esp\xC3\xA8"
              "ces \xC3\xA0 0 %\n");
    const Sortie json = Lance("rank " + Reglages() + " --answer Ecorce=E_RUGUEUSE --threshold 100 --json");
    ASSERT_EQ(json.statut, 0) << json.err;
    EXPECT_NE(json.out.find("\"label\": \" 2 species at 100 %\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"line\": \" 100% - Fraxinus\""), std::string::npos) << json.out;
}

TEST_F(Ligne_Commande, BestProposesACharacterOrSaysWhyNot) {
    const Sortie s = Lance("best " + Reglages());
    ASSERT_EQ(s.statut, 0) << s.err;
    EXPECT_EQ(s.out, "Ecorce\tBark\tpower 1.000000\n");
    const Sortie seule =
        Lance("best " + Reglages() + " --answer Feuille=F_COMP --answer Foliole=FOL_5 --lang es");
    ASSERT_EQ(seule.statut, 0) << seule.err;
    EXPECT_NE(seule.out.find("\n"), std::string::npos);
    EXPECT_NE(seule.out, "There is only one species\n");  // the Spanish text
    const Sortie json = Lance("best " + Reglages() + " --answer Ecorce=E_RUGUEUSE --json");
    EXPECT_NE(json.out.find("\"objet\": \"Feuille\""), std::string::npos) << json.out;
}

TEST_F(Ligne_Commande, LangPrintsTheBasesTextsInThatLanguage) {
    base = std::make_unique<Base_Temporaire>(
        Description_Cle(Schema_Traductions_SQL() +
                        "INSERT INTO Langues_Textes VALUES ('en', '', -1), ('es', '', 0), ('fr', '', 0);"
                        "INSERT INTO Traductions (Nom_Table, Cle, Champ, Langue, Texte) VALUES"
                        " ('Objets_Fic', 'Ecorce', 'TipText', 'fr', 'Écorce'), ('Caracteres', 'E_LISSE', "
                        "'TipText', 'es', 'Corteza lisa');"));
    reglages = Ecrit_Reglages(*base);
    EXPECT_EQ(Lance("best " + Reglages() + " --lang fr").out,
              "Ecorce\t\xC3\x89"
              "corce\tpower 1.000000\n");
    EXPECT_EQ(Lance("best " + Reglages() + " --lang es").out,
              "Ecorce\tBark\tpower 1.000000\n");  // untranslated
    const std::string info = Lance("info " + Reglages() + " --lang ES").out;
    EXPECT_NE(info.find("E_LISSE  weight 1  \"Corteza lisa\""), std::string::npos) << info;
    EXPECT_NE(Lance("info " + Reglages() + " --lang de").statut, 0);
}

TEST_F(Ligne_Commande, BestAllRanksTheQuestionsAndWalkMeasuresBothStrategies) {
    const Sortie toutes = Lance("best --all " + Reglages());
    ASSERT_EQ(toutes.statut, 0) << toutes.err;
    EXPECT_EQ(toutes.out,
              "Ecorce\tBark\tpower 1.000000\nMarge\tMargin\tpower 1.000000\n"
              "Feuille\tLeaf type\tpower 0.811278\nFoliole\tLeaflets\tpower 0.630930\n");
    // Foliole and Marge wait for F_COMP and FOL_5; the first line is what best proposes.
    const Sortie applicable = Lance("best --all --strategy applicable " + Reglages());
    EXPECT_EQ(applicable.out, "Ecorce\tBark\tpower 1.000000\nFeuille\tLeaf type\tpower 0.811278\n");
    EXPECT_EQ(Lance("best --strategy Applicable " + Reglages()).out, "Ecorce\tBark\tpower 1.000000\n");
    const Sortie inconnue = Lance("best --strategy other " + Reglages());
    EXPECT_NE(inconnue.statut, 0);
    EXPECT_NE(inconnue.err.find("expected standard or applicable"), std::string::npos) << inconnue.err;
    // Acer and Betula end tied under the applicable strategy: Marge waits for FOL_5.
    const Sortie parcours = Lance("walk " + Reglages());
    ASSERT_EQ(parcours.statut, 0) << parcours.err;
    EXPECT_NE(parcours.out.find(
                  "standard          4      4 (100.0%)      4            2.00      2              0\n"),
              std::string::npos)
        << parcours.out;
    EXPECT_NE(parcours.out.find(
                  "applicable        4      4 (100.0%)      2            1.50      2              0\n"),
              std::string::npos)
        << parcours.out;
}

TEST_F(Ligne_Commande, ContraNamesTheLayerOrButtonOfEachContradiction) {
    const Sortie s =
        Lance("contra " + Reglages() + " --answer Feuille=F_SIMPLE --answer Ecorce=E_RUGUEUSE Fraxinus");
    ASSERT_EQ(s.statut, 0) << s.err;
    EXPECT_NE(s.out.find("Fraxinus: 1 contradicted answer\n"), std::string::npos) << s.out;
    EXPECT_NE(s.out.find("Feuille\tF_SIMPLE\tbutton 2\t"), std::string::npos) << s.out;
    EXPECT_NE(s.out.find("contra/feuille_x.ico"), std::string::npos) << s.out;
    const Sortie acer = Lance("contra " + Reglages() + " --answer Ecorce=E_RUGUEUSE acer");
    EXPECT_NE(acer.out.find("Ecorce\tE_RUGUEUSE\tlayer 3\t"), std::string::npos) << acer.out;
    EXPECT_NE(acer.out.find("CONTRA/ecorce_x.wmf"), std::string::npos) << acer.out;
}

TEST_F(Ligne_Commande, CompareGivesTheSectionsAsTextOrJson) {
    const Sortie s = Lance("compare Acer FRAEX " + Reglages());
    ASSERT_EQ(s.statut, 0) << s.err;
    EXPECT_EQ(
        s.out,
        "Acer and Fraxinus\n\nWhat tells them apart\nEcorce\tBark\tSmooth bark\tRough bark\n"
        "Feuille\tLeaf type\tSimple leaf\tCompound leaf\nMarge\tMargin\tToothed margin\tEntire margin\n\n"
        "What they share\nNone.\n\nKnown for only one of them\n"
        "Foliole\tLeaflets\tnot known\tFive leaflets; Seven leaflets\n");
    const Sortie json = Lance("compare betula carpinus --json --lang fr " + Reglages());
    EXPECT_NE(json.out.find(
                  "\"shared\": [{\"objet\": \"Feuille\", \"question\": \"Leaf type\", \"disjoint\": false, "
                  "\"a\": [{\"state\": \"F_SIMPLE\", \"text\": \"Simple leaf\"}]"),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("\"only_one\": []}"), std::string::npos) << json.out;
}

TEST_F(Ligne_Commande, PortraitGivesEachPiecesDrawing) {
    const Sortie s = Lance("portrait " + Reglages() + " --answer Ecorce=E_RUGUEUSE --json");
    ASSERT_EQ(s.statut, 0) << s.err;
    EXPECT_NE(s.out.find("00/tronc01.wmf\""), std::string::npos) << s.out;
    EXPECT_NE(s.out.find("01/feuille01.wmf\""), std::string::npos) << s.out;
}

TEST_F(Ligne_Commande, SaveThenStartFromTheSavedIdentification) {
    const std::string fichier = base->Dossier() + "Sauve.IDO";
    ASSERT_EQ(Lance("rank " + Reglages() + " --answer Feuille=F_COMP --save '" + fichier + "'").statut, 0);
    const Sortie s =
        Lance("rank " + Reglages() + " --ido '" + fichier + "' --answer Foliole=1 --threshold 100");
    ASSERT_EQ(s.statut, 0) << s.err;
    EXPECT_EQ(s.out, " 1 species at 100 %\n 100% - Fraxinus\n");
}

TEST_F(Ligne_Commande, ErrorsGoToStderrWithANonZeroStatus) {
    const std::string court = base->Dossier() + "court.ido";
    std::ofstream(court) << "xx";
    const struct {
        std::string arguments;
        std::string message;
    } cas[] = {
        {"rank " + Reglages() + " --answer Tronc=1", "no character \"Tronc\""},
        {"rank " + Reglages() + " --answer Feuille=FOL_3", "neither a state identifier"},
        {"rank " + Reglages() + " --answer Feuille=2", "cell number 0 .. 1"},
        {"rank " + Reglages() + " --ido '" + base->Dossier() + "absent.ido'", "absent.ido"},
        {"rank " + Reglages() + " --ido '" + court + "'", "does not fit this knowledge base"},
        {"rank --settings '" + base->Dossier() + "nowhere.ini'", "nowhere.ini"},
        {"contra " + Reglages() + " Quercus", "no species \"Quercus\""},
        {"compare " + Reglages() + " Acer Quercus", "no species \"Quercus\""},
        {"rank " + Reglages() + " --save '" + court + "/x.ido'", "not saved"},
    };
    for (const auto& c : cas) {
        const Sortie s = Lance(c.arguments);
        EXPECT_NE(s.statut, 0) << c.arguments;
        EXPECT_NE(s.err.find(c.message), std::string::npos) << c.arguments << "\n" << s.err;
        EXPECT_TRUE(s.out.empty()) << c.arguments;
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

TEST_F(Ligne_Commande, AnswersOfASavedIdentificationInThePanelsWordsAndOrder) {
    const std::string fichier = base->Dossier() + "r.ido";
    ASSERT_EQ(Lance("rank " + Reglages() +
                    " --answer Ecorce=E_LISSE --answer Feuille=F_COMP --answer Foliole=FOL_5 --save '" +
                    fichier + "'")
                  .statut,
              0);
    const Sortie s = Lance("answers " + Reglages() + " --ido '" + fichier + "'");
    ASSERT_EQ(s.statut, 0) << s.err;
    // A file keeps no order: state-number order.
    EXPECT_EQ(s.out,
              "Feuille\tLeaf type\tF_COMP\tCompound leaf\nFoliole\tLeaflets\tFOL_5\tFive leaflets\n"
              "Ecorce\tBark\tE_LISSE\tSmooth bark\n");
    const Sortie json = Lance("answers " + Reglages() + " --json --ido '" + fichier + "'");
    EXPECT_NE(
        json.out.find("{\"objet\": \"Foliole\", \"question\": \"Leaflets\", \"states\": [{\"number\": 3, "
                      "\"cell\": 1, \"id\": \"FOL_5\", \"text\": \"Five leaflets\", \"value\": 1}]}"),
        std::string::npos)
        << json.out;
    const std::string court = base->Dossier() + "court.ido";
    std::ofstream(court) << "xx";
    const Sortie refus = Lance("answers " + Reglages() + " --ido '" + court + "'");
    EXPECT_NE(refus.statut, 0);
    EXPECT_NE(refus.err.find("does not fit this knowledge base"), std::string::npos) << refus.err;
}

TEST_F(Ligne_Commande, FindTakesAnyNameAndTheSettingsAreFoundWithoutTheOption) {
    Description_Base d = Description_Cle(
        "INSERT INTO Communs_Langues (Langue) VALUES ('English'), ('French');"
        "INSERT INTO Noms_Communs (Code, Langue, Nom) VALUES ('ACECA', 'French', '\xC3\x89rable "
        "champ\xC3\xAAtre'),"
        " ('ACECA', 'English', 'Field maple'), ('BETPE', 'French', 'Bouleau'), ('BETPE', 'English', 'Silver "
        "birch');");
    d.langues_vues = {"English", "French"};
    base = std::make_unique<Base_Temporaire>(d);
    reglages = Ecrit_Reglages(*base);
    const std::pair<std::string, std::string> cas[] = {
        {"ERABLE", "Acer\tACECA\tAceraceae\t\xC3\x89rable champ\xC3\xAAtre (French)\n"},
        {"'field MAPLE'", "Acer\tACECA\tAceraceae\tField maple (English)\n"},
        {"a",
         "Acer\tACECA\tAceraceae\tAcer; Field maple (English); \xC3\x89rable champ\xC3\xAAtre (French)\n"
         "Betula\tBETPE\tBetulaceae\tBetula; Bouleau (French)\nCarpinus\tCARBE\tBetulaceae\tCarpinus\n"
         "Fraxinus\tFRAEX\tOleaceae\tFraxinus\n"},
    };
    for (const auto& [texte, sortie] : cas)
        EXPECT_EQ(Lance("find " + texte + " " + Reglages()).out, sortie) << texte;
    EXPECT_EQ(
        Lance("find bouleau --json " + Reglages()).out,
        "{\"text\": \"bouleau\", \"species\": [{\"index\": 1, \"name\": \"Betula\", \"code\": \"BETPE\", "
        "\"family\": \"Betulaceae\", \"names\": [{\"name\": \"Bouleau\", \"language\": \"French\"}]}]}\n");
    EXPECT_EQ(Lance("find oak " + Reglages()).statut, 1);

    // Without --settings: the environment variable, else a message that says where it looked.
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
