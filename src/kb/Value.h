#pragma once
// One field value of a record, as the database gives it: null, a whole number, a real number or
// text. Null is told apart from empty text.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace kestrane {

class Value {
public:
    Value() = default;  // null
    explicit Value(int64_t number) : data_(number) {}
    explicit Value(int number) : data_(static_cast<int64_t>(number)) {}
    explicit Value(double number) : data_(number) {}
    explicit Value(std::string text) : data_(std::move(text)) {}
    explicit Value(const char* text) : data_(std::string(text)) {}

    bool Is_Null() const { return std::holds_alternative<std::monostate>(data_); }
    bool Is_Integer() const { return std::holds_alternative<int64_t>(data_); }
    bool Is_Real() const { return std::holds_alternative<double>(data_); }
    bool Is_Text() const { return std::holds_alternative<std::string>(data_); }

    // The value as text: numbers in decimal, null as "".
    std::string Text() const;
    // The leading number of the value's text (0 for null).
    int64_t Number() const;
    // The Boolean conversion; nullopt for null and for text that is not a Boolean.
    std::optional<bool> Boolean() const;

    bool operator==(const Value& other) const = default;

private:
    std::variant<std::monostate, int64_t, double, std::string> data_;
};

}  // namespace kestrane
