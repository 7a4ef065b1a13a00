// The main window's answers panel and name filter, driven by real mouse and key events.

#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QTreeWidget>

#include <tuple>

#include "Documents.h"
#include "Fenetre_Petite.h"
#include "Filtre_Especes.h"
#include "Modele_Liste_Esp.h"
#include "Panneau_Reponses.h"

namespace kestrane {
namespace {

class ReponsesFiltre : public test::Fenetre_Petite {
  protected:
    void Lance() { ASSERT_EQ(Fenetre_Petite::Lance(), 0); }
    Panneau_Reponses& Panneau() { return *F().Panneau(); }
    std::vector<std::string> Lignes_Panneau() {
        std::vector<std::string> lignes;  // as a screen reader says them
        for (int r = 0; r < Panneau().Liste()->count(); ++r)
            lignes.push_back(Panneau().Liste()->item(r)->data(Qt::AccessibleTextRole).toString().toStdString());
        return lignes;
    }
};

using Lignes = std::vector<std::string>;
const std::string kLeaf = "What kind of leaves?: Broad leaves";
const std::string kFruit = "What fruit?: Single key";
const std::string kArrangement = "How are the leaves set?: Opposite";

// F9 shows the panel between the portrait and the determination bar, with the focus; each answer's
// line and state picture; Enter or a click on a line opens its chooser with the answer picked;
// Delete or the line's button takes the answer back with its dependants; Ctrl+Z and Ctrl+Y undo and
// redo, from the chooser too; F9 hides the panel and the portrait takes its room back; the choice
// is kept for the next start.
TEST_F(ReponsesFiltre, PanelListsTheAnswersOpensTheirChooserAndTakesThemBackByKeyAndMouse) {
    std::filesystem::remove(Dossier() / "descripteurs/fruit.wmf");  // a character without a picture
    Lance();
    EXPECT_FALSE(Panneau().isVisible());  // hidden unless the user shows it
    const QRect portrait = F().Robot->geometry();
    Confirme("Leaf_Type", 0);
    Confirme("Fruit", 0);
    Confirme("Arrangement", 1);
    QTest::keyClick(&F(), Qt::Key_F9);
    QListWidget& liste = *Panneau().Liste();
    ASSERT_EQ(std::tuple(Panneau().isVisible(), QApplication::focusWidget(), magasin_.valeurs["Affichage/Panneau_Reponses"]),
              std::tuple(true, &liste, "1"));
    auto x = [&](QWidget* w, int dx) { return w->mapTo(&F(), QPoint(dx, 0)).x(); };  // in the window
    EXPECT_LT(x(F().Robot, F().Robot->width()), x(&Panneau(), 0));
    EXPECT_LE(x(&Panneau(), Panneau().width()), x(F().Barre_Deter, 0));
    EXPECT_EQ(std::tuple(Lignes_Panneau(), Panneau().Indication()->isVisible()),
              std::tuple(Lignes{kLeaf, kFruit, kArrangement}, false));
    // Leaf_Type's state picture is its cell of the chooser's picture; Fruit has none.
    auto vignettes = [&](int rang) {
        int n = 0;
        for (const QLabel* l : liste.itemWidget(liste.item(rang))->findChildren<QLabel*>()) n += !l->pixmap().isNull();
        return n;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return vignettes(0) == 1 && vignettes(1) == 0; }, 5000));  // drawn after the row

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
    EXPECT_EQ(std::tuple(F().Mode_Affichage(), Lignes_Panneau()), std::tuple(1, Lignes{kLeaf, kFruit, kArrangement}));

    // A click on an answer opens its chooser with the answer picked, as the determination bar does.
    ASSERT_GE(liste.count(), 1);
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, liste.visualItemRect(liste.item(0)).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return F().Pic_Choix->isVisible(); }, 5000));
    EXPECT_EQ(std::tuple(F().Mode_Affichage(), F().Identification()->Question.Objet, F().Identification()->Question.Choix,
                         Panneau().isEnabled()),
              std::tuple(2, "Leaf_Type", 0, false));
    F().Portrait()->Clic_Barre_Question(0);
    EXPECT_TRUE(Panneau().isEnabled());
    // Taking Leaf_Type back clears Arrangement, which depends on its broad leaves.
    QTest::mouseClick(Panneau().Bouton_Retirer(0), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Lignes_Panneau().size() == 1; }, 5000));
    EXPECT_EQ(std::tuple(Lignes_Panneau(), F().Identification()->Etats_Choisis(), F().Mode_Affichage()),
              std::tuple(Lignes{kFruit}, std::vector<int16_t>{0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}, 1));

    QTest::keyClick(&F(), Qt::Key_F9);
    EXPECT_EQ(std::tuple(Panneau().isVisible(), F().Robot->geometry()), std::tuple(false, portrait));
    QTest::keyClick(&F(), Qt::Key_F9);
    Lance();  // nothing answered yet: the panel says how
    EXPECT_EQ(std::tuple(Panneau().isVisible(), Panneau().Indication()->isVisible()), std::tuple(true, true));
}

TEST_F(ReponsesFiltre, CtrlFNarrowsTheTreeAndTheListByAnyNameAndEnterOpensTheFirst) {
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
    QTest::keyClick(&filtre, Qt::Key_Escape);  // clears
    EXPECT_EQ(std::tuple(filtre.text(), montre("Aesculus hippocastanum")), std::tuple(QString(), true));

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
