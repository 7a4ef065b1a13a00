#include "Traduit_Feuille.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace kestrane {
namespace {

struct Fenetre_Test {
    QWidget fenetre;
    QLabel* label;
    QMenu* menu;
    QAction* entree;
    QAction* separateur;
    QToolBar* barre;
    QAction* bouton;
    QTabWidget* onglets;
    QPushButton* sans_numero;
    QPushButton* ok;
    QPushButton* absent_en_francais;

    Fenetre_Test() {
        fenetre.setProperty("Tag", 1037);
        fenetre.setWindowTitle("design");
        auto* layout = new QVBoxLayout(&fenetre);
        auto* menus = new QMenuBar(&fenetre);
        menu = menus->addMenu("1000");
        menu->menuAction()->setProperty("Caption", 1000);
        entree = menu->addAction("1001");
        entree->setProperty("Caption", 1001);
        separateur = menu->addSeparator();
        separateur->setText("-");
        layout->setMenuBar(menus);
        label = new QLabel("design label");
        Lie_Texte(label, 1105);
        barre = new QToolBar;
        bouton = barre->addAction("1053");
        bouton->setProperty("Caption", 1053);
        bouton->setProperty("ToolTip", 1023);
        onglets = new QTabWidget;
        onglets->addTab(new QWidget, "a");
        onglets->addTab(new QWidget, "b");
        onglets->setProperty("TabTags", QVariantList{1100, 1101});
        sans_numero = new QPushButton("keeps this");
        sans_numero->setProperty("Tag", "not a number");
        sans_numero->setToolTip("tip");
        sans_numero->setProperty("ToolTipTag", "0");
        ok = new QPushButton("design ok");
        Lie_Texte(ok, 1044, 1043);
        absent_en_francais = new QPushButton("design 1048");
        Lie_Texte(absent_en_francais, 1048);
        for (QWidget* w : std::initializer_list<QWidget*>{label, barre, onglets, sans_numero, ok, absent_en_francais}) {
            layout->addWidget(w);
        }
    }
};

TEST(TraduitFeuille, AppliesEachLanguageToEveryKindOfControl) {
    Fenetre_Test f;
    Traduit_Feuille(&f.fenetre, 0);
    EXPECT_EQ(f.fenetre.windowTitle(), "Options");
    EXPECT_EQ(f.label->text(), "List the species above : ");
    EXPECT_EQ(f.menu->title(), "&File");
    EXPECT_EQ(f.entree->text(), "&New identification");
    EXPECT_EQ(f.bouton->text(), "New Ident.");
    EXPECT_EQ(f.bouton->toolTip(), "New identification");
    EXPECT_EQ(f.onglets->tabText(1), "Language");
    EXPECT_EQ(f.ok->text(), "OK");
    EXPECT_EQ(f.ok->toolTip(), "Cancel");

    Traduit_Feuille(&f.fenetre, 2);
    EXPECT_EQ(f.fenetre.windowTitle(), "Paramètres d'utilisation");
    EXPECT_EQ(f.menu->title(), "&Fichier");
    EXPECT_EQ(f.onglets->tabText(0), "Paramètres");
    // French lacks 1048: the control keeps what it had.
    EXPECT_EQ(f.absent_en_francais->text(), "Warning: ...");

    Traduit_Feuille(&f.fenetre, 1);
    EXPECT_EQ(f.entree->text(), "&Nueva identificación");
    EXPECT_EQ(f.absent_en_francais->text(), "Cuidado: ...");
}

TEST(TraduitFeuille, SeparatorsTagsThatAreNotNumbersAndZeroTooltipsKeepTheirText) {
    Fenetre_Test f;
    for (int langue = 0; langue < 3; ++langue) {
        Traduit_Feuille(&f.fenetre, langue);
        EXPECT_EQ(f.separateur->text(), "-");
        EXPECT_EQ(f.sans_numero->text(), "keeps this");
        EXPECT_EQ(f.sans_numero->toolTip(), "tip");
    }
}

TEST(TraduitFeuille, FrenchSetsEveryControlToEightPointsOthersKeepTheDesignSize) {
    Fenetre_Test f;
    QFont design = f.fenetre.font();
    design.setPointSize(11);
    f.fenetre.setFont(design);
    Traduit_Feuille(&f.fenetre, 0);
    EXPECT_EQ(f.ok->font().pointSize(), 11);
    EXPECT_EQ(f.fenetre.font().family(), "MS Sans Serif");
    Traduit_Feuille(&f.fenetre, 2);
    EXPECT_EQ(f.fenetre.font().pointSize(), 8);
    EXPECT_EQ(f.ok->font().pointSize(), 8);
    EXPECT_EQ(f.label->font().pointSize(), 8);
}

}  // namespace
}  // namespace kestrane
