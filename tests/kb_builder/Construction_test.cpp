#include "Construction_Base.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "Echantillonneur_Palette_Wmf.h"
#include "Base_Test.h"
#include "Database.h"
#include "Outils_Test.h"

namespace fs = std::filesystem;

namespace kestrane::kb {
namespace {

using test::Dossier_Test;

// The small source as the build made it with the builder.
TEST(Construction, SmallSourceGivesTheTablesCountsAndFilesTheProgramReads) {
    const fs::path sortie = KESTRANE_BASES "/petite";
    const auto base = test::Charge(sortie);
    ASSERT_TRUE(base);
    const Base_Connaissance& b = *base;
    EXPECT_EQ(std::tuple(b.Nb_Esp, b.Nb_Etats_Desc, b.Nb_Cadre, b.Nb_Robot, b.Nb_But_Deter, b.Nb_But_Quest,
                         b.Nb_Couleurs, b.Nb_Contraintes),
              std::tuple(4, 11, 3, 2, 4, 3, 2, 2));
    // States are numbered in source order, each character owning a run of them (the loader's tests
    // read the species, weights, Joker flags and translations of this base).
    const Objet_Fic* fruit = b.Trouve_Objet("Fruit");
    ASSERT_NE(fruit, nullptr);
    EXPECT_EQ(std::tuple(fruit->Index_Car, fruit->Nb_Car, fruit->Desc_Num, fruit->Lignes * fruit->Colonnes),
              std::tuple(7, 4, 3, 4));
    // The matrix follows the species order: Pinus sylvestris (3) has a cone, the ash (2) has not.
    EXPECT_EQ((std::vector<int>{b.Matrice(3, 10), b.Matrice(2, 10), b.Matrice(2, 7)}), (std::vector<int>{1, 0, 1}));
    // Rules end with "Fin" and the first piece names a metafile variant; zones take their frames
    // by first appearance (Leaf 0, Twig 1, Fruit 2).
    ASSERT_TRUE(b.Hierarchie.size() == 4 && b.Clic_Zone.size() == 4 && b.Code_Couleur.size() == 2 &&
                b.But_Deter.size() == 4);
    EXPECT_EQ(std::tie(b.Hierarchie[0].Nom, b.Hierarchie[0].Conditions, b.Hierarchie[1].Conditions_Terminees,
                       b.Hierarchie[2].Nom),
              std::tuple("ground02.wmf", std::vector<std::string>{"LT_NEEDLE"}, true, "leaf_pinnate"));
    EXPECT_EQ(std::tuple(b.Clic_Zone[3].Cadre, b.Clic_Zone[3].Test_Cadre, b.Contradictions.size(),
                         b.Code_Couleur[1], b.But_Deter[2].Key),
              std::tuple(1, true, 2u, "Fruit", "Search"));
    // The files the tables point at are the base check's (a sound build checks clean there); the
    // guide and the picture sizes are not.
    EXPECT_TRUE(fs::is_regular_file(sortie / "help/guide.html"));
    EXPECT_EQ(QImage((sortie / "documents/p/pisyl/pisyl.gif").string().c_str()).size(), QSize(2200, 3300));
    EXPECT_EQ(QImage((sortie / "robot/contra/cross.ico").string().c_str()).width(), 32) << "an unreadable icon";
    // The palette picture holds the source's colours as bands, left to right, as the program samples them.
    wmf::Echantillonneur_Palette_Wmf palette((sortie / "data/couleur.wmf").string(), 200, 50);
    EXPECT_EQ(palette.Echantillonne(2), (std::vector<int32_t>{0x00578b2e, 0x002d52a0}));
    // Pages in a language take the translated texts where the source gives them, the default elsewhere.
    const std::pair<const char*, std::vector<const char*>> pages[] = {
        {"frexc_fr.html", {"href=\"frexc_en.html\"", "href=\"dessin_frexc_fr.html\"",
                           "Quel type de feuilles ? &ndash; Feuilles larges", "How are the leaves set? &ndash; Opposées"}},
        {"dessin_frexc_en.html", {"src=\"frexc.gif\"", "href=\"frexc_en.html\""}}};
    for (const auto& [nom, pieces] : pages) {
        const std::string page = test::Lit_Texte(sortie / "documents/f/frexc" / nom);
        for (const char* piece : pieces) EXPECT_NE(page.find(piece), std::string::npos) << nom << ": " << piece;
    }
    // Common names in their language's order ("Érable" before "Frêne", which a byte order would put last).
    auto vue = b.Base_Donnees->Open_Query("Vernaculaire_Français");
    ASSERT_TRUE(vue.ok());
    std::vector<std::string> noms;
    for ((*vue)->Move_First(); !(*vue)->Eof(); (*vue)->Move_Next()) noms.push_back((*vue)->Get("Nom").Text());
    EXPECT_EQ(noms, (std::vector<std::string>{"Érable sycomore", "Frêne commun", "Marronnier d'Inde",
                                              "Pin sylvestre"}));
}

// {a fault put into a copy of the small source} -> the refusal names the file and line; OUT keeps
// the previous base and no temporary folder is left beside it. The sound source replaces it.
TEST(Construction, BrokenSourceIsRefusedWithFileAndLineAndOutIsLeftAloneTheSoundOneReplacesIt) {
    const struct {
        const char* nom;
        const char* fichier;
        const char* avant;
        const char* apres;  // "<delete>": the file is removed
        const char* attendu;
    } cas[] = {
        // clang-format off
        {"DuplicateCode", "especes.csv", "ACPSE,Acer", "FREXC,Acer", "especes.csv:4: duplicate code"},
        {"DuplicateIdCarac", "caracteres.csv", "FR_CAPS,", "FR_KEY1,", "caracteres.csv:11: duplicate ID_CARAC"},
        {"UnknownIdInRule", "portrait.csv", "leaf_pinnate,LC_PINNATE", "leaf_pinnate,LC_BIPINNATE", "portrait.csv:4:"},
        {"UnknownIdInZone", "zones.csv", "900,LT_BROAD", "900,LT_WIDE", "zones.csv:2:"},
        {"UnknownObjectInDependency", "dependances.csv", "LT_BROAD,Arrangement", "LT_BROAD,Arrangment", "dependances.csv:3:"},
        {"UnknownMatrixColumn", "matrice.csv", "FR_CONE\n", "FR_CONES\n", "matrice.csv:1:"},
        {"MatrixValueNotBinary", "matrice.csv", "PISYL,,1", "PISYL,,2", "matrice.csv:5:"},
        {"SpeciesWithoutMatrixRow", "matrice.csv", "ACPSE,1,,1,,,,1,,1,,\n", "", "especes.csv:4:"},
        {"PaletteCodeNamesNoCharacter", "couleurs.csv", "Fruit,", "Fruits,", "couleurs.csv:3:"},
        {"DependencyCycle", "dependances.csv", "LT_BROAD,Arrangement", "LT_BROAD,Arrangement\nLA_ALT,Leaf_Type", "dependances.csv"},
        {"MissingPortraitDrawing", "portrait/leaf_pinnate.svg", "", "<delete>", "portrait.csv:4:"},
        {"MissingStateDrawing", "etats/needle.svg", "", "<delete>", "caracteres.csv:3:"},
        {"MissingToolbarPicture", "barres/results.svg", "", "<delete>", "barre_determination.csv:5:"},
        {"ButtonKeyNamesNothing", "barre_determination.csv", "Fruit,Fruit", "Fruit,Fruitt", "barre_determination.csv:3:"},
        {"MissingRequiredFile", "langues.csv", "", "<delete>", "langues.csv:1:"},
        {"BadCode", "especes.csv", "PISYL,", "PISY,", "especes.csv:5:"},
        {"PieceWithoutDefault", "portrait.csv", "leaf,leaf,\n", "leaf,leaf,LT_BROAD\n", "portrait.csv:1:"},
        {"TranslationIntoAnUnlistedLanguage", "caracteres.csv",
         "Question_fr", "Question_de", "caracteres.csv:1: column 'Question_de' is in language 'de'"},
        {"TranslationOfATextTheRowHasNot", "caracteres.csv",
         "needle,,", "needle,Aiguilles ?,", "caracteres.csv:3: Question_fr translates a Question"},
        // clang-format on
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.nom);
        Dossier_Test d("kb-broken");
        const fs::path source = d.Chemin() / "source", sortie = d.Chemin() / "out";
        test::Copie_Source("petite", source);
        if (std::string(k.apres) == "<delete>")
            fs::remove(source / k.fichier);
        else
            test::Remplace(source / k.fichier, k.avant, k.apres);
        fs::create_directories(sortie);
        test::Ecrit_Texte(sortie / "previous.txt", "the previous base");
        const Status s = Construit_Base(source.string(), sortie.string());
        ASSERT_FALSE(s.ok());
        EXPECT_NE(s.message().find(k.attendu), std::string::npos) << s.message();
        EXPECT_TRUE(fs::exists(sortie / "previous.txt"));
        EXPECT_FALSE(fs::exists(sortie / "data"));
        EXPECT_EQ(std::distance(fs::directory_iterator(d.Chemin()), fs::directory_iterator()), 2);
    }
    // The sound source replaces the previous base and leaves nothing beside it.
    Dossier_Test d("kb-rebuild");
    fs::create_directories(d.Chemin() / "out");
    test::Ecrit_Texte(d / "out/previous.txt", "the previous base");
    ASSERT_TRUE(Construit_Base(std::string(KB_SOURCES) + "/petite", d / "out").ok());
    EXPECT_TRUE(!fs::exists(d / "out/previous.txt") && fs::exists(d / "out/data/kestrane.sqlite"));
    EXPECT_EQ(std::distance(fs::directory_iterator(d.Chemin()), fs::directory_iterator()), 1);
}

// {a command of the tool on a broken source, a damaged base, the sound base, a file that is no SDD}
// -> its exit status and what it says; a refused build or import leaves no output.
TEST(Outil, ExitsNonZeroOnARefusalAndSaysWhy) {
    Dossier_Test d("kb-cli");
    const fs::path source = d.Chemin() / "source", sortie = d.Chemin() / "out";
    test::Copie_Source("petite", source);
    test::Remplace(source / "zones.csv", "900,LT_BROAD", "900,LT_WIDE");
    const kestrane::test::Copie_Base abimee("petite");
    fs::remove(abimee.Dossier() / "data/couleur.wmf");
    test::Ecrit_Texte(d / "cle.xml", "<?xml version=\"1.0\"?>\n<Keys/>\n");
    const struct {
        std::string arguments;
        int code;
        const char* attendu;
    } cas[] = {
        {"build " + source.string() + " " + sortie.string(), 1, "zones.csv:2:"},
        {"check " + abimee.Dossier().string(), 1, "couleur.wmf: is missing"},
        {"check " KESTRANE_BASES "/petite", 0, "warning: "},  // warnings alone leave the base sound
        {"import-sdd " + (d / "cle.xml") + " " + sortie.string(), 1, "cle.xml:2: not an SDD document"},
    };
    for (const auto& c : cas) {
        const auto [code, texte] = test::Execute(std::string(KB_OUTIL) + " " + c.arguments);
        EXPECT_EQ(code, c.code) << c.arguments << "\n" << texte;
        EXPECT_NE(texte.find(c.attendu), std::string::npos) << c.arguments << "\n" << texte;
        EXPECT_FALSE(fs::exists(sortie)) << c.arguments;
    }
}

}  // namespace
}  // namespace kestrane::kb
