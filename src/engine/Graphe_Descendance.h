#pragma once
// The dependencies between characters (table Descendance), indexed once per base.
//
// A row says: character Objet only makes sense while the state named ID_CARAC is chosen. When a
// state stops being chosen, Nettoie_Descendance clears every state of every character that
// depends on it, and recursively their dependants. Identifiers match without regard to case, as
// the database compares them. Rows naming an unknown state or character are passed over.
//
// A cycle in the data (a state whose dependants lead back to it) is cut: each state is cleared
// and followed at most once per cascade. Without cycles the result is the plain recursion's.

#include <cstdint>
#include <vector>

#include "Base_Connaissance.h"

namespace kestrane {

class Graphe_Descendance {
  public:
    explicit Graphe_Descendance(const Base_Connaissance& base);

    // Clears the dependants of state `ancien_provenance` in `etats_choisis` (only that array
    // changes). A state number outside the array does nothing.
    void Nettoie_Descendance(int ancien_provenance, std::vector<int16_t>& etats_choisis);

    // The states of the characters that depend directly on `etat`, as [first, first + count) ranges.
    struct Plage {
        int Premier = 0;
        int Nombre = 0;
    };
    const std::vector<Plage>& Dependants(int etat) const;

  private:
    std::vector<std::vector<Plage>> dependants_;  // by state number
    std::vector<uint8_t> vu_;                     // scratch of a cascade, all 0 between cascades
    std::vector<int> pile_;
    std::vector<int> touches_;
};

}  // namespace kestrane
