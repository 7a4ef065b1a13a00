#include "Tree_esp.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "Fixture_Documents.h"
#include "Schema_Base.h"

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
        {{"Species"},
         {"acer campestre", "Fagus sylvatica", "Melia azedarach", "Quercus robur", "Tilia cordata"}},
        {{"Common names"}, {"English", "French"}},
        {{"Common names", "English"}, {"Beech", "Chinaberry", "Field maple", "Lime", "Oak"}},
        // The stored query gives É after the unaccented letters; the tree sorts it among the E.
        {{"Common names", "French"},
         {"Chêne pédonculé", "Érable champêtre", "Frêne de Chine", "Hêtre", "Tilleul"}},
        // A species named in two languages is under each name.
        {{"Common names", "English", "Beech"}, {"Fagus sylvatica"}},
        {{"Common names", "French", "Hêtre"}, {"Fagus sylvatica"}},
        // The same name in two languages is one node, under the first language.
        {{"Common names", "English", "Lime"}, {"acer campestre", "Tilia cordata"}},
    };
    for (const auto& b : branches)
        EXPECT_EQ(Enfants(a.arbre, b.chemin), b.enfants) << b.chemin.join(" / ").toStdString();
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
        // clang-format off
        d.sql = Parametres_SQL({{"Nb_Esp", "3"}, {"Nb_Etats_Desc", "1"}}) + Un_Caractere +
                "INSERT INTO Flore VALUES ('Ulmus minor', 'ULMMI', 'Ulmaceae', NULL), ('Juglans regia', 'JUGRE', 'Juglandaceae', NULL),"
                "  ('Prosopis affinis', 'PROAF', 'Fabaceae', NULL);"
                "INSERT INTO Communs_Langues (Langue) VALUES ('Español');"
                "INSERT INTO Noms_Communs (Code, Langue, Nom) VALUES ('ULMMI', 'Español', 'Olmo'), ('PROAF', 'Español', 'Ñandubay'),"
                "  ('JUGRE', 'Español', 'Nogal');" +
                (dite ? Schema_Traductions_SQL() + "INSERT INTO Langues_Textes VALUES ('es', 'Español', -1);" : "");
        // clang-format on
        d.langues_vues = {"Español"};
        d.poids = {1};
        d.matrice = {0, 0, 0};
        Base_Temporaire base(d);
        const auto connaissance = Charge(base);
        ASSERT_TRUE(connaissance);
        Tree_esp arbre;
        arbre.Remplit_Arbre(*connaissance, 1);
        EXPECT_EQ(Textes_Enfants(arbre.Noeud(QStringLiteral("SEspañol"))),
                  (dite ? QStringList{"Nogal", "Ñandubay", "Olmo"} : QStringList{"Ñandubay", "Nogal", "Olmo"}));
    }
}

// The branch indicator opens and closes the book; a click on a node that is no species gives
// nothing, on each kind of species node the species.
TEST(Tree_esp, ClicksOpenTheBookAndGiveTheSpeciesOfSpeciesNodesOnly) {
    Arbre_Rempli a;
    QTreeWidgetItem* familles = a.arbre.Noeud(QStringLiteral("Familles"));
    ASSERT_NE(familles, nullptr);
    const QPoint fleche(a.arbre.indentation() / 2, a.arbre.visualItemRect(familles).center().y());
    for (const char* image : {"livre_ouvert", "livre_ferme"}) {
        QTest::mouseClick(a.arbre.viewport(), Qt::LeftButton, {}, fleche);
        EXPECT_EQ(Tree_esp::Cle_Image(*familles), QString::fromUtf8(image));
        EXPECT_EQ(familles->isExpanded(), QString::fromUtf8(image) == "livre_ouvert");
    }

    a.arbre.expandAll();
    QSignalSpy choix(&a.arbre, &Tree_esp::Espece_Choisie);
    for (const char* cle : {"Familles", "Espèces", "Communs", "FAGACEAE", "SFrench", "Hêtre", "Lime"})
        a.Clique(cle);
    EXPECT_EQ(choix.count(), 0);
    const struct {
        const char* cle;
        Choix_Espece espece;
    } noeuds[] = {
        {"QUERO", {"Quercus robur", "QUERO", "Fagaceae"}},               // in its family
        {"ACECAS", {"acer campestre", "ACECA", "Sapindaceae S.l."}},     // by name
        {"ACECALime", {"acer campestre", "Aceca", "Sapindaceae S.l."}},  // by common name: proper case
    };
    for (const auto& n : noeuds) {
        a.Clique(QString::fromUtf8(n.cle));
        ASSERT_EQ(choix.count(), 1) << n.cle;
        const Choix_Espece c = choix.takeLast().at(0).value<Choix_Espece>();
        EXPECT_EQ(QStringList({c.Espece, c.Code, c.Famille}),
                  QStringList({n.espece.Espece, n.espece.Code, n.espece.Famille})) << n.cle;
    }
}

}  // namespace
}  // namespace kestrane::test
