#pragma once
// The compact base file (Base_Compacte.h) written from a loaded base and its names.
//
// The matrix takes one bit per cell when every value is 0 or 1 (the builder's bases), else one
// signed byte; a value beyond -128 .. 127 is refused with a message naming the species, the state
// and the value, since the web key holds the matrix in bytes. The same base gives the same bytes,
// and so the same stamp.

#include <cstdint>
#include <vector>

#include "Base_Connaissance.h"
#include "Noms_Especes.h"
#include "Status.h"

namespace kestrane::kb {

Result<std::vector<uint8_t>> Ecrit_Base_Compacte(const Base_Connaissance& base, const Noms_Especes& noms);

}  // namespace kestrane::kb
