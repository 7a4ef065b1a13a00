#pragma once
// UTF-8 as the sources and exchange files must hold it: sequences checked one by one, so that
// a reader can say on which line the text stops being UTF-8.

#include <cstddef>
#include <string_view>

namespace kestrane::kb {

// Length of the UTF-8 sequence at `i` (1 to 4), 0 when it is not one: a stray or missing
// continuation byte, an overlong form, a surrogate, a value beyond U+10FFFF.
size_t Sequence_Utf8(std::string_view texte, size_t i);

// The line (from 1) of the first byte of `texte` that is not UTF-8; 0 when it all is.
int Ligne_Non_Utf8(std::string_view texte);

}  // namespace kestrane::kb
