#pragma once
// Which answers a species does not have, and how the portrait shows them.
//
// Every answered state (value non-zero) whose matrix value for the species is not 1 contradicts
// it. Each contradiction counts one extra layer; a character whose Contradictions row has Bouton
// -1 gets its drawing Rep_Robot + "CONTRA/" + Popup + ".wmf" in the layer Nb_Robot + that count;
// one with a button marks that button of the determination bar, which then shows the icon
// Rep_Robot + "contra/" + Popup + ".ico" instead of its usual picture Rep_Data + File.
// A character without a Contradictions row is counted but shows nothing. A measured answer is one
// contradiction (its first chosen class) when the species' range does not meet its interval.

#include <cstdint>
#include <string>
#include <vector>

#include "Base_Connaissance.h"
#include "Reponses_Mesurees.h"

namespace kestrane {

// One contradicted answered state.
struct Etat_Contredit {
    std::string Objet;    // the character
    std::string TipText;  // its description
    int Etat = 0;         // the state number
    int Bouton = -1;      // the determination button that shows it, -1 for a layer or nothing
    int Calque = 0;       // layer number for the layer loader, which fills Robot_Tab index Calque - 1;
                          // Nb_Robot + the count so far, 0 when the state has no drawing
    std::string Dessin;   // the overlay drawing's path; "" when shown by a button or not at all
};

// One button of the determination bar as the contradiction view rebuilds it.
struct Image_Bouton {
    int Numero = 0;          // 1 .. Nb_But_Deter
    std::string Caption;     // key of the picture in the image list
    std::string Image;       // the picture's path
    bool Contredit = false;  // Image is the contradiction icon
};

struct Contradictions_Espece {
    int Espece = -1;
    int Nb_Dessins_Sup = 0;             // one per contradicted state
    std::vector<Etat_Contredit> Etats;  // in Objets_Fic order, then state order
    std::vector<int> Boutons;           // contradicted button numbers, in the order found
    std::vector<Image_Bouton> Barre;    // the determination bar's pictures

    // The overlay layers to load, in order (those of Etats with a drawing).
    std::vector<const Etat_Contredit*> Calques() const;
};

// The contradictions of species `espece` (a species number, not a rank) against the answers.
// `rep_robot` and `rep_data` end with a separator. An espece outside 0 .. Nb_Esp - 1 gives an
// empty result with the usual bar.
Contradictions_Espece Calcule_Contradictions(const Base_Connaissance& base,
                                             const std::vector<int16_t>& etats_choisis, int espece,
                                             const std::string& rep_robot, const std::string& rep_data,
                                             const Valeurs_Mesurees& valeurs = {});

}  // namespace kestrane
