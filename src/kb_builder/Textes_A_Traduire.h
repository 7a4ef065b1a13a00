#pragma once
// Every text of a base that its translations may cover (a question, a state, a button's caption
// or tip, a species' legend), with the key its translations name it by: what the check and the
// report go through to find the texts without a translation. Empty texts are left out.

#include <string>
#include <vector>

#include "Base_Connaissance.h"

namespace kestrane::kb {

struct Texte_A_Traduire {
    Texte_Traduisible Quoi;
    std::string Cle;
    std::string Nom;  // how the row is named in messages
};

// In table order: questions, states, the two bars' buttons, legends.
std::vector<Texte_A_Traduire> Textes_A_Traduire(const Base_Connaissance& base);

}  // namespace kestrane::kb
