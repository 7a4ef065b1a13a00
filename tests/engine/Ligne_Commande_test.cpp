// kestrane-cli's key commands, run as the user runs them, on a copy of the small test key given a
// French and a Spanish text and French common names.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "Cle_Test.h"
#include "Fichier_Identification.h"
#include "Schema_Base.h"

namespace kestrane::test {
namespace {

struct Sortie {
    int statut = -1;
    std::string out, err;
};

class Ligne_Commande : public ::testing::Test {
  protected:
    void SetUp() override {
        cle.Execute_SQL("INSERT INTO Langues_Textes VALUES ('es', '', 0), ('fr', 'French', 0);"
                        "INSERT INTO Traductions (Nom_Table, Cle, Champ, Langue, Texte) VALUES"
                        " ('Objets_Fic', 'Ecorce', 'TipText', 'fr', 'Écorce'),"
                        " ('Caracteres', 'E_LISSE', 'TipText', 'es', 'Corteza lisa');"
                        "INSERT INTO Communs_Langues (Langue) VALUES ('French');"
                        "INSERT INTO Noms_Communs (Code, Langue, Nom) VALUES ('ACECA', 'French', 'Érable champêtre'),"
                        " ('BETPE', 'French', 'Bouleau');" +
                        Vue_Vernaculaire_SQL("French"));
    }

    std::string Chemin(const char* nom) const { return (cle.Dossier() / nom).string(); }

    std::string Lit(const char* nom) const {
        std::ifstream f(Chemin(nom));
        return {std::istreambuf_iterator<char>(f), {}};
    }
    Sortie Lance(const std::string& arguments) const {
        const int brut = std::system((std::string(KESTRANE_CLI) + " " + arguments + " >'" + Chemin("out.txt") + "' 2>'" +
                                      Chemin("err.txt") + "'")
                                         .c_str());
        return {WIFEXITED(brut) ? WEXITSTATUS(brut) : -1, Lit("out.txt"), Lit("err.txt")};
    }
    // `commande` on `base`, its settings option after the command's first word.
    Sortie Lance_Cle(const std::string& commande, const Copie_Base* base = nullptr) const {
        const size_t espace = std::min(commande.find(' '), commande.size());
        return Lance(commande.substr(0, espace) + " --settings '" + (base ? base : &cle)->Reglages_Machine() + "'" +
                     commande.substr(espace));
    }

    Copie_Base cle{"cle"};
};

// {arguments, base} -> {exit status, what the output holds}, in turn: the output (standard output
// then error) holds each piece, and nothing is printed on standard output on failure (tests/cli holds
// each command's whole output, text and JSON, on the base petite). The load of
// a damaged base is reported by the key commands and by those that open it on their own (walk).
TEST_F(Ligne_Commande, EachCommandPrintsWhatTheWindowShowsOrWhatIsWrong) {
    const Copie_Base sans_matrice("cle"), sans_especes("cle"), cime("cle"), sans_fol_7("cle"), mesuree("cle");
    mesuree.Execute_SQL(Schema_Mesures_SQL() + "INSERT INTO Objets_Mesures VALUES ('Ecorce', 'mm', '3');"
                        "INSERT INTO Etendues_Especes (Espece, Objet, Bas, Haut) VALUES ('Acer', 'Ecorce', 1, 2),"
                        " ('Betula', 'Ecorce', 5, 9);");
    sans_fol_7.Execute_SQL("DELETE FROM Caracteres WHERE NUM = 4;");  // FOL_7 cannot be named
    const auto panneau = Encode_Identification({0, 2, 1, 0, 1, 0, 0, 0, 0}, {-1, -1, 0});
    std::ofstream(Chemin("panneau.ido"), std::ios::binary).write(reinterpret_cast<const char*>(panneau.data()), 24);
    std::filesystem::remove(sans_matrice.Dossier() / "data" / "MATRICE.DAT");
    sans_especes.Execute_SQL("DELETE FROM Parametres WHERE Nom = 'Nb_Esp';");
    cime.Execute_SQL("INSERT INTO Objets_Fic VALUES ('Cime', 9, 40, 2, 1, 2, 0, 'c.wmf', 'Cime?', 1);");
    const std::string avertissement = "warning: " + cime.Chemin_Base() + ": Objets_Fic row \"Cime\" has states 40 .. 41";
    const std::string court = Chemin("court.ido"), sauve = "'" + Chemin("Sauve.IDO") + "'", suite = "'" + Chemin("suite.ido") + "'";
    std::ofstream(court) << "xx";
    const struct {
        std::string arguments;
        int statut;
        std::vector<std::string> contient;
        const Copie_Base* base = nullptr;  // the key's copy when none
    } cas[] = {
        // clang-format off
        {"rank --answer Feuille=F_SIMPLE --answer ecorce=1", 0,
         {" 1 species at 100 %\n 100% - Carpinus\n 67% - Acer\n 67% - Betula\n 33% - Fraxinus\n"}},
        // The answers go through validation: F_SIMPLE clears Foliole.
        {"rank --answer Feuille=F_COMP --answer Foliole=FOL_5 --answer Feuille=F_SIMPLE --threshold 50", 0,
         {" 3 species at 100 %\n 100% - Acer\n 100% - Betula\n 100% - Carpinus\n"}},
        {"rank --lang fr --threshold 101", 0, {" 0 espèces à 0 %\n"}},
        {"best --lang fr", 0, {"Ecorce\tÉcorce\tpower 1.000000\n"}},
        {"best --lang es", 0, {"Ecorce\tBark\tpower 1.000000\n"}},  // untranslated
        {"best --answer Feuille=F_COMP --answer Foliole=FOL_5 --lang es", 0, {"Ay solamente una especie\n"}},
        {"best --all", 0, {"Ecorce\tBark\tpower 1.000000\nMarge\tMargin\tpower 1.000000\n"
                           "Feuille\tLeaf type\tpower 0.811278\nFoliole\tLeaflets\tpower 0.630930\n"}},
        // Foliole and Marge wait for F_COMP and FOL_5; the first line is what best proposes.
        {"best --all --strategy applicable", 0, {"Ecorce\tBark\tpower 1.000000\nFeuille\tLeaf type\tpower 0.811278\n"}},
        {"best --strategy Applicable", 0, {"Ecorce\tBark\tpower 1.000000\n"}},
        {"info --lang ES", 0, {"E_LISSE  weight 1  \"Corteza lisa\""}},
        // Acer and Betula end tied under the applicable strategy: Marge waits for FOL_5.
        {"walk", 0, {"standard          4      4 (100.0%)      4            2.00      2              0\n",
                     "applicable        4      4 (100.0%)      2            1.50      2              0\n"}},
        {"contra --answer Feuille=F_SIMPLE --answer Ecorce=E_RUGUEUSE Fraxinus", 0,
         {"Fraxinus: 1 contradicted answer\n", "Feuille\tF_SIMPLE\tbutton 2\t", "contra/feuille_x.ico"}},
        {"contra --answer Ecorce=E_RUGUEUSE acer", 0, {"Ecorce\tE_RUGUEUSE\tlayer 3\t", "CONTRA/ecorce_x.wmf"}},
        {"compare Acer FRAEX", 0,
         {"Acer and Fraxinus\n\nWhat tells them apart\nEcorce\tBark\tSmooth bark\tRough bark\n"
          "Feuille\tLeaf type\tSimple leaf\tCompound leaf\nMarge\tMargin\tToothed margin\tEntire margin\n\n"
          "What they share\nNone.\n\nKnown for only one of them\nFoliole\tLeaflets\tnot known\tFive leaflets; Seven leaflets\n"}},
        // Any of the names, in any case.
        {"find ERABLE", 0, {"Acer\tACECA\tAceraceae\tÉrable champêtre (French)\n"}},
        {"find a", 0, {"Acer\tACECA\tAceraceae\tAcer; Maple (English); Érable champêtre (French)\n"
                       "Betula\tBETPE\tBetulaceae\tBetula; Bouleau (French)\nCarpinus\tCARBE\tBetulaceae\tCarpinus; Hornbeam (English)\n"
                       "Fraxinus\tFRAEX\tOleaceae\tFraxinus; Ash (English)\n"}},
        // A saved identification is the start of the next command, and `answers` describes it in the
        // panel's words and state-number order (a file keeps no order).
        {"rank --answer Feuille=F_COMP --save " + sauve, 0, {}},
        {"rank --ido " + sauve + " --answer Foliole=1 --threshold 100", 0, {" 1 species at 100 %\n 100% - Fraxinus\n"}},
        {"rank --ido " + sauve + " --answer Ecorce=E_LISSE --answer Foliole=FOL_5 --save " + suite, 0, {}},
        {"answers --ido " + suite, 0, {"Feuille\tLeaf type\tF_COMP\tCompound leaf\nFoliole\tLeaflets\tFOL_5\tFive leaflets\n"
                                       "Ecorce\tBark\tE_LISSE\tSmooth bark\n"}},
        // The panel's words for every non-zero state it can name, with its value and cell.
        {"answers --json --ido '" + Chemin("panneau.ido") + "'", 0,
         {"{\"answers\": [{\"objet\": \"Feuille\", \"question\": \"Leaf type\", \"states\": [{\"number\": 1, \"cell\": 1, "
          "\"id\": \"F_COMP\", \"text\": \"Compound leaf\", \"value\": 2}]}, {\"objet\": \"Foliole\", \"question\": "
          "\"Leaflets\", \"states\": [{\"number\": 2, \"cell\": 0, \"id\": \"FOL_3\", \"text\": \"Three leaflets\", "
          "\"value\": 1}]}]}\n"},
         &sans_fol_7},
        {"rank --answer Tronc=1", 1, {"no character \"Tronc\""}},
        {"rank --answer Feuille=FOL_3", 1, {"neither a state identifier"}},
        {"rank --answer Feuille=2", 1, {"cell number 0 .. 1"}},
        {"rank --ido '" + Chemin("absent.ido") + "'", 1, {"absent.ido"}},
        {"rank --ido '" + court + "'", 1, {"does not fit this knowledge base"}},
        {"answers --ido '" + court + "'", 1, {"does not fit this knowledge base"}},
        {"contra Quercus", 1, {"no species \"Quercus\""}},
        // A measured value: one answer, matched by the ranges it meets; shown with its unit and tolerance.
        {"rank --measure Ecorce=2.1 --threshold 100", 0, {" 1 species at 100 %\n 100% - Acer\n"}, &mesuree},
        {"rank --measure Ecorce=2.1 --tolerance 0", 0, {" 0% - Acer\n"}, &mesuree},
        {"contra Betula --measure Ecorce=2.1 --answer Feuille=F_SIMPLE", 0, {"Betula: 1 contradicted answer\nEcorce\tE_LISSE"}, &mesuree},
        {"answers --measure Ecorce=6 --tolerance 5", 0, {"Ecorce\tBark\t=\t6 mm (\u00b1 5 %)\nEcorce\tBark\tE_RUGUEUSE\t"}, &mesuree},
        {"answers --json --measure Ecorce=6", 0, {"\"measure\": {\"value\": 6, \"unit\": \"mm\", \"tolerance\": 10}"}, &mesuree},
        {"rank --measure Feuille=2", 1, {"no measured character \"Feuille\""}, &mesuree},
        {"rank --measure Ecorce=deux", 1, {"\"deux\" is not a number"}, &mesuree},
        {"rank --measure Ecorce=2 --tolerance -1", 1, {"--tolerance -1: expected a percentage"}, &mesuree},
        {"compare Acer Quercus", 1, {"no species \"Quercus\""}},
        {"rank --save '" + court + "/x.ido'", 1, {"not saved"}},
        {"best --strategy other", 2, {"expected standard or applicable"}},
        {"info --lang de", 105, {"de not in {en,es,fr}"}},  // the option parser's refusal
        {"find oak", 1, {}},
        {"rank", 1, {"MATRICE.DAT"}, &sans_matrice},
        {"walk", 1, {"MATRICE.DAT"}, &sans_matrice},
        {"rank", 1, {"has no species"}, &sans_especes},
        {"walk", 1, {"has no species"}, &sans_especes},
        {"rank", 0, {avertissement}, &cime},
        {"walk", 0, {avertissement}, &cime},
        // clang-format on
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.arguments);
        const Sortie s = Lance_Cle(c.arguments, c.base);
        EXPECT_EQ(s.statut, c.statut) << s.err;
        for (const std::string& piece : c.contient) EXPECT_NE((s.out + s.err).find(piece), std::string::npos) << s.out << s.err;
        if (c.statut != 0) {
            EXPECT_EQ(s.out, "");
        }
    }
}

// Without --settings: the environment variable, else a message that says where it looked.
TEST_F(Ligne_Commande, TheSettingsAreFoundWithoutTheOption) {
    setenv("KESTRANE_MACHINE_SETTINGS", cle.Reglages_Machine().c_str(), 1);
    const Sortie trouve = Lance("find birch");
    unsetenv("KESTRANE_MACHINE_SETTINGS");
    EXPECT_EQ(trouve.out, "Betula\tBETPE\tBetulaceae\tBirch (English)\n") << trouve.err;
    const Sortie sans = Lance("rank");
    EXPECT_NE(sans.statut, 0);
    EXPECT_NE(sans.err.find("no machine settings found"), std::string::npos) << sans.err;
}

}  // namespace
}  // namespace kestrane::test
