#include "Chargeur_Base.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "Base_Test.h"
#include "Classement.h"
#include "Fichiers_Donnees.h"
#include "Schema_Base.h"

namespace kestrane {
namespace {

using test::Base_Temporaire;
using test::Description_Base;
using test::Parametres_SQL;

// Three species (stored out of order), two characters of 2 and 3 states, two frames, two colours.
Description_Base Petite_Base() {
    Description_Base d;
    d.nb_contraintes = 2;
    d.sql = Parametres_SQL({{"Nb_Esp", "3"}, {"Nb_Etats_Desc", "5"}, {"Nb_Cadre", " 2 frames"}, {"Nb_Robot", "1"},
                            {"Nb_But_Car", "4"}, {"Nb_But_Deter", "2"}, {"Nb_But_Quest", "1"},
                            {"Nb_Couleurs", "2"}, {"Nb_Contraintes", "2"}}) +
            "INSERT INTO Couleurs VALUES (1, 'LEAF');\n"
            "INSERT INTO Couleurs VALUES (2, 'BARK');\n"
            "INSERT INTO Flore VALUES ('Tilia cordata', 'TILCO', 'Malvaceae', 'small-leaved lime');\n"
            "INSERT INTO Flore VALUES ('acer campestre', 'ACECA', 'Sapindaceae', NULL);\n"
            "INSERT INTO Flore VALUES ('Fagus sylvatica', 'FAGSY', 'Fagaceae', '');\n"
            "INSERT INTO Caracteres VALUES (0, 'LEAF_SIMPLE', 'simple');\n"
            "INSERT INTO Caracteres VALUES (1, 'LEAF_COMPOUND', 'compound');\n"
            "INSERT INTO Caracteres VALUES (2, 'BARK_SMOOTH', 'smooth');\n"
            "INSERT INTO Caracteres VALUES (3, 'BARK_SCALY', 'scaly');\n"
            "INSERT INTO Caracteres VALUES (4, 'BARK_FURROWED', 'furrowed');\n"
            "INSERT INTO Objets_Fic VALUES ('LEAF', 0, 0, 2, 1, 2, 0, 'leaf.wmf', 'The leaf', -1);\n"
            "INSERT INTO Objets_Fic VALUES ('BARK', 1, 2, 3, 1, 3, 1, 'bark.wmf', 'The bark', 0);\n"
            "INSERT INTO Hierarchie VALUES (1, 0, 'tree01.wmf', 'LEAF_COMPOUND', 'Fin');\n"
            "INSERT INTO Hierarchie VALUES (2, 0, 'tree00.wmf', 'Fin', NULL);\n"
            "INSERT INTO Clic_Zone VALUES (1, 'LEAF', 0, 1, 10, 20, 30.5, 40, 'BARK_SMOOTH', 'LEAF_SIMPLE');\n"
            "INSERT INTO Communs_Langues (Langue) VALUES ('French'), ('English');\n"
            "INSERT INTO But_Deter VALUES (2, 'Search', 'search.bmp', 'Find', 'Search');\n"
            "INSERT INTO But_Deter VALUES (1, 'Leaf', 'leaf.bmp', 'The leaf', 'LEAF');\n"
            "INSERT INTO But_Quest VALUES (1, 'OK', 'ok.bmp', 'Confirm');\n"
            "INSERT INTO Contradictions VALUES ('bark', -1, 'barkx');\n"
            "INSERT INTO Descendance VALUES (1, 'LEAF_COMPOUND', 'BARK');\n";
    d.poids = {1, 2, 3, 4, -1};
    // State-major: for each state, the three species in Flore order (acer, Fagus, Tilia).
    d.matrice = {1, 0, 1, 0, 1, 0, 5, 6, 7, 8, 9, 10, -1, 0, 32767};
    return d;
}

// LEAF's question and two states, the first button's caption, the question bar's tooltip and the
// lime's legend, as shown in language `suffixe`.
std::vector<std::string> Textes_Vus(const Base_Connaissance& b, std::string_view suffixe) {
    const Textes_Base& t = b.Textes;
    if (!b.Trouve_Objet("LEAF") || b.Caracteres.size() < 2 || b.Flore.size() < 3 || b.But_Deter.empty() ||
        b.But_Quest.empty())
        return {};  // a base short of them fails the comparison instead of ending the test program
    return {t.Question(*b.Trouve_Objet("LEAF"), suffixe), t.Etat(b.Caracteres.at(0), suffixe),
            t.Etat(b.Caracteres.at(1), suffixe),          t.Bouton(Caption_Deter, b.But_Deter.at(0), suffixe),
            t.Bouton(TipText_Quest, b.But_Quest.at(0), suffixe), t.Legende(b.Flore.at(2), suffixe)};
}
const std::vector<std::string> kTextes_Propres{"The leaf", "simple", "compound", "Leaf", "Confirm", "small-leaved lime"};

// Loaded with a data file named in lower case (found all the same), the base is left unwritten.
TEST(ChargeurBase, LoadsCountsSpeciesMatrixAndTablesInTheirIndexOrder) {
    Base_Temporaire fixture(Petite_Base());
    std::filesystem::rename(fixture.Dossier() + "MATRICE.DAT", fixture.Dossier() + "matrice.dat");
    const auto avant = std::filesystem::last_write_time(fixture.Chemin_Base());
    Palette_Fixe palette({1 * 65536 + 2 * 256 + 3, 0x00FF0000});
    const Chargement c = Charge_Base(fixture.Lieux(), &palette);
    ASSERT_TRUE(c.Base) << c.Echec->Message;
    EXPECT_TRUE(c.Avertissements.empty()) << c.Avertissements.front();
    EXPECT_EQ(std::filesystem::last_write_time(fixture.Chemin_Base()), avant);
    EXPECT_FALSE(std::filesystem::exists(fixture.Chemin_Base() + "-journal"));
    const Base_Connaissance& b = *c.Base;
    EXPECT_EQ(std::tie(b.Nb_Esp, b.Nb_Etats_Desc, b.Nb_Cadre, b.Nb_But_Car, b.Nb_Contraintes),
              std::tuple(3, 5, 2, 4, 2));  // Nb_Cadre: the leading number of " 2 frames"
    EXPECT_EQ(b.Nom_Esp, (std::vector<std::string>{"acer campestre", "Fagus sylvatica", "Tilia cordata"}));
    // Palette: sampled pixels split into their components, codes by colour number.
    ASSERT_EQ(b.Couleur_Comp.size(), 2u);
    EXPECT_EQ(b.Couleur_Comp[0], (Couleur_Composantes{1, 2, 3}));
    EXPECT_EQ(b.Couleur_Comp[1], (Couleur_Composantes{255, 0, 0}));
    EXPECT_EQ(b.Code_Couleur, (std::vector<std::string>{"LEAF", "BARK"}));
    // The matrix is state-major and little-endian.
    EXPECT_EQ(b.Poids, (std::vector<int16_t>{1, 2, 3, 4, -1}));
    EXPECT_EQ(std::vector<int>({b.Matrice(0, 0), b.Matrice(1, 0), b.Matrice(2, 0), b.Matrice(0, 2),
                                b.Matrice(2, 3), b.Matrice(0, 4), b.Matrice(2, 4), b.Matrice.Etat(3)[1]}),
              std::vector<int>({1, 0, 1, 5, 10, -1, 32767, 9}));

    // Tables in their index order ("Objet", "Key"), looked up without regard to case.
    ASSERT_EQ(b.Objets.size(), 2u);
    ASSERT_EQ(b.But_Deter.size(), 2u);
    EXPECT_EQ(std::tie(b.Objets[0].Objet, b.Objets[1].Objet, b.But_Deter[0].Key, b.But_Deter[1].Key),
              std::tuple("BARK", "LEAF", "LEAF", "Search"));
    ASSERT_TRUE(b.Trouve_Objet("leaf") && b.Etat_Par_Numero(4) && b.Trouve_Contradiction("BARK"));
    EXPECT_EQ(b.Joker, (std::vector<bool>{true, false}));
    EXPECT_EQ(std::tuple(b.Trouve_Objet("leaf")->Index_Car, b.Etat_Par_Identifiant("bark_scaly"),
                         b.Etat_Par_Numero(4)->ID_CARAC, b.Trouve_Contradiction("BARK")->Popup),
              std::tuple(0, 3, "BARK_FURROWED", "barkx"));
    ASSERT_EQ(b.Hierarchie.size(), 2u);
    EXPECT_EQ(std::tie(b.Hierarchie[0].Conditions, b.Hierarchie[0].Conditions_Terminees, b.Hierarchie[1].Conditions),
              std::tuple(std::vector<std::string>{"LEAF_COMPOUND"}, true, std::vector<std::string>{}));
    // No "Fin" within Nb_Contraintes columns: the zone's conditions are not terminated.
    ASSERT_EQ(b.Clic_Zone.size(), 1u);
    const Zone_Clic& z = b.Clic_Zone[0];
    EXPECT_EQ(std::tuple(z.Y1, z.Test_Cadre, z.Conditions_Terminees, z.Conditions.size()),
              std::tuple(30.5, true, false, 2u));
    EXPECT_EQ(b.Communs_Langues, (std::vector<std::string>{"English", "French"}));
    ASSERT_EQ(b.Descendance.size(), 1u);
    ASSERT_EQ(b.Flore.size(), 3u);
    EXPECT_EQ(std::tie(b.Descendance[0].Numero, b.Flore[2].Legende), std::tuple(1, "small-leaved lime"));
    // Without translation tables every language shows the base's own texts.
    EXPECT_TRUE(b.Textes.Langues().empty());
    for (const char* suffixe : {"en", "es", "fr"}) EXPECT_EQ(Textes_Vus(b, suffixe), kTextes_Propres);
}

TEST(ChargeurBase, TwoSpeciesThreeStatesFromRawBytes) {
    Description_Base d;
    d.sql = Parametres_SQL({{"Nb_Esp", "2"}, {"Nb_Etats_Desc", "3"}}) +
            "INSERT INTO Flore VALUES ('A', 'A', 'F', ''), ('B', 'B', 'F', '');\n"
            "INSERT INTO Objets_Fic VALUES ('C', 0, 0, 3, 1, 3, NULL, '', '', 1);\n";
    d.poids = {0, 0, 0};
    d.ecrire_matrice = false;
    Base_Temporaire fixture(d);
    std::ofstream(fixture.Dossier() + "MATRICE.DAT", std::ios::binary)
        .write("\x01\x00\x02\x00\x03\x00\x04\x00\x05\x00\xFF\xFF", 12);
    const Chargement c = Charge_Base(fixture.Lieux(), nullptr);
    ASSERT_TRUE(c.Base);
    const auto& m = c.Base->Matrice;
    EXPECT_EQ((std::vector<int>{m(0, 0), m(1, 0), m(0, 1), m(1, 1), m(0, 2), m(1, 2)}),
              (std::vector<int>{1, 2, 3, 4, 5, -1}));
}

// {a fault in the description or the files of a sound base} -> the kind of failure and its words;
// "{base}" and "{data}" stand for the database file and the data folder.
TEST(ChargeurBase, FaultyBasesAreRefusedWithTheirKindAndWhatNamesThem) {
    using G = Echec_Chargement::Genre;
    const auto sql = [](const char* s) { return [s](Description_Base& d) { d.sql += s; }; };
    const auto rien = [](Description_Base&) {};
    const struct {
        const char* nom;
        std::function<void(Description_Base&)> description;
        std::function<void(const Base_Temporaire&, Emplacements_Base&)> fichiers;
        G genre;
        std::string mots;
    } cas[] = {
        {"missing database", rien, [](auto&, auto& l) { l.Chemin_Base = "/no/such/base.sqlite"; },
         G::Base_Donnees, "/no/such/base.sqlite, Erreur N° 14"},
        {"damaged database", rien,
         [](auto& f, auto&) { std::ofstream(f.Chemin_Base(), std::ios::trunc) << std::string(4096, 'x'); },
         G::Base_Donnees, "{base}, Erreur N° 26"},
        {"missing weights", [](auto& d) { d.ecrire_poids = false; }, nullptr, G::Fichier_Absent,
         "{data}POIDS.DAT"},
        // Without a trailing separator the data folder glues onto the file name and fails to open.
        {"data folder without separator", rien, [](auto&, auto& l) { l.Rep_Data.pop_back(); },
         G::Fichier_Absent, "POIDS.DAT"},
        {"short weights", [](auto& d) { d.poids.pop_back(); }, nullptr, G::Lecture_Poids,
         "8 bytes where 10 are needed"},
        {"short matrix", [](auto& d) { d.matrice.resize(14); }, nullptr, G::Lecture_Matrice, "MATRICE.DAT"},
        {"no species", sql("DROP TABLE Parametres; DROP TABLE Hierarchie;"), nullptr, G::Base_Vide,
         "{base}: this knowledge base has no species (Parametres gives Nb_Esp = 0)"},
        {"no characters", sql("DROP TABLE Objets_Fic;"), nullptr, G::Base_Vide,
         "{base}: this knowledge base has no characters (Nb_Etats_Desc = 5, 0 usable rows in Objets_Fic)"},
        {"no usable character", sql("UPDATE Objets_Fic SET Index_Car = 9;"), nullptr, G::Base_Vide,
         "{base}: this knowledge base has no characters"},
        {"negative count", sql("UPDATE Parametres SET Etat = '-3' WHERE Nom = 'Nb_Esp';"), nullptr,
         G::Donnees_Incoherentes, "Nb_Esp is negative"},
        // Counts take 32 bits; one the data files cannot fill is refused before anything is made to its size.
        {"huge species count", sql("UPDATE Parametres SET Etat = '2000000000' WHERE Nom = 'Nb_Esp';"),
         nullptr, G::Lecture_Matrice, "are needed"},
        {"huge state count", sql("UPDATE Parametres SET Etat = '2000000000' WHERE Nom = 'Nb_Etats_Desc';"),
         nullptr, G::Lecture_Poids, "are needed"},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.nom);
        Description_Base d = Petite_Base();
        k.description(d);
        Base_Temporaire fixture(d);
        Emplacements_Base lieux = fixture.Lieux();
        if (k.fichiers)
            k.fichiers(fixture, lieux);
        const Chargement c = Charge_Base(lieux, nullptr);
        ASSERT_TRUE(c.Echec);
        EXPECT_FALSE(c.Base);
        EXPECT_EQ(c.Echec->Genre_Echec, k.genre);
        std::string mots = k.mots;
        using Nom = std::pair<std::string, std::string>;
        for (const auto& [nom, valeur] : {Nom{"{base}", fixture.Chemin_Base()}, Nom{"{data}", fixture.Dossier()}})
            if (mots.find(nom) != std::string::npos)
                mots.replace(mots.find(nom), nom.size(), valeur);
        EXPECT_NE((c.Echec->Message + "\n" + c.Echec->Detail).find(mots), std::string::npos)
            << c.Echec->Message << "\n" << c.Echec->Detail;
    }
    // A longer matrix is read up to what the counts need.
    Description_Base d = Petite_Base();
    d.matrice.push_back(99);
    EXPECT_TRUE(Charge_Base(Base_Temporaire(d).Lieux(), nullptr).Base);
}

TEST(ChargeurBase, BadRowsArePassedOverWithAWarning) {
    Description_Base d = Petite_Base();
    d.sql +=
        "INSERT INTO Objets_Fic VALUES ('ZFAR', 7, 3, 9, 1, 1, 0, '', '', 1);\n"  // states past the end
        "INSERT INTO Objets_Fic VALUES ('WOOD', 9, 2, 1, 1, 1, 5, '', '', 1);\n"  // Desc_Num, frame outside
        "INSERT INTO Objets_Fic VALUES ('TWIG', 4, 0, 1, 1, 1, 0, '', '', 1);\n"
        "INSERT INTO Flore VALUES ('Zelkova', 'ZELSE', 'Ulmaceae', '');\n"  // more rows than Nb_Esp
        "UPDATE Parametres SET Etat = '70000' WHERE Nom = 'Nb_But_Car';\n";    // past 16 bits: 0
    Base_Temporaire fixture(d);
    const Chargement c = Charge_Base(fixture.Lieux(), nullptr);
    ASSERT_TRUE(c.Base);
    const Base_Connaissance& b = *c.Base;
    EXPECT_EQ(b.Trouve_Objet("ZFAR"), nullptr);
    ASSERT_NE(b.Trouve_Objet("WOOD"), nullptr);
    EXPECT_EQ(b.Trouve_Objet("WOOD")->Cadre, -1);
    // Joker has one flag per record: the row passed over does not push TWIG's out of range.
    ASSERT_EQ(b.Joker.size(), 5u);
    EXPECT_EQ(std::tuple(b.Objets.size(), bool(b.Joker[4]), b.Nom_Esp.size(), b.Flore.size(), b.Nb_But_Car),
              std::tuple(4u, true, 3u, 4u, 0));
    EXPECT_EQ(c.Avertissements.size(), 5u);
}

// Bases migrated from another engine order a table by an index literally named "PrimaryKey".
TEST(ChargeurBase, AnIndexNamedPrimaryKeyOrdersAndSeeksItsTable) {
    const char* variantes[] = {
        // Parametres without a declared key: its counts are sought through the index.
        "CREATE TABLE P (Nom TEXT COLLATE NOCASE, Etat TEXT); INSERT INTO P SELECT * FROM Parametres;"
        "DROP TABLE Parametres; ALTER TABLE P RENAME TO Parametres; CREATE INDEX PrimaryKey ON Parametres "
        "(Nom);",
        // Flore keyed by a row number, stored out of name order: the species follow the index.
        "CREATE TABLE F (Numero INTEGER PRIMARY KEY, Espece TEXT COLLATE NOCASE, Code TEXT, Famille TEXT, "
        "Legende TEXT);"
        "INSERT INTO F (Espece, Code, Famille, Legende) SELECT * FROM Flore ORDER BY Code DESC;"
        "DROP TABLE Flore; ALTER TABLE F RENAME TO Flore; CREATE INDEX PrimaryKey ON Flore (Espece);",
    };
    for (const char* sql : variantes) {
        Description_Base d = Petite_Base();
        d.sql += sql;
        Base_Temporaire fixture(d);
        const Chargement c = Charge_Base(fixture.Lieux(), nullptr);
        ASSERT_TRUE(c.Base) << sql << "\n" << c.Echec->Message;
        EXPECT_EQ(c.Base->Nb_Esp, 3) << sql;
        EXPECT_EQ(c.Base->Nom_Esp,
                  (std::vector<std::string>{"acer campestre", "Fagus sylvatica", "Tilia cordata"}))
            << sql;
        EXPECT_TRUE(c.Avertissements.empty()) << sql << "\n" << c.Avertissements.front();
    }
}

TEST(ChargeurBase, TranslationsFollowTheLanguageAskedAndFallBackToTheBaseText) {
    Description_Base d = Petite_Base();
    d.sql += Schema_Traductions_SQL() +
             "INSERT INTO Langues_Textes VALUES ('en', 'English', -1), ('es', 'Español', 0), ('fr', 'French', 0);"
             "INSERT INTO Traductions (Nom_Table, Cle, Champ, Langue, Texte) VALUES"
             " ('Objets_Fic', 'leaf', 'TipText', 'fr', 'La feuille'), ('objets_fic', 'LEAF', 'tiptext', 'es', 'La hoja'),"
             " ('Caracteres', 'LEAF_SIMPLE', 'TipText', 'fr', 'simple'), ('Caracteres', 'LEAF_COMPOUND', 'TipText', 'fr', ''),"
             " ('But_Deter', '1', 'Caption', 'fr', 'Feuille'), ('But_Quest', '1', 'TipText', 'es', 'Confirmar'),"
             " ('Flore', 'TILIA CORDATA', 'Legende', 'es', 'tilo de hoja pequeña'),"
             " ('Flore', 'Tilia cordata', 'Famille', 'es', 'Malváceas');";
    Base_Temporaire fixture(d);
    const Chargement c = Charge_Base(fixture.Lieux(), nullptr);
    ASSERT_TRUE(c.Base);
    // The row that names no translatable text is passed over and said.
    ASSERT_EQ(c.Avertissements.size(), 1u);
    EXPECT_NE(c.Avertissements[0].find("Flore.Famille"), std::string::npos) << c.Avertissements[0];
    // One lookup asked in turn, as when the user changes the language during a session; an empty
    // translation or a language the base does not offer gives the base's own text.
    const std::vector<std::string> fr{"La feuille", "simple", "compound", "Feuille", "Confirm", "small-leaved lime"};
    const std::pair<const char*, std::vector<std::string>> attendus[] = {
        {"fr", fr}, {"es", {"La hoja", "simple", "compound", "Leaf", "Confirmar", "tilo de hoja pequeña"}},
        {"en", kTextes_Propres}, {"de", kTextes_Propres}, {"FR", fr}};
    for (const auto& [suffixe, textes] : attendus) EXPECT_EQ(Textes_Vus(*c.Base, suffixe), textes) << suffixe;
    ASSERT_FALSE(c.Base->Flore.empty());
    EXPECT_EQ(c.Base->Textes.Legende(c.Base->Flore.at(0), "es"), "");  // no legend stays none

    const Textes_Base& t = c.Base->Textes;
    ASSERT_EQ(t.Langues().size(), 3u);
    EXPECT_TRUE(t.Langues()[0].Origine && t.Offre("es") && !t.Offre("de"));
    EXPECT_EQ(t.Suffixe_De("español"), "es");
    EXPECT_FALSE(t.Traduit(Texte_Etat, "LEAF_COMPOUND", "fr"));
    EXPECT_EQ(std::string(Suffixe_Interface(1)) + std::string(Suffixe_Interface(2)) + std::string(Suffixe_Interface(9)),
              "esfren");
}

}  // namespace
}  // namespace kestrane
