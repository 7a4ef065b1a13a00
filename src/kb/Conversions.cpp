#include "Conversions.h"

#include <cctype>
#include <limits>

namespace kestrane {

int64_t Leading_Number(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr int64_t limit = std::numeric_limits<int64_t>::max();
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (value > (limit - digit) / 10) {
            value = limit;  // saturate; the narrowing callers reject it
            break;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

namespace {

template <typename Entier>
std::optional<Entier> Leading_Narrowed(std::string_view text) {
    const int64_t value = Leading_Number(text);
    if (value < std::numeric_limits<Entier>::min() || value > std::numeric_limits<Entier>::max()) {
        return std::nullopt;
    }
    return static_cast<Entier>(value);
}

}  // namespace

std::optional<int16_t> Leading_Int16(std::string_view text) {
    return Leading_Narrowed<int16_t>(text);
}

std::optional<int32_t> Leading_Int32(std::string_view text) {
    return Leading_Narrowed<int32_t>(text);
}

std::optional<bool> To_Boolean(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && text[begin] == ' ') ++begin;
    while (end > begin && text[end - 1] == ' ') --end;
    const std::string_view trimmed = text.substr(begin, end - begin);
    if (Equal_No_Case(trimmed, "true")) return true;
    if (Equal_No_Case(trimmed, "false")) return false;
    if (trimmed.empty()) return std::nullopt;
    // A number: every character must belong to it.
    size_t i = 0;
    if (trimmed[i] == '+' || trimmed[i] == '-') ++i;
    if (i == trimmed.size()) return std::nullopt;
    bool nonzero = false;
    bool seen_point = false;
    for (; i < trimmed.size(); ++i) {
        const char c = trimmed[i];
        if (c == '.' && !seen_point) {
            seen_point = true;
        } else if (c >= '0' && c <= '9') {
            nonzero = nonzero || c != '0';
        } else {
            return std::nullopt;
        }
    }
    return nonzero;
}

std::string Boolean_Text(bool value) { return value ? "True" : "False"; }

std::string Signed_Text(int64_t value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string To_Upper_Ascii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string To_Lower_Ascii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

bool Equal_No_Case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

}  // namespace kestrane
