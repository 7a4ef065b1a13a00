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

// The children of the node reached by following `chemin`'s texts from the roots, in order.
QStringList Enfants(const Tree_esp& arbre, const QStringList& chemin) {
    QStringList textes;
    if (chemin.isEmpty()) {
        for (int i = 0; i < arbre.topLevelItemCount(); ++i) textes << arbre.topLevelItem(i)->text(0);
        return textes;
    }
    const QTreeWidgetItem* noeud = nullptr;
    for (int i = 0; i < arbre.topLevelItemCount() && !noeud; ++i)
        if (arbre.topLevelItem(i)->text(0) == chemin.front())
            noeud = arbre.topLevelItem(i);
    for (qsizetype k = 1; k < chemin.size() && noeud; ++k) {
        const QTreeWidgetItem* suivant = nullptr;
        for (int i = 0; i < noeud->childCount() && !suivant; ++i)
            if (noeud->child(i)->text(0) == chemin[k])
                suivant = noeud->child(i);
        noeud = suivant;
    }
    return noeud ? Textes_Enfants(noeud) : QStringList{"(no such node)"};
}

TEST(Tree_esp, NodesUnderTheirParentsInOrder) {
    Arbre_Rempli a;
    const struct {
        QStringList chemin;
        QStringList enfants;
    } branches[] = {
        {{}, {"Families", "Species", "Common names"}},
        // Met in the order sapindaceae, FAGACEAE, MELIACEAE, Malvaceae; in proper case, sorted.
        {{"Families"}, {"Fagaceae", "Malvaceae", "Meliaceae", "Sapindaceae S.l."}},
        {{"Families", "Fagaceae"}, {"Fagus sylvatica", "Quercus robur"}},  // one node for both
        {{"Species"}, {"acer campestre", "Fagus sylvatica", "Melia azedarach", "Quercus robur", "Tilia cordata"}},
        {{"Common names"}, {"English", "French"}},
        {{"Common names", "English"}, {"Beech", "Chinaberry", "Field maple", "Lime", "Oak"}},
        // The stored query gives É after the unaccented letters; the tree sorts it among the E.
        {{"Common names", "French"}, {"Chêne pédonculé", "Érable champêtre", "Frêne de Chine", "Hêtre", "Tilleul"}},
        // A species named in two languages is under each name.
        {{"Common names", "English", "Beech"}, {"Fagus sylvatica"}},
        {{"Common names", "French", "Hêtre"}, {"Fagus sylvatica"}},
        // The same name in two languages is one node, under the first language.
        {{"Common names", "English", "Lime"}, {"acer campestre", "Tilia cordata"}},
    };
    for (const auto& b : branches) EXPECT_EQ(Enfants(a.arbre, b.chemin), b.enfants) << b.chemin.join(" / ").toStdString();
}

TEST(Tree_esp, RootCaptionsFollowTheInterfaceLanguage) {
    Arbre_Rempli a(2);
    EXPECT_EQ(Enfants(a.arbre, {}), (QStringList{"Familles", "Espèces", "Noms vernaculaires"}));
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
