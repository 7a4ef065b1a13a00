#pragma once
// The interface strings in English, Spanish and French. An entry's English text has a base number
// in 1000 .. 1999; the same text in language `Langue` (0 English, 1 Spanish, 2 French) is entry
// base + 1000 x Langue. Some entries exist in only some languages: a lookup tells its caller when
// an entry is missing, and the caller decides (a window keeps its designed text).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// The entry numbered `numero`, or nullopt when the table has none.
std::optional<std::string_view> Texte_Chaine(int numero);

// Entry base + 1000 x langue, or nullopt.
std::optional<std::string_view> Chaine(int base, int langue);

// Entry base + 1000 x langue, else the English entry, else "" (for messages that must show
// something even where a language lacks the entry).
std::string Chaine_Ou_Anglais(int base, int langue);

// Every entry number present, in increasing order.
std::vector<int> Numeros_Chaines();

}  // namespace kestrane
