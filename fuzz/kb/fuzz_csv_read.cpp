// The CSV reader of the sources on arbitrary bytes: it either refuses them with "name:line: what"
// or gives rows as wide as the header, on increasing lines, whose fields are UTF-8 text without a
// NUL byte.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "Table_Csv.h"

namespace {

bool Utf8_Sans_Nul(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t n = c == 0               ? 0
                         : c < 0x80           ? 1
                         : (c & 0xE0) == 0xC0 ? 2
                         : (c & 0xF0) == 0xE0 ? 3
                         : (c & 0xF8) == 0xF0 ? 4
                                              : 0;
        if (n == 0 || i + n > s.size())
            return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += n;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string texte(reinterpret_cast<const char*>(data), size);
    auto t = kestrane::kb::Table_Csv::Analyse(texte, "fuzz.csv");
    if (!t) {
        if (t.status().message().rfind("fuzz.csv:", 0) != 0)
            std::abort();
        return 0;
    }
    if (t->Colonnes().empty())
        std::abort();
    for (const auto& c : t->Colonnes())
        if (c.empty() || !Utf8_Sans_Nul(c))
            std::abort();
    int precedente = 1;
    for (const auto& ligne : t->Lignes()) {
        if (ligne.Champs.size() != t->Colonnes().size() || ligne.Numero <= precedente)
            std::abort();
        precedente = ligne.Numero;
        for (const auto& champ : ligne.Champs)
            if (!Utf8_Sans_Nul(champ))
                std::abort();
    }
    return 0;
}
