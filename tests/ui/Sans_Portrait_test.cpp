// A base without a portrait, imported from a small exchange file by the builder: the window
// shows the ranked questions where the portrait stands and the answers beside them, and a
// question is answered through the list with real mouse events.

#include <QAction>
#include <QListWidget>
#include <QProcess>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

#include "Fenetre_Petite.h"
#include "Panneau_Reponses.h"
#include "Portrait_Questions.h"

namespace kestrane {
namespace {

// Four trees, two questions: the leaf (broad, needle) splits them 2 / 2, the bark (smooth, rough)
// 1 / 3.
constexpr const char* kCle = R"(<?xml version="1.0" encoding="UTF-8"?>
<Datasets xmlns="http://rs.tdwg.org/UBIF/2006/">
  <Dataset xml:lang="en">
    <Representation><Label>Four trees</Label></Representation>
    <Characters>
      <CategoricalCharacter id="leaf">
        <Representation><Label>Leaf type</Label></Representation>
        <States>
          <StateDefinition id="broad"><Representation><Label>Broad</Label></Representation></StateDefinition>
          <StateDefinition id="needle"><Representation><Label>Needle</Label></Representation></StateDefinition>
        </States>
      </CategoricalCharacter>
      <CategoricalCharacter id="bark">
        <Representation><Label>Bark</Label></Representation>
        <States>
          <StateDefinition id="smooth"><Representation><Label>Smooth</Label></Representation></StateDefinition>
          <StateDefinition id="rough"><Representation><Label>Rough</Label></Representation></StateDefinition>
        </States>
      </CategoricalCharacter>
    </Characters>
    <CodedDescriptions>
      <CodedDescription id="d1"><Representation><Label>Fagus sylvatica</Label></Representation>
        <SummaryData><Categorical ref="leaf"><State ref="broad"/></Categorical>
          <Categorical ref="bark"><State ref="smooth"/></Categorical></SummaryData></CodedDescription>
      <CodedDescription id="d2"><Representation><Label>Quercus robur</Label></Representation>
        <SummaryData><Categorical ref="leaf"><State ref="broad"/></Categorical>
          <Categorical ref="bark"><State ref="rough"/></Categorical></SummaryData></CodedDescription>
      <CodedDescription id="d3"><Representation><Label>Pinus sylvestris</Label></Representation>
        <SummaryData><Categorical ref="leaf"><State ref="needle"/></Categorical>
          <Categorical ref="bark"><State ref="rough"/></Categorical></SummaryData></CodedDescription>
      <CodedDescription id="d4"><Representation><Label>Picea abies</Label></Representation>
        <SummaryData><Categorical ref="leaf"><State ref="needle"/></Categorical>
          <Categorical ref="bark"><State ref="rough"/></Categorical></SummaryData></CodedDescription>
    </CodedDescriptions>
  </Dataset>
</Datasets>
)";

std::vector<std::string> Lignes(const QTreeWidget& liste) {
    std::vector<std::string> lignes;
    for (int r = 0; r < liste.topLevelItemCount(); ++r)
        lignes.push_back(liste.topLevelItem(r)->text(0).toStdString());
    return lignes;
}

class SansPortrait : public test::Fenetre_Petite {};

TEST_F(SansPortrait, TheRankedQuestionsStandInThePortraitsPlaceAndAnswerThroughTheList) {
    std::ofstream(dossier_ / "key.xml") << kCle;
    QProcess import;
    import.start(KB_OUTIL, {"import-sdd", QString::fromStdString((dossier_ / "key.xml").string()),
                            QString::fromStdString((dossier_ / "sdd").string())});
    ASSERT_TRUE(import.waitForFinished(60000));
    ASSERT_EQ(import.exitCode(), 0) << import.readAllStandardError().toStdString();
    // Its guide speaks of the list, not of a portrait to click.
    std::ifstream guide(dossier_ / "sdd/help/guide.html");
    const std::string texte{std::istreambuf_iterator<char>(guide), {}};
    EXPECT_NE(texte.find("listed where a portrait would stand"), std::string::npos) << texte;

    options_.registre_machine = (dossier_ / "sdd/kestrane.ini").string();
    ASSERT_EQ(Lance(), 0);
    frmMain& f = F();
    Portrait_Questions& p = *f.Portrait();
    Liste_Questions& liste = *p.Widget_Questions();

    // The identification view: the list where the portrait stands, the answers panel beside it
    // (always, the menu entry checked and locked), the determination bar with Search and Results.
    ASSERT_TRUE(p.Sans_Portrait());
    EXPECT_EQ(Visibles(), "Barre_Deter");
    EXPECT_EQ(std::tuple(f.mnuViewIdentification->isChecked(), liste.isVisible(), f.Panneau()->isVisible(),
                         f.mnuViewAnswers->isChecked(), f.mnuViewAnswers->isEnabled()),
              std::tuple(true, true, true, true, false));
    EXPECT_EQ(liste.geometry(), f.Robot->geometry());
    EXPECT_GE(f.Panneau()->geometry().left(), liste.geometry().right());
    ASSERT_EQ(p.Barre_Deter()->Nb_Elements(), 4);
    ASSERT_TRUE(p.Barre_Deter()->Bouton_A(1) && p.Barre_Deter()->Bouton_A(3));
    EXPECT_EQ(p.Barre_Deter()->Bouton_A(1)->text().toStdString(), "Search");
    EXPECT_EQ(p.Barre_Deter()->Bouton_A(3)->text().toStdString(), "Results");
    // Nothing to copy but the chooser's states.
    EXPECT_FALSE(f.mnuEditCopy->isEnabled());
    // The better question first.
    ASSERT_EQ(Lignes(liste), (std::vector<std::string>{"Leaf type", "Bark"}));

    // A click on "Leaf type" opens its chooser; a click on "Broad" and OK answer it.
    ASSERT_GE(liste.Position(0), 0);
    const std::string feuille = f.Base()->Objets[static_cast<size_t>(liste.Position(0))].Objet;
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {},
                      liste.visualItemRect(liste.topLevelItem(0)).center());
    ASSERT_EQ(std::tuple(f.Pic_Choix->isVisible(), liste.isVisible(), f.mnuEditCopy->isEnabled()),
              std::tuple(true, false, true));
    EXPECT_EQ(f.Identification()->Question.Objet, feuille);
    QTest::mouseClick(p.Widget_Pic_Choix(), Qt::LeftButton, {},
                      p.Widget_Pic_Choix()->Rectangle_Marque(0).center().toPoint());
    ASSERT_NE(p.Barre_Question()->Bouton_A(1), nullptr);
    QTest::mouseClick(p.Barre_Question()->Bouton_A(1), Qt::LeftButton);

    // Back in the identification view, the questions ranked again without the one answered, the
    // answer in the panel, the two broad-leaved trees at the top.
    EXPECT_EQ(std::tuple(f.Pic_Choix->isVisible(), liste.isVisible(), f.mnuEditCopy->isEnabled()),
              std::tuple(false, true, false));
    EXPECT_EQ(Lignes(liste), std::vector<std::string>{"Bark"});
    EXPECT_EQ(f.Panneau()->Liste()->count(), 1);
    EXPECT_EQ(f.Identification()->Nb_Esp_Max(), 2);
    // Undo puts the question back in the list.
    f.mnuEditUndo->trigger();
    EXPECT_EQ(Lignes(liste), (std::vector<std::string>{"Leaf type", "Bark"}));
    EXPECT_EQ(dialogues_.questions_sans_reponse, 0);
}

}  // namespace
}  // namespace kestrane
