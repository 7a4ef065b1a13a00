#pragma once
// The geometry of the main window's panes, in twips of the window's inner area, for a view mode.
// Pure computation: the window converts to pixels with the screen's logical resolution.
//
// The portrait keeps a 4:3 aspect beside the determination bar; the left column (small portrait
// above the list or the tree) and the document view share the height below the toolbar.
//
// Two panes of our own come in only while they are shown, so that without them every pane is
// where it always was: the answers panel, which the free width makes room for as for a second
// bar at the right (between the portrait and the determination bar, from the portrait's top over
// the available height), and the name filter, which takes its height from the top of the list's
// and the tree's rectangle.

namespace kestrane {

struct Rect_Twips {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Right() const { return Left + Width; }
    bool operator==(const Rect_Twips&) const = default;
};

struct Mesures_Fenetre {
    int Largeur_Interieure = 0;
    int Hauteur_Interieure = 0;
    bool Barre_Outils_Visible = true;
    int Hauteur_Barre_Outils = 0;
    bool Barre_Etat_Visible = true;
    int Hauteur_Barre_Etat = 0;
    int Largeur_Barre_Deter = 0;
    int Largeur_Barre_Question = 0;
    int Hauteur_Barre_Deter = 0;  // the heights that show every button (Taille_Minimale)
    int Hauteur_Barre_Question = 0;
    int Largeur_Panneau_Reponses = 0;  // 0 while the answers panel is hidden
    int Hauteur_Filtre = 0;            // 0 while the name filter is hidden
    bool Sans_Portrait = false;        // a base without portrait pieces: no small portrait above the list
};

// Which panes the layout shows for the mode (1 identification, 2 with the state chooser,
// 3 results, 4 species). The layout only shows; the views hide.
struct Panes_Affichees {
    bool Robot = false, Barre_Deter = false, Barre_Question = false, Small_Robot = false, Liste_Esp = false,
         Tree_esp = false, Barre_Verticale = false, WebTexte = false;
    bool Cache_Pic_Choix = false;
};

struct Disposition {
    Rect_Twips Robot, Pic_Choix, Small_Robot, Liste_Esp, Tree_esp, Barre_Verticale, WebTexte, Barre_Deter,
        Barre_Question;
    Rect_Twips Panneau_Reponses, Filtre;  // empty while hidden
    Panes_Affichees Affichees;
    bool Panes_Placees = false;  // false for a mode outside 1 .. 4: only the status bar is placed
    bool Petit_Portrait = true;  // whether the small portrait takes its place above the list
};

inline constexpr int kMarge = 35;  // the portrait's left edge and the gaps, in twips

Disposition Positionne_Controles(const Mesures_Fenetre& mesures, int mode_affichage);

// The top of the determination and question bars: the toolbar's height + 200.
int Haut_Barres(const Mesures_Fenetre& mesures);

// The smallest inner size that shows both bars whole: as wide as the wider bar with a margin (and
// the answers panel with its margin while it shows), as high as the bars' top plus the taller bar
// plus the status bar when it shows. The window keeps
// at least this size where the screen allows.
struct Taille_Twips {
    int Largeur = 0;
    int Hauteur = 0;
    bool operator==(const Taille_Twips&) const = default;
};
Taille_Twips Taille_Minimale(const Mesures_Fenetre& mesures);

// Where the panes go when the splitter is released at `gauche` (twips): limited to half the
// window's width and kept right of the left column's edge.
void Relache_Separateur(Disposition& disposition, int gauche, int largeur_interieure);

}  // namespace kestrane
