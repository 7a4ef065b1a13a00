#include "Value.h"

#include <sstream>

#include "Arrondi_Pair.h"
#include "Conversions.h"

namespace kestrane {

std::string Value::Text() const {
    if (const auto* n = std::get_if<int64_t>(&data_)) return std::to_string(*n);
    if (const auto* r = std::get_if<double>(&data_)) {
        std::ostringstream out;
        out.precision(15);
        out << *r;
        return out.str();
    }
    if (const auto* t = std::get_if<std::string>(&data_)) return *t;
    return {};
}

int64_t Value::Number() const {
    if (const auto* n = std::get_if<int64_t>(&data_)) return *n;
    if (const auto* r = std::get_if<double>(&data_)) return Arrondi_Pair<int64_t>(*r);
    return Leading_Number(Text());
}

std::optional<bool> Value::Boolean() const {
    if (Is_Null()) return std::nullopt;
    if (const auto* n = std::get_if<int64_t>(&data_)) return *n != 0;
    if (const auto* r = std::get_if<double>(&data_)) return *r != 0.0;
    return To_Boolean(std::get<std::string>(data_));
}

}  // namespace kestrane
