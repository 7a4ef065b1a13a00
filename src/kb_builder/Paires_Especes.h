#pragma once
// Which taxa of a base no answer can separate, and which one character alone separates: every
// pair of taxa compared on every character.
//
// Two taxa conflict on a character when both have states of it (matrix value not 0) and none in
// common. The pairs that conflict nowhere form connected groups; the pairs that conflict on one
// character only are fragile (one wrong answer merges them). The comparison runs on bit sets of
// the taxa per state, so its cost is pairs x characters / 64, shared among threads.

#include <cstdint>
#include <functional>
#include <vector>

#include "Base_Connaissance.h"

namespace kestrane::kb {

struct Groupe_Inseparable {
    std::vector<int> Especes;  // in taxon order
    int64_t Paires = 0;        // pairs inside it that no answer separates
};

struct Paire_Fragile {
    int A = 0, B = 0;   // A < B
    int Caractere = 0;  // the only character they conflict on (position in Objets_Fic)
};

struct Bilan_Paires {
    int64_t Nb_Inseparables = 0;
    std::vector<Groupe_Inseparable> Groupes;  // of two taxa or more, by first member
    int64_t Nb_Fragiles = 0;
    std::vector<Paire_Fragile> Fragiles;          // in (A, B) order, the first `limite`
    std::vector<int64_t> Fragiles_Par_Caractere;  // by position
    std::vector<bool> Separe;                     // by position: two taxa conflict on it
};

// `progression` hears the taxa compared with every later one, on the calling thread.
Bilan_Paires Compare_Paires(const Base_Connaissance& base, unsigned fils, size_t limite,
                            const std::function<void(size_t fait, size_t total)>& progression = {});

}  // namespace kestrane::kb
