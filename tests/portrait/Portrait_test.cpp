// The portrait and its questions, driven with the mouse and the keyboard on real widgets. What the
// answers do to the ranking, the searches' messages and the contradictions' lists are the engine's
// tests (tests/engine/Identification_Courante_test.cpp); here, what the widgets do with them.
#include <QApplication>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "Banc_Portrait.h"
#include "Liste_Especes.h"
#include "Robot_Tab.h"
#include "Schema_Base.h"
#include "Table_Chaines.h"

namespace kestrane::test {
namespace {

// Points of the 480 x 360 drawing.
constexpr double Feuille_X = 120, Feuille_Y = 60;  // the leaf block, outside the margin zone
constexpr double Marge_X = 120, Marge_Y = 100;     // the leaf block, inside the margin zone
constexpr double Tronc_X = 240, Tronc_Y = 320;     // the trunk
constexpr double Fruit_X = 350, Fruit_Y = 90;      // the fruit (zone)

bool Choix_Ouvert(const Banc_Portrait& b) {
    return b.Portrait->Widget_Pic_Choix()->isVisible() && !b.Portrait->Widget_Robot()->isVisible();
}

void Attend_Portrait(const Banc_Portrait& b) {
    ATTEND_QUE(b.Portrait->Widget_Robot()->isVisible());
    ATTEND_QUE(!b.Portrait->Widget_Pic_Choix()->isVisible());
}

// Clicks the organ at x, y and waits for its chooser.
void Ouvre(Banc_Portrait& b, double x, double y) {
    b.Clic_Dessin(x, y);
    ATTEND_QUE(Choix_Ouvert(b));
}

// A click on the question bar's OK (1) or Back (3), then the portrait again.
void Ferme(Banc_Portrait& b, int bouton) {
    b.Clic_Barre(b.Portrait->Barre_Question(), bouton);
    Attend_Portrait(b);
}

// Clicks the organ at x, y, picks the cell and confirms, as a user answers.
void Repond(Banc_Portrait& b, double x, double y, int cellule) {
    Ouvre(b, x, y);
    b.Clic_Cellule(cellule);
    Ferme(b, 1);
}

// The window's side at once: the view's mode, the status text, the chooser open, the determination
// and the question bars on screen.
std::tuple<int, QString, bool, bool, bool> Vue(const Banc_Portrait& b) {
    return {b.Hote.Mode, b.Hote.Statut, Choix_Ouvert(b), b.Portrait->Barre_Deter()->isVisible(),
            b.Portrait->Barre_Question()->isVisible()};
}

// The question bar's OK, Back and the search's skip, on screen.
std::tuple<bool, bool, bool> Ok_Retour_Suivant(const Banc_Portrait& b) {
    const Barre_Boutons& q = *b.Portrait->Barre_Question();
    return {q.Element_Visible(1), q.Element_Visible(3), q.Element_Visible(5)};
}

QRgb Pixel_Icone(QToolButton* bouton) {
    return bouton->icon().pixmap(16, 16).toImage().pixel(8, 8);
}

TEST(PortraitClick, OrgansOpenTheirChooserAtAnySizeAndOtherClicksNothing) {
    Banc_Portrait b;
    ASSERT_TRUE(b.Demarrage.ok()) << b.Demarrage.message();
    const QImage depart = b.Capture_Robot();
    EXPECT_EQ(std::tuple(depart.pixel(120, 100), depart.pixel(350, 90), depart.pixel(440, 300)),
              std::tuple(Vert_Feuille, Rouge_Fruit, 0xFFFFFFFFu));
    struct {
        double x, y;
        const char* objet;
        const char* statut;
    } const organes[] = {{Feuille_X, Feuille_Y, "Feuille", "Leaf type"},  // through the colour
                         {Tronc_X, Tronc_Y, "Ecorce", "Bark"},
                         {Fruit_X, Fruit_Y, "Fruit", "Fruit"}};  // through its zone
    for (const QSize taille : {QSize(480, 360), QSize(960, 720), QSize(240, 180)}) {
        SCOPED_TRACE(testing::Message() << taille.width() << " x " << taille.height());
        b.Redimensionne(taille.width(), taille.height());
        QTest::qWait(0);
        EXPECT_EQ(b.Capture_Robot().pixel(taille.width() / 2, taille.height() * 300 / 360), Brun_Tronc);
        for (const auto& o : organes) {
            SCOPED_TRACE(o.objet);
            Ouvre(b, o.x, o.y);
            EXPECT_EQ(b.Identification->Question.Objet, o.objet);
            EXPECT_EQ(Vue(b), std::tuple(2, o.statut, true, false, true));
            EXPECT_EQ(Ok_Retour_Suivant(b), std::tuple(true, true, false));  // not the search's skip
            Ferme(b, 3);
        }
    }
    b.Redimensionne(480, 360);
    // The white sky, a right click and a click while busy open nothing.
    b.Clic_Dessin(440, 300);
    QTest::mouseClick(b.Portrait->Widget_Robot(), Qt::RightButton, {}, QPoint(120, 60));
    b.Portrait->Fixe_Occupe(true);
    b.Clic_Dessin(Feuille_X, Feuille_Y);
    QTest::qWait(0);
    EXPECT_EQ(Vue(b), std::tuple(1, "", false, true, false));
    b.Portrait->Fixe_Occupe(false);
    // The margin zone counts once the leaf is simple; outside it the leaf keeps its answer boxed.
    Repond(b, Marge_X, Marge_Y, 0);
    Ouvre(b, Marge_X, Marge_Y);
    EXPECT_EQ(b.Identification->Question.Objet, "Marge");
    Ferme(b, 3);
    Ouvre(b, Feuille_X, Feuille_Y);
    EXPECT_EQ(b.Identification->Question.Objet, "Feuille");
    EXPECT_EQ(b.Identification->Question.Choix, 0);
    EXPECT_TRUE(b.Dialogues.messages.empty());
}

TEST(PortraitChooser, MouseAndKeyboardMarkTheCellsTooltipsNameThem) {
    Banc_Portrait b;
    Pic_Choix* pic = b.Portrait->Widget_Pic_Choix();
    Ouvre(b, Feuille_X, Feuille_Y);  // one row of two cells
    const int largeur = pic->width();
    b.Clic_Cellule(1);
    EXPECT_EQ(b.Identification->Question.Choix, 1);
    QImage image = b.Capture_Choix();
    // Cell 1 is the last column: its box ends inside the right border.
    EXPECT_EQ(std::tuple(image.pixel(largeur - 1, 180), image.pixel(240, 180), image.pixel(360, 0), image.pixel(0, 180) == Bleu_Marque),
              std::tuple(Bleu_Marque, Bleu_Marque, Bleu_Marque, false));
    pic->hide();
    pic->show();
    pic->repaint();
    EXPECT_EQ(b.Capture_Choix().pixel(largeur - 1, 100), Bleu_Marque) << "the mark is painted again";
    b.Clic_Cellule(0);
    image = b.Capture_Choix();
    EXPECT_EQ(std::tuple(image.pixel(0, 180), image.pixel(largeur - 1, 180)), std::tuple(Bleu_Marque, 0xFFFFFFFFu));  // the old box in white
    b.Clic_Cellule(0);                                      // the same cell again: no selection
    EXPECT_EQ(b.Identification->Question.Choix, -1);
    EXPECT_NE(b.Capture_Choix().pixel(0, 180), Bleu_Marque);
    Ferme(b, 3);

    Ouvre(b, Fruit_X, Fruit_Y);  // two rows of two cells, the fourth empty
    const struct {
        QPoint point;
        int choix;
    } bords[] = {{{240, 179}, 1}, {{239, 180}, 2}, {{239, 179}, 0}};  // a boundary belongs right and down
    for (const auto& c : bords) {
        QTest::mouseClick(pic, Qt::LeftButton, {}, c.point);
        EXPECT_EQ(b.Identification->Question.Choix, c.choix) << c.point.x() << ", " << c.point.y();
    }
    const struct {
        QPoint point;
        const char* texte;
    } bulles[] = {{{300, 100}, "Fleshy fruit"}, {{100, 300}, "Winged fruit"}, {{300, 300}, ""}};
    for (const auto& c : bulles) {
        b.Survole(pic, c.point);
        ATTEND_QUE(pic->toolTip() == QString::fromUtf8(c.texte)) << c.texte;
    }
    const struct {
        Qt::Key touche;
        int case_clavier, choix;
    } touches[] = {{Qt::Key_Right, 0, 0},  // the first key shows the focus box on the first cell
                   {Qt::Key_Right, 1, 0},  {Qt::Key_Down, 3, 0},
                   {Qt::Key_Left, 2, 0},   {Qt::Key_Left, 2, 0},  // stays in the grid
                   {Qt::Key_Return, 2, 2}, {Qt::Key_Up, 0, 2},
                   {Qt::Key_Space, 0, 0},  {Qt::Key_Space, 0, -1}};  // the selected cell again: removed
    for (size_t i = 0; i < std::size(touches); ++i) {
        QTest::keyClick(pic, touches[i].touche);
        EXPECT_EQ(pic->Case_Clavier(), touches[i].case_clavier) << "key " << i;
        EXPECT_EQ(b.Identification->Question.Choix, touches[i].choix) << "key " << i;
    }
    QTest::keyClick(pic, Qt::Key_Escape);
    Attend_Portrait(b);
    ASSERT_GE(b.Identification->Etats_Choisis().size(), 9u);
    EXPECT_EQ(b.Identification->Etats_Choisis()[6] + b.Identification->Etats_Choisis()[8], 0);
}

TEST(PortraitQuestionBar, OkRecordsAndRepaintsBackKeepsTheAnswersTheBarReopens) {
    Banc_Portrait b;
    Ouvre(b, Feuille_X, Feuille_Y);
    b.Clic_Cellule(1);
    Ferme(b, 3);
    for (const int16_t e : b.Identification->Etats_Choisis()) EXPECT_EQ(e, 0);
    EXPECT_FALSE(b.Identification->Identification_Modifiee());

    Repond(b, Tronc_X, Tronc_Y, 1);  // rough bark
    ASSERT_GE(b.Identification->Etats_Choisis().size(), 6u);
    EXPECT_EQ(b.Identification->Etats_Choisis()[5], 1);
    EXPECT_EQ(Vue(b), std::tuple(1, "", false, true, false));
    EXPECT_FALSE(b.Hote.Sablier_Actif);
    ATTEND_QUE(b.Capture_Robot().pixel(240, 300) == Brun_Rugueux);
    // The bar's Bark button opens the same chooser, the answer preselected; OK with no cell
    // selected takes the answer back.
    b.Clic_Barre(b.Portrait->Barre_Deter(), 1);
    ATTEND_QUE(Choix_Ouvert(b));
    EXPECT_EQ(std::tuple(b.Identification->Question.Objet, b.Identification->Question.Choix), std::tuple("Ecorce", 1));
    EXPECT_EQ(Vue(b), std::tuple(2, "Bark", true, false, true));
    EXPECT_EQ(Ok_Retour_Suivant(b), std::tuple(true, true, false));
    b.Clic_Cellule(1);
    Ferme(b, 1);
    EXPECT_EQ(b.Identification->Etats_Choisis()[5], 0);
    ATTEND_QUE(b.Capture_Robot().pixel(240, 300) == Brun_Tronc);
}

TEST(PortraitDeterminationBar, ButtonsBetweenSeparatorsReachedByTabAndPressedByKeys) {
    Banc_Portrait b;
    Barre_Boutons* barre = b.Portrait->Barre_Deter();
    ASSERT_EQ(barre->Nb_Elements(), 10);
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(barre->Bouton_A(i) != nullptr, i % 2 == 1) << i;
    ASSERT_TRUE(barre->Bouton_A(1) && barre->Bouton_A(3) && barre->Bouton_A(9));
    EXPECT_EQ(barre->Bouton_A(3)->toolTip(), "The leaf");
    barre->Bouton_A(1)->setFocus(Qt::TabFocusReason);
    ATTEND_QUE(barre->Bouton_A(1)->hasFocus());
    for (int i = 3; i <= 9; i += 2) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ATTEND_QUE(barre->Bouton_A(i)->hasFocus()) << i;
    }
    // Results asks the window for the results view, by Enter, Space or the mouse.
    QTest::keyClick(barre->Bouton_A(9), Qt::Key_Return);
    QTest::keyClick(barre->Bouton_A(9), Qt::Key_Space);
    b.Clic_Barre(barre, 9);
    EXPECT_EQ(b.Hote.Vues_Resultats, 3);
    EXPECT_FALSE(Choix_Ouvert(b));
}

// The skip button goes through the proposals; the retry question's Yes proposes again in the
// chooser, its No returns to the portrait.
TEST(PortraitSearch, SkippingToTheEndAsksToRetryYesProposesAgainNoReturns) {
    Banc_Portrait b;
    b.Clic_Barre(b.Portrait->Barre_Deter(), 7);
    ATTEND_QUE(Choix_Ouvert(b));
    for (const Reponse reponse : {Reponse::Oui, Reponse::Non}) {
        b.Dialogues.messages.clear();
        b.Dialogues.reponses.push_back(reponse);
        for (int i = 0; i < 5 && b.Dialogues.messages.empty(); ++i)
            b.Clic_Barre(b.Portrait->Barre_Question(), 5);
        ASSERT_EQ(b.Dialogues.messages.size(), 1u);
        EXPECT_EQ(b.Dialogues.messages[0].boutons, Boutons::Oui_Non);
    }
    Attend_Portrait(b);
    EXPECT_EQ(Vue(b), std::tuple(1, "", false, true, false));
}

TEST(PortraitContradictions, OverlayIconAndSmallRobotUntilTheNextAnswer) {
    Banc_Portrait b;
    Repond(b, Feuille_X, Feuille_Y, 1);  // compound
    Repond(b, Tronc_X, Tronc_Y, 0);      // smooth
    // Fraxinus (compound, rough) is contradicted by the smooth bark, shown by a drawing; Acer
    // (simple, smooth) by the compound leaf, shown on button 2.
    const std::vector<std::string>& lignes = b.Identification->Liste().Lignes;
    auto rang = [&](const std::string& espece) {
        for (size_t i = 0; i < lignes.size(); ++i)
            if (Nom_De_Ligne(lignes[i]) == espece)
                return static_cast<int>(i);
        return -1;
    };
    ASSERT_GE(rang("Fraxinus"), 0);
    ASSERT_GE(rang("Acer"), 0);

    const int vues = b.Hote.Vues_Identification;
    b.Portrait->Affiche_Contradictions(b.Identification->Contradictions(rang("Fraxinus")));
    EXPECT_EQ(b.Hote.Vues_Identification, vues + 1);
    ATTEND_QUE(b.Capture_Robot().pixel(240, 260) == Magenta_Contra);
    EXPECT_EQ(b.Capture_Robot().pixel(240, 340), Brun_Tronc);  // the piece stays beneath
    EXPECT_EQ(b.Portrait->Objet_Au_Point(QPointF(240, 260)), nullptr) << "the overlay's colour names nothing";
    Small_Robot* petit = b.Portrait->Widget_Small_Robot();
    petit->show();
    int clics = 0;
    QObject::connect(petit, &Small_Robot::Clique, [&] { ++clics; });
    const QImage vignette = petit->grab().toImage();
    EXPECT_EQ(std::tuple(vignette.pixel(60, 65), vignette.pixel(30, 25)), std::tuple(Brun_Tronc, Vert_Feuille));
    QTest::mouseClick(petit, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clics, 1);

    b.Portrait->Affiche_Contradictions(b.Identification->Contradictions(rang("Acer")));
    ATTEND_QUE(b.Capture_Robot().pixel(240, 260) == Brun_Tronc);  // the earlier marks are gone
    ASSERT_TRUE(b.Portrait->Barre_Deter()->Bouton_A(1) && b.Portrait->Barre_Deter()->Bouton_A(3));
    EXPECT_EQ(std::tuple(Pixel_Icone(b.Portrait->Barre_Deter()->Bouton_A(3)), Pixel_Icone(b.Portrait->Barre_Deter()->Bouton_A(1))),
              std::tuple(Rouge_Icone, Bleu_Icone));
    // The next confirmed answer removes the marks and restores the bar.
    Repond(b, Fruit_X, Fruit_Y, 0);
    EXPECT_EQ(b.Portrait->Calques().Nb_Dessins_Sup(), 0);
    EXPECT_EQ(Pixel_Icone(b.Portrait->Barre_Deter()->Bouton_A(3)), Bleu_Icone);
    // The results view takes them back too, once.
    b.Portrait->Affiche_Contradictions(b.Identification->Contradictions(rang("Fraxinus")));
    ASSERT_GT(b.Portrait->Calques().Nb_Dessins_Sup(), 0);
    EXPECT_TRUE(b.Portrait->Retire_Contradictions());
    EXPECT_FALSE(b.Portrait->Retire_Contradictions());
    ATTEND_QUE(b.Capture_Robot().pixel(240, 260) == Brun_Tronc);
    EXPECT_TRUE(b.Dialogues.messages.empty());
}

// One key with its faults: a rule naming no state, no button 2, a zone naming no object over the
// trunk, two states for the bark, no overlay for the bark, no state picture for the leaf.
TEST(PortraitDamagedKey, EachFaultIsSaidOrPassedOverAndThePortraitGoesOn) {
    Banc_Portrait b(
        Description_Portrait("INSERT INTO Hierarchie (Numero, Robot_Num, Nom, C_0, C_1, C_2) "
                             "VALUES (0, 2, 'x.wmf', 'INCONNU', 'Fin', NULL);\n"
                             "DELETE FROM But_Deter WHERE Numero = 2;\n"
                             "INSERT INTO Clic_Zone (Numero, Nom, Cadre, Test_Cadre, X1, X2, Y1, Y2, C_0) "
                             "VALUES (0, 'Inconnu', 1, 0, 1000, 1400, 1000, 1800, 'Fin');\n"
                             "UPDATE Objets_Fic SET Lignes = 2 WHERE Objet = 'Ecorce';\n"
                             "UPDATE Contradictions SET Popup = 'absent' WHERE Objet = 'Ecorce';\n"
                             "UPDATE Objets_Fic SET Popup = 'absent.wmf' WHERE Objet = 'Feuille';\n"),
        true, {Reponse::OK});
    ASSERT_EQ(b.Dialogues.messages.size(), 1u);
    EXPECT_TRUE(b.Dialogues.messages[0].texte.contains("'INCONNU'"));
    EXPECT_EQ(b.Capture_Robot().pixel(350, 90), Rouge_Fruit) << "the rule is passed over";
    b.Dialogues.messages.clear();

    Barre_Boutons* barre = b.Portrait->Barre_Deter();
    ASSERT_EQ(barre->Nb_Elements(), 10);
    EXPECT_EQ(barre->Bouton_A(3), nullptr);
    b.Clic_Barre(barre, 5);
    ATTEND_QUE(Choix_Ouvert(b));
    EXPECT_EQ(b.Identification->Question.Objet, "Fruit");
    Ferme(b, 3);

    // The zone names nothing: the colour under the pointer decides. The cells past the bark's
    // last state name nothing (the fruit's first state is next in number) and cannot be chosen.
    Ouvre(b, Tronc_X, Tronc_Y);
    EXPECT_EQ(b.Identification->Question.Objet, "Ecorce");
    Pic_Choix* pic = b.Portrait->Widget_Pic_Choix();
    b.Survole(pic, QPoint(300, 100));
    ATTEND_QUE(pic->toolTip() == QStringLiteral("Rough bark"));
    b.Survole(pic, QPoint(100, 300));
    ATTEND_QUE(pic->toolTip().isEmpty());
    b.Clic_Cellule(1);
    b.Clic_Cellule(2);
    EXPECT_EQ(b.Identification->Question.Choix, 1);
    b.Dialogues.reponses = {Reponse::OK};  // the rule, said again as the portrait is composed again
    Ferme(b, 1);
    ASSERT_GE(b.Identification->Etats_Choisis().size(), 7u);
    EXPECT_EQ(std::tuple(b.Identification->Etats_Choisis()[5], b.Identification->Etats_Choisis()[6]), std::tuple(1, 0));
    b.Dialogues.messages.clear();

    b.Dialogues.reponses = {Reponse::OK, Reponse::OK};
    const QRgb tronc = b.Capture_Robot().pixel(240, 260);
    ASSERT_FALSE(b.Identification->Liste().Lignes.empty());
    b.Portrait->Affiche_Contradictions(
        b.Identification->Contradictions(static_cast<int>(b.Identification->Liste().Lignes.size()) - 1));
    ASSERT_EQ(b.Dialogues.messages.size(), 1u);
    EXPECT_TRUE(b.Dialogues.messages[0].texte.startsWith("The drawing is unavailable... Fichier : "));
    EXPECT_TRUE(b.Dialogues.messages[0].texte.endsWith("absent.wmf"));
    EXPECT_EQ(b.Dialogues.messages[0].titre.toStdString(), Chaine_Ou_Anglais(1050, 0));
    ATTEND_QUE(b.Capture_Robot().pixel(240, 260) == tronc);

    // The leaf's missing picture is said; the portrait stays, busy, until Back frees it.
    b.Clic_Dessin(Feuille_X, Feuille_Y);
    ATTEND_QUE(b.Dialogues.messages.size() == 2u);
    EXPECT_EQ(b.Dialogues.messages[1].texte, "The drawing is unavailable...");
    EXPECT_TRUE(b.Portrait->Widget_Robot()->isVisible());
    EXPECT_TRUE(b.Portrait->Occupe());
    EXPECT_TRUE(b.Portrait->Barre_Question()->isVisible());
    Ferme(b, 3);
    EXPECT_FALSE(b.Portrait->Occupe());
}

TEST(PortraitMissingDrawing, DuringTheSessionIsSaidTheLayerEmptiedTheSessionGoesOn) {
    Banc_Portrait b;
    std::filesystem::remove(b.Dossier->Dossier() + "robot/00/tronc01.WMF");
    b.Dialogues.reponses.push_back(Reponse::OK);
    Repond(b, Tronc_X, Tronc_Y, 1);
    ASSERT_EQ(b.Dialogues.messages.size(), 1u);
    EXPECT_TRUE(b.Dialogues.messages[0].texte.contains("tronc01.wmf"));
    ASSERT_GE(b.Identification->Etats_Choisis().size(), 6u);
    EXPECT_EQ(b.Identification->Etats_Choisis()[5], 1);  // the answer is kept
    const QImage image = b.Capture_Robot();  // that layer empty, the others painted
    EXPECT_EQ(std::tuple(image.pixel(240, 300), image.pixel(120, 100)), std::tuple(0xFFFFFFFFu, Vert_Feuille));
    Ouvre(b, Fruit_X, Fruit_Y);

    Banc_Portrait debut(Description_Portrait("UPDATE Hierarchie SET Nom = 'absent.wmf' WHERE Numero = 4;\n"),
                        false);
    EXPECT_NE(debut.Demarrage.message().find("absent.wmf"), std::string::npos)
        << "while loading it fails the start";
}

TEST(PortraitLayers, ComposedAtTheDeviceResolutionAndCached) {
    Banc_Portrait b;
    Robot_Tab& calques = b.Portrait->Calques();
    const QImage double_resolution = calques.Image(QSize(480, 360), 2.0, true);
    EXPECT_EQ(double_resolution.size(), QSize(960, 720));
    EXPECT_EQ(double_resolution.pixel(480, 600), Brun_Tronc);
    EXPECT_EQ(calques.Couleur(QSize(480, 360), 2.0, QPoint(240, 300), true), 0x004080);
    // Same size, no change: the same picture, not a new composition.
    const QImage une = calques.Image(QSize(480, 360), 1.0, true);
    EXPECT_EQ(calques.Image(QSize(480, 360), 1.0, true).cacheKey(), une.cacheKey());
    EXPECT_NE(calques.Image(QSize(240, 180), 1.0, true).cacheKey(), une.cacheKey());
    // A changed layer composes again; without the overlays, the piece.
    calques.Charge_Dessin("Ecorce", 4, b.Dossier->Dossier() + "robot/CONTRA/ECORCE_X.WMF");
    const QImage apres = calques.Image(QSize(480, 360), 1.0, true);
    EXPECT_NE(apres.cacheKey(), une.cacheKey());
    EXPECT_EQ(apres.pixel(240, 260), Magenta_Contra);
    EXPECT_EQ(calques.Image(QSize(480, 360), 1.0, false).pixel(240, 260), Brun_Tronc);
}

TEST(PortraitHover, DynamicPointerShowsTheQuestionAndOpensNothing) {
    Banc_Portrait b;
    Robot* robot = b.Portrait->Widget_Robot();
    b.Survole(robot, QPoint(120, 60));
    QTest::qWait(0);
    EXPECT_EQ(robot->toolTip(), "") << "option off: nothing changes";
    b.Parametres.Curseur_Dynamique = true;
    const struct {
        QPoint point;
        const char* texte;
        Qt::CursorShape curseur;
    } survols[] = {{{120, 61}, "Leaf type", Qt::PointingHandCursor},
                   {{350, 90}, "Fruit", Qt::PointingHandCursor},
                   {{440, 300}, "", Qt::ArrowCursor}};
    for (const auto& s : survols) {
        b.Survole(robot, s.point);
        ATTEND_QUE(robot->toolTip() == QString::fromUtf8(s.texte)) << s.texte;
        EXPECT_EQ(robot->cursor().shape(), s.curseur) << s.texte;
    }
    EXPECT_FALSE(Choix_Ouvert(b));
}

TEST(PortraitLanguage, AChangeReachesQuestionsAndTooltipsAtOnceWhileTheBarsKeepTheirs) {
    Banc_Portrait b(
        Description_Portrait(Schema_Traductions_SQL() +
                             "INSERT INTO Traductions (Nom_Table, Cle, Champ, Langue, Texte) VALUES"
                             " ('Objets_Fic', 'Feuille', 'TipText', 'fr', 'Type de feuille'),"
                             " ('Objets_Fic', 'Feuille', 'TipText', 'es', 'Tipo de hoja'),"
                             " ('Caracteres', 'F_COMP', 'TipText', 'es', 'Hoja compuesta'),"
                             " ('But_Deter', '2', 'Caption', 'es', 'Hoja');"));
    b.Hote.Langue_Interface = 2;
    Ouvre(b, Feuille_X, Feuille_Y);
    EXPECT_EQ(b.Hote.Statut, "Type de feuille");
    Pic_Choix* pic = b.Portrait->Widget_Pic_Choix();
    b.Survole(pic, QPoint(300, 100));
    ATTEND_QUE(pic->toolTip() == QStringLiteral("Compound leaf"));  // no French text: the base's own
    b.Hote.Langue_Interface = 1;
    b.Survole(pic, QPoint(300, 101));
    ATTEND_QUE(pic->toolTip() == QStringLiteral("Hoja compuesta"));
    Ferme(b, 3);
    // The bars were built in English at the start and stay so until the next one.
    ASSERT_NE(b.Portrait->Barre_Deter()->Bouton_A(3), nullptr);
    EXPECT_EQ(b.Portrait->Barre_Deter()->Bouton_A(3)->text(), "Leaf");
    b.Clic_Barre(b.Portrait->Barre_Deter(), 3);
    ATTEND_QUE(Choix_Ouvert(b));
    EXPECT_EQ(b.Hote.Statut, "Tipo de hoja");
}

}  // namespace
}  // namespace kestrane::test
