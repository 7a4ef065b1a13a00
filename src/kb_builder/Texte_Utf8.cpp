#include "Texte_Utf8.h"

#include <cstdint>

namespace kestrane::kb {

size_t Sequence_Utf8(std::string_view t, size_t i) {
    const auto c = static_cast<unsigned char>(t[i]);
    if (c < 0x80)
        return 1;
    size_t n = 0;
    uint32_t v = 0;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2, v = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF)
        n = 3, v = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4)
        n = 4, v = c & 0x07;
    else
        return 0;
    if (i + n > t.size())
        return 0;
    for (size_t k = 1; k < n; ++k) {
        const auto suite = static_cast<unsigned char>(t[i + k]);
        if ((suite & 0xC0) != 0x80)
            return 0;
        v = (v << 6) | (suite & 0x3F);
    }
    const uint32_t minimum = n == 3 ? 0x800 : n == 4 ? 0x10000 : 0x80;
    return v < minimum || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF) ? 0 : n;
}

int Ligne_Non_Utf8(std::string_view t) {
    int ligne = 1;
    for (size_t i = 0; i < t.size();) {
        const size_t n = Sequence_Utf8(t, i);
        if (n == 0)
            return ligne;
        ligne += t[i] == '\n' ? 1 : 0;
        i += n;
    }
    return 0;
}

}  // namespace kestrane::kb
