// The interface language: the windows' texts and fonts, and the dialogs' own texts.
#include "Dialogues_Qt.h"
#include "Traduit_Feuille.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <tuple>

namespace kestrane {
namespace {

// A window with a control of every kind, each with its text numbers, all children of the window.
struct Fenetre_Test {
    QWidget fenetre;
    QMenuBar* menus = new QMenuBar(&fenetre);
    QMenu* menu = menus->addMenu("1000");
    QAction* entree = menu->addAction("1001");
    QAction* separateur = menu->addSeparator();
    QLabel* label = new QLabel("design label", &fenetre);
    QToolBar* barre = new QToolBar(&fenetre);
    QAction* bouton = barre->addAction("1053");
    QTabWidget* onglets = new QTabWidget(&fenetre);
    QPushButton* sans_numero = new QPushButton("keeps this", &fenetre);
    QPushButton* ok = new QPushButton("design ok", &fenetre);
    QPushButton* absent_en_francais = new QPushButton("design 1048", &fenetre);

    Fenetre_Test() {
        fenetre.setProperty("Tag", 1037);
        fenetre.setWindowTitle("design");
        menu->menuAction()->setProperty("Caption", 1000);
        entree->setProperty("Caption", 1001);
        separateur->setText("-");
        Lie_Texte(label, 1105);
        bouton->setProperty("Caption", 1053);
        bouton->setProperty("ToolTip", 1023);
        onglets->addTab(new QWidget, "a");
        onglets->addTab(new QWidget, "b");
        onglets->setProperty("TabTags", QVariantList{1100, 1101});
        sans_numero->setProperty("Tag", "not a number");
        sans_numero->setToolTip("tip");
        sans_numero->setProperty("ToolTipTag", "0");
        Lie_Texte(ok, 1044, 1043);
        Lie_Texte(absent_en_francais, 1048);
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
            if (!c.textes[i].isEmpty()) { EXPECT_EQ(textes[i], c.textes[i]) << c.langue << " " << i; }
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
    EXPECT_EQ(std::tuple(f.ok->font().pointSize(), f.fenetre.font().family()), std::tuple(11, "MS Sans Serif"));
    Traduit_Feuille(&f.fenetre, 2);
    EXPECT_EQ(std::tuple(f.fenetre.font().pointSize(), f.ok->font().pointSize(), f.label->font().pointSize()),
              std::tuple(8, 8, 8));
}

// Runs `action` on the next modal dialog, once it is up.
template <typename Dialogue, typename Action>
void Sur_Le_Dialogue(Action action) {
    QTimer::singleShot(0, [action] {
        auto* dialogue = qobject_cast<Dialogue*>(QApplication::activeModalWidget());
        ASSERT_NE(dialogue, nullptr);
        action(*dialogue);
    });
}

TEST(DialoguesQt, QtsOwnTextsFollowTheInterfaceLanguage) {
    Dialogues_Qt dialogues;
    const struct {
        int langue;
        QStringList boutons;  // Yes, No, Cancel, then the folder dialog's Cancel
        const char* date;     // a date as Qt's dialogs write it
    } cas[] = {{2, {"&Oui", "&Non", "Annuler", "Annuler"}, "6 décembre"},
               {1, {"&Sí", "&No", "Cancelar", "Cancelar"}, "6 diciembre"},
               {0, {"&Yes", "&No", "Cancel", "Cancel"}, "6 December"}};
    for (const auto& k : cas) {
        dialogues.Change_Langue(k.langue);
        EXPECT_EQ(QLocale().toString(QDate(2026, 12, 6), QStringLiteral("d MMMM")).toStdString(), k.date);
        QStringList boutons;
        Sur_Le_Dialogue<QMessageBox>([&](QMessageBox& boite) {
            for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
                boutons << (boite.button(b) ? boite.button(b)->text() : QString("(none)"));
            boite.button(QMessageBox::No) ? boite.button(QMessageBox::No)->click() : boite.reject();
        });
        EXPECT_EQ(dialogues.Message(nullptr, "?", Boutons::Oui_Non_Annuler, Icone::Question, "Kestrane"),
                  Reponse::Non);
        Sur_Le_Dialogue<QFileDialog>([&](QFileDialog& dossier) {
            auto* boite = dossier.findChild<QDialogButtonBox*>();
            QPushButton* bouton = boite ? boite->button(QDialogButtonBox::Cancel) : nullptr;
            boutons << (bouton ? bouton->text() : QString("(none)"));
            dossier.reject();
        });
        EXPECT_EQ(dialogues.Dossier(nullptr, "Folder", QString()), std::nullopt);
        EXPECT_EQ(boutons, k.boutons) << k.langue;
    }
}

}  // namespace
}  // namespace kestrane
