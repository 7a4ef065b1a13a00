#pragma once
// The character being asked and the state picked for it. Filled from a row of Objets_Fic by a
// portrait click, a determination button or the discriminant search; Choix is set by the state
// chooser. The engine bounds-checks every field before using it as an index.

#include <string>

#include "Base_Connaissance.h"

namespace kestrane {

struct Question_Courante {
    std::string Objet;
    int Lignes = 0;
    int Colonnes = 0;
    int Index_Car = 0;
    int Nb_Car = 0;
    int Cadre = -1;
    int Desc_Num = 0;
    std::string TipText;
    std::string Popup;
    int Choix = -1;  // relative to Index_Car, or -1 when no state is picked

    // Every field of the character's row; Choix becomes -1.
    static Question_Courante De_Objet(const Objet_Fic& objet) {
        Question_Courante q;
        q.Objet = objet.Objet;
        q.Lignes = objet.Lignes;
        q.Colonnes = objet.Colonnes;
        q.Index_Car = objet.Index_Car;
        q.Nb_Car = objet.Nb_Car;
        q.Cadre = objet.Cadre;
        q.Desc_Num = objet.Desc_Num;
        q.TipText = objet.TipText;
        q.Popup = objet.Popup;
        q.Choix = -1;
        return q;
    }
};

}  // namespace kestrane
