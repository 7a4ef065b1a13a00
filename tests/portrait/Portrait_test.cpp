// The portrait and its questions, driven with the mouse and the keyboard on real widgets.
#include <QApplication>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>

#include "Banc_Portrait.h"
#include "Liste_Especes.h"
#include "Robot_Tab.h"
#include "Schema_Base.h"
#include "Table_Chaines.h"

namespace kestrane::test {
namespace {

// Points of the 480 x 360 drawing.
constexpr double Feuille_X = 120, Feuille_Y = 60;   // the leaf block, outside the margin zone
constexpr double Marge_X = 120, Marge_Y = 100;      // the leaf block, inside the margin zone
constexpr double Tronc_X = 240, Tronc_Y = 320;      // the trunk
constexpr double Fruit_X = 350, Fruit_Y = 90;       // the fruit (zone)
constexpr double Ciel_X = 440, Ciel_Y = 300;        // white

bool Choix_Ouvert(const Banc_Portrait& b) {
    return b.Portrait->Widget_Pic_Choix()->isVisible() && !b.Portrait->Widget_Robot()->isVisible();
}

// The rank of a species in the results list, -1 when it is not listed.
int Rang(const Banc_Portrait& b, const std::string& espece) {
    const std::vector<std::string>& lignes = b.Identification->Liste().Lignes;
    for (size_t i = 0; i < lignes.size(); ++i) {
        if (Nom_De_Ligne(lignes[i]) == espece) return static_cast<int>(i);
    }
    return -1;
}

void Attend_Portrait(const Banc_Portrait& b) {
    ATTEND_QUE(b.Portrait->Widget_Robot()->isVisible());
    ATTEND_QUE(!b.Portrait->Widget_Pic_Choix()->isVisible());
}

// Clicks the organ at x, y, picks the cell and confirms, as a user answers.
void Repond(Banc_Portrait& b, double x, double y, int cellule) {
    b.Clic_Dessin(x, y);
    ATTEND_QUE(Choix_Ouvert(b));
    b.Clic_Cellule(cellule);
    b.Clic_Barre(b.Portrait->Barre_Question(), 1);
    Attend_Portrait(b);
}

TEST(PortraitClick, StartsWithEveryPieceLoaded) {
    Banc_Portrait b;
    ASSERT_TRUE(b.Demarrage.ok()) << b.Demarrage.message();
    const QImage image = b.Capture_Robot();
    EXPECT_EQ(image.pixel(120, 100), Vert_Feuille);
    EXPECT_EQ(image.pixel(240, 300), Brun_Tronc);
    EXPECT_EQ(image.pixel(350, 90), Rouge_Fruit);
    EXPECT_EQ(image.pixel(440, 300), 0xFFFFFFFFu);
    EXPECT_TRUE(b.Dialogues.messages.empty());
}

TEST(PortraitClick, ClickOnLeafOpensItsChooserThroughTheColour) {
    Banc_Portrait b;
    b.Clic_Dessin(Feuille_X, Feuille_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    EXPECT_EQ(b.Identification->Question.Objet, "Feuille");
    EXPECT_EQ(b.Identification->Question.Choix, -1);
    EXPECT_EQ(b.Hote.Statut, "Leaf type");
    EXPECT_EQ(b.Hote.Mode, 2);
    EXPECT_FALSE(b.Portrait->Occupe());
    EXPECT_FALSE(b.Portrait->Barre_Deter()->isVisible());
    EXPECT_TRUE(b.Portrait->Barre_Question()->isVisible());
    // Opened from the portrait: the last question button (the skip) is hidden.
    EXPECT_TRUE(b.Portrait->Barre_Question()->Element_Visible(1));
    EXPECT_TRUE(b.Portrait->Barre_Question()->Element_Visible(3));
    EXPECT_FALSE(b.Portrait->Barre_Question()->Element_Visible(5));
}

TEST(PortraitClick, ClickOnTrunkOpensBark) {
    Banc_Portrait b;
    b.Clic_Dessin(Tronc_X, Tronc_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    EXPECT_EQ(b.Identification->Question.Objet, "Ecorce");
    EXPECT_EQ(b.Hote.Statut, "Bark");
}

TEST(PortraitClick, ClickOnFruitOpensItThroughItsZone) {
    Banc_Portrait b;
    b.Clic_Dessin(Fruit_X, Fruit_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    EXPECT_EQ(b.Identification->Question.Objet, "Fruit");
    EXPECT_EQ(b.Identification->Question.Lignes, 2);
}

TEST(PortraitClick, ZoneNamingNoObjectFallsBackToTheColour) {
    // A zone over the trunk whose name is in no table: the search stops there, and the colour
    // under the pointer decides.
    Banc_Portrait b(Description_Portrait("INSERT INTO Clic_Zone (Numero, Nom, Cadre, Test_Cadre, X1, X2, Y1, Y2, C_0) "
                                         "VALUES (0, 'Inconnu', 1, 0, 1000, 1400, 1000, 1800, 'Fin');\n"));
    ASSERT_TRUE(b.Portrait->Objet_Au_Point(QPointF(Tronc_X, Tronc_Y)) != nullptr);
    b.Clic_Dessin(Tronc_X, Tronc_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    EXPECT_EQ(b.Identification->Question.Objet, "Ecorce");
}

TEST(PortraitClick, ClickOnNothingChangesNothing) {
    Banc_Portrait b;
    b.Clic_Dessin(Ciel_X, Ciel_Y);
    QTest::qWait(0);
    EXPECT_TRUE(b.Portrait->Widget_Robot()->isVisible());
    EXPECT_FALSE(b.Portrait->Widget_Pic_Choix()->isVisible());
    EXPECT_TRUE(b.Portrait->Barre_Deter()->isVisible());
    EXPECT_FALSE(b.Portrait->Occupe());
    EXPECT_EQ(b.Hote.Mode, 1);
    EXPECT_TRUE(b.Dialogues.messages.empty());
}

TEST(PortraitClick, RightClickOpensNothing) {
    Banc_Portrait b;
    QTest::mouseClick(b.Portrait->Widget_Robot(), Qt::RightButton, {}, QPoint(120, 60));
    QTest::qWait(0);
    EXPECT_FALSE(Choix_Ouvert(b));
}

TEST(PortraitClick, BusyPortraitIgnoresClicks) {
    Banc_Portrait b;
    b.Portrait->Fixe_Occupe(true);
    b.Clic_Dessin(Feuille_X, Feuille_Y);
    QTest::qWait(0);
    EXPECT_FALSE(Choix_Ouvert(b));
}

TEST(PortraitClick, ConditionalZoneAppliesOnceItsStateIsChosen) {
    Banc_Portrait b;
    // Before any answer the margin zone does not count: the leaf's colour names the leaf.
    b.Clic_Dessin(Marge_X, Marge_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    ASSERT_EQ(b.Identification->Question.Objet, "Feuille");
    b.Clic_Cellule(0);  // simple
    b.Clic_Barre(b.Portrait->Barre_Question(), 1);
    Attend_Portrait(b);
    b.Clic_Dessin(Marge_X, Marge_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    EXPECT_EQ(b.Identification->Question.Objet, "Marge");
    b.Clic_Barre(b.Portrait->Barre_Question(), 3);  // back
    Attend_Portrait(b);
    // Outside the zone the leaf is still the leaf, with its answer boxed.
    b.Clic_Dessin(Feuille_X, Feuille_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    EXPECT_EQ(b.Identification->Question.Objet, "Feuille");
    EXPECT_EQ(b.Identification->Question.Choix, 0);
}

TEST(PortraitClick, ResizedPortraitKeepsHitsOnTheSameOrgans) {
    Banc_Portrait b;
    for (const QSize taille : {QSize(960, 720), QSize(240, 180), QSize(500, 300)}) {
        b.Redimensionne(taille.width(), taille.height());
        QTest::qWait(0);
        struct {
            double x, y;
            const char* objet;
        } const organes[] = {{Feuille_X, Feuille_Y, "Feuille"}, {Tronc_X, Tronc_Y, "Ecorce"}, {Fruit_X, Fruit_Y, "Fruit"}};
        for (const auto& o : organes) {
            b.Clic_Dessin(o.x, o.y);
            ATTEND_QUE(Choix_Ouvert(b));
            EXPECT_EQ(b.Identification->Question.Objet, o.objet) << taille.width() << " x " << taille.height();
            b.Clic_Barre(b.Portrait->Barre_Question(), 3);
            Attend_Portrait(b);
        }
        const QImage image = b.Capture_Robot();
        EXPECT_EQ(image.pixel(taille.width() / 2, taille.height() * 300 / 360), Brun_Tronc);
    }
}

TEST(PortraitChooser, ClicksMarkMoveAndRemoveTheBlueBox) {
    Banc_Portrait b;
    b.Clic_Dessin(Feuille_X, Feuille_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    Pic_Choix* pic = b.Portrait->Widget_Pic_Choix();
    const int largeur = pic->width();

    b.Clic_Cellule(1);
    EXPECT_EQ(b.Identification->Question.Choix, 1);
    QImage image = b.Capture_Choix();
    // Cell 1 is the last column: its box ends inside the right border.
    EXPECT_EQ(image.pixel(largeur - 1, 180), Bleu_Marque);
    EXPECT_EQ(image.pixel(240, 180), Bleu_Marque);
    EXPECT_EQ(image.pixel(360, 0), Bleu_Marque);
    EXPECT_NE(image.pixel(0, 180), Bleu_Marque);

    b.Clic_Cellule(0);
    EXPECT_EQ(b.Identification->Question.Choix, 0);
    image = b.Capture_Choix();
    EXPECT_EQ(image.pixel(0, 180), Bleu_Marque);
    EXPECT_EQ(image.pixel(largeur - 1, 180), 0xFFFFFFFFu);  // the old box, drawn over in white

    b.Clic_Cellule(0);  // the same cell again: no selection
    EXPECT_EQ(b.Identification->Question.Choix, -1);
    image = b.Capture_Choix();
    EXPECT_NE(image.pixel(0, 180), Bleu_Marque);
    EXPECT_NE(image.pixel(120, 0), Bleu_Marque);
}

TEST(PortraitChooser, RepaintRedrawsTheMark) {
    Banc_Portrait b;
    b.Clic_Dessin(Tronc_X, Tronc_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    b.Clic_Cellule(1);
    Pic_Choix* pic = b.Portrait->Widget_Pic_Choix();
    pic->hide();
    pic->show();
    pic->repaint();
    EXPECT_EQ(b.Capture_Choix().pixel(pic->width() - 1, 100), Bleu_Marque);
}

TEST(PortraitChooser, BoundaryPressBelongsToTheCellOnItsRight) {
    Banc_Portrait b;
    b.Clic_Dessin(Fruit_X, Fruit_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    Pic_Choix* pic = b.Portrait->Widget_Pic_Choix();
    QTest::mouseClick(pic, Qt::LeftButton, {}, QPoint(240, 179));
    EXPECT_EQ(b.Identification->Question.Choix, 1);
    QTest::mouseClick(pic, Qt::LeftButton, {}, QPoint(239, 180));
    EXPECT_EQ(b.Identification->Question.Choix, 2);
    QTest::mouseClick(pic, Qt::LeftButton, {}, QPoint(239, 179));
    EXPECT_EQ(b.Identification->Question.Choix, 0);
}

TEST(PortraitChooser, TooltipNamesTheStateUnderThePointer) {
    Banc_Portrait b;
    b.Clic_Dessin(Fruit_X, Fruit_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    Pic_Choix* pic = b.Portrait->Widget_Pic_Choix();
    EXPECT_EQ(pic->Info_Case(QPointF(100, 100)), "Dry fruit");
    EXPECT_EQ(pic->Info_Case(QPointF(300, 100)), "Fleshy fruit");
    EXPECT_EQ(pic->Info_Case(QPointF(100, 300)), "Winged fruit");
    EXPECT_EQ(pic->Info_Case(QPointF(300, 300)), "");  // beyond the character's states
    b.Survole(pic, QPoint(300, 100));
    ATTEND_QUE((pic->toolTip()) == (QStringLiteral("Fleshy fruit")));
    b.Survole(pic, QPoint(100, 300));
    ATTEND_QUE((pic->toolTip()) == (QStringLiteral("Winged fruit")));
}

TEST(PortraitChooser, KeyboardMovesPicksAndGoesBack) {
    Banc_Portrait b;
    b.Clic_Dessin(Fruit_X, Fruit_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    Pic_Choix* pic = b.Portrait->Widget_Pic_Choix();
    QTest::keyClick(pic, Qt::Key_Right);  // shows the focus box on the first cell
    EXPECT_EQ(pic->Case_Clavier(), 0);
    QTest::keyClick(pic, Qt::Key_Right);
    QTest::keyClick(pic, Qt::Key_Down);
    EXPECT_EQ(pic->Case_Clavier(), 3);
    QTest::keyClick(pic, Qt::Key_Left);
    EXPECT_EQ(pic->Case_Clavier(), 2);
    QTest::keyClick(pic, Qt::Key_Left);  // stays in the grid
    EXPECT_EQ(pic->Case_Clavier(), 2);
    QTest::keyClick(pic, Qt::Key_Return);
    EXPECT_EQ(b.Identification->Question.Choix, 2);
    QTest::keyClick(pic, Qt::Key_Up);
    QTest::keyClick(pic, Qt::Key_Space);
    EXPECT_EQ(b.Identification->Question.Choix, 0);
    QTest::keyClick(pic, Qt::Key_Space);  // the selected cell again: removed
    EXPECT_EQ(b.Identification->Question.Choix, -1);
    QTest::keyClick(pic, Qt::Key_Escape);
    Attend_Portrait(b);
    EXPECT_EQ(b.Identification->Etats_Choisis()[6] + b.Identification->Etats_Choisis()[8], 0);
}

TEST(PortraitQuestionBar, ConfirmRecordsRecomposesAndReturns) {
    Banc_Portrait b;
    b.Clic_Dessin(Tronc_X, Tronc_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    b.Clic_Cellule(1);  // rough bark
    b.Clic_Barre(b.Portrait->Barre_Question(), 1);
    Attend_Portrait(b);
    EXPECT_EQ(b.Identification->Etats_Choisis()[5], 1);
    EXPECT_EQ(b.Hote.Statut, "");
    EXPECT_EQ(b.Hote.Mode, 1);
    EXPECT_FALSE(b.Hote.Sablier_Actif);
    EXPECT_TRUE(b.Portrait->Barre_Deter()->isVisible());
    EXPECT_FALSE(b.Portrait->Barre_Question()->isVisible());
    // The trunk now shows the rough bark's drawing.
    ATTEND_QUE((b.Capture_Robot().pixel(240, 300)) == (Brun_Rugueux));
    // Its hit still names the bark, with the answer preselected.
    b.Clic_Dessin(Tronc_X, Tronc_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    EXPECT_EQ(b.Identification->Question.Choix, 1);
}

TEST(PortraitQuestionBar, ConfirmWithoutSelectionClearsTheAnswer) {
    Banc_Portrait b;
    b.Clic_Dessin(Tronc_X, Tronc_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    b.Clic_Cellule(1);
    b.Clic_Barre(b.Portrait->Barre_Question(), 1);
    Attend_Portrait(b);
    b.Clic_Dessin(Tronc_X, Tronc_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    b.Clic_Cellule(1);  // removes the selection
    b.Clic_Barre(b.Portrait->Barre_Question(), 1);
    Attend_Portrait(b);
    EXPECT_EQ(b.Identification->Etats_Choisis()[5], 0);
    EXPECT_EQ(b.Identification->Etat_Cadre()[1], 0);
    ATTEND_QUE((b.Capture_Robot().pixel(240, 300)) == (Brun_Tronc));
}

// Cells past the character's last state stand for nothing: no tooltip (the numbers there would
// name the next character's states) and no selection, so OK cannot record them.
TEST(PortraitChooser, CellsPastTheLastStateShowNothingAndCannotBeChosen) {
    Banc_Portrait b(Description_Portrait("UPDATE Objets_Fic SET Lignes = 2 WHERE Objet = 'Ecorce';\n"));
    b.Clic_Dessin(Tronc_X, Tronc_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    Pic_Choix* pic = b.Portrait->Widget_Pic_Choix();
    EXPECT_EQ(pic->Info_Case(QPointF(300, 100)), "Rough bark");
    EXPECT_EQ(pic->Info_Case(QPointF(100, 300)), "");  // the fruit's first state is next in number
    b.Survole(pic, QPoint(300, 100));
    ATTEND_QUE(!pic->toolTip().isEmpty());
    b.Survole(pic, QPoint(100, 300));
    ATTEND_QUE(pic->toolTip().isEmpty());
    b.Clic_Cellule(1);
    b.Clic_Cellule(2);
    EXPECT_EQ(b.Identification->Question.Choix, 1);
    b.Clic_Barre(b.Portrait->Barre_Question(), 1);
    Attend_Portrait(b);
    EXPECT_EQ(b.Identification->Etats_Choisis()[5], 1);
    EXPECT_EQ(b.Identification->Etats_Choisis()[6], 0);
}

TEST(PortraitQuestionBar, BackLeavesTheAnswersUnchanged) {
    Banc_Portrait b;
    b.Clic_Dessin(Feuille_X, Feuille_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    b.Clic_Cellule(1);
    b.Clic_Barre(b.Portrait->Barre_Question(), 3);
    Attend_Portrait(b);
    for (const int16_t e : b.Identification->Etats_Choisis()) EXPECT_EQ(e, 0);
    EXPECT_FALSE(b.Identification->Identification_Modifiee());
    EXPECT_EQ(b.Hote.Statut, "");
}

TEST(PortraitDeterminationBar, ButtonOpensTheSameChooserAsTheOrgan) {
    Banc_Portrait b;
    Repond(b, Tronc_X, Tronc_Y, 0);
    b.Clic_Barre(b.Portrait->Barre_Deter(), 1);  // Bark
    ATTEND_QUE(Choix_Ouvert(b));
    EXPECT_EQ(b.Identification->Question.Objet, "Ecorce");
    EXPECT_EQ(b.Identification->Question.Index_Car, 4);
    EXPECT_EQ(b.Identification->Question.Choix, 0);
    EXPECT_EQ(b.Hote.Statut, "Bark");
    EXPECT_EQ(b.Hote.Mode, 2);
    EXPECT_FALSE(b.Portrait->Barre_Question()->Element_Visible(5));
    EXPECT_EQ(b.Capture_Choix().pixel(0, 180), Bleu_Marque);
}

TEST(PortraitDeterminationBar, ResultsButtonAsksForTheResultsView) {
    Banc_Portrait b;
    b.Clic_Barre(b.Portrait->Barre_Deter(), 9);
    EXPECT_EQ(b.Hote.Vues_Resultats, 1);
    EXPECT_FALSE(Choix_Ouvert(b));
}

TEST(PortraitDeterminationBar, ItemsAreButtonsAndSeparators) {
    Banc_Portrait b;
    Barre_Boutons* barre = b.Portrait->Barre_Deter();
    ASSERT_EQ(barre->Nb_Elements(), 10);
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(barre->Bouton_A(i) != nullptr, i % 2 == 1) << i;
    EXPECT_EQ(barre->Bouton_A(3)->text(), "Leaf");
    EXPECT_EQ(barre->Bouton_A(3)->toolTip(), "The leaf");
    EXPECT_EQ(b.Portrait->Barre_Question()->Nb_Elements(), 6);
}

TEST(PortraitDeterminationBar, MissingButtonNumberLeavesItsItemEmpty) {
    Banc_Portrait b(Description_Portrait("DELETE FROM But_Deter WHERE Numero = 2;\n"));
    Barre_Boutons* barre = b.Portrait->Barre_Deter();
    ASSERT_EQ(barre->Nb_Elements(), 10);
    EXPECT_EQ(barre->Bouton_A(3), nullptr);
    ASSERT_NE(barre->Bouton_A(5), nullptr);
    EXPECT_EQ(barre->Bouton_A(5)->text(), "Fruit");
    b.Clic_Barre(barre, 5);
    ATTEND_QUE(Choix_Ouvert(b));
    EXPECT_EQ(b.Identification->Question.Objet, "Fruit");
}

TEST(PortraitDeterminationBar, EveryButtonIsReachableByTab) {
    Banc_Portrait b;
    Barre_Boutons* barre = b.Portrait->Barre_Deter();
    barre->Bouton_A(1)->setFocus(Qt::TabFocusReason);
    ATTEND_QUE(barre->Bouton_A(1)->hasFocus());
    for (int i = 3; i <= 9; i += 2) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ATTEND_QUE(barre->Bouton_A(i)->hasFocus()) << i;
    }
    // Enter presses the focused button: Results.
    QTest::keyClick(barre->Bouton_A(9), Qt::Key_Return);
    EXPECT_EQ(b.Hote.Vues_Resultats, 1);
    QTest::keyClick(barre->Bouton_A(9), Qt::Key_Space);
    EXPECT_EQ(b.Hote.Vues_Resultats, 2);
}

TEST(PortraitSearch, OneSpeciesLeftIsSaidAndNothingOpens) {
    Banc_Portrait b;
    // Compound leaf: only Fraxinus.
    b.Clic_Dessin(Feuille_X, Feuille_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    b.Clic_Cellule(1);
    b.Clic_Barre(b.Portrait->Barre_Question(), 1);
    Attend_Portrait(b);
    ASSERT_EQ(b.Identification->Nb_Esp_Max(), 1);
    b.Dialogues.reponses.push_back(Reponse::OK);
    b.Clic_Barre(b.Portrait->Barre_Deter(), 7);
    ASSERT_EQ(b.Dialogues.messages.size(), 1u);
    EXPECT_EQ(b.Dialogues.messages[0].texte, "There is only one species");
    EXPECT_TRUE(b.Portrait->Barre_Deter()->isVisible());
    EXPECT_FALSE(Choix_Ouvert(b));
}

TEST(PortraitSearch, NothingLeftToAskReturnsToThePortrait) {
    Banc_Portrait b;
    // Simple leaf and smooth bark leave Acer and Fagus tied; every proposal is then skipped.
    Repond(b, Feuille_X, Feuille_Y, 0);
    Repond(b, Tronc_X, Tronc_Y, 0);
    ASSERT_EQ(b.Identification->Nb_Esp_Max(), 2);  // Acer, Fagus
    b.Clic_Barre(b.Portrait->Barre_Deter(), 7);
    ATTEND_QUE(Choix_Ouvert(b));
    // Skip until nothing is left; the retry question is answered No.
    b.Dialogues.reponses.push_back(Reponse::Non);
    for (int i = 0; i < 4 && b.Dialogues.messages.empty(); ++i) b.Clic_Barre(b.Portrait->Barre_Question(), 5);
    ASSERT_EQ(b.Dialogues.messages.size(), 1u);
    EXPECT_EQ(b.Dialogues.messages[0].boutons, Boutons::Oui_Non);
    Attend_Portrait(b);
    EXPECT_EQ(b.Hote.Statut, "");
    EXPECT_TRUE(b.Portrait->Barre_Deter()->isVisible());
}

TEST(PortraitSearch, RetryAfterSkippingEverythingProposesAgain) {
    Banc_Portrait b;
    b.Clic_Barre(b.Portrait->Barre_Deter(), 7);
    ATTEND_QUE(Choix_Ouvert(b));
    b.Dialogues.reponses.push_back(Reponse::Oui);
    for (int i = 0; i < 5 && b.Dialogues.messages.empty(); ++i) b.Clic_Barre(b.Portrait->Barre_Question(), 5);
    ASSERT_EQ(b.Dialogues.messages.size(), 1u);
    EXPECT_TRUE(b.Dialogues.messages[0].texte.contains("No more discriminant characteristic"));
    // Yes: the skipped characters are proposed again, in the chooser.
    EXPECT_TRUE(Choix_Ouvert(b));
    EXPECT_TRUE(b.Portrait->Barre_Question()->isVisible());
    EXPECT_FALSE(b.Identification->Car_Passe());
    EXPECT_FALSE(b.Identification->Question.Objet.empty());
}

TEST(PortraitContradictions, OverlayAndIconUntilTheNextAnswer) {
    Banc_Portrait b;
    Repond(b, Feuille_X, Feuille_Y, 1);  // compound
    Repond(b, Tronc_X, Tronc_Y, 0);      // smooth
    // Fraxinus (compound, rough) is contradicted by the smooth bark, shown by a drawing; Acer
    // (simple, smooth) by the compound leaf, shown on button 2.
    const int rang_fraxinus = Rang(b, "Fraxinus");
    const int rang_acer = Rang(b, "Acer");
    ASSERT_GE(rang_fraxinus, 0);
    ASSERT_GE(rang_acer, 0);

    const int vues = b.Hote.Vues_Identification;
    b.Portrait->Affiche_Contradictions(b.Identification->Contradictions(rang_fraxinus));
    EXPECT_EQ(b.Hote.Vues_Identification, vues + 1);
    EXPECT_EQ(b.Portrait->Calques().Nb_Dessins_Sup(), 1);
    ATTEND_QUE((b.Capture_Robot().pixel(240, 260)) == (Magenta_Contra));
    EXPECT_EQ(b.Capture_Robot().pixel(240, 340), Brun_Tronc);  // the piece stays beneath
    EXPECT_EQ(b.Portrait->Widget_Small_Robot()->grab().toImage().pixel(60, 65), Brun_Tronc);
    // The overlay's colour names nothing: a click there opens nothing.
    EXPECT_EQ(b.Portrait->Objet_Au_Point(QPointF(240, 260)), nullptr);

    b.Portrait->Affiche_Contradictions(b.Identification->Contradictions(rang_acer));
    EXPECT_EQ(b.Portrait->Calques().Nb_Dessins_Sup(), 1);
    ATTEND_QUE((b.Capture_Robot().pixel(240, 260)) == (Brun_Tronc));  // the earlier marks are gone
    QToolButton* feuille = b.Portrait->Barre_Deter()->Bouton_A(3);
    ASSERT_NE(feuille, nullptr);
    EXPECT_EQ(feuille->icon().pixmap(16, 16).toImage().pixel(8, 8), Rouge_Icone);
    EXPECT_EQ(b.Portrait->Barre_Deter()->Bouton_A(1)->icon().pixmap(16, 16).toImage().pixel(8, 8), Bleu_Icone);

    // The next confirmed answer removes the marks and restores the bar.
    Repond(b, Fruit_X, Fruit_Y, 0);
    EXPECT_EQ(b.Portrait->Calques().Nb_Dessins_Sup(), 0);
    EXPECT_EQ(b.Portrait->Calques().Calques().size(), 3u);
    EXPECT_EQ(b.Portrait->Barre_Deter()->Bouton_A(3)->icon().pixmap(16, 16).toImage().pixel(8, 8), Bleu_Icone);
    EXPECT_TRUE(b.Dialogues.messages.empty());
}

TEST(PortraitContradictions, RemovalForTheResultsView) {
    Banc_Portrait b;
    Repond(b, Tronc_X, Tronc_Y, 0);
    ASSERT_FALSE(b.Identification->Liste().Lignes.empty());
    const Contradictions_Espece c = b.Identification->Contradictions(static_cast<int>(b.Identification->Liste().Lignes.size()) - 1);
    b.Portrait->Affiche_Contradictions(c);
    ASSERT_GT(b.Portrait->Calques().Nb_Dessins_Sup(), 0);
    EXPECT_TRUE(b.Portrait->Retire_Contradictions());
    EXPECT_EQ(b.Portrait->Calques().Nb_Dessins_Sup(), 0);
    EXPECT_FALSE(b.Portrait->Retire_Contradictions());
    ATTEND_QUE((b.Capture_Robot().pixel(240, 260)) == (Brun_Tronc));
}

TEST(PortraitContradictions, MissingOverlayIsSaidAndSkipped) {
    Banc_Portrait b(Description_Portrait("UPDATE Contradictions SET Popup = 'absent' WHERE Objet = 'Ecorce';\n"));
    Repond(b, Tronc_X, Tronc_Y, 0);
    b.Dialogues.reponses.push_back(Reponse::OK);
    ASSERT_FALSE(b.Identification->Liste().Lignes.empty());
    const int dernier = static_cast<int>(b.Identification->Liste().Lignes.size()) - 1;
    b.Portrait->Affiche_Contradictions(b.Identification->Contradictions(dernier));
    ASSERT_EQ(b.Dialogues.messages.size(), 1u);
    EXPECT_TRUE(b.Dialogues.messages[0].texte.startsWith("The drawing is unavailable... Fichier : "));
    EXPECT_TRUE(b.Dialogues.messages[0].texte.endsWith("absent.wmf"));
    EXPECT_EQ(b.Dialogues.messages[0].titre.toStdString(), Chaine_Ou_Anglais(1050, 0));
    ATTEND_QUE((b.Capture_Robot().pixel(240, 260)) == (Brun_Tronc));
}

TEST(PortraitMissingDrawing, DuringTheSessionIsSaidAndTheSessionGoesOn) {
    Banc_Portrait b;
    std::filesystem::remove(b.Dossier->Dossier() + "robot/00/tronc01.WMF");
    b.Clic_Dessin(Tronc_X, Tronc_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    b.Clic_Cellule(1);
    b.Dialogues.reponses.push_back(Reponse::OK);
    b.Clic_Barre(b.Portrait->Barre_Question(), 1);
    Attend_Portrait(b);
    ASSERT_EQ(b.Dialogues.messages.size(), 1u);
    EXPECT_TRUE(b.Dialogues.messages[0].texte.contains("tronc01.wmf"));
    EXPECT_EQ(b.Identification->Etats_Choisis()[5], 1);  // the answer is kept
    const QImage image = b.Capture_Robot();
    EXPECT_EQ(image.pixel(240, 300), 0xFFFFFFFFu);       // that layer is empty
    EXPECT_EQ(image.pixel(120, 100), Vert_Feuille);      // the others are painted
    EXPECT_EQ(image.pixel(350, 90), Rouge_Fruit);
    // The portrait still answers.
    b.Clic_Dessin(Fruit_X, Fruit_Y);
    ATTEND_QUE(Choix_Ouvert(b));
}

TEST(PortraitMissingDrawing, WhileLoadingFailsTheStart) {
    Description_Base d = Description_Portrait("UPDATE Hierarchie SET Nom = 'absent.wmf' WHERE Numero = 4;\n");
    Banc_Portrait b(d, false);
    EXPECT_FALSE(b.Demarrage.ok());
    EXPECT_NE(b.Demarrage.message().find("absent.wmf"), std::string::npos);
    EXPECT_TRUE(b.Dialogues.messages.empty());  // the window says it, then ends
}

TEST(PortraitMissingDrawing, StatePictureKeepsThePortrait) {
    Banc_Portrait b(Description_Portrait("UPDATE Objets_Fic SET Popup = 'absent.wmf' WHERE Objet = 'Ecorce';\n"));
    b.Dialogues.reponses.push_back(Reponse::OK);
    b.Clic_Dessin(Tronc_X, Tronc_Y);
    ATTEND_QUE((b.Dialogues.messages.size()) == (1u));
    EXPECT_EQ(b.Dialogues.messages[0].texte, "The drawing is unavailable...");
    EXPECT_EQ(b.Dialogues.messages[0].boutons, Boutons::OK);
    EXPECT_EQ(b.Dialogues.messages[0].titre.toStdString(), Chaine_Ou_Anglais(1050, 0));
    EXPECT_TRUE(b.Portrait->Widget_Robot()->isVisible());
    EXPECT_TRUE(b.Portrait->Occupe());
    // The question bar brings the portrait back and frees it.
    EXPECT_TRUE(b.Portrait->Barre_Question()->isVisible());
    b.Clic_Barre(b.Portrait->Barre_Question(), 3);
    Attend_Portrait(b);
    EXPECT_FALSE(b.Portrait->Occupe());
}

TEST(PortraitMissingDrawing, UnknownStateInARuleIsSaid) {
    Banc_Portrait b(Description_Portrait("INSERT INTO Hierarchie (Numero, Robot_Num, Nom, C_0, C_1, C_2) "
                                         "VALUES (0, 2, 'x.wmf', 'INCONNU', 'Fin', NULL);\n"),
                    true, {Reponse::OK});
    ASSERT_EQ(b.Dialogues.messages.size(), 1u);
    EXPECT_TRUE(b.Dialogues.messages[0].texte.contains("'INCONNU'"));
    EXPECT_EQ(b.Dialogues.messages[0].titre, "Kestrane");
    EXPECT_EQ(b.Capture_Robot().pixel(350, 90), Rouge_Fruit);  // the rule is passed over
}

TEST(PortraitLayers, ComposedAtTheDeviceResolutionAndCached) {
    Banc_Portrait b;
    Robot_Tab& calques = b.Portrait->Calques();
    const QImage double_resolution = calques.Image(QSize(480, 360), 2.0, true);
    EXPECT_EQ(double_resolution.size(), QSize(960, 720));
    EXPECT_EQ(double_resolution.pixel(480, 600), Brun_Tronc);
    EXPECT_EQ(calques.Couleur(QSize(480, 360), 2.0, QPoint(240, 300), true), 0x004080);
    EXPECT_EQ(calques.Couleur(QSize(480, 360), 2.0, QPoint(120, 100), true), 0x00A000);
    // Same size, no change: the same picture, not a new composition.
    const QImage une = calques.Image(QSize(480, 360), 1.0, true);
    EXPECT_EQ(calques.Image(QSize(480, 360), 1.0, true).cacheKey(), une.cacheKey());
    EXPECT_NE(calques.Image(QSize(240, 180), 1.0, true).cacheKey(), une.cacheKey());
    // A changed layer composes again.
    calques.Charge_Dessin("Ecorce", 4, b.Dossier->Dossier() + "robot/CONTRA/ECORCE_X.WMF");
    const QImage apres = calques.Image(QSize(480, 360), 1.0, true);
    EXPECT_NE(apres.cacheKey(), une.cacheKey());
    EXPECT_EQ(apres.pixel(240, 260), Magenta_Contra);
    EXPECT_EQ(calques.Image(QSize(480, 360), 1.0, false).pixel(240, 260), Brun_Tronc);
}

TEST(PortraitHover, DynamicPointerShowsTheQuestion) {
    Banc_Portrait b;
    Robot* robot = b.Portrait->Widget_Robot();
    b.Survole(robot, QPoint(120, 60));
    QTest::qWait(0);
    EXPECT_EQ(robot->toolTip(), "");  // option off: nothing changes
    b.Parametres.Curseur_Dynamique = true;
    b.Survole(robot, QPoint(120, 61));
    ATTEND_QUE((robot->toolTip()) == (QStringLiteral("Leaf type")));
    EXPECT_EQ(robot->cursor().shape(), Qt::PointingHandCursor);
    b.Survole(robot, QPoint(350, 90));
    ATTEND_QUE((robot->toolTip()) == (QStringLiteral("Fruit")));
    b.Survole(robot, QPoint(440, 300));
    ATTEND_QUE((robot->toolTip()) == (QString()));
    EXPECT_EQ(robot->cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(Choix_Ouvert(b));  // hovering never opens anything
}

TEST(PortraitLanguage, AChangeReachesQuestionsAndTooltipsAtOnceWhileTheBarsKeepTheirs) {
    Banc_Portrait b(Description_Portrait(
        Schema_Traductions_SQL() + "INSERT INTO Traductions (Nom_Table, Cle, Champ, Langue, Texte) VALUES"
                                   " ('Objets_Fic', 'Feuille', 'TipText', 'fr', 'Type de feuille'),"
                                   " ('Objets_Fic', 'Feuille', 'TipText', 'es', 'Tipo de hoja'),"
                                   " ('Caracteres', 'F_COMP', 'TipText', 'es', 'Hoja compuesta'),"
                                   " ('But_Deter', '2', 'Caption', 'es', 'Hoja');"));
    b.Hote.Langue_Interface = 2;
    b.Clic_Dessin(Feuille_X, Feuille_Y);
    ATTEND_QUE(Choix_Ouvert(b));
    EXPECT_EQ(b.Hote.Statut, "Type de feuille");
    Pic_Choix* pic = b.Portrait->Widget_Pic_Choix();
    EXPECT_EQ(pic->Info_Case(QPointF(300, 100)), "Compound leaf");  // no French text: the base's own
    b.Hote.Langue_Interface = 1;
    b.Survole(pic, QPoint(300, 101));
    ATTEND_QUE((pic->toolTip()) == (QStringLiteral("Hoja compuesta")));
    b.Clic_Barre(b.Portrait->Barre_Question(), 3);  // back
    Attend_Portrait(b);
    // The bars were built in English at the start and stay so until the next one.
    EXPECT_EQ(b.Portrait->Barre_Deter()->Bouton_A(3)->text(), "Leaf");
    b.Clic_Barre(b.Portrait->Barre_Deter(), 3);
    ATTEND_QUE(Choix_Ouvert(b));
    EXPECT_EQ(b.Hote.Statut, "Tipo de hoja");
}

TEST(PortraitSmallRobot, ShowsThePiecesAndAsksForTheIdentificationView) {
    Banc_Portrait b;
    Small_Robot* petit = b.Portrait->Widget_Small_Robot();
    petit->show();
    int clics = 0;
    QObject::connect(petit, &Small_Robot::Clique, [&] { ++clics; });
    const QImage image = petit->grab().toImage();
    EXPECT_EQ(image.pixel(30, 25), Vert_Feuille);
    EXPECT_EQ(image.pixel(60, 75), Brun_Tronc);
    QTest::mouseClick(petit, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clics, 1);
}

}  // namespace
}  // namespace kestrane::test
