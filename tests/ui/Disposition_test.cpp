#include "Disposition.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kestrane {
namespace {

Mesures_Fenetre Fenetre(int largeur, int hauteur) {
    return {.Largeur_Interieure = largeur, .Hauteur_Interieure = hauteur, .Hauteur_Barre_Outils = 600,
            .Hauteur_Barre_Etat = 300, .Largeur_Barre_Deter = 900, .Largeur_Barre_Question = 700};
}

TEST(Disposition, WideWindowGivesAFullHeightPortraitBesideTheBar) {
    const Disposition d = Positionne_Controles(Fenetre(15000, 9000), 1);
    // AH = 9000 - 70 - 600 - 300 = 8030; PW = 10707; FW = 15000 - 105 - 900 = 13995.
    EXPECT_EQ(d.Robot, (Rect_Twips{35, 635, 10707, 8030}));
    EXPECT_EQ(d.Pic_Choix, d.Robot);
    EXPECT_EQ(d.Small_Robot, (Rect_Twips{35, 635, 3499, 2624}));   // 13995/4, 3*13995/16 (halves to even)
    EXPECT_EQ(d.Liste_Esp, (Rect_Twips{35, 635 + 2624, 3499, 8030 - 2624}));
    // The splitter after the tree, the document view after it to the margin, the bar at the right.
    EXPECT_EQ(std::tuple(d.Barre_Verticale.Left, d.Barre_Verticale.Height, d.WebTexte.Left, d.WebTexte.Right()),
              std::tuple(d.Tree_esp.Right(), d.Tree_esp.Height + d.Small_Robot.Height, d.Barre_Verticale.Right(), 15000 - 35));
    EXPECT_EQ(std::tuple(d.Barre_Deter.Left, d.Barre_Deter.Top), std::tuple(15000 - 900, 800));
    EXPECT_EQ(std::tuple(d.Affichees.Robot, d.Affichees.Barre_Deter, d.Affichees.Cache_Pic_Choix, d.Affichees.WebTexte),
              std::tuple(true, true, true, false));
}

TEST(Disposition, HiddenBarsGiveTheirHeightToThePortrait) {
    Mesures_Fenetre m = Fenetre(20000, 9000);
    const Disposition avec = Positionne_Controles(m, 1);
    m.Barre_Outils_Visible = false;
    const Disposition sans_outils = Positionne_Controles(m, 1);
    EXPECT_EQ(std::tuple(sans_outils.Robot.Height, sans_outils.Robot.Top), std::tuple(avec.Robot.Height + 600, 35));
    m.Barre_Etat_Visible = false;
    const Disposition sans_barres = Positionne_Controles(m, 1);
    EXPECT_EQ(sans_barres.Robot.Height, 9000 - 70);
    // The smallest window that shows the bars whole: their top, the taller bar, the status bar.
    m.Hauteur_Barre_Deter = 4000;
    m.Hauteur_Barre_Question = 2500;
    EXPECT_EQ(Taille_Minimale(m), (Taille_Twips{900 + 35, 600 + 200 + 4000}));
    m.Barre_Etat_Visible = true;
    EXPECT_EQ(Taille_Minimale(m).Hauteur, 600 + 200 + 4000 + 300);
}

TEST(Disposition, EachViewShowsItsPanesAndOthersPlaceNothing) {
    const Mesures_Fenetre m = Fenetre(15000, 9000);
    const auto r = Positionne_Controles(m, 3).Affichees;
    EXPECT_EQ(std::tuple(r.Small_Robot, r.Liste_Esp, r.Barre_Verticale, r.WebTexte, r.Tree_esp, r.Robot),
              std::tuple(true, true, true, true, false, false));
    const auto especes = Positionne_Controles(m, 4).Affichees;
    EXPECT_EQ(std::tuple(especes.Tree_esp, especes.Liste_Esp), std::tuple(true, false));
    EXPECT_TRUE(Positionne_Controles(m, 2).Affichees.Barre_Question);
    EXPECT_FALSE(Positionne_Controles(m, 7).Panes_Placees);
}

TEST(Disposition, SplitterStopsAtTheMiddleAndMovesTheColumnWithTheFilterAboveTheTree) {
    Disposition d = Positionne_Controles(Fenetre(15000, 9000), 3);
    const int droite = d.WebTexte.Right();
    Relache_Separateur(d, 12000, 15000);
    // 7465 * 3 / 4 = 5598.75
    EXPECT_EQ(std::tuple(d.Barre_Verticale.Left, d.Small_Robot.Width, d.Small_Robot.Height, d.Liste_Esp.Top, d.Liste_Esp.Width),
              std::tuple(7500, 7500 - 35, 5599, d.Small_Robot.Top + d.Small_Robot.Height, 7500 - 35));
    EXPECT_EQ(std::tuple(d.WebTexte.Left, d.WebTexte.Right()), std::tuple(d.Barre_Verticale.Right(), droite));

    Relache_Separateur(d, -500, 15000);  // dragged past the left edge: the column keeps a width
    EXPECT_GT(d.Small_Robot.Width, 0);

    // The filter stays above the tree.
    Mesures_Fenetre m = Fenetre(15000, 9000);
    m.Hauteur_Filtre = 400;
    d = Positionne_Controles(m, 4);
    const int bas = d.Tree_esp.Top + d.Tree_esp.Height;
    Relache_Separateur(d, 6000, 15000);
    EXPECT_EQ(d.Filtre, (Rect_Twips{35, d.Small_Robot.Top + d.Small_Robot.Height, 6000 - 35, 400}));
    EXPECT_EQ(std::tuple(d.Tree_esp.Top, d.Tree_esp.Top + d.Tree_esp.Height), std::tuple(d.Filtre.Top + 400, bas));
}

// The answers panel and the name filter take their room only while shown: at width and height 0
// every pane is exactly where it was.
TEST(Disposition, PanelNarrowsTheFreeWidthAndTheFilterTakesTheListsTop) {
    for (int mode = 1; mode <= 4; ++mode) {
        Mesures_Fenetre m = Fenetre(15000, 9000);
        const Disposition sans = Positionne_Controles(m, mode);
        EXPECT_EQ(std::tuple(sans.Panneau_Reponses, sans.Filtre), std::tuple(Rect_Twips{}, Rect_Twips{})) << mode;

        m.Largeur_Panneau_Reponses = 4000;
        const Disposition panneau = Positionne_Controles(m, mode);
        const int fw = 15000 - 105 - 900 - 4000;                            // FW less the panel
        EXPECT_EQ(panneau.Robot, (Rect_Twips{35, 635, fw, 7496})) << mode;  // FW < PW: 9995 * 3 / 4 = 7496.25
        EXPECT_EQ(panneau.Panneau_Reponses, (Rect_Twips{15000 - 900 - 35 - 4000, 635, 4000, 8030})) << mode;
        EXPECT_EQ(panneau.Barre_Deter, sans.Barre_Deter);
        EXPECT_EQ(Taille_Minimale(m).Largeur, 900 + 35 + 4000 + 35);  // the panel stays whole too

        m.Largeur_Panneau_Reponses = 0;
        m.Hauteur_Filtre = 400;
        const Disposition filtre = Positionne_Controles(m, mode);
        EXPECT_EQ(filtre.Filtre, (Rect_Twips{35, sans.Liste_Esp.Top, sans.Liste_Esp.Width, 400})) << mode;
        EXPECT_EQ(filtre.Liste_Esp, (Rect_Twips{35, sans.Liste_Esp.Top + 400, sans.Liste_Esp.Width,
                                                sans.Liste_Esp.Height - 400}));
        EXPECT_EQ(std::tuple(filtre.Tree_esp, filtre.Barre_Verticale, filtre.Robot),
                  std::tuple(filtre.Liste_Esp, sans.Barre_Verticale, sans.Robot));
    }
}

}  // namespace
}  // namespace kestrane
