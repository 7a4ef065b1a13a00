#pragma once
// The one JSON helper the tool needs: a string literal with its escapes.

#include <cstdio>
#include <string>
#include <string_view>

namespace kestrane::cli {

inline std::string Json_Texte(std::string_view texte) {
    std::string out = "\"";
    for (const unsigned char c : texte) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                    out += buffer;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

}  // namespace kestrane::cli
