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

// Each language on every kind of control; French lacks 1048, so the control keeps what it had;
// separators, tags that are no numbers and zero tooltips keep their text in every language.
TEST(TraduitFeuille, AppliesEachLanguageToEveryKindOfControl) {
    Fenetre_Test f;
    const struct {
        int langue;
        QStringList textes;  // title, label, menu, entry, button and tip, tabs, OK and tip, 1048 ("": not checked)
    } cas[] = {
        {0, {"Options", "List the species above : ", "&File", "&New identification", "New Ident.", "New identification",
             "Params", "Language", "OK", "Cancel", "Warning: ..."}},
        {2, {"Paramètres d'utilisation", "", "&Fichier", "", "", "", "Paramètres", "", "", "", "Warning: ..."}},
        {1, {"", "", "", "&Nueva identificación", "", "", "", "", "", "", "Cuidado: ..."}},
    };
    for (const auto& c : cas) {
        Traduit_Feuille(&f.fenetre, c.langue);
        const QStringList textes = {f.fenetre.windowTitle(), f.label->text(), f.menu->title(), f.entree->text(),
                                    f.bouton->text(), f.bouton->toolTip(), f.onglets->tabText(0),
                                    f.onglets->tabText(1), f.ok->text(), f.ok->toolTip(), f.absent_en_francais->text()};
        for (qsizetype i = 0; i < textes.size(); ++i)
            if (!c.textes[i].isEmpty()) EXPECT_EQ(textes[i], c.textes[i]) << c.langue << " " << i;
        EXPECT_EQ(QStringList({f.separateur->text(), f.sans_numero->text(), f.sans_numero->toolTip()}),
                  QStringList({"-", "keeps this", "tip"})) << c.langue;
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
