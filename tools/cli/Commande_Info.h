#pragma once
// `kestrane-cli info`: the counts, species and characters of a knowledge base, the questions and
// states in the language of suffix `suffixe` ("fr") where the base translates them.

#include <ostream>
#include <string_view>

#include "Base_Connaissance.h"

namespace kestrane::cli {

void Ecrit_Info(const Base_Connaissance& base, bool json, std::string_view suffixe, std::ostream& out);

}  // namespace kestrane::cli
