#pragma once
// What tells two species apart: every character of the base, by the states each species shows
// (matrix value not 0), in three sections, each in Objets_Fic order:
//   Differents: both species show states of it and not the same ones; those with no state in
//               common (any answer tells the two apart) come first;
//   Communs:    both show exactly the same states;
//   Un_Seul:    only one of the two shows any state of it.
// A character neither shows, or whose states lie outside the matrix, is left out. Reads the base
// only; the same for the window's page and the command line.

#include <vector>

#include "Base_Connaissance.h"

namespace kestrane {

struct Caractere_Compare {
    int Position = 0;          // the character's row in Objets_Fic
    std::vector<int> Etats_A;  // state numbers shown by the first species, in state order
    std::vector<int> Etats_B;  // the same for the second
    bool Disjoints = false;    // both show states and none in common
};

struct Comparaison_Especes {
    int Espece_A = -1;
    int Espece_B = -1;
    std::vector<Caractere_Compare> Differents;
    std::vector<Caractere_Compare> Communs;
    std::vector<Caractere_Compare> Un_Seul;
};

// The comparison of species `a` and `b` (0 .. Nb_Esp - 1); every section is empty when either
// number is out of range.
Comparaison_Especes Compare_Especes(const Base_Connaissance& base, int a, int b);

}  // namespace kestrane
