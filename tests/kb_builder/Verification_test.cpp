#include "Verification_Base.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "Outils_Test.h"

namespace fs = std::filesystem;

namespace kestrane::kb {
namespace {

using test::Dossier_Test;

// The sound small base the build made with the builder; each test damages a copy of it.
class Verification : public ::testing::Test {
  public:
    void SetUp() override { Copie(); }
    // A fresh copy of the sound base, in place of the one before.
    void Copie() {
        copie_.reset();
        copie_ = std::make_unique<Dossier_Test>("kb-damaged");
        fs::copy(KB_PETITE_BUILT, copie_->Chemin(), fs::copy_options::recursive);
    }
    fs::path Base() const { return copie_->Chemin(); }
    void Sql(const std::string& sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((Base() / "data/kestrane.sqlite").string().c_str(), &db), SQLITE_OK);
        char* erreur = nullptr;
        const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &erreur);
        std::string m = erreur ? erreur : "";
        sqlite3_free(erreur);
        sqlite3_close(db);
        ASSERT_EQ(rc, SQLITE_OK) << m;
    }
    // The problems (or the warnings), as one text.
    std::string Problemes(bool avertissements = false) const {
        std::string t;
        for (const auto& p : Verifie_Base(Base().string()))
            if (p.Avertissement == avertissements)
                t += p.Texte() + "\n";
        return t;
    }

    std::unique_ptr<Dossier_Test> copie_;
};

TEST_F(Verification, SoundBaseHasNoProblem) {
    EXPECT_EQ(Problemes(), "");
}

// Each damage to a fresh copy, and what the check must say of it.
TEST_F(Verification, EachDamageIsReportedWithWhereItIs) {
    const auto sql = [](const char* s) { return [s](Verification& v) { v.Sql(s); }; };
    const struct {
        std::function<void(Verification&)> abime;
        std::vector<const char*> attendus;
    } cas[] = {
        // clang-format off
        {[](Verification& v) { fs::remove(v.Base() / "robot/01/leaf02.wmf"); },
         {"robot/01/leaf02.wmf: is missing (named by table Hierarchie, row 4)"}},
        {[](Verification& v) {
             for (const char* f : {"descripteurs/fruit.wmf", "robot/contra/cross.ico", "data/barres/ok.ico",
                                   "documents/a/aehip/dessin_aehip_fr.html", "data/error_fr.html"})
                 fs::remove(v.Base() / f);
         },
         {"descripteurs/fruit.wmf: is missing (named by table Objets_Fic, Fruit)", "contra/cross.ico: is missing",
          "barres/ok.ico: is missing (named by table But_Quest, row 1)", "dessin_aehip_fr.html: the page of",
          "aehip_fr.html: links to 'dessin_aehip_fr.html'", "error_fr.html: the error page is missing"}},
        {[](Verification& v) { test::Ecrit_Texte(v.Base() / "robot/00/ground01.wmf", "<svg/>"); },
         {"robot/00/ground01.wmf: is not a placeable metafile (named by table Hierarchie, row 2)"}},
        {[](Verification& v) { fs::resize_file(v.Base() / "data/MATRICE.DAT", 10); }, {"MATRICE.DAT"}},
        {sql("UPDATE Parametres SET Etat = '5' WHERE Nom = 'Nb_But_Deter';"),
         {"Nb_But_Deter: is 5 but table But_Deter gives 4"}},
        {sql("UPDATE Hierarchie SET C_0 = 'LC_TRIFOLIATE' WHERE Numero = 3; UPDATE Clic_Zone SET Nom = 'Bark' WHERE Numero = 3;"
             "INSERT INTO Descendance VALUES (3, 'FR_CONE', 'Cone_Size');"
             "UPDATE Couleurs SET Code_Couleur = 'Flower' WHERE Numero = 2;"
             "UPDATE But_Deter SET \"Key\" = 'Serch' WHERE Numero = 3;"),
         {"table Hierarchie, row 3: 'LC_TRIFOLIATE' names no state", "table Clic_Zone, row 3: 'Bark' names no character",
          "table Descendance, row 3: 'Cone_Size' names no character",
          "table Couleurs, row 2: palette code 'Flower' names no character", "table But_Deter, row 3: Key 'Serch'"}},
        {sql("INSERT INTO Descendance VALUES (3, 'LC_PINNATE', 'Leaf_Type');"),
         {"table Descendance: the dependencies form a cycle"}},
        {sql("UPDATE Objets_Fic SET Index_Car = 6 WHERE Objet = 'Fruit';"),
         {"table Objets_Fic, Fruit: Index_Car is 6 where 7 follows"}},
        {sql("UPDATE Clic_Zone SET C_1 = 'LT_BROAD' WHERE Numero = 1;"),
         {"table Clic_Zone, row 1: the conditions do not end with 'Fin'"}},
        {[](Verification& v) {
             fs::copy_file(v.Base() / "data/barres/ok.ico", v.Base() / "documents/p/pisyl/pisyl.gif",
                           fs::copy_options::overwrite_existing);
         },
         {"pisyl.gif: is not a GIF image"}},
        // Three bands sampled from a picture of two: two of them fall on the same band.
        {sql("INSERT INTO Couleurs VALUES (3, 'Leaf_Type'); UPDATE Parametres SET Etat = '3' WHERE Nom = 'Nb_Couleurs';"),
         {"couleur.wmf: bands"}},
        {[](Verification& v) { fs::remove(v.Base() / "kestrane.ini"); },
         {"kestrane.ini: the settings file cannot be read"}},
        // clang-format on
    };
    for (const auto& c : cas) {
        Copie();
        c.abime(*this);
        const std::string p = Problemes();
        for (const char* attendu : c.attendus) EXPECT_NE(p.find(attendu), std::string::npos) << attendu << "\n" << p;
    }
}

TEST_F(Verification, ToolExitsNonZeroAndListsTheProblems) {
    fs::remove(Base() / "data/couleur.wmf");
    auto [code, texte] = test::Execute(std::string(KB_OUTIL) + " check " + Base().string());
    EXPECT_EQ(code, 1);
    EXPECT_NE(texte.find("couleur.wmf: is missing"), std::string::npos) << texte;
    auto [code_sain, texte_sain] = test::Execute(std::string(KB_OUTIL) + " check " + KB_PETITE_BUILT);
    EXPECT_EQ(code_sain, 0) << texte_sain;  // warnings alone leave the base sound
    EXPECT_NE(texte_sain.find("warning: "), std::string::npos) << texte_sain;
}

TEST_F(Verification, TranslationsNamingNothingAreProblemsAndMissingOnesWarnings) {
    // The small source translates a few texts into French only.
    const std::string avertissements = Problemes(true);
    for (const char* attendu : {"warning: table Objets_Fic, Composition: TipText has no translation in 'fr'",
                                "warning: table But_Deter, row 1: Caption has no translation in 'fr'"})
        EXPECT_NE(avertissements.find(attendu), std::string::npos) << attendu << "\n" << avertissements;
    EXPECT_EQ(avertissements.find("Leaf_Type: TipText"), std::string::npos) << "translated";
    EXPECT_EQ(avertissements.find("in 'en'"), std::string::npos) << "the tables' own language";
    EXPECT_EQ(Problemes(), "");

    Sql("INSERT INTO Traductions (Nom_Table, Cle, Champ, Langue, Texte) VALUES"
        " ('Caracteres', 'LT_WIDE', 'TipText', 'fr', 'Larges'), ('Objets_Fic', 'Fruit', 'Popup', 'fr', 'x'),"
        " ('Objets_Fic', 'Fruit', 'TipText', 'de', 'Welche Frucht?');"
        "UPDATE Langues_Textes SET Origine = 0;");
    const std::string p = Problemes();
    for (const char* attendu : {": 'LT_WIDE' names no row of table Caracteres",
                                ": 'Objets_Fic.Popup' is no text that a base translates",
                                ": language 'de' is not declared in table Langues_Textes",
                                "table Langues_Textes: exactly one language must be marked Origine"})
        EXPECT_NE(p.find(attendu), std::string::npos) << attendu << "\n" << p;
}

}  // namespace
}  // namespace kestrane::kb
