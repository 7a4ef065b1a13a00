#include "Tree_esp.h"

#include <QTest>

#include <gtest/gtest.h>

#include "Fixture_Documents.h"

namespace kestrane::test {
namespace {
// clang-format off

struct Arbre_Rempli {
    explicit Arbre_Rempli(int langue = 0, const std::string& sql = {}) : flore(sql) {
        if (flore.connaissance)
            arbre.Remplit_Arbre(*flore.connaissance, langue);
        arbre.resize(400, 900);
        arbre.show();
    }
    Flore_Documents flore;
    Tree_esp arbre;
};

// The texts of the children of the node of that key (of the roots for ""), in order.
QStringList Enfants(const Tree_esp& arbre, const QString& cle) {
    const QTreeWidgetItem* noeud = cle.isEmpty() ? arbre.invisibleRootItem() : arbre.Noeud(cle);
    QStringList textes;
    for (int i = 0; noeud && i < noeud->childCount(); ++i) textes << noeud->child(i)->text(0);
    return textes;
}

TEST(Tree_esp, NodesUnderTheirParentsInOrder) {
    Arbre_Rempli a;
    const struct { const char* cle; QStringList enfants; } branches[] = {
        {"", {"Families", "Species", "Common names"}},
        // Met in the order sapindaceae s.l., OLEACEAE, Pinaceae; in proper case, sorted.
        {"Familles", {"Oleaceae", "Pinaceae", "Sapindaceae S.l."}},
        {"sapindaceae s.l.", {"acer pseudoplatanus", "Aesculus hippocastanum"}},  // one node for both
        {"Espèces", {"acer pseudoplatanus", "Aesculus hippocastanum", "Fraxinus excelsior", "Pinus sylvestris"}},
        {"Communs", {"English", "Français"}},
        // The stored queries give the names in reverse; the tree sorts them, É among the E.
        {"SEnglish", {"Ash", "Horse-chestnut", "Scots pine", "Sycamore", "Sycamore maple"}},
        {"SFrançais", {"Érable sycomore", "Frêne commun", "Marronnier d'Inde", "Pin sylvestre"}},
        // A species named in two languages is under each name.
        {"Ash", {"Fraxinus excelsior"}},
        {"Frêne commun", {"Fraxinus excelsior"}},
        // The same name in two languages is one node, under the first language.
        {"Sycamore", {"acer pseudoplatanus", "Fraxinus excelsior"}},
    };
    for (const auto& b : branches)
        EXPECT_EQ(Enfants(a.arbre, QString::fromUtf8(b.cle)), b.enfants) << b.cle;
    // The root captions follow the interface language.
    EXPECT_EQ(Enfants(Arbre_Rempli(2).arbre, {}), (QStringList{"Familles", "Espèces", "Noms vernaculaires"}));
}

// The common names sort in the order of the language the base says they are in: French sorts "ñ"
// as "n", Spanish after it.
TEST(Tree_esp, CommonNamesSortInTheirOwnLanguageWhenTheBaseSaysWhichItIs) {
    QStringList ordre{"Érable sycomore", "Frêne commun", "Marronnier d'Inde", "Ñandubay", "Nogal", "Pin sylvestre"};
    for (const std::string suffixe : {"fr", "es"}) {
        Arbre_Rempli a(0, "INSERT INTO Noms_Communs (Code, Langue, Nom) VALUES ('AEHIP', 'Français', 'Ñandubay'),"
                          "  ('ACPSE', 'Français', 'Nogal');"
                          "UPDATE Langues_Textes SET Suffixe = '" + suffixe + "' WHERE Suffixe = 'fr';"
                          "UPDATE Traductions SET Langue = '" + suffixe + "' WHERE Langue = 'fr';");
        EXPECT_EQ(Enfants(a.arbre, "SFrançais"), ordre) << suffixe;
        ordre.swapItemsAt(3, 4);
    }
}

// The branch indicator opens and closes the book; each kind of species node gives the species,
// any other node nothing.
TEST(Tree_esp, ClicksOpenTheBookAndSpeciesNodesOnlyGiveTheirSpecies) {
    Arbre_Rempli a;
    QTreeWidgetItem* familles = a.arbre.Noeud(QStringLiteral("Familles"));
    ASSERT_NE(familles, nullptr);
    const QPoint fleche(a.arbre.indentation() / 2, a.arbre.visualItemRect(familles).center().y());
    for (const char* image : {"livre_ouvert", "livre_ferme"}) {
        QTest::mouseClick(a.arbre.viewport(), Qt::LeftButton, {}, fleche);
        EXPECT_EQ(Tree_esp::Cle_Image(*familles), QString::fromUtf8(image));
        EXPECT_EQ(familles->isExpanded(), QString::fromUtf8(image) == "livre_ouvert");
    }

    const struct { const char* cle; QStringList espece; } noeuds[] = {
        {"Familles", {}}, {"Espèces", {}}, {"Communs", {}}, {"OLEACEAE", {}}, {"SFrançais", {}}, {"Frêne commun", {}},
        {"Sycamore", {}},
        {"PISYL", {"Pinus sylvestris", "PISYL", "Pinaceae"}},              // in its family
        {"ACPSES", {"acer pseudoplatanus", "ACPSE", "Sapindaceae S.l."}},  // by name
        {"FREXCSycamore", {"Fraxinus excelsior", "Frexc", "Oleaceae"}},    // by common name: proper case
    };
    for (const auto& n : noeuds) {
        const QTreeWidgetItem* noeud = a.arbre.Noeud(QString::fromUtf8(n.cle));
        ASSERT_NE(noeud, nullptr) << n.cle;
        const auto c = Tree_esp::Espece_Du_Noeud(*noeud);
        EXPECT_EQ(c ? QStringList({c->Espece, c->Code, c->Famille}) : QStringList(), n.espece) << n.cle;
    }
}

// clang-format on
}  // namespace
}  // namespace kestrane::test
