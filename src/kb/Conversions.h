#pragma once
// The text conversions the knowledge base and the settings use on stored values.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

// Leading-number parse: leading blanks skipped, an optional sign, then the digits up to the first
// other character. No digit gives 0. The result saturates at the 64-bit range.
int64_t Leading_Number(std::string_view text);

// The same parse narrowed to a 16-bit signed integer; nullopt when the number does not fit
// (where the stored value was meant for a 16-bit variable, such a value is an error).
std::optional<int16_t> Leading_Int16(std::string_view text);
// The same narrowed to a 32-bit signed integer (the knowledge base's counts).
std::optional<int32_t> Leading_Int32(std::string_view text);

// Boolean conversion of a stored text: "True"/"False" in any case, or a number (non-zero is true,
// so both "1" and "-1" read as true). nullopt for any other text, which cannot be converted.
std::optional<bool> To_Boolean(std::string_view text);

// The text written for a Boolean, which To_Boolean reads back.
std::string Boolean_Text(bool value);

// A number written as the results list and messages write it: one sign character (a blank for 0
// and positive numbers, "-" for negative ones) then the digits.
std::string Signed_Text(int64_t value);

// ASCII case folding, as the database's NOCASE comparisons and file look-ups do.
std::string To_Upper_Ascii(std::string_view text);
std::string To_Lower_Ascii(std::string_view text);
bool Equal_No_Case(std::string_view a, std::string_view b);

}  // namespace kestrane
