// A base without a portrait: the window shows the ranked questions where the portrait stands and
// the answers beside them, and a question is answered through the list with real mouse events.

#include <QListWidget>
#include <QToolButton>

#include <tuple>

#include "Fenetre_Petite.h"
#include "Panneau_Reponses.h"

namespace kestrane {
namespace {

std::vector<std::string> Lignes(const QTreeWidget& liste) {
    std::vector<std::string> lignes;
    for (int r = 0; r < liste.topLevelItemCount(); ++r) lignes.push_back(liste.topLevelItem(r)->text(0).toStdString());
    return lignes;
}

class SansPortrait : public test::Fenetre_Petite {};

TEST_F(SansPortrait, TheRankedQuestionsStandInThePortraitsPlaceAndAnswerThroughTheList) {
    base_->Execute_SQL("DELETE FROM Hierarchie; UPDATE Parametres SET Etat = '0' WHERE Nom = 'Nb_Robot';");
    ASSERT_EQ(Lance(), 0);
    frmMain& f = F();
    Portrait_Questions& p = *f.Portrait();
    Liste_Questions& liste = *p.Widget_Questions();

    // The identification view: the list where the portrait stands, the answers panel beside it
    // (always, the menu entry checked and locked), the determination bar.
    ASSERT_TRUE(p.Sans_Portrait());
    EXPECT_EQ(Visibles(), "Barre_Deter");
    EXPECT_EQ(std::tuple(f.mnuViewIdentification->isChecked(), liste.isVisible(), f.Panneau()->isVisible(),
                         f.mnuViewAnswers->isChecked(), f.mnuViewAnswers->isEnabled()),
              std::tuple(true, true, true, true, false));
    EXPECT_EQ(liste.geometry(), f.Robot->geometry());
    EXPECT_GE(f.Panneau()->geometry().left(), liste.geometry().right());
    // Nothing to copy but the chooser's states.
    EXPECT_FALSE(f.mnuEditCopy->isEnabled());
    // The better question first.
    ASSERT_EQ(Lignes(liste), (std::vector<std::string>{"What fruit?", "Simple or compound?", "What kind of leaves?"}));

    // A click on the first question opens its chooser; a click on its first state and OK answer it.
    ASSERT_GE(liste.Position(0), 0);
    const std::string premiere = f.Base()->Objets[static_cast<size_t>(liste.Position(0))].Objet;
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, liste.visualItemRect(liste.topLevelItem(0)).center());
    ASSERT_EQ(std::tuple(f.Pic_Choix->isVisible(), liste.isVisible(), f.mnuEditCopy->isEnabled()),
              std::tuple(true, false, true));
    EXPECT_EQ(f.Identification()->Question.Objet, premiere);
    QTest::mouseClick(p.Widget_Pic_Choix(), Qt::LeftButton, {}, p.Widget_Pic_Choix()->Rectangle_Marque(0).center().toPoint());
    ASSERT_NE(p.Barre_Question()->Bouton_A(1), nullptr);
    QTest::mouseClick(p.Barre_Question()->Bouton_A(1), Qt::LeftButton);

    // Back in the identification view, the questions ranked again without the one answered, the
    // answer in the panel, the ash (the one single key) at the top.
    EXPECT_EQ(std::tuple(f.Pic_Choix->isVisible(), liste.isVisible(), f.mnuEditCopy->isEnabled()),
              std::tuple(false, true, false));
    EXPECT_EQ(Lignes(liste), (std::vector<std::string>{"Simple or compound?", "What kind of leaves?"}));
    EXPECT_EQ(std::tuple(f.Panneau()->Liste()->count(), f.Identification()->Nb_Esp_Max()), std::tuple(1, 1));
    // Undo puts the question back in the list.
    f.mnuEditUndo->trigger();
    EXPECT_EQ(Lignes(liste), (std::vector<std::string>{"What fruit?", "Simple or compound?", "What kind of leaves?"}));
    EXPECT_EQ(dialogues_.questions_sans_reponse, 0);
}

}  // namespace
}  // namespace kestrane
