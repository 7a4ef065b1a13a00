#include "Verification_Base.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "Base_Test.h"
#include "Outils_Test.h"
#include "Schema_Base.h"

namespace fs = std::filesystem;

namespace kestrane::kb {
namespace {

using Copie = kestrane::test::Copie_Base;

// The problems (or the warnings) the check finds in a copy of the built small base, as one text.
std::string Problemes(const Copie& copie, bool avertissements = false) {
    std::string t;
    for (const auto& p : Verifie_Base(copie.Dossier().string()))
        if (p.Avertissement == avertissements)
            t += p.Texte() + "\n";
    return t;
}

// Each damage to a fresh copy, and what the check must say of it; the sound copy has no problem, and
// warnings for the texts it does not translate.
TEST(Verification, EachDamageIsReportedWithWhereItIsAndMissingTranslationsAreWarnings) {
    const auto sql = [](const char* s) { return [s](const Copie& c) { c.Execute_SQL(s); }; };
    const auto efface = [](std::vector<const char*> fichiers) {
        return [=](const Copie& c) {
            for (const char* f : fichiers) fs::remove(c.Dossier() / f);
        };
    };
    const struct {
        std::function<void(const Copie&)> abime;
        std::vector<const char*> attendus;
    } cas[] = {
        // clang-format off
        {[](const Copie&) {}, {}},
        {efface({"robot/01/leaf02.wmf", "descripteurs/leaf_type.wmf", "robot/contra/cross.ico", "data/barres/ok.ico",
                 "documents/a/aehip/dessin_aehip_fr.html", "data/error_fr.html"}),
         {"robot/01/leaf02.wmf: is missing (named by table Hierarchie, row 4)",
          "descripteurs/leaf_type.wmf: is missing (named by table Objets_Fic, Leaf_Type)", "contra/cross.ico: is missing",
          "barres/ok.ico: is missing (named by table But_Quest, row 1)", "dessin_aehip_fr.html: the page of",
          "aehip_fr.html: links to 'dessin_aehip_fr.html'", "error_fr.html: the error page is missing"}},
        {[](const Copie& c) {
             test::Ecrit_Texte(c.Dossier() / "robot/00/ground01.wmf", "<svg/>");
             fs::copy_file(c.Dossier() / "data/barres/ok.ico", c.Dossier() / "documents/p/pisyl/pisyl.gif",
                           fs::copy_options::overwrite_existing);
         },
         {"robot/00/ground01.wmf: is not a placeable metafile (named by table Hierarchie, row 2)",
          "pisyl.gif: is not a GIF image"}},
        // A base that does not load is checked no further.
        {[](const Copie& c) { fs::resize_file(c.Dossier() / "data/MATRICE.DAT", 10); }, {"MATRICE.DAT"}},
        // The last two lines: three bands sampled from a picture of two, two of them fall on the same band.
        {sql("UPDATE Parametres SET Etat = '5' WHERE Nom = 'Nb_But_Deter';"
             "UPDATE Hierarchie SET C_0 = 'LC_TRIFOLIATE' WHERE Numero = 3; UPDATE Clic_Zone SET Nom = 'Bark' WHERE Numero = 3;"
             "INSERT INTO Descendance VALUES (3, 'FR_CONE', 'Cone_Size'), (4, 'LC_PINNATE', 'Leaf_Type');"
             "UPDATE Couleurs SET Code_Couleur = 'Flower' WHERE Numero = 2;"
             "UPDATE But_Deter SET \"Key\" = 'Serch' WHERE Numero = 3;"
             "UPDATE Objets_Fic SET Index_Car = 6, Nb_Car = 3 WHERE Objet = 'Fruit';"
             "UPDATE Clic_Zone SET C_1 = 'LT_BROAD' WHERE Numero = 1; UPDATE Clic_Zone SET Cadre = 3 WHERE Numero = 4;"
             "INSERT INTO Couleurs VALUES (3, 'Leaf_Type'); UPDATE Parametres SET Etat = '3' WHERE Nom = 'Nb_Couleurs';"),
         {"Nb_But_Deter: is 5 but table But_Deter gives 4", "table Hierarchie, row 3: 'LC_TRIFOLIATE' names no state",
          "table Clic_Zone, row 3: 'Bark' names no character", "table Descendance, row 3: 'Cone_Size' names no character",
          "table Couleurs, row 2: palette code 'Flower' names no character", "table But_Deter, row 3: Key 'Serch'",
          "table Descendance: the dependencies form a cycle", "table Objets_Fic, Fruit: Index_Car is 6 where 7 follows",
          "Nb_Etats_Desc: is 11 but the sum of Nb_Car of Objets_Fic gives 10",
          "table Clic_Zone, row 1: the conditions do not end with 'Fin'", "table Clic_Zone, row 4: Cadre 3 is no frame",
          "couleur.wmf: bands"}},
        {efface({"kestrane.ini"}), {"kestrane.ini: the settings file cannot be read"}},
        // Translations naming nothing are problems.
        {sql("INSERT INTO Traductions (Nom_Table, Cle, Champ, Langue, Texte) VALUES"
             " ('Caracteres', 'LT_WIDE', 'TipText', 'fr', 'Larges'), ('Objets_Fic', 'Fruit', 'Popup', 'fr', 'x'),"
             " ('Objets_Fic', 'Fruit', 'TipText', 'de', 'Welche Frucht?'); UPDATE Langues_Textes SET Origine = 0;"),
         {": 'LT_WIDE' names no row of table Caracteres", ": 'Objets_Fic.Popup' is no text that a base translates",
          ": language 'de' is not declared in table Langues_Textes",
          "table Langues_Textes: exactly one language must be marked Origine"}},
        // Measured characters' tables: each row the program would pass over.
        {[](const Copie& c) {
             c.Execute_SQL(Schema_Mesures_SQL() +
                           "INSERT INTO Objets_Mesures VALUES ('Composition', 'mm', '2;5'), ('Fruit', 'cm', '1;1;2'),"
                           " ('Bark', 'm', '');"
                           "INSERT INTO Etendues_Especes (Espece, Objet, Bas, Haut) VALUES"
                           " ('Pinus sylvestris', 'Composition', 1, 2), ('Quercus robur', 'Composition', 1, 2),"
                           " ('Acer pseudoplatanus', 'Composition', 4, 3), ('Fraxinus excelsior', 'Composition', 'x', 1),"
                           " ('Aesculus hippocastanum', 'Leaf_Type', 1, 1);");
         },
         {"table Objets_Mesures, row 3: Limites '1;1;2' are not 3 increasing numbers",
          "table Objets_Mesures, row 1: 'Bark' is no character of Objets_Fic",
          "table Etendues_Especes, row 2: 'Quercus robur' is no species of the key",
          "table Etendues_Especes, row 3: the range of 'Acer pseudoplatanus' starts at 4, above its end 3",
          "table Etendues_Especes, row 4: the range of 'Fraxinus excelsior' is not two numbers",
          "table Etendues_Especes, row 5: 'Leaf_Type' is no measured character"}},
        // clang-format on
    };
    for (const auto& c : cas) {
        const Copie copie("petite");
        c.abime(copie);
        const std::string p = Problemes(copie);
        for (const char* attendu : c.attendus) EXPECT_NE(p.find(attendu), std::string::npos) << attendu << "\n" << p;
        EXPECT_EQ(p.empty(), c.attendus.empty()) << p;
    }
    // The small source translates a few texts into French only: the missing ones are warnings.
    const std::string avertissements = Problemes(Copie("petite"), true);
    for (const char* attendu : {"warning: table Objets_Fic, Composition: TipText has no translation in 'fr'",
                                "warning: table But_Deter, row 1: Caption has no translation in 'fr'"})
        EXPECT_NE(avertissements.find(attendu), std::string::npos) << attendu << "\n" << avertissements;
    EXPECT_EQ(avertissements.find("Leaf_Type: TipText"), std::string::npos) << "translated";
    EXPECT_EQ(avertissements.find("in 'en'"), std::string::npos) << "the tables' own language";
}

}  // namespace
}  // namespace kestrane::kb
