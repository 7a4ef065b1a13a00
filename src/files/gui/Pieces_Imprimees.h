#pragma once
// The drawing of each portrait piece for a print, chosen from the answers by the portrait's own
// rules (Composition_Portrait): the first applicable Hierarchie row, with piece 0's variant suffix
// for names without the metafile extension. Unlike the portrait on screen, which keeps a piece's
// previous drawing when no row applies, the print leaves such a piece out.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Base_Connaissance.h"

namespace kestrane {

// One entry per piece 0 .. Nb_Robot - 1: the path to play, or nullopt when no row applies. A
// condition naming an unknown state passes its row over silently (the portrait has reported it).
// `rep_robot` ends with a separator.
std::vector<std::optional<std::string>> Pieces_Imprimees(const Base_Connaissance& base,
                                                         const std::string& rep_robot,
                                                         const std::vector<int16_t>& etats_choisis);

}  // namespace kestrane
