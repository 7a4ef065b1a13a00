#pragma once
// The interface texts of the features the string table has no entry for (the answers panel, Undo
// and Redo, the name filter), in English, Spanish and French. The string table itself stays as
// it is; these texts follow the same language numbers (0 English, 1 Spanish, 2 French).

#include <string_view>

namespace kestrane {

enum class Texte_Ajoute {
    Menu_Annuler,       // Edit menu: undo the last change of the answers
    Menu_Retablir,      // Edit menu: redo it
    Menu_Trouver,       // Edit menu: show the name filter and go to it
    Menu_Reponses,      // View menu: show or hide the answers panel
    Reponses_Titre,     // the panel's heading
    Reponses_Aucune,    // the panel's one-line hint while nothing is answered
    Reponses_Changer,   // tooltip of an answer: open its chooser
    Reponses_Retirer,   // tooltip of an answer's remove button
    Filtre_Indication,  // placeholder of the name filter
};

// The text in language `langue`; English for any other value.
std::string_view Chaine_Ajoutee(Texte_Ajoute quoi, int langue);

}  // namespace kestrane
