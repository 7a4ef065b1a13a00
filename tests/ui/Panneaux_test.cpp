// The main window's side panes driven by real mouse and key events: the ranked questions (with or
// without a portrait), the answers panel and the name filter.

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>
#include <tuple>

#include "Barre_Etat.h"
#include "Documents.h"
#include "Fenetre_Petite.h"
#include "Filtre_Especes.h"
#include "Modele_Liste_Esp.h"
#include "Panneau_Reponses.h"
#include "WebTexte.h"

namespace kestrane {
namespace {

using Lignes = std::vector<std::string>;
const std::string kAutres = "Search would not ask these now; you can answer them too:";
const std::string kArrangement_Q = "How are the leaves set?";

class Panneaux : public test::Fenetre_Petite {
  protected:
    void Lance() { ASSERT_EQ(Fenetre_Petite::Lance(), 0); }
    Portrait_Questions& P() { return *F().Portrait(); }
    Panneau_Reponses& Panneau() { return *F().Panneau(); }
    Lignes Questions() {
        Lignes lignes;
        for (int r = 0; r < P().Widget_Questions()->topLevelItemCount(); ++r)
            lignes.push_back(P().Widget_Questions()->topLevelItem(r)->text(0).toStdString());
        return lignes;
    }
    Lignes Lignes_Panneau() {
        Lignes lignes;  // as a screen reader says them
        for (int r = 0; r < Panneau().Liste()->count(); ++r)
            lignes.push_back(Panneau().Liste()->item(r)->data(Qt::AccessibleTextRole).toString().toStdString());
        return lignes;
    }
    // The list of questions, the portrait and the chooser on screen; the question bar's OK, Back, Next.
    std::tuple<bool, bool, bool, bool, bool, bool> Vue() {
        const Barre_Boutons& q = *P().Barre_Question();
        return {P().Widget_Questions()->isVisible(), F().Robot->isVisible(), F().Pic_Choix->isVisible(),
                q.Element_Visible(1), q.Element_Visible(3), q.Element_Visible(5)};
    }
};

TEST_F(Panneaux, ShiftSearchOrTheMenuRanksTheQuestionsAndALineOpensItsChooser) {
    Lance();
    Liste_Questions& liste = *P().Widget_Questions();
    QToolButton* search = P().Barre_Deter()->Bouton_A(5);
    ASSERT_NE(search, nullptr);
    QTest::mouseClick(search, Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_EQ(Vue(), std::tuple(true, false, false, false, true, false));  // only Back on the bar
    EXPECT_EQ(liste.geometry(), F().Pic_Choix->geometry());
    EXPECT_EQ(liste.header()->sectionSize(0) + liste.header()->sectionSize(1),
              liste.viewport()->width());  // questions stretch
    // Every allowed unanswered character, best first, its question through the base's texts; then,
    // greyed after a heading, the one Search may not propose.
    ASSERT_EQ(Questions(), (Lignes{"What fruit?", "Simple or compound?", "What kind of leaves?", kAutres, kArrangement_Q}));
    EXPECT_NE(liste.topLevelItem(4)->foreground(0), liste.topLevelItem(0)->foreground(0));
    EXPECT_EQ(std::tuple(liste.topLevelItem(0)->text(1).toStdString(), liste.topLevelItem(2)->text(1).toStdString()),
              std::tuple("1.00", "0.81"));

    // Escape goes back; Ctrl+L shows the list again; the arrows pass over the heading, and Enter
    // on the last line opens Arrangement.
    QTest::keyClick(&liste, Qt::Key_Escape);
    EXPECT_EQ(Vue(), std::tuple(false, true, false, true, true, false));
    QTest::keyClick(&F(), Qt::Key_L, Qt::ControlModifier);
    ASSERT_TRUE(liste.isVisible());
    for (int i = 0; i < 3; ++i) QTest::keyClick(&liste, Qt::Key_Down);
    QTest::keyClick(&liste, Qt::Key_Return);
    EXPECT_EQ(std::tuple(F().Identification()->Question.Objet, F().Identification()->Question.Choix),
              std::tuple("Arrangement", -1));
    EXPECT_EQ(Vue(), std::tuple(false, false, true, true, true, true));  // Next, as after Search

    // Back, then Search: it proposes the list's first line, with the Next button that every other
    // opening hides, whole on the bar (which grows rather than push it into an overflow menu).
    const Barre_Boutons& question = *P().Barre_Question();
    ASSERT_TRUE(question.Bouton_A(3) && question.Bouton_A(5));
    QTest::mouseClick(question.Bouton_A(3), Qt::LeftButton);
    QTest::mouseClick(search, Qt::LeftButton);
    EXPECT_EQ(std::tuple(F().Identification()->Question.Objet, question.Bouton_A(5)->isVisible(),
                         question.rect().contains(question.Bouton_A(5)->geometry())),
              std::tuple("Fruit", true, true));
    for (auto* extension : question.findChildren<QToolButton*>("qt_toolbar_ext_button"))
        EXPECT_FALSE(extension->isVisible());
    F().mnuViewQuestions->trigger();  // the menu shows the list too (a click on a line: below)
    EXPECT_EQ(std::tuple(liste.isVisible(), dialogues_.messages.size()), std::tuple(true, 0u));
}

// Without a portrait, the ranked questions stand in its place, the answers panel always beside them.
TEST_F(Panneaux, WithoutAPortraitTheRankedQuestionsStandInItsPlaceAndAnswerThroughTheList) {
    base_->Execute_SQL("DELETE FROM Hierarchie; UPDATE Parametres SET Etat = '0' WHERE Nom = 'Nb_Robot';");
    Lance();
    frmMain& f = F();
    Liste_Questions& liste = *P().Widget_Questions();
    ASSERT_TRUE(P().Sans_Portrait());
    EXPECT_EQ(std::tuple(Visibles(), f.mnuViewIdentification->isChecked(), liste.isVisible(), f.Panneau()->isVisible(),
                         f.mnuViewAnswers->isChecked(), f.mnuViewAnswers->isEnabled(), f.mnuEditCopy->isEnabled()),
              std::tuple("Barre_Deter", true, true, true, true, false, false));  // nothing to copy
    EXPECT_EQ(liste.geometry(), f.Robot->geometry());
    EXPECT_GE(f.Panneau()->geometry().left(), liste.geometry().right());
    const Lignes toutes{"What fruit?", "Simple or compound?", "What kind of leaves?", kAutres, kArrangement_Q};
    ASSERT_EQ(Questions(), toutes);
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {},
                      liste.visualItemRect(liste.topLevelItem(3)).center());
    EXPECT_EQ(std::tuple(f.Pic_Choix->isVisible(), liste.isVisible()),
              std::tuple(false, true));  // the heading opens nothing

    // A click on the first question opens its chooser (the states to copy); a click on its first
    // state and OK answer it: the questions are ranked again without it, the answer in the panel,
    // the ash (the one single key) alone at the top; Undo puts the question back.
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, liste.visualItemRect(liste.topLevelItem(0)).center());
    ASSERT_EQ(std::tuple(f.Pic_Choix->isVisible(), liste.isVisible(), f.mnuEditCopy->isEnabled(),
                         f.Identification()->Question.Objet),
              std::tuple(true, false, true, "Fruit"));
    Pic_Choix& choix = *P().Widget_Pic_Choix();
    QTest::mouseClick(&choix, Qt::LeftButton, {}, choix.Rectangle_Marque(0).center().toPoint());
    ASSERT_NE(P().Barre_Question()->Bouton_A(1), nullptr);
    QTest::mouseClick(P().Barre_Question()->Bouton_A(1), Qt::LeftButton);
    EXPECT_EQ(std::tuple(f.Pic_Choix->isVisible(), liste.isVisible(), f.mnuEditCopy->isEnabled(), Questions(),
                         f.Panneau()->Liste()->count(), f.Identification()->Nb_Esp_Max()),
              std::tuple(false, true, false, Lignes{"Simple or compound?", "What kind of leaves?", kAutres, kArrangement_Q}, 1, 1));
    f.mnuEditUndo->trigger();
    EXPECT_EQ(std::tuple(Questions(), dialogues_.questions_sans_reponse), std::tuple(toutes, 0));
}

const std::string kLeaf = "What kind of leaves?: Broad leaves";
const std::string kFruit = "What fruit?: Single key";
const std::string kArrangement = "How are the leaves set?: Opposite";

// F9 shows the panel beside the portrait, with the focus, kept for the next start; Enter or a click
// on a line opens its chooser; Delete or the line's button takes the answer back with its
// dependants; Ctrl+Z and Ctrl+Y undo and redo, from the chooser too.
TEST_F(Panneaux, PanelListsTheAnswersOpensTheirChooserAndTakesThemBackByKeyAndMouse) {
    std::filesystem::remove(Dossier() / "descripteurs/fruit.wmf");  // a character without a picture
    Lance();
    EXPECT_FALSE(Panneau().isVisible());  // hidden unless the user shows it
    const QRect portrait = F().Robot->geometry();
    Confirme("Leaf_Type", 0);
    Confirme("Fruit", 0);
    Confirme("Arrangement", 1);
    QApplication::processEvents();  // the rows and their pictures made while the panel is hidden
    QTest::keyClick(&F(), Qt::Key_F9);
    QListWidget& liste = *Panneau().Liste();
    ASSERT_EQ(std::tuple(Panneau().isVisible(), QApplication::focusWidget()), std::tuple(true, &liste));
    EXPECT_LT(F().Robot->geometry().right(), Panneau().geometry().left());  // the portrait narrows
    EXPECT_EQ(std::tuple(Lignes_Panneau(), Panneau().Indication()->isVisible()),
              std::tuple(Lignes{kLeaf, kFruit, kArrangement}, false));
    // Leaf_Type's state picture is its cell of the chooser's picture; Fruit has none.
    auto vignettes = [&](int rang) {
        const QList<QLabel*> images = liste.itemWidget(liste.item(rang))->findChildren<QLabel*>();
        return std::count_if(images.begin(), images.end(), [](const QLabel* l) { return !l->pixmap().isNull(); });
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return vignettes(0) == 1 && vignettes(1) == 0; }, 5000));  // drawn after the row
    for (int r = 0; r < liste.count(); ++r)  // shown, the rows take the list's width
        EXPECT_EQ(liste.item(r)->sizeHint().width(), liste.viewport()->width()) << r;

    QTest::keyClick(&liste, Qt::Key_Home);
    QTest::keyClick(&liste, Qt::Key_Down);
    ASSERT_EQ(liste.currentRow(), 1);
    QTest::keyClick(&liste, Qt::Key_Delete);
    EXPECT_EQ(std::tuple(Lignes_Panneau(), QApplication::focusWidget()), std::tuple(Lignes{kLeaf, kArrangement}, &liste));
    QTest::keyClick(&liste, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Lignes_Panneau(), (Lignes{kLeaf, kFruit, kArrangement}));
    QTest::keyClick(&liste, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Lignes_Panneau(), (Lignes{kLeaf, kArrangement}));
    QTest::keyClick(&liste, Qt::Key_Up);
    QTest::keyClick(&liste, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return F().Pic_Choix->isVisible(); }, 5000));
    EXPECT_EQ(std::tuple(F().Identification()->Question.Objet, F().Identification()->Question.Choix),
              std::tuple("Leaf_Type", 0));
    // Ctrl+Z from the chooser leaves it first, then undoes.
    QTest::keyClick(F().Pic_Choix, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(std::tuple(F().Mode_Affichage(), Lignes_Panneau()), std::tuple(1, Lignes{kLeaf, kFruit, kArrangement}));

    // A click on an answer opens its chooser with the answer picked, as the determination bar does.
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, liste.visualItemRect(liste.item(0)).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return F().Pic_Choix->isVisible(); }, 5000));
    EXPECT_EQ(std::tuple(F().Mode_Affichage(), F().Identification()->Question.Objet,
                         F().Identification()->Question.Choix, Panneau().isEnabled()),
              std::tuple(2, "Leaf_Type", 0, false));
    F().Portrait()->Clic_Barre_Question(0);
    EXPECT_TRUE(Panneau().isEnabled());
    // Taking Leaf_Type back clears Arrangement, which depends on its broad leaves.
    QTest::mouseClick(Panneau().Bouton_Retirer(0), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Lignes_Panneau().size() == 1; }, 5000));
    EXPECT_EQ(std::tuple(Lignes_Panneau(), F().Identification()->Etats_Choisis(), F().Mode_Affichage()),
              std::tuple(Lignes{kFruit}, std::vector<int16_t>{0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}, 1));

    // F9 again keeps the panel and puts the focus back in it; the menu entry hides it.
    F().Robot->setFocus();
    QTest::keyClick(&F(), Qt::Key_F9);
    EXPECT_EQ(std::tuple(Panneau().isVisible(), QApplication::focusWidget()), std::tuple(true, &liste));
    F().mnuViewAnswers->trigger();
    EXPECT_EQ(std::tuple(Panneau().isVisible(), F().Robot->geometry()), std::tuple(false, portrait));
    F().mnuViewAnswers->trigger();
    Lance();  // nothing answered yet: the panel says how
    EXPECT_EQ(std::tuple(Panneau().isVisible(), Panneau().Indication()->isVisible()), std::tuple(true, true));
}

TEST_F(Panneaux, CtrlFNarrowsTheTreeAndTheListByAnyNameAndEnterOpensTheFirst) {
    Lance();
    const Disposition sans_filtre = F().Disposition_Courante();
    QTest::keyClick(&F(), Qt::Key_F, Qt::ControlModifier);
    Filtre_Especes& filtre = *F().Filtre();
    ASSERT_EQ(std::tuple(F().Mode_Affichage(), filtre.isVisible(), QApplication::focusWidget()),
              std::tuple(4, true, &filtre));
    EXPECT_EQ(F().Tree_esp->geometry().top(), filtre.geometry().bottom() + 1);

    auto& arbre = static_cast<QTreeWidget&>(*F().Tree_esp);
    auto montre = [&](const char* cle) {
        const QList<QTreeWidgetItem*> noeuds = arbre.findItems(cle, Qt::MatchExactly | Qt::MatchRecursive);
        return !noeuds.isEmpty() && !noeuds.front()->isHidden();
    };
    QTest::keyClicks(&filtre, "ERABLE");  // French, in capitals, without its accent
    QStringList montres;
    for (const char* cle : {"Acer pseudoplatanus", "Érable sycomore", "Aesculus hippocastanum", "Pinaceae", "Sapindaceae"})
        if (montre(cle)) montres << QString::fromUtf8(cle);
    EXPECT_EQ(montres, QStringList({"Acer pseudoplatanus", "Érable sycomore", "Sapindaceae"}));
    QTest::keyClick(&filtre, Qt::Key_Return);
    EXPECT_EQ(F().Documents_Especes()->Etat().Espece_Courante.toStdString(), "Acer pseudoplatanus");
    // A text that names no tree leaves no heading, says so, and the page of the species shown
    // gives way to the hint.
    WebTexte& vue = F().Documents_Especes()->Vue();
    ASSERT_TRUE(QTest::qWaitFor([&] { return vue.Termine() && !vue.Sans_Page(); }, 10000));
    filtre.setText("zzz");
    int racines_montrees = 0;
    for (int r = 0; r < arbre.topLevelItemCount(); ++r) racines_montrees += !arbre.topLevelItem(r)->isHidden();
    EXPECT_EQ(std::tuple(racines_montrees, F().sbStatusBar->Texte_Panneau1().toStdString(), vue.Sans_Page()),
              std::tuple(0, std::string("No species has a name holding \"zzz\"."), true));
    QTest::keyClick(&filtre, Qt::Key_Escape);  // clears
    EXPECT_EQ(std::tuple(filtre.text(), montre("Aesculus hippocastanum"), F().sbStatusBar->Texte_Panneau1()),
              std::tuple(QString(), true, QString()));

    // The list hides lines and keeps the others at their rank.
    auto visibles = [&] {
        Lignes v, lignes = static_cast<Modele_Liste_Esp*>(F().Liste_Esp->model())->Lignes();
        for (size_t r = 0; r < lignes.size(); ++r)
            if (!F().Liste_Esp->isRowHidden(static_cast<int>(r), {})) v.push_back(lignes[r]);
        return v;
    };
    Confirme("Fruit", 0);  // a single key: the ash first; the confirmation ends on the portrait
    F().mnuViewResults->trigger();
    ASSERT_TRUE(filtre.isVisible());  // still open, over the list now
    filtre.setText("marronnier");     // French, the interface being in English
    EXPECT_EQ(visibles(), Lignes{" 0% - Aesculus hippocastanum"});
    QTest::keyClick(&filtre, Qt::Key_Return);
    EXPECT_EQ(F().Documents_Especes()->Etat().Espece_Courante.toStdString(), "Aesculus hippocastanum");
    EXPECT_FALSE(F().Liste_Esp->isRowHidden(F().Liste_Esp->currentIndex().row(), {}));

    QTest::keyClick(&filtre, Qt::Key_Escape);
    QTest::keyClick(&filtre, Qt::Key_Escape);  // empty: closes, the layout is as before
    EXPECT_EQ(std::tuple(filtre.isVisible(), F().Disposition_Courante().Liste_Esp, visibles().size()),
              std::tuple(false, sans_filtre.Liste_Esp, 4u));
}

}  // namespace
}  // namespace kestrane
