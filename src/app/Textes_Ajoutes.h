#pragma once
// The interface texts of the features the string table has no entry for (the answers panel, Undo
// and Redo, the name filter, the ranked questions, the comparison of two species), in English,
// Spanish and French. The string table itself stays as it is; these texts follow the same
// language numbers (0 English, 1 Spanish, 2 French).

#include <string_view>

namespace kestrane {

enum class Texte_Ajoute {
    Menu_Annuler,            // Edit menu: undo the last change of the answers
    Menu_Retablir,           // Edit menu: redo it
    Menu_Trouver,            // Edit menu: show the name filter and go to it
    Menu_Reponses,           // View menu: show or hide the answers panel
    Reponses_Titre,          // the panel's heading
    Reponses_Aucune,         // the panel's one-line hint while nothing is answered
    Reponses_Changer,        // tooltip of an answer: open its chooser
    Reponses_Retirer,        // tooltip of an answer's remove button
    Filtre_Indication,       // placeholder of the name filter
    Menu_Questions,          // View menu: the questions ranked by their power
    Questions_Indication,    // status text while the ranked questions are shown
    Questions_Question,      // heading of the list's first column
    Questions_Pouvoir,       // heading of its second column
    Menu_Comparer,           // results list: compare the species with another
    Comparer_Choix,          // the species picker's label; %1 is the first species
    Comparaison_Titre,       // the page's title; %1 and %2 are the species
    Comparaison_Differents,  // heading: the characters on which they differ
    Comparaison_Communs,     // heading: the characters they share
    Comparaison_Un_Seul,     // heading: the characters known for only one of them
    Comparaison_Inconnu,     // in place of the states of a species that shows none
    Comparaison_Aucun,       // a section without any character
    Questions_Autres,        // Questions list: heading of the questions the search would not ask now
    Especes_Indication,      // the document pane's hint while it shows no species
    Filtre_Aucune,           // status text when the name filter matches no species; %1 the text
    Aide_Introuvable,        // Help when the user guide is nowhere to be found
    Statut_Liste,            // status text of a base without a portrait: what to do next
    Statut_Une_Espece,       // status text when one species alone fits best; %1 is its name
    Reponses_Aucune_Liste,   // the panel's hint while nothing is answered, in a base without a portrait
    Lien_Externe,            // question before a link out of the pages opens in the browser; %1: the address
    Options_Tolerance,       // options: the tolerance of measured values, in percent
    Mesure_Indication,       // the measured value's chooser: what to do
    Mesure_Invalide,         // status text when the field holds no number; %1 the text typed
    Option_Vignettes,        // Options: the species' thumbnails beside their names in the results list
    Quoi_Aide,               // the button beside a question that has help ("What is this?")
    Quoi_Aide_Infobulle,     // its tool tip, with its shortcut
};

// The text in language `langue`; English for any other value.
std::string_view Chaine_Ajoutee(Texte_Ajoute quoi, int langue);

// The language number of a documents' suffix ("en", "_fr"...): 0, 1 or 2, English for others.
int Langue_De_Suffixe(std::string_view suffixe);

}  // namespace kestrane
