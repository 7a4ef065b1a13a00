#pragma once
// The alphabetical order of a language, for the lists a base stores ready-sorted: SQLite knows no
// language's collation, so the builder ranks the common names of each language with that
// language's own (Spanish puts "ñ" after "n", French ignores accents at first sight).

#include <string>
#include <vector>

namespace kestrane::kb {

// The rank (0 .. n - 1) of each of `textes` in the alphabetical order of the language whose
// suffix is `suffixe` ("es"), without regard to case; equal texts keep their order.
std::vector<int> Rangs_Alphabetiques(const std::vector<std::string>& textes, const std::string& suffixe);

}  // namespace kestrane::kb
