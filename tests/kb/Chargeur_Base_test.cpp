// The loader on copies of the built small base, each edited to give the case it tests.
#include "Chargeur_Base.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "Base_Test.h"

namespace fs = std::filesystem;

namespace kestrane {
namespace {

using test::Copie_Base;

// Leaf_Type's question and two states, the first buttons' caption and tooltip, the pine's legend,
// as shown in language `suffixe` (a base short of them throws: the test fails, the program goes on).
std::vector<std::string> Textes_Vus(const Base_Connaissance& b, std::string_view suffixe) {
    const Textes_Base& t = b.Textes;
    const Objet_Fic* objet = b.Trouve_Objet("Leaf_Type");
    return {objet ? t.Question(*objet, suffixe) : "?", t.Etat(b.Caracteres.at(0), suffixe),
            t.Etat(b.Caracteres.at(1), suffixe), t.Bouton(Caption_Deter, b.But_Deter.at(0), suffixe),
            t.Bouton(TipText_Quest, b.But_Quest.at(0), suffixe), t.Legende(b.Flore.at(3), suffixe)};
}
const std::vector<std::string> kTextes_Propres{"What kind of leaves?", "Broad leaves", "Needles", "Leaf", "Confirm",
                                               "Needles in pairs"};

// The edits give what the built base has not: a count after blanks, a species in lower case (first
// all the same), a zone without "Fin" within Nb_Contraintes columns, Null fields, any matrix values in
// a data file named in lower case, a language, no translations; and rows passed over, with a warning.
TEST(ChargeurBase, LoadsInIndexOrderPassesOverBadRowsWithAWarningAndWritesNothing) {
    const Copie_Base copie("petite");
    copie.Execute_SQL("UPDATE Parametres SET Etat = ' 3 frames' WHERE Nom = 'Nb_Cadre';"
                      "UPDATE Flore SET Espece = 'acer pseudoplatanus' WHERE Code = 'ACPSE';"
                      "UPDATE Clic_Zone SET C_1 = 'LT_BROAD', Y1 = 30.5, X2 = NULL, Test_Cadre = NULL "
                      "WHERE Numero = 1; INSERT INTO Communs_Langues (Langue) VALUES ('Deutsch');"
                      "DROP TABLE Traductions; DROP TABLE Langues_Textes;"
                      // Passed over: states, Desc_Num, frame, state number outside their range, a Flore
                      // row beyond Nb_Esp, a missing colour, a missing table, a count past 16 bits.
                      "INSERT INTO Objets_Fic VALUES ('ZFAR', 4, 9, 9, 1, 1, 0, '', '', 1),"
                      " ('WOOD', 9, 2, 1, 1, 1, 5, '', '', 1), ('TWIG', 6, 0, 1, 1, 1, 0, '', '', 1);"
                      "INSERT INTO Caracteres VALUES (11, 'LT_SCALE', 'Scales');"
                      "INSERT INTO Flore VALUES ('Zelkova serrata', 'ZELSE', 'Ulmaceae', '');"
                      "DELETE FROM Couleurs WHERE Numero = 2; DROP TABLE Hierarchie;"
                      "UPDATE Parametres SET Etat = '70000' WHERE Nom = 'Nb_But_Car';");
    const fs::path data = copie.Dossier() / "data";
    fs::remove(data / "MATRICE.DAT");
    {  // 44 values, state-major (a state's 4 species in turn), little-endian: k, or k - 256 every third
        std::ofstream matrice(data / "matrice.dat", std::ios::binary);
        for (char k = 0; k < 44; ++k) matrice << k << static_cast<char>(k % 3 ? 0 : 0xFF);
    }
    const auto avant = fs::last_write_time(copie.Chemin_Base());
    Palette_Fixe palette({1 * 65536 + 2 * 256 + 3, 0x00FF0000});
    const Chargement c = Charge_Base(copie.Lieux(), &palette);
    ASSERT_TRUE(c.Base) << c.Echec->Message;
    EXPECT_EQ(fs::last_write_time(copie.Chemin_Base()), avant);
    const Base_Connaissance& b = *c.Base;
    EXPECT_EQ(std::tie(b.Nb_Esp, b.Nb_Etats_Desc, b.Nb_Cadre, b.Nb_But_Car, b.Nb_Contraintes),
              std::tuple(4, 11, 3, 0, 2));
    EXPECT_EQ(b.Nom_Esp, (std::vector<std::string>{"acer pseudoplatanus", "Aesculus hippocastanum",
                                                   "Fraxinus excelsior", "Pinus sylvestris"}));
    // Palette: sampled pixels split into their components, codes by colour number.
    EXPECT_EQ(b.Couleur_Comp, (std::vector<Couleur_Composantes>{{1, 2, 3}, {255, 0, 0}}));
    EXPECT_EQ(b.Code_Couleur, (std::vector<std::string>{"Leaf_Type", ""}));
    EXPECT_EQ(b.Poids, (std::vector<int16_t>{5, 5, 4, 4, 4, 3, 3, 2, 2, 2, 2}));
    std::vector<int> lus, attendus;
    for (int k = 0; k < 44; ++k) lus.push_back(b.Matrice(k % 4, k / 4)), attendus.push_back(k % 3 ? k : k - 256);
    EXPECT_EQ(lus, attendus);
    // Tables in their index order, looked up without regard to case. Joker has one flag per record
    // by Desc_Num: the row passed over does not push TWIG's out of range.
    ASSERT_TRUE(b.Objets.size() == 6 && b.Clic_Zone.size() == 4 && b.Descendance.size() == 2);
    EXPECT_EQ(std::tie(b.Objets[0].Objet, b.Objets[5].Objet, b.Objets[5].Cadre), std::tuple("Arrangement", "WOOD", -1));
    EXPECT_EQ(b.Joker, (std::vector<bool>{true, true, false, true, false, false, true}));
    ASSERT_TRUE(b.Trouve_Objet("fruit") && b.Etat_Par_Numero(9) && b.Trouve_Contradiction("FRUIT"));
    EXPECT_EQ(std::tuple(b.Trouve_Objet("fruit")->Index_Car, b.Etat_Par_Identifiant("fr_cone"),
                         b.Etat_Par_Numero(9)->ID_CARAC, b.Trouve_Contradiction("FRUIT")->Popup),
              std::tuple(7, 10, "FR_CAPS", "fruit_cross"));
    const Zone_Clic& z = b.Clic_Zone[0];
    EXPECT_EQ(std::tuple(z.Y1, z.X2, z.Test_Cadre, z.Conditions_Terminees, z.Conditions.size()),
              std::tuple(30.5, std::nullopt, std::nullopt, false, 2u));
    EXPECT_EQ(std::tuple(b.Clic_Zone[3].Test_Cadre, b.Descendance[1].Numero, b.Descendance[1].Objet,
                         b.Caracteres.size(), b.Flore.size(), b.Hierarchie.size()),
              std::tuple(true, 2, "Arrangement", 11u, 5u, 0u));
    EXPECT_EQ(b.Communs_Langues, (std::vector<std::string>{"Deutsch", "English", "Français"}));
    // Without translation tables every language shows the base's own texts.
    EXPECT_TRUE(b.Textes.Langues().empty());
    for (const char* suffixe : {"en", "es", "fr"}) EXPECT_EQ(Textes_Vus(b, suffixe), kTextes_Propres);

    std::string avertissements;
    for (const auto& a : c.Avertissements) avertissements += a + "\n";
    for (const char* attendu : {"\"ZFAR\" has states 9 .. 17 outside 0 .. 10", "\"WOOD\" has frame 5 outside 0 .. 2",
                                "\"WOOD\" has Desc_Num 9 outside 0 .. 6", "\"LT_SCALE\" has state number 11",
                                "Flore has 5 rows for Nb_Esp = 4", "Couleurs has no row 2", "Hierarchie",
                                "Nb_But_Car = \"70000\" does not fit a 16-bit count"})
        EXPECT_NE(avertissements.find(attendu), std::string::npos) << attendu << "\n" << avertissements;
    EXPECT_EQ(c.Avertissements.size(), 8u) << avertissements;
}

// {an edit of a copy of the small base} -> the kind of failure and the words that name it ("{copie}"
// stands for the copy's folder), or no failure, no warning and the species in this order.
TEST(ChargeurBase, EditedBasesAreRefusedWithWhatNamesTheFaultOrReadThroughTheirIndexes) {
    using G = Echec_Chargement::Genre;
    using Retouche = std::function<void(const Copie_Base&, Emplacements_Base&)>;
    const auto sql = [](std::string s) -> Retouche { return [s](auto& c, auto&) { c.Execute_SQL(s); }; };
    const auto compte = [&](const char* nom, const char* valeur) {
        return sql(std::string("UPDATE Parametres SET Etat = '") + valeur + "' WHERE Nom = '" + nom + "';");
    };
    const auto taille = [](const char* fichier, int octets) -> Retouche {
        return [=](auto& c, auto&) { fs::resize_file(c.Dossier() / "data" / fichier, octets); };
    };
    const std::string especes = "Acer pseudoplatanus, Aesculus hippocastanum, Fraxinus excelsior, Pinus sylvestris, ";
    const struct {
        const char* nom;
        Retouche retouche;
        std::optional<G> genre;
        std::string mots;
    } cas[] = {
        {"missing database", [](auto&, auto& l) { l.Chemin_Base = "/no/such/base.sqlite"; }, G::Base_Donnees,
         "/no/such/base.sqlite, Erreur N° 14"},
        {"damaged database",
         [](auto& c, auto&) { std::ofstream(c.Chemin_Base(), std::ios::trunc) << std::string(4096, 'x'); },
         G::Base_Donnees, "{copie}/data/kestrane.sqlite, Erreur N° 26"},
        {"missing weights", [](auto& c, auto&) { fs::remove(c.Dossier() / "data/POIDS.DAT"); },
         G::Fichier_Absent, "{copie}/data/POIDS.DAT"},
        // Without a trailing separator the data folder glues onto the file name and fails to open.
        {"data folder without separator", [](auto&, auto& l) { l.Rep_Data.pop_back(); }, G::Fichier_Absent,
         "POIDS.DAT"},
        {"short weights", taille("POIDS.DAT", 20), G::Lecture_Poids, "20 bytes where 22 are needed"},
        {"short matrix", taille("MATRICE.DAT", 87), G::Lecture_Matrice, "MATRICE.DAT"},
        {"longer matrix, read up to what the counts need", taille("MATRICE.DAT", 100), std::nullopt, especes},
        {"no species", sql("DROP TABLE Parametres; DROP TABLE Hierarchie;"), G::Base_Vide,
         "kestrane.sqlite: this knowledge base has no species (Parametres gives Nb_Esp = 0)"},
        {"no usable character", sql("UPDATE Objets_Fic SET Index_Car = 99;"), G::Base_Vide,
         "kestrane.sqlite: this knowledge base has no characters (Nb_Etats_Desc = 11, 0 usable rows"},
        {"negative count", compte("Nb_Esp", "-3"), G::Donnees_Incoherentes, "Nb_Esp is negative"},
        // Counts take 32 bits; one the data files cannot fill is refused before anything is made to its size.
        {"huge species count", compte("Nb_Esp", "2000000000"), G::Lecture_Matrice, "are needed"},
        {"huge state count", compte("Nb_Etats_Desc", "2000000000"), G::Lecture_Poids, "are needed"},
        // Bases migrated from another engine order a table by an index literally named "PrimaryKey":
        // Parametres without a declared key, its counts sought through the index; Flore keyed by a row
        // number, stored out of name order, its species following the index.
        {"Parametres by PrimaryKey",
         sql("CREATE TABLE P (Nom TEXT COLLATE NOCASE, Etat TEXT); INSERT INTO P SELECT * FROM Parametres;"
             "DROP TABLE Parametres; ALTER TABLE P RENAME TO Parametres; CREATE INDEX PrimaryKey ON Parametres (Nom);"),
         std::nullopt, especes},
        {"Flore by PrimaryKey",
         sql("DROP VIEW Vernaculaire_English; DROP VIEW \"Vernaculaire_Français\"; CREATE TABLE F (Numero INTEGER "
             "PRIMARY KEY, Espece TEXT COLLATE NOCASE, Code TEXT, Famille TEXT, Legende TEXT); INSERT INTO F (Espece, "
             "Code, Famille, Legende) SELECT * FROM Flore ORDER BY Code DESC; DROP TABLE Flore; ALTER TABLE F "
             "RENAME TO Flore; CREATE INDEX PrimaryKey ON Flore (Espece);"),
         std::nullopt, especes},
        // A base from anyone cannot hang the program nor fill its memory: a common names' query that
        // never ends, and one that grows for ever, make a damaged base.
        {"common names that never end",
         sql("DROP VIEW Vernaculaire_English; CREATE VIEW Vernaculaire_English AS WITH RECURSIVE r(n) AS (SELECT 1 "
             "UNION ALL SELECT n FROM r) SELECT 'x' AS Nom, 'FREXC' AS Code, '' AS Espece, '' AS Famille FROM r "
             "WHERE n = 0;"),
         G::Base_Donnees, "kestrane.sqlite, Erreur N° 9"},
        {"common names without end",
         sql("DROP VIEW Vernaculaire_English; CREATE VIEW Vernaculaire_English AS WITH RECURSIVE r(n) AS (SELECT 1 "
             "UNION ALL SELECT n + 1 FROM r) SELECT 'Name ' || n AS Nom, 'FREXC' AS Code, '' AS Espece, '' AS "
             "Famille FROM r;"),
         G::Base_Donnees, "Vernaculaire_English holds more than"},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.nom);
        const Copie_Base copie("petite");
        Emplacements_Base lieux = copie.Lieux();
        k.retouche(copie, lieux);
        const Chargement c = Charge_Base(lieux, nullptr);
        if (!k.genre) {
            ASSERT_TRUE(c.Base && c.Avertissements.empty()) << (c.Base ? c.Avertissements[0] : c.Echec->Message);
            std::string noms;
            for (const auto& n : c.Base->Nom_Esp) noms += n + ", ";
            EXPECT_EQ(noms, k.mots);
            continue;
        }
        ASSERT_TRUE(c.Echec);
        EXPECT_FALSE(c.Base);
        EXPECT_EQ(c.Echec->Genre_Echec, k.genre);
        std::string mots = k.mots;
        if (mots.find("{copie}") != std::string::npos)
            mots.replace(mots.find("{copie}"), 7, copie.Dossier().string());
        EXPECT_NE((c.Echec->Message + "\n" + c.Echec->Detail).find(mots), std::string::npos)
            << c.Echec->Message << "\n" << c.Echec->Detail;
    }
}

TEST(ChargeurBase, TranslationsFollowTheLanguageAskedAndFallBackToTheBaseText) {
    const Copie_Base copie("petite");  // it translates a few texts into French
    copie.Execute_SQL("INSERT INTO Langues_Textes VALUES ('es', 'Español', 0);"
                      "INSERT INTO Traductions (Nom_Table, Cle, Champ, Langue, Texte) VALUES"
                      " ('objets_fic', 'LEAF_TYPE', 'tiptext', 'es', '¿Qué hojas?'),"
                      " ('Caracteres', 'LT_NEEDLE', 'TipText', 'fr', ''), ('But_Deter', '1', 'Caption', 'fr', 'Feuille'),"
                      " ('Flore', 'PINUS SYLVESTRIS', 'Legende', 'es', 'Acículas'),"
                      " ('Flore', 'Pinus sylvestris', 'Famille', 'es', 'x');");
    const Chargement c = Charge_Base(copie.Lieux(), nullptr);
    ASSERT_TRUE(c.Base);
    // The row that names no translatable text is passed over and said.
    ASSERT_EQ(c.Avertissements.size(), 1u);
    EXPECT_NE(c.Avertissements[0].find("(Flore.Famille of 'Pinus sylvestris' in 'es')"), std::string::npos)
        << c.Avertissements[0];
    // One lookup asked in turn, as when the user changes the language during a session; an empty
    // translation or a language the base does not offer gives the base's own text.
    const std::vector<std::string> fr{"Quel type de feuilles ?", "Feuilles larges", "Needles", "Feuille", "Valider",
                                      "Needles in pairs"};
    const std::pair<const char*, std::vector<std::string>> attendus[] = {
        {"fr", fr}, {"es", {"¿Qué hojas?", "Broad leaves", "Needles", "Leaf", "Confirm", "Acículas"}},
        {"en", kTextes_Propres}, {"de", kTextes_Propres}, {"FR", fr}};
    for (const auto& [suffixe, textes] : attendus) EXPECT_EQ(Textes_Vus(*c.Base, suffixe), textes) << suffixe;
    const Textes_Base& t = c.Base->Textes;
    EXPECT_EQ(t.Legende(c.Base->Flore.at(0), "es"), "");  // no legend stays none
    ASSERT_EQ(t.Langues().size(), 3u);
    EXPECT_TRUE(t.Langues()[0].Origine && t.Offre("es") && !t.Offre("de") && !t.Traduit(Texte_Etat, "LT_NEEDLE", "fr"));
    EXPECT_EQ(t.Suffixe_De("español"), "es");
}

}  // namespace
}  // namespace kestrane
