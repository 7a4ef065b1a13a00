// The portrait and its questions, driven with the mouse and the keyboard on real widgets. What the
// answers do to the ranking, the searches and the contradictions is the engine's tests'; which
// zone names a point is Recherche_Objet_test's; here, what the widgets do with them.
#include <QApplication>
#include <QTextDocument>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "Banc_Portrait.h"
#include "Liste_Especes.h"
#include "Robot_Tab.h"
#include "Table_Chaines.h"

namespace kestrane::test {
namespace {

// Points of the 480 x 360 drawing: the leaf, the lower leaflet block, the trunk.
constexpr double Feuille_X = 120, Feuille_Y = 100, Bloc_X = 120, Bloc_Y = 185, Tronc_X = 240, Tronc_Y = 300;

bool Choix_Ouvert(const Banc_Portrait& b) {
    return b.Portrait->Widget_Pic_Choix()->isVisible() && !b.Portrait->Widget_Robot()->isVisible();
}

void Attend_Portrait(const Banc_Portrait& b) {
    ATTEND_QUE(b.Portrait->Widget_Robot()->isVisible() && !b.Portrait->Widget_Pic_Choix()->isVisible());
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
// bar and the question bar's OK, Back and Search's Next on screen.
std::tuple<int, QString, bool, bool, bool, bool, bool> Vue(const Banc_Portrait& b) {
    const Barre_Boutons& q = *b.Portrait->Barre_Question();
    return {b.Mode, b.Statut, Choix_Ouvert(b), b.Portrait->Barre_Deter()->isVisible(),
            q.isVisible() && q.Element_Visible(1), q.isVisible() && q.Element_Visible(3), q.isVisible() && q.Element_Visible(5)};
}
const auto Vue_Portrait = std::tuple(1, QString(), false, true, false, false, false);

QRgb Pixel_Icone(QToolButton* bouton) { return bouton->icon().pixmap(16, 16).toImage().pixel(8, 8); }

// The leaf found by its colour (its zone removed), and brown naming no character: the white
// ground, nearest to brown, names nothing.
TEST(PortraitClick, OrgansOpenTheirChooserAtAnySizeOtherClicksNothingTheHoverNamesThem) {
    Banc_Portrait b("DELETE FROM Clic_Zone WHERE Nom = 'Feuille';"
                    "UPDATE Couleurs SET Code_Couleur = 'Ciel' WHERE Numero = 2;");
    ASSERT_TRUE(b.Demarrage.ok()) << b.Demarrage.message();
    const std::tuple<double, double, const char*, const char*> organes[] = {
        {Feuille_X, Feuille_Y, "Feuille", "Leaf type"}, {Tronc_X, Tronc_Y, "Ecorce", "Bark"}};  // by colour, by zone
    for (const QSize taille : {QSize(480, 360), QSize(960, 720), QSize(240, 180)}) {
        SCOPED_TRACE(testing::Message() << taille.width() << " x " << taille.height());
        b.Redimensionne(taille.width(), taille.height());
        QTest::qWait(0);
        EXPECT_EQ(b.Capture_Robot().pixel(taille.width() / 2, taille.height() * 300 / 360), Brun_Tronc);
        for (const auto& [x, y, objet, statut] : organes) {
            Ouvre(b, x, y);
            EXPECT_EQ(b.Identification->Question.Objet, objet);
            EXPECT_EQ(Vue(b), std::tuple(2, statut, true, false, true, true, false));
            Ferme(b, 3);
        }
    }
    b.Redimensionne(480, 360);
    // The white ground, a right click and a click while busy open nothing.
    b.Clic_Dessin(440, 300);
    QTest::mouseClick(b.Portrait->Widget_Robot(), Qt::RightButton, {}, QPoint(120, 100));
    b.Portrait->Fixe_Occupe(true);
    b.Clic_Dessin(Feuille_X, Feuille_Y);
    QTest::qWait(0);
    EXPECT_EQ(Vue(b), Vue_Portrait);
    b.Portrait->Fixe_Occupe(false);
    // The dynamic pointer, once the option is on, names what a click would open.
    Robot* robot = b.Portrait->Widget_Robot();
    b.Survole(robot, QPoint(120, 100));
    QTest::qWait(0);
    EXPECT_EQ(robot->toolTip(), "");
    b.Parametres.Curseur_Dynamique = true;
    const std::tuple<QPoint, const char*, Qt::CursorShape> survols[] = {{{120, 101}, "Leaf type", Qt::PointingHandCursor},
                                                                        {{240, 300}, "Bark", Qt::PointingHandCursor},
                                                                        {{440, 300}, "", Qt::ArrowCursor}};
    for (const auto& [point, texte, curseur] : survols) {
        b.Survole(robot, point);
        ATTEND_QUE(robot->toolTip() == QString::fromUtf8(texte)) << texte;
        EXPECT_EQ(robot->cursor().shape(), curseur) << texte;
    }
    EXPECT_TRUE(b.Dialogues.messages.empty());
}

// Texts in French (the leaf's question) and Spanish (the compound leaf, the Leaf button).
TEST(PortraitChooser, MouseAndKeyboardMarkTheCellsTooltipsNameThemInTheLanguageOfTheMoment) {
    Banc_Portrait b("INSERT INTO Traductions (Nom_Table, Cle, Champ, Langue, Texte) VALUES"
                    " ('Objets_Fic', 'Feuille', 'TipText', 'fr', 'Type de feuille'),"
                    " ('Objets_Fic', 'Feuille', 'TipText', 'es', 'Tipo de hoja'),"
                    " ('Caracteres', 'F_COMP', 'TipText', 'es', 'Hoja compuesta'), ('But_Deter', '2', 'Caption', 'es', 'Hoja');");
    Pic_Choix* pic = b.Portrait->Widget_Pic_Choix();
    b.Langue_Interface = 2;
    Ouvre(b, Feuille_X, Feuille_Y);  // one row of two cells
    EXPECT_EQ(b.Statut, "Type de feuille");
    const int largeur = pic->width();
    b.Clic_Cellule(1);
    EXPECT_EQ(b.Identification->Question.Choix, 1);
    QImage image = pic->grab().toImage();
    // Cell 1 is the last column: its box ends inside the right border.
    EXPECT_EQ(std::tuple(image.pixel(largeur - 1, 180), image.pixel(240, 180), image.pixel(360, 0), image.pixel(0, 180) == Bleu_Marque),
              std::tuple(Bleu_Marque, Bleu_Marque, Bleu_Marque, false));
    pic->hide();
    pic->show();
    pic->repaint();
    EXPECT_EQ(pic->grab().toImage().pixel(largeur - 1, 100), Bleu_Marque) << "the mark is painted again";
    b.Clic_Cellule(0);
    image = pic->grab().toImage();
    EXPECT_EQ(std::tuple(image.pixel(0, 180), image.pixel(largeur - 1, 180)), std::tuple(Bleu_Marque, Blanc));  // the old box in white
    b.Clic_Cellule(0);  // the same cell again: no selection
    EXPECT_EQ(b.Identification->Question.Choix, -1);
    EXPECT_NE(pic->grab().toImage().pixel(0, 180), Bleu_Marque);
    b.Survole(pic, QPoint(300, 100));
    ATTEND_QUE(pic->toolTip() == QStringLiteral("Compound leaf"));  // no French text: the base's own
    b.Langue_Interface = 1;
    b.Survole(pic, QPoint(300, 101));
    ATTEND_QUE(pic->toolTip() == QStringLiteral("Hoja compuesta"));
    b.Clic_Cellule(1);
    Ferme(b, 3);  // Back records nothing
    for (const int16_t e : b.Identification->Etats_Choisis()) EXPECT_EQ(e, 0);
    EXPECT_FALSE(b.Identification->Identification_Modifiee());
    // The bars keep the language of their start.
    b.Clic_Barre(b.Portrait->Barre_Deter(), 3);
    EXPECT_EQ(b.Portrait->Barre_Deter()->Bouton_A(3)->text(), "Leaf");
    ATTEND_QUE(Choix_Ouvert(b));
    EXPECT_EQ(b.Statut, "Tipo de hoja");
    b.Clic_Cellule(1);
    Ferme(b, 1);

    Ouvre(b, Feuille_X, Feuille_Y);  // the zone follows the answers: the leaflets, one row of three cells
    EXPECT_EQ(b.Identification->Question.Objet, "Foliole");
    for (const auto& [point, choix] : {std::pair(QPoint(160, 100), 1), {QPoint(159, 100), 0}, {QPoint(320, 100), 2}}) {
        QTest::mouseClick(pic, Qt::LeftButton, {}, point);  // a boundary belongs to the right
        EXPECT_EQ(b.Identification->Question.Choix, choix) << point.x();
    }
    b.Survole(pic, QPoint(400, 100));
    ATTEND_QUE(pic->toolTip() == QStringLiteral("Seven leaflets"));
    const struct {
        Qt::Key touche;
        int case_clavier, choix;
    } touches[] = {{Qt::Key_Left, 2, 2},  // the first key shows the focus box on the selected cell
                   {Qt::Key_Right, 2, 2}, {Qt::Key_Down, 2, 2}, {Qt::Key_Left, 1, 2},  // stays in the grid
                   {Qt::Key_Space, 1, 1}, {Qt::Key_Up, 1, 1}, {Qt::Key_Space, 1, -1}};  // the selected cell again: removed
    for (size_t i = 0; i < std::size(touches); ++i) {
        QTest::keyClick(pic, touches[i].touche);
        EXPECT_EQ(std::tuple(pic->Case_Clavier(), b.Identification->Question.Choix),
                  std::tuple(touches[i].case_clavier, touches[i].choix)) << "key " << i;
    }
    QTest::keyClick(pic, Qt::Key_Escape);
    Attend_Portrait(b);
    EXPECT_EQ(std::tuple(b.Etat(2), b.Etat(3), b.Etat(4)), std::tuple(0, 0, 0));
    Repond(b, Feuille_X, Feuille_Y, 1);  // five leaflets: Marge over the lower block
    Ouvre(b, Bloc_X, Bloc_Y);
    EXPECT_EQ(b.Identification->Question.Objet, "Marge");
}

// What a tooltip shows of its text: Qt renders it as HTML when it guesses so.
QString Montre(const QString& infobulle) {
    if (!Qt::mightBeRichText(infobulle))
        return infobulle;
    QTextDocument rendu;
    rendu.setHtml(infobulle);
    return rendu.toPlainText();
}

// Markup in the base's texts (a question, a state, a button, the species) is shown as written: no
// picture fetched, no large red title.
TEST(PortraitTexts, MarkupInTheBaseTextsShowsAsWrittenInEveryTooltip) {
    const QString question = QStringLiteral("<h1 style=\"color:red\">Leaf</h1> type"),
                  etat = QStringLiteral("<img src=\"/etc/hostname\">Compound leaf"), bouton = QStringLiteral("<b>The leaf");
    Banc_Portrait b("UPDATE Objets_Fic SET TipText = '" + question.toStdString() + "' WHERE Objet = 'Feuille';"
                    "UPDATE Caracteres SET TipText = '" + etat.toStdString() + "' WHERE ID_CARAC = 'F_COMP';"
                    "UPDATE But_Deter SET TipText = '" + bouton.toStdString() + "' WHERE Numero = 2;");
    ASSERT_TRUE(b.Demarrage.ok()) << b.Demarrage.message();
    EXPECT_EQ(Montre(b.Portrait->Barre_Deter()->Bouton_A(3)->toolTip()), bouton);
    b.Parametres.Curseur_Dynamique = true;
    Robot* robot = b.Portrait->Widget_Robot();
    b.Survole(robot, QPoint(120, 100));
    ATTEND_QUE(!robot->toolTip().isEmpty());
    EXPECT_EQ(Montre(robot->toolTip()), question);
    Ouvre(b, Feuille_X, Feuille_Y);
    Pic_Choix* pic = b.Portrait->Widget_Pic_Choix();
    b.Survole(pic, QPoint(300, 100));
    ATTEND_QUE(!pic->toolTip().isEmpty());
    EXPECT_EQ(Montre(pic->toolTip()), etat);
    Ferme(b, 3);
    b.Portrait->Montre_Questions();
    QTreeWidgetItem* ligne = nullptr;
    for (int i = 0; i < b.Portrait->Widget_Questions()->topLevelItemCount(); ++i)
        if (b.Portrait->Widget_Questions()->topLevelItem(i)->text(0) == question)
            ligne = b.Portrait->Widget_Questions()->topLevelItem(i);
    ASSERT_NE(ligne, nullptr);
    EXPECT_EQ(Montre(ligne->toolTip(0)), question);
}

// Tab walks the buttons between the separators; Results asks the window for its view by key or
// mouse; Bark reopens its answer, which OK with no cell takes back; Search skips to the retry.
TEST(PortraitDeterminationBar, KeysTabAnsweredAgainAndSearchSkippedToTheRetryQuestion) {
    Banc_Portrait b;
    Barre_Boutons* barre = b.Portrait->Barre_Deter();
    ASSERT_EQ(barre->Nb_Elements(), 8);
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(barre->Bouton_A(i) != nullptr, i % 2 == 1) << i;
    ASSERT_TRUE(barre->Bouton_A(1) && barre->Bouton_A(3) && barre->Bouton_A(7));
    EXPECT_EQ(barre->Bouton_A(3)->toolTip(), "The leaf");
    barre->Bouton_A(1)->setFocus(Qt::TabFocusReason);
    ATTEND_QUE(barre->Bouton_A(1)->hasFocus());
    for (int i = 3; i <= 7; i += 2) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ATTEND_QUE(barre->Bouton_A(i)->hasFocus()) << i;
    }
    QTest::keyClick(barre->Bouton_A(7), Qt::Key_Return);
    QTest::keyClick(barre->Bouton_A(7), Qt::Key_Space);
    b.Clic_Barre(barre, 7);
    EXPECT_EQ(b.Vues_Resultats, 3);
    EXPECT_FALSE(Choix_Ouvert(b));

    Repond(b, Tronc_X, Tronc_Y, 1);  // rough bark
    EXPECT_EQ(b.Etat(8), 1);
    EXPECT_EQ(Vue(b), Vue_Portrait);
    ATTEND_QUE(b.Capture_Robot().pixel(240, 300) == Brun_Rugueux);
    b.Clic_Barre(barre, 1);
    ATTEND_QUE(Choix_Ouvert(b));
    EXPECT_EQ(std::tuple(b.Identification->Question.Objet, b.Identification->Question.Choix), std::tuple("Ecorce", 1));
    b.Clic_Cellule(1);
    Ferme(b, 1);
    EXPECT_EQ(b.Etat(8), 0);
    ATTEND_QUE(b.Capture_Robot().pixel(240, 300) == Brun_Tronc);

    b.Clic_Barre(barre, 5);  // Search: its chooser with Next, which skips to the retry question; No returns
    ATTEND_QUE(Choix_Ouvert(b));
    EXPECT_TRUE(std::get<6>(Vue(b)));
    b.Dialogues.reponses = {Reponse::Non};
    for (int i = 0; i < 5 && b.Dialogues.messages.empty(); ++i) b.Clic_Barre(b.Portrait->Barre_Question(), 5);
    ASSERT_EQ(b.Dialogues.messages.size(), 1u);
    EXPECT_EQ(b.Dialogues.messages[0].boutons, Boutons::Oui_Non);
    Attend_Portrait(b);
    EXPECT_EQ(Vue(b), Vue_Portrait);
}

// Fraxinus (compound, rough) is contradicted by the smooth bark, shown by a drawing; Acer
// (simple, smooth) by the compound leaf, shown on the Leaf button.
TEST(PortraitContradictions, OverlayIconAndSmallRobotUntilTheNextAnswerTheLayersComposedAndCached) {
    Banc_Portrait b;
    Repond(b, Feuille_X, Feuille_Y, 1);  // compound
    Repond(b, Tronc_X, Tronc_Y, 0);      // smooth
    const std::vector<std::string>& lignes = b.Identification->Liste().Lignes;
    auto contradictions = [&](const std::string& espece) {
        int rang = 0;
        while (rang < static_cast<int>(lignes.size()) && Nom_De_Ligne(lignes[static_cast<size_t>(rang)]) != espece) ++rang;
        EXPECT_LT(rang, static_cast<int>(lignes.size())) << espece;
        return b.Identification->Contradictions(rang);
    };
    const int vues = b.Vues_Identification;
    b.Portrait->Affiche_Contradictions(contradictions("Fraxinus"));
    EXPECT_EQ(b.Vues_Identification, vues + 1);
    ATTEND_QUE(b.Capture_Robot().pixel(240, 260) == Magenta_Contra);
    EXPECT_EQ(b.Capture_Robot().pixel(240, 340), Brun_Tronc);  // the piece stays beneath
    // At the device's resolution, the same picture until a layer changes; without the overlays, the pieces.
    Robot_Tab& calques = b.Portrait->Calques();
    const QImage double_resolution = calques.Image(QSize(480, 360), 2.0, true);
    EXPECT_EQ(std::tuple(double_resolution.size(), double_resolution.pixel(480, 520),
                         calques.Image(QSize(480, 360), 2.0, false).pixel(480, 520), calques.Couleur(QSize(480, 360), 2.0, QPoint(240, 300), true)),
              std::tuple(QSize(960, 720), Magenta_Contra, Brun_Tronc, 0x004080));
    EXPECT_EQ(calques.Image(QSize(480, 360), 2.0, true).cacheKey(), double_resolution.cacheKey());
    Small_Robot* petit = b.Portrait->Widget_Small_Robot();
    petit->show();
    int clics = 0;
    QObject::connect(petit, &Small_Robot::Clique, [&] { ++clics; });
    const QImage vignette = petit->grab().toImage();
    EXPECT_EQ(std::tuple(vignette.pixel(60, 65), vignette.pixel(30, 25)), std::tuple(Brun_Tronc, Vert_Feuille));
    QTest::mouseClick(petit, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clics, 1);

    b.Portrait->Affiche_Contradictions(contradictions("Acer"));
    ATTEND_QUE(b.Capture_Robot().pixel(240, 260) == Brun_Tronc);  // the earlier marks are gone
    Barre_Boutons* barre = b.Portrait->Barre_Deter();
    ASSERT_TRUE(barre->Bouton_A(1) && barre->Bouton_A(3));
    EXPECT_EQ(std::tuple(Pixel_Icone(barre->Bouton_A(3)), Pixel_Icone(barre->Bouton_A(1))), std::tuple(Rouge_Icone, Bleu_Icone));
    Repond(b, Feuille_X, Feuille_Y, 1);  // the next confirmed answer removes the marks
    ASSERT_TRUE(barre->Bouton_A(3));
    EXPECT_EQ(std::tuple(calques.Nb_Dessins_Sup(), Pixel_Icone(barre->Bouton_A(3))), std::tuple(0, Bleu_Icone));
    b.Portrait->Affiche_Contradictions(contradictions("Fraxinus"));  // the results view too, once
    ASSERT_GT(calques.Nb_Dessins_Sup(), 0);
    EXPECT_TRUE(b.Portrait->Retire_Contradictions());
    EXPECT_FALSE(b.Portrait->Retire_Contradictions());
    ATTEND_QUE(b.Capture_Robot().pixel(240, 260) == Brun_Tronc);
    EXPECT_TRUE(b.Dialogues.messages.empty());
}

// One key with its faults: a rule naming no state, no Leaf button, a zone naming no object over
// the trunk, two rows of cells for the leaf's two states, no overlay for the bark, no state
// picture for the leaflets, the rough trunk's drawing gone during the session.
TEST(PortraitDamagedKey, EachFaultIsSaidOrPassedOverAndThePortraitGoesOn) {
    Banc_Portrait b("INSERT INTO Hierarchie (Numero, Robot_Num, Nom, C_0, C_1) VALUES (0, 1, 'x', 'INCONNU', 'Fin');"
                    "DELETE FROM But_Deter WHERE Numero = 2;"
                    "INSERT INTO Clic_Zone VALUES (0, 'Inconnu', 2, 0, 1000, 1400, 1000, 1800, 'Fin', NULL);"
                    "UPDATE Objets_Fic SET Lignes = 2 WHERE Objet = 'Feuille';"
                    "UPDATE Contradictions SET Popup = 'absent' WHERE Objet = 'Ecorce';"
                    "UPDATE Objets_Fic SET Popup = 'absent.wmf' WHERE Objet = 'Foliole';",
                    true, {Reponse::OK});
    ASSERT_EQ(b.Dialogues.messages.size(), 1u);
    EXPECT_TRUE(b.Dialogues.messages[0].texte.contains("'INCONNU'"));
    EXPECT_EQ(b.Capture_Robot().pixel(120, 100), Vert_Feuille) << "the rule is passed over";
    Barre_Boutons* barre = b.Portrait->Barre_Deter();
    EXPECT_EQ(std::tuple(barre->Nb_Elements(), barre->Bouton_A(3) == nullptr), std::tuple(8, true));
    b.Clic_Barre(barre, 7);
    EXPECT_EQ(b.Vues_Resultats, 1);

    std::filesystem::remove(b.Copie.Dossier() / "robot/00/tronc01.wmf");
    b.Dialogues.reponses = {Reponse::OK, Reponse::OK, Reponse::OK};  // the rule, said again at each answer
    Repond(b, Tronc_X, Tronc_Y, 1);  // the zone names nothing: the colour decides
    ASSERT_EQ(b.Dialogues.messages.size(), 3u);
    EXPECT_TRUE(b.Dialogues.messages[1].texte.contains("tronc01.wmf"));
    const QImage image = b.Capture_Robot();  // that layer empty, the others painted, the answer kept
    EXPECT_EQ(std::tuple(image.pixel(240, 300), image.pixel(120, 100), b.Etat(8)), std::tuple(Blanc, Vert_Feuille, 1));
    // The cells past the leaf's last state name nothing and cannot be chosen, though the next
    // character's states follow in number; a boundary belongs to the cell below.
    Ouvre(b, Feuille_X, Feuille_Y);
    Pic_Choix* pic = b.Portrait->Widget_Pic_Choix();
    for (const auto& [point, texte] : {std::pair(QPoint(300, 179), "Compound leaf"), {QPoint(100, 180), ""}}) {
        b.Survole(pic, point);
        ATTEND_QUE(pic->toolTip() == QString::fromUtf8(texte)) << texte;
    }
    b.Clic_Cellule(1);
    b.Clic_Cellule(2);
    EXPECT_EQ(b.Identification->Question.Choix, 1);
    Ferme(b, 1);
    EXPECT_EQ(std::tuple(b.Etat(1), b.Etat(2), b.Dialogues.messages.size()), std::tuple(1, 0, 4u));
    b.Dialogues.messages.clear();

    // Acer, last, is contradicted by its bark (no overlay) and its leaf (no button).
    b.Dialogues.reponses = {Reponse::OK, Reponse::OK};
    ASSERT_FALSE(b.Identification->Liste().Lignes.empty());
    b.Portrait->Affiche_Contradictions(b.Identification->Contradictions(static_cast<int>(b.Identification->Liste().Lignes.size()) - 1));
    ASSERT_EQ(b.Dialogues.messages.size(), 1u);
    const QString texte = b.Dialogues.messages[0].texte;
    EXPECT_TRUE(texte.startsWith("The drawing is unavailable... Fichier : ") && texte.endsWith("absent.wmf")) << texte.toStdString();
    EXPECT_EQ(b.Dialogues.messages[0].titre.toStdString(), Chaine_Ou_Anglais(1050, 0));
    ATTEND_QUE(b.Capture_Robot().pixel(240, 260) == Blanc);

    // The leaflets' missing picture is said; the portrait stays, busy, until Back frees it.
    b.Clic_Dessin(Feuille_X, Feuille_Y);
    ATTEND_QUE(b.Dialogues.messages.size() == 2u);
    EXPECT_EQ(b.Dialogues.messages[1].texte, "The drawing is unavailable...");
    EXPECT_EQ(std::tuple(b.Portrait->Widget_Robot()->isVisible(), b.Portrait->Occupe(), b.Portrait->Barre_Question()->isVisible()),
              std::tuple(true, true, true));
    Ferme(b, 3);
    EXPECT_FALSE(b.Portrait->Occupe());
    Banc_Portrait debut("UPDATE Hierarchie SET Nom = 'absent' WHERE Numero = 4;", false);
    EXPECT_NE(debut.Demarrage.message().find("absent00.wmf"), std::string::npos) << "while loading, it fails the start";
}

}  // namespace
}  // namespace kestrane::test
