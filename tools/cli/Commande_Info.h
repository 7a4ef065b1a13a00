#pragma once
// `kestrane-cli info`: the counts, species and characters of a knowledge base.

#include <ostream>

#include "Base_Connaissance.h"

namespace kestrane::cli {

void Ecrit_Info(const Base_Connaissance& base, bool json, std::ostream& out);

}  // namespace kestrane::cli
