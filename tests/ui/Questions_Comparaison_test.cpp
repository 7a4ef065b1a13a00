// The main window's ranked questions, with or without a portrait, driven by real mouse and key
// events.

#include <QListWidget>
#include <QToolButton>

#include <tuple>

#include "Fenetre_Petite.h"
#include "Panneau_Reponses.h"

namespace kestrane {
namespace {

class QuestionsComparaison : public test::Fenetre_Petite {
  protected:
    Portrait_Questions& P() { return *F().Portrait(); }
    using Noms = std::vector<std::string>;
    Noms Lignes() {
        Noms lignes;
        for (int r = 0; r < P().Widget_Questions()->topLevelItemCount(); ++r)
            lignes.push_back(P().Widget_Questions()->topLevelItem(r)->text(0).toStdString());
        return lignes;
    }
    // The list of questions, the portrait and the chooser on screen; the question bar's OK, Back
    // and Next.
    std::tuple<bool, bool, bool, bool, bool, bool> Vue() {
        const Barre_Boutons& q = *P().Barre_Question();
        return {P().Widget_Questions()->isVisible(), F().Robot->isVisible(), F().Pic_Choix->isVisible(),
                q.Element_Visible(1), q.Element_Visible(3), q.Element_Visible(5)};
    }
};

TEST_F(QuestionsComparaison, ShiftSearchOrTheMenuRanksTheQuestionsAndALineOpensItsChooser) {
    ASSERT_EQ(Lance(), 0);
    Liste_Questions& liste = *P().Widget_Questions();
    QToolButton* search = P().Barre_Deter()->Bouton_A(5);
    ASSERT_NE(search, nullptr);
    QTest::mouseClick(search, Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_EQ(Vue(), std::tuple(true, false, false, false, true, false));  // only Back on the bar
    EXPECT_EQ(liste.geometry(), F().Pic_Choix->geometry());
    // Every allowed unanswered character, best first, its question through the base's texts.
    ASSERT_EQ(Lignes(), (Noms{"What fruit?", "Simple or compound?", "What kind of leaves?"}));
    EXPECT_EQ(std::tuple(liste.topLevelItem(0)->text(1).toStdString(), liste.topLevelItem(2)->text(1).toStdString()),
              std::tuple("1.00", "0.81"));

    // Escape goes back; Ctrl+L shows the list again, and Enter on the third line opens Leaf_Type.
    QTest::keyClick(&liste, Qt::Key_Escape);
    EXPECT_EQ(Vue(), std::tuple(false, true, false, true, true, false));
    QTest::keyClick(&F(), Qt::Key_L, Qt::ControlModifier);
    ASSERT_TRUE(liste.isVisible());
    QTest::keyClick(&liste, Qt::Key_Down);
    QTest::keyClick(&liste, Qt::Key_Down);
    QTest::keyClick(&liste, Qt::Key_Return);
    EXPECT_EQ(std::tuple(F().Identification()->Question.Objet, F().Identification()->Question.Choix),
              std::tuple("Leaf_Type", -1));
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
    // A click on a line opens it too.
    F().mnuViewQuestions->trigger();
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, liste.visualItemRect(liste.topLevelItem(1)).center());
    EXPECT_EQ(std::tuple(F().Identification()->Question.Objet, dialogues_.messages.size()),
              std::tuple("Composition", 0u));
}

// A base without a portrait: the ranked questions stand where it would, the answers panel beside
// them (always: its menu entry checked and locked), and a question is answered through the list.
TEST_F(QuestionsComparaison, WithoutAPortraitTheRankedQuestionsStandInItsPlaceAndAnswerThroughTheList) {
    base_->Execute_SQL("DELETE FROM Hierarchie; UPDATE Parametres SET Etat = '0' WHERE Nom = 'Nb_Robot';");
    ASSERT_EQ(Lance(), 0);
    frmMain& f = F();
    Liste_Questions& liste = *P().Widget_Questions();
    ASSERT_TRUE(P().Sans_Portrait());
    EXPECT_EQ(std::tuple(Visibles(), f.mnuViewIdentification->isChecked(), liste.isVisible(), f.Panneau()->isVisible(),
                         f.mnuViewAnswers->isChecked(), f.mnuViewAnswers->isEnabled(), f.mnuEditCopy->isEnabled()),
              std::tuple("Barre_Deter", true, true, true, true, false, false));  // nothing to copy
    EXPECT_EQ(liste.geometry(), f.Robot->geometry());
    EXPECT_GE(f.Panneau()->geometry().left(), liste.geometry().right());
    const Noms toutes{"What fruit?", "Simple or compound?", "What kind of leaves?"};  // the better first
    ASSERT_EQ(Lignes(), toutes);

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
    EXPECT_EQ(std::tuple(f.Pic_Choix->isVisible(), liste.isVisible(), f.mnuEditCopy->isEnabled(), Lignes(),
                         f.Panneau()->Liste()->count(), f.Identification()->Nb_Esp_Max()),
              std::tuple(false, true, false, Noms{"Simple or compound?", "What kind of leaves?"}, 1, 1));
    f.mnuEditUndo->trigger();
    EXPECT_EQ(std::tuple(Lignes(), dialogues_.questions_sans_reponse), std::tuple(toutes, 0));
}

}  // namespace
}  // namespace kestrane
