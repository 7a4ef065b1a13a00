#pragma once
// Texts folded for finding a name whatever way it is typed: case folded, accents and other
// combining marks dropped ("Érable" and "erable" fold alike), and dashes, apostrophes and runs of
// white space made one blank, without blanks at either end ("Horse-chestnut" finds
// "horse chestnut"). Letters without a decomposition (ø, œ, ł) stay as they are. Input and
// output are UTF-8; invalid bytes become U+FFFD. Thread-safe.

#include <string>
#include <string_view>

namespace kestrane {

std::string Plie_Texte(std::string_view texte);

}  // namespace kestrane
