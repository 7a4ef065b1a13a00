// The main window's answers panel, undo and redo, and name filter, on the small fixture base:
// LEAF (0 simple, 1 pinnate, 2 palmate) opens ARRANGEMENT (3, 4) when pinnate; FRUIT (5, 6).

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <tuple>

#include "Documents.h"
#include "Fenetre_Petite.h"
#include "Fichier_Identification.h"
#include "Filtre_Especes.h"
#include "Historique_Reponses.h"
#include "Panneau_Reponses.h"
#include "Portrait_Questions.h"
#include "Table_Chaines.h"

namespace kestrane {
namespace {

class ReponsesFiltre : public test::Fenetre_Petite {
  protected:
    void SetUp() override {
        Fenetre_Petite::SetUp();
        Images({"leaf"});  // three cells side by side; FRUIT has no picture
    }
    void Lance() { ASSERT_EQ(Fenetre_Petite::Lance(), 0); }
    Panneau_Reponses& Panneau() { return *F().Panneau(); }
    // As the question bar confirms a state picked in the chooser.
    void Confirme(const char* objet, int choix) {
        Identification_Courante& id = *F().Identification();
        ASSERT_NE(F().Base()->Trouve_Objet(objet), nullptr);
        id.Question = Question_Courante::De_Objet(*F().Base()->Trouve_Objet(objet));
        id.Question.Choix = choix;
        F().Portrait()->Clic_Barre_Question(1);
    }
    std::vector<std::string> Lignes_Panneau() {
        std::vector<std::string> lignes;
        for (int r = 0; r < Panneau().Liste()->count(); ++r)
            lignes.push_back(
                Panneau().Liste()->item(r)->data(Qt::AccessibleTextRole).toString().toStdString());
        return lignes;
    }
    std::string Titre() { return F().windowTitle().toStdString(); }
    std::string Fichier(const char* nom) { return (dossier_ / nom).string(); }
};

const std::string kLeaf = "What is the leaf like?: Pinnate leaf";
const std::string kFruit = "What is the fruit?: Nut";
const std::string kArrangement = "How are the leaves arranged?: Opposite";

TEST_F(ReponsesFiltre, PanelListsTheAnswersOpensTheirChooserAndTakesThemBackWithTheirDependants) {
    magasin_.valeurs["Affichage/Panneau_Reponses"] = "1";
    Lance();
    ASSERT_TRUE(Panneau().isVisible());
    EXPECT_TRUE(Panneau().Indication()->isVisible());  // nothing answered yet
    // Between the portrait and the determination bar, in the window's coordinates.
    auto x = [&](QWidget* w, int dx) { return w->mapTo(&F(), QPoint(dx, 0)).x(); };
    EXPECT_LT(x(F().Robot, F().Robot->width()), x(&Panneau(), 0));
    EXPECT_LE(x(&Panneau(), Panneau().width()), x(F().Barre_Deter, 0));

    Confirme("LEAF", 1);
    Confirme("FRUIT", 0);
    Confirme("ARRANGEMENT", 1);
    EXPECT_EQ(Lignes_Panneau(), (std::vector<std::string>{kLeaf, kFruit, kArrangement}));
    EXPECT_FALSE(Panneau().Indication()->isVisible());
    // LEAF's state picture is its cell of the chooser's picture; FRUIT has no picture.
    auto vignettes = [&](int rang) {
        int n = 0;
        for (const QLabel* l :
             Panneau().Liste()->itemWidget(Panneau().Liste()->item(rang))->findChildren<QLabel*>())
            n += !l->pixmap().isNull();
        return n;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return vignettes(0) == 1; }, 5000));  // drawn just after the row
    EXPECT_EQ(vignettes(1), 0);

    // A click on an answer opens its chooser with the answer picked, as the determination bar does.
    QListWidget& liste = *Panneau().Liste();
    ASSERT_GE(liste.count(), 1);
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, liste.visualItemRect(liste.item(0)).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return F().Pic_Choix->isVisible(); }, 5000));
    EXPECT_EQ(std::tuple(F().Mode_Affichage(), F().Identification()->Question.Objet, F().Identification()->Question.Choix,
                         Panneau().isEnabled()),
              std::tuple(2, "LEAF", 1, false));
    F().Portrait()->Clic_Barre_Question(0);
    EXPECT_TRUE(Panneau().isEnabled());

    // Taking LEAF back clears ARRANGEMENT, which depends on its pinnate leaf.
    QTest::mouseClick(Panneau().Bouton_Retirer(0), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Lignes_Panneau().size() == 1; }, 5000));
    EXPECT_EQ(Lignes_Panneau(), (std::vector<std::string>{kFruit}));
    EXPECT_EQ(F().Identification()->Etats_Choisis(), (std::vector<int16_t>{0, 0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(F().Mode_Affichage(), 1);
}

TEST_F(ReponsesFiltre, UndoAndRedoCrossNewAndOpenWithTheCaptionAndTheModifiedFlag) {
    Lance();
    const std::string titre = Titre();
    Confirme("LEAF", 1);
    dialogues_.fichiers = {QString::fromStdString(Fichier("a.ido"))};
    F().Traiter_Fichier("Save");
    ASSERT_EQ(Titre(), titre + " [" + Fichier("a.ido") + "]");
    Confirme("FRUIT", 0);
    EXPECT_TRUE(F().mnuFileSave->isEnabled());

    struct Attendu {
        QAction* commande;
        std::string titre;
        std::vector<int16_t> etats;
        bool modifiee;
        bool enregistrer_sous;  // Save As: after New (no file, unchanged) there is nothing to save
    };
    const std::vector<int16_t> feuille{0, 1, 0, 0, 0, 0, 0}, vide(7, 0);
    const std::string avec_a = titre + " [" + Fichier("a.ido") + "]";
    for (const Attendu& pas :
         {Attendu{F().mnuEditUndo, avec_a, feuille, false, true},  // back to the saved state
          Attendu{F().mnuFileNew, titre, vide, false, false},      // New, nothing to ask
          Attendu{F().mnuEditUndo, avec_a, feuille, false, true},  // New undone: file, caption
          Attendu{F().mnuEditRedo, titre, vide, false, false},
          Attendu{F().mnuEditUndo, avec_a, feuille, false, true},
          Attendu{F().mnuEditUndo, avec_a, vide, true, true}}) {  // before the first answer
        pas.commande->trigger();
        EXPECT_EQ(std::tuple(Titre(), F().Identification()->Etats_Choisis(), F().Identification()->Identification_Modifiee(),
                             F().mnuFileSave->isEnabled(), F().mnuFileSaveAs->isEnabled()),
                  std::tuple(pas.titre, pas.etats, pas.modifiee, pas.modifiee, pas.enregistrer_sous))
            << pas.commande->objectName().toStdString();
    }
    EXPECT_FALSE(F().mnuEditUndo->isEnabled());
    EXPECT_TRUE(dialogues_.messages.empty());

    // Open: answers in state-number order; undone, the caption loses the file.
    F().mnuEditRedo->trigger();  // the saved state again
    ASSERT_TRUE(Ecrit_Identification(Fichier("b.ido"), {0, 0, 1, 0, 0, 0, 1}, {-1, -1}));
    F().Traiter_Fichier("Open", QString::fromStdString(Fichier("b.ido")));
    EXPECT_EQ(Titre(), titre + " [" + Fichier("b.ido") + "]");
    EXPECT_EQ(Lignes_Panneau().size(), 2u);
    F().mnuEditUndo->trigger();
    EXPECT_EQ(Titre(), avec_a);
    EXPECT_EQ(F().Identification()->Etats_Choisis(), feuille);
}

TEST_F(ReponsesFiltre, KeyboardShowsThePanelTakesBackWithDeleteUndoesWithCtrlZAndOpensWithEnter) {
    Lance();
    EXPECT_FALSE(Panneau().isVisible());  // hidden unless the user shows it
    const QRect portrait = F().Robot->geometry();
    Confirme("LEAF", 1);
    Confirme("FRUIT", 0);
    QTest::keyClick(&F(), Qt::Key_F9);
    ASSERT_TRUE(Panneau().isVisible());
    EXPECT_EQ(magasin_.valeurs["Affichage/Panneau_Reponses"], "1");
    EXPECT_LT(F().Robot->geometry().width(), portrait.width());
    QListWidget& liste = *Panneau().Liste();
    EXPECT_EQ(QApplication::focusWidget(), &liste);

    QTest::keyClick(&liste, Qt::Key_Down);
    QTest::keyClick(&liste, Qt::Key_Down);
    ASSERT_EQ(liste.currentRow(), 1);
    QTest::keyClick(&liste, Qt::Key_Delete);
    EXPECT_EQ(Lignes_Panneau(), (std::vector<std::string>{kLeaf}));
    EXPECT_EQ(QApplication::focusWidget(), &liste);
    QTest::keyClick(&liste, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Lignes_Panneau(), (std::vector<std::string>{kLeaf, kFruit}));
    QTest::keyClick(&liste, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Lignes_Panneau(), (std::vector<std::string>{kLeaf}));

    QTest::keyClick(&liste, Qt::Key_Up);
    ASSERT_EQ(liste.currentRow(), 0);
    QTest::keyClick(&liste, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return F().Pic_Choix->isVisible(); }, 5000));
    EXPECT_EQ(F().Identification()->Question.Choix, 1);
    // Ctrl+Z from the chooser leaves it first, then undoes.
    QTest::keyClick(F().Pic_Choix, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(F().Mode_Affichage(), 1);
    EXPECT_EQ(Lignes_Panneau(), (std::vector<std::string>{kLeaf, kFruit}));

    QTest::keyClick(&F(), Qt::Key_F9);
    EXPECT_FALSE(Panneau().isVisible());
    EXPECT_EQ(F().Robot->geometry(), portrait);
}

TEST_F(ReponsesFiltre, CtrlFNarrowsTheTreeAndTheListByAnyNameAndEnterOpensTheFirst) {
    Lance();
    const Disposition sans_filtre = F().Disposition_Courante();
    QTest::keyClick(&F(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(F().Mode_Affichage(), 4);
    Filtre_Especes& filtre = *F().Filtre();
    ASSERT_TRUE(filtre.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), &filtre);
    EXPECT_EQ(F().Tree_esp->geometry().top(), filtre.geometry().bottom() + 1);

    auto& arbre = static_cast<QTreeWidget&>(*F().Tree_esp);
    auto montre = [&](const char* cle) {
        const QList<QTreeWidgetItem*> noeuds = arbre.findItems(cle, Qt::MatchExactly | Qt::MatchRecursive);
        return !noeuds.isEmpty() && !noeuds.front()->isHidden();
    };
    QTest::keyClicks(&filtre, "CHENE");  // French, in capitals, without its accent
    QStringList montres;
    for (const char* cle : {"Quercus robur", "Chêne pédonculé", "Fagus sylvatica", "Sapindaceae", "Fagaceae"})
        if (montre(cle)) montres << QString::fromUtf8(cle);
    EXPECT_EQ(montres, QStringList({"Quercus robur", "Chêne pédonculé", "Fagaceae"}));
    QTest::keyClick(&filtre, Qt::Key_Return);
    EXPECT_EQ(F().Documents_Especes()->Etat().Espece_Courante.toStdString(), "Quercus robur");

    QTest::keyClick(&filtre, Qt::Key_Escape);  // clears
    EXPECT_TRUE(filtre.text().isEmpty());
    EXPECT_TRUE(montre("Fagus sylvatica"));

    // The list hides lines and keeps the others at their rank.
    Confirme("FRUIT", 1);  // winged: Acer and Fraxinus first; the confirmation ends on the portrait
    F().mnuViewResults->trigger();
    ASSERT_TRUE(filtre.isVisible());  // still open, over the list now
    filtre.setText("castaño");        // Spanish
    const auto& rangs = F().Identification()->Resultats().Classement_Esp.Espece;
    ASSERT_GE(rangs.size(), 5u);
    for (int r = 0; r < 5; ++r) {
        const bool marronnier = F().Base()->Nom_Esp[static_cast<size_t>(rangs[static_cast<size_t>(r)])] ==
                                "Aesculus hippocastanum";
        EXPECT_EQ(F().Liste_Esp->isRowHidden(r, {}), !marronnier) << r;
    }
    QTest::keyClick(&filtre, Qt::Key_Return);
    EXPECT_EQ(F().Documents_Especes()->Etat().Espece_Courante.toStdString(), "Aesculus hippocastanum");
    EXPECT_FALSE(F().Liste_Esp->isRowHidden(F().Liste_Esp->currentIndex().row(), {}));

    QTest::keyClick(&filtre, Qt::Key_Escape);
    QTest::keyClick(&filtre, Qt::Key_Escape);  // empty: closes, the layout is as before
    EXPECT_FALSE(filtre.isVisible());
    EXPECT_EQ(F().Disposition_Courante().Liste_Esp, sans_filtre.Liste_Esp);
    for (int r = 0; r < 5; ++r) EXPECT_FALSE(F().Liste_Esp->isRowHidden(r, {}));
}

}  // namespace
}  // namespace kestrane
