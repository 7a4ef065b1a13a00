#include "Tree_esp.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "Fixture_Documents.h"
#include "Schema_Base.h"
#include "WebTexte.h"

namespace kestrane::test {
namespace {

QStringList Textes_Enfants(const QTreeWidgetItem* noeud) {
    QStringList textes;
    for (int i = 0; i < noeud->childCount(); ++i) textes << noeud->child(i)->text(0);
    return textes;
}

QStringList Cles_Enfants(const QTreeWidgetItem* noeud) {
    QStringList cles;
    for (int i = 0; i < noeud->childCount(); ++i) cles << Tree_esp::Cle(*noeud->child(i));
    return cles;
}

struct Arbre_Rempli {
    explicit Arbre_Rempli(int langue = 0) : base(Description_Flore()), connaissance(Charge(base)) {
        arbre.Remplit_Arbre(*connaissance, langue);
        arbre.resize(400, 900);
        arbre.show();
    }
    // Clicks the node with the mouse where it is drawn.
    void Clique(const QString& cle) {
        QTreeWidgetItem* noeud = arbre.Noeud(cle);
        ASSERT_NE(noeud, nullptr) << cle.toStdString();
        arbre.scrollToItem(noeud);
        QTest::mouseClick(arbre.viewport(), Qt::LeftButton, {}, arbre.visualItemRect(noeud).center());
    }
    Base_Temporaire base;
    std::unique_ptr<Base_Connaissance> connaissance;
    Tree_esp arbre;
};

TEST(Tree_esp, ThreeRootsInOrderWithTheirCaptions) {
    Arbre_Rempli a;
    ASSERT_EQ(a.arbre.topLevelItemCount(), 3);
    EXPECT_EQ(Tree_esp::Cle(*a.arbre.topLevelItem(0)), QStringLiteral("Familles"));
    EXPECT_EQ(Tree_esp::Cle(*a.arbre.topLevelItem(1)), QStringLiteral("Espèces"));
    EXPECT_EQ(Tree_esp::Cle(*a.arbre.topLevelItem(2)), QStringLiteral("Communs"));
    EXPECT_EQ(a.arbre.topLevelItem(0)->text(0), QStringLiteral("Families"));
    EXPECT_EQ(a.arbre.topLevelItem(1)->text(0), QStringLiteral("Species"));
    EXPECT_EQ(a.arbre.topLevelItem(2)->text(0), QStringLiteral("Common names"));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Tree_esp::Cle_Image(*a.arbre.topLevelItem(i)), QStringLiteral("livre_ferme"));
        EXPECT_TRUE(Tree_esp::Etiquette(*a.arbre.topLevelItem(i)).isEmpty());
    }
}

TEST(Tree_esp, RootCaptionsFollowTheInterfaceLanguage) {
    Arbre_Rempli a(2);
    EXPECT_EQ(a.arbre.topLevelItem(0)->text(0), QStringLiteral("Familles"));
    EXPECT_EQ(a.arbre.topLevelItem(1)->text(0), QStringLiteral("Espèces"));
    EXPECT_EQ(a.arbre.topLevelItem(2)->text(0), QStringLiteral("Noms vernaculaires"));
}

TEST(Tree_esp, FamiliesInProperCaseSortedWithTheirSpecies) {
    Arbre_Rempli a;
    const QTreeWidgetItem* familles = a.arbre.Noeud(QStringLiteral("Familles"));
    // Met in the order sapindaceae, FAGACEAE, MELIACEAE, Malvaceae; shown sorted by their text.
    EXPECT_EQ(Textes_Enfants(familles),
              (QStringList{"Fagaceae", "Malvaceae", "Meliaceae", "Sapindaceae S.l."}));
    EXPECT_EQ(Cles_Enfants(familles),
              (QStringList{"FAGACEAE", "Malvaceae", "MELIACEAE", "sapindaceae s.l."}));
    for (int i = 0; i < familles->childCount(); ++i) {
        EXPECT_EQ(Tree_esp::Etiquette(*familles->child(i)), QStringLiteral("Fam"));
        EXPECT_EQ(Tree_esp::Cle_Image(*familles->child(i)), QStringLiteral("livre_ferme"));
    }
}

TEST(Tree_esp, DuplicateFamilyIsOneNodeHoldingBothSpecies) {
    Arbre_Rempli a;
    const QTreeWidgetItem* fagacees = a.arbre.Noeud(QStringLiteral("FAGACEAE"));
    ASSERT_NE(fagacees, nullptr);
    EXPECT_EQ(Cles_Enfants(fagacees), (QStringList{"FAGSY", "QUERO"}));
    EXPECT_EQ(Textes_Enfants(fagacees), (QStringList{"Fagus sylvatica", "Quercus robur"}));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Tree_esp::Etiquette(*fagacees->child(i)), QStringLiteral("Esp"));
        EXPECT_EQ(Tree_esp::Cle_Image(*fagacees->child(i)), QStringLiteral("page"));
    }
}

TEST(Tree_esp, SpeciesByNameCarryTheirFamilyInTheTag) {
    Arbre_Rempli a;
    const QTreeWidgetItem* especes = a.arbre.Noeud(QStringLiteral("Espèces"));
    EXPECT_EQ(Cles_Enfants(especes), (QStringList{"ACECAS", "FAGSYS", "MELAZS", "QUEROS", "TILCOS"}));
    EXPECT_EQ(Textes_Enfants(especes), (QStringList{"acer campestre", "Fagus sylvatica", "Melia azedarach",
                                                    "Quercus robur", "Tilia cordata"}));
    EXPECT_EQ(Tree_esp::Etiquette(*a.arbre.Noeud(QStringLiteral("ACECAS"))),
              QStringLiteral("Espsapindaceae s.l."));
    EXPECT_EQ(Tree_esp::Etiquette(*a.arbre.Noeud(QStringLiteral("QUEROS"))), QStringLiteral("EspFAGACEAE"));
    EXPECT_EQ(Tree_esp::Cle_Image(*a.arbre.Noeud(QStringLiteral("QUEROS"))), QStringLiteral("page"));
}

TEST(Tree_esp, CommonNamesByLanguageSortedWithoutRegardToCaseOrAccents) {
    Arbre_Rempli a;
    const QTreeWidgetItem* communs = a.arbre.Noeud(QStringLiteral("Communs"));
    EXPECT_EQ(Cles_Enfants(communs), (QStringList{"SEnglish", "SFrench"}));
    EXPECT_EQ(Textes_Enfants(communs), (QStringList{"English", "French"}));
    EXPECT_EQ(Tree_esp::Etiquette(*a.arbre.Noeud(QStringLiteral("SFrench"))), QStringLiteral("SFrench"));
    EXPECT_EQ(Textes_Enfants(a.arbre.Noeud(QStringLiteral("SEnglish"))),
              (QStringList{"Beech", "Chinaberry", "Field maple", "Lime", "Oak"}));
    // The stored query gives É after the unaccented letters; the tree sorts it among the E.
    EXPECT_EQ(Textes_Enfants(a.arbre.Noeud(QStringLiteral("SFrench"))),
              (QStringList{"Chêne pédonculé", "Érable champêtre", "Frêne de Chine", "Hêtre", "Tilleul"}));
    const QTreeWidgetItem* hetre = a.arbre.Noeud(QStringLiteral("Hêtre"));
    EXPECT_EQ(Tree_esp::Etiquette(*hetre), QStringLiteral("Com"));
    EXPECT_EQ(Tree_esp::Cle_Image(*hetre), QStringLiteral("livre_ferme"));
}

TEST(Tree_esp, SpeciesWithNamesInTwoLanguagesIsUnderEach) {
    Arbre_Rempli a;
    const QTreeWidgetItem* beech = a.arbre.Noeud(QStringLiteral("FAGSYBeech"));
    const QTreeWidgetItem* hetre = a.arbre.Noeud(QStringLiteral("FAGSYHêtre"));
    ASSERT_NE(beech, nullptr);
    ASSERT_NE(hetre, nullptr);
    EXPECT_EQ(beech->parent(), a.arbre.Noeud(QStringLiteral("Beech")));
    EXPECT_EQ(hetre->parent(), a.arbre.Noeud(QStringLiteral("Hêtre")));
    EXPECT_EQ(beech->text(0), QStringLiteral("Fagus sylvatica"));
    EXPECT_EQ(Tree_esp::Etiquette(*beech), QStringLiteral("CspFAGSYFAGACEAE"));
    EXPECT_EQ(Tree_esp::Cle_Image(*hetre), QStringLiteral("page"));
}

TEST(Tree_esp, SameCommonNameInTwoLanguagesIsOneNodeUnderTheFirst) {
    Arbre_Rempli a;
    const QTreeWidgetItem* lime = a.arbre.Noeud(QStringLiteral("Lime"));
    ASSERT_NE(lime, nullptr);
    EXPECT_EQ(lime->parent(), a.arbre.Noeud(QStringLiteral("SEnglish")));
    EXPECT_EQ(Cles_Enfants(lime), (QStringList{"ACECALime", "TILCOLime"}));
    EXPECT_EQ(Tree_esp::Etiquette(*a.arbre.Noeud(QStringLiteral("ACECALime"))),
              QStringLiteral("CspACECAsapindaceae s.l."));
}

// One character of one state: a key needs one to load.
const std::string Un_Caractere = "INSERT INTO Objets_Fic VALUES ('LEAF', 0, 0, 1, 1, 1, NULL, '', '', 1);";

TEST(Tree_esp, EmptyFloraGivesTheThreeRootsOnly) {
    Description_Base d;
    d.sql = Parametres_SQL({{"Nb_Esp", "1"}, {"Nb_Etats_Desc", "1"}}) + Un_Caractere;  // no Flore row
    d.poids = {1};
    d.matrice = {0};
    Base_Temporaire base(d);
    auto connaissance = Charge(base);
    ASSERT_TRUE(connaissance);
    Tree_esp arbre;
    arbre.Remplit_Arbre(*connaissance, 0);
    ASSERT_EQ(arbre.topLevelItemCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(arbre.topLevelItem(i)->childCount(), 0);
}

TEST(Tree_esp, CommonNamesSortInTheirOwnLanguageWhenTheBaseSaysWhichItIs) {
    // Without the language said, English order as ever; with it, Spanish ("ñ" after "n").
    for (const bool dite : {false, true}) {
        Description_Base d;
        d.sql = Parametres_SQL({{"Nb_Esp", "3"}, {"Nb_Etats_Desc", "1"}}) + Un_Caractere +
                "INSERT INTO Flore VALUES ('Ulmus minor', 'ULMMI', 'Ulmaceae', NULL),"
                " ('Juglans regia', 'JUGRE', 'Juglandaceae', NULL), ('Prosopis affinis', 'PROAF', "
                "'Fabaceae', NULL);"
                "INSERT INTO Communs_Langues (Langue) VALUES ('Español'); INSERT INTO Noms_Communs (Code, "
                "Langue, Nom)"
                " VALUES ('ULMMI', 'Español', 'Olmo'), ('PROAF', 'Español', 'Ñandubay'), ('JUGRE', "
                "'Español', 'Nogal');" +
                (dite ? Schema_Traductions_SQL() + "INSERT INTO Langues_Textes VALUES ('es', 'Español', -1);"
                      : "");
        d.langues_vues = {"Español"};
        d.poids = {1};
        d.matrice = {0, 0, 0};
        Base_Temporaire base(d);
        const auto connaissance = Charge(base);
        ASSERT_TRUE(connaissance);
        Tree_esp arbre;
        arbre.Remplit_Arbre(*connaissance, 1);
        EXPECT_EQ(
            Textes_Enfants(arbre.Noeud(QStringLiteral("SEspañol"))),
            (dite ? QStringList{"Nogal", "Ñandubay", "Olmo"} : QStringList{"Ñandubay", "Nogal", "Olmo"}));
    }
}

TEST(Tree_esp, ExpandingOpensTheBookAndCollapsingClosesIt) {
    Arbre_Rempli a;
    QTreeWidgetItem* familles = a.arbre.Noeud(QStringLiteral("Familles"));
    // The branch indicator, left of the root's picture.
    const QPoint fleche(a.arbre.indentation() / 2, a.arbre.visualItemRect(familles).center().y());
    QTest::mouseClick(a.arbre.viewport(), Qt::LeftButton, {}, fleche);
    ASSERT_TRUE(familles->isExpanded());
    EXPECT_EQ(Tree_esp::Cle_Image(*familles), QStringLiteral("livre_ouvert"));
    QTest::mouseClick(a.arbre.viewport(), Qt::LeftButton, {}, fleche);
    ASSERT_FALSE(familles->isExpanded());
    EXPECT_EQ(Tree_esp::Cle_Image(*familles), QStringLiteral("livre_ferme"));
}

TEST(Tree_esp, ClickingANodeThatIsNoSpeciesOpensNothing) {
    Arbre_Rempli a;
    a.arbre.expandAll();
    QSignalSpy choix(&a.arbre, &Tree_esp::Espece_Choisie);
    for (const char* cle : {"Familles", "Espèces", "Communs", "FAGACEAE", "SFrench", "Hêtre", "Lime"})
        a.Clique(cle);
    EXPECT_EQ(choix.count(), 0);
}

TEST(Tree_esp, ClickingEachKindOfSpeciesNodeGivesTheSpecies) {
    Arbre_Rempli a;
    a.arbre.expandAll();
    QSignalSpy choix(&a.arbre, &Tree_esp::Espece_Choisie);
    auto dernier = [&] { return choix.takeLast().at(0).value<Choix_Espece>(); };

    a.Clique(QStringLiteral("QUERO"));  // in its family
    ASSERT_EQ(choix.count(), 1);
    Choix_Espece c = dernier();
    EXPECT_EQ(c.Espece, QStringLiteral("Quercus robur"));
    EXPECT_EQ(c.Code, QStringLiteral("QUERO"));
    EXPECT_EQ(c.Famille, QStringLiteral("Fagaceae"));

    a.Clique(QStringLiteral("ACECAS"));  // by name
    ASSERT_EQ(choix.count(), 1);
    c = dernier();
    EXPECT_EQ(c.Espece, QStringLiteral("acer campestre"));
    EXPECT_EQ(c.Code, QStringLiteral("ACECA"));
    EXPECT_EQ(c.Famille, QStringLiteral("Sapindaceae S.l."));

    a.Clique(QStringLiteral("ACECALime"));  // by common name: the code in proper case
    ASSERT_EQ(choix.count(), 1);
    c = dernier();
    EXPECT_EQ(c.Espece, QStringLiteral("acer campestre"));
    EXPECT_EQ(c.Code, QStringLiteral("Aceca"));
    EXPECT_EQ(c.Famille, QStringLiteral("Sapindaceae S.l."));
}

TEST(Tree_esp_Documents, ClickingASpeciesOpensItsPageAndEnablesStop) {
    Bac_Documents bac;
    Tree_esp& arbre = bac.documents->Arbre();
    arbre.resize(400, 900);
    arbre.show();
    arbre.expandAll();
    auto clique = [&](const QString& cle) {
        QTreeWidgetItem* noeud = arbre.Noeud(cle);
        arbre.scrollToItem(noeud);
        QTest::mouseClick(arbre.viewport(), Qt::LeftButton, {}, arbre.visualItemRect(noeud).center());
    };

    clique(QStringLiteral("FAGACEAE"));
    EXPECT_TRUE(bac.hote.appels.isEmpty());

    clique(QStringLiteral("FAGSYHêtre"));
    EXPECT_EQ(bac.hote.appels.value(0), QStringLiteral("+Stop"));
    ASSERT_TRUE(Attend_Page(*bac.documents, QStringLiteral("/f/fagsy/fagsy_en.html")));
    const Etat_Documents& etat = bac.documents->Etat();
    EXPECT_EQ(etat.Code_Esp_Courant, QStringLiteral("Fagsy"));
    EXPECT_EQ(etat.Espece_Courante, QStringLiteral("Fagus sylvatica"));
    EXPECT_EQ(etat.Famille_Courante, QStringLiteral("Fagaceae"));
    EXPECT_EQ(etat.Nb_Avant, 0);

    // The page on disk is "Q/QUERO/Quero_en.html": found whatever the case of its name.
    clique(QStringLiteral("QUEROS"));
    ASSERT_TRUE(Attend_Page(*bac.documents, QStringLiteral("/Q/QUERO/Quero_en.html")));
    EXPECT_EQ(etat.Code_Esp_Courant, QStringLiteral("QUERO"));
    EXPECT_EQ(etat.Famille_Courante, QStringLiteral("Fagaceae"));
}

}  // namespace
}  // namespace kestrane::test
