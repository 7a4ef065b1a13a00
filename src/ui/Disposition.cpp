#include "Disposition.h"

#include <algorithm>
#include <cstdlib>

#include "Arrondi_Pair.h"

namespace kestrane {
namespace {

// Twips are whole numbers; a quotient is rounded as the display's integer conversion does.

}  // namespace

Disposition Positionne_Controles(const Mesures_Fenetre& m, int mode) {
    Disposition d;
    int ah = m.Hauteur_Interieure - 70;
    if (m.Barre_Outils_Visible) ah -= m.Hauteur_Barre_Outils;
    if (m.Barre_Etat_Visible) ah -= m.Hauteur_Barre_Etat;
    const int pw = Arrondi_Pair<int>(ah * 4.0 / 3.0);
    const int fw = m.Largeur_Interieure - 3 * kMarge - m.Largeur_Barre_Deter - m.Largeur_Panneau_Reponses;

    int largeur = pw;
    int hauteur = ah;
    if (fw < pw) {
        largeur = fw;
        hauteur = Arrondi_Pair<int>(fw * 3.0 / 4.0);
    }
    if (mode < 1 || mode > 4) return d;

    const int haut = m.Barre_Outils_Visible ? m.Hauteur_Barre_Outils + kMarge : kMarge;
    d.Robot = {kMarge, haut, largeur, hauteur};
    d.Pic_Choix = d.Robot;
    d.Petit_Portrait = !m.Sans_Portrait;
    // Without a portrait the list and the tree start at the top: no blank where it would be.
    d.Small_Robot = {kMarge, haut, Arrondi_Pair<int>(fw / 4.0),
                     d.Petit_Portrait ? Arrondi_Pair<int>(3.0 * fw / 16.0) : 0};
    d.Liste_Esp = {kMarge, haut + d.Small_Robot.Height, Arrondi_Pair<int>(fw / 4.0), ah - d.Small_Robot.Height};
    if (m.Hauteur_Filtre > 0) {
        d.Filtre = {kMarge, d.Liste_Esp.Top, d.Liste_Esp.Width, m.Hauteur_Filtre};
        d.Liste_Esp.Top += m.Hauteur_Filtre;
        d.Liste_Esp.Height -= m.Hauteur_Filtre;
    }
    d.Tree_esp = d.Liste_Esp;
    d.Barre_Verticale = {d.Tree_esp.Right(), d.Small_Robot.Top, 60,
                         d.Tree_esp.Height + d.Filtre.Height + d.Small_Robot.Height};
    d.WebTexte = {d.Barre_Verticale.Right(), d.Barre_Verticale.Top,
                  m.Largeur_Interieure - d.Barre_Verticale.Right() - kMarge, d.Barre_Verticale.Height};
    const int haut_barres = Haut_Barres(m);
    d.Barre_Deter = {m.Largeur_Interieure - m.Largeur_Barre_Deter, haut_barres, m.Largeur_Barre_Deter, ah};
    d.Barre_Question = {m.Largeur_Interieure - m.Largeur_Barre_Question, haut_barres, m.Largeur_Barre_Question, ah};
    if (m.Largeur_Panneau_Reponses > 0) {
        d.Panneau_Reponses = {d.Barre_Deter.Left - kMarge - m.Largeur_Panneau_Reponses, haut,
                              m.Largeur_Panneau_Reponses, ah};
    }

    switch (mode) {
        case 1:
            d.Affichees.Robot = d.Affichees.Barre_Deter = true;
            d.Affichees.Cache_Pic_Choix = true;
            break;
        case 2:
            d.Affichees.Barre_Question = true;
            break;
        case 3:
            d.Affichees.Small_Robot = d.Petit_Portrait;
            d.Affichees.Liste_Esp = d.Affichees.Barre_Verticale = d.Affichees.WebTexte = true;
            break;
        case 4:
            d.Affichees.Small_Robot = d.Petit_Portrait;
            d.Affichees.Tree_esp = d.Affichees.Barre_Verticale = d.Affichees.WebTexte = true;
            break;
    }
    d.Panes_Placees = true;
    return d;
}

int Haut_Barres(const Mesures_Fenetre& m) {
    return m.Hauteur_Barre_Outils + 200;
}

Taille_Twips Taille_Minimale(const Mesures_Fenetre& m) {
    int largeur = std::max(m.Largeur_Barre_Deter, m.Largeur_Barre_Question) + kMarge;
    if (m.Largeur_Panneau_Reponses > 0)
        largeur += m.Largeur_Panneau_Reponses + kMarge;  // the answers panel stays whole beside them
    int hauteur = Haut_Barres(m) + std::max(m.Hauteur_Barre_Deter, m.Hauteur_Barre_Question);
    if (m.Barre_Etat_Visible)
        hauteur += m.Hauteur_Barre_Etat;
    return {largeur, hauteur};
}

void Relache_Separateur(Disposition& d, int gauche, int largeur_interieure) {
    // Right of the middle goes back to the middle; left of the column keeps a sliver of column.
    gauche = std::min(gauche, largeur_interieure / 2);
    gauche = std::max(gauche, d.Tree_esp.Left + kMarge);
    d.Barre_Verticale.Left = gauche;
    d.Small_Robot.Width = std::abs(gauche - d.Tree_esp.Left);
    d.Small_Robot.Height = d.Petit_Portrait ? Arrondi_Pair<int>(d.Small_Robot.Width * 3.0 / 4.0) : 0;
    const int bas = d.Tree_esp.Top + d.Tree_esp.Height;
    if (d.Filtre.Height > 0) {
        d.Filtre.Top = d.Small_Robot.Top + d.Small_Robot.Height;
        d.Filtre.Width = std::abs(gauche - d.Filtre.Left);
    }
    for (Rect_Twips* r : {&d.Tree_esp, &d.Liste_Esp}) {
        r->Top = d.Small_Robot.Top + d.Small_Robot.Height + d.Filtre.Height;
        r->Width = std::abs(gauche - r->Left);
        r->Height = std::max(0, bas - r->Top);
    }
    const int droite = d.WebTexte.Right();
    d.WebTexte.Left = d.Barre_Verticale.Right();
    d.WebTexte.Width = std::max(0, droite - d.WebTexte.Left);
}

}  // namespace kestrane
