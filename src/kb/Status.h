#pragma once
// Errors as values. Every load and parse of the core returns a Status or a Result; no exception
// crosses the core's interface. `code` keeps the number a message shows (the database engine's
// error code where there is one, else 0).

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace kestrane {

class Status {
public:
    static Status Ok() { return Status(); }
    static Status Error(std::string message, int code = 0) { return Status(std::move(message), code); }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const std::string& message() const { return message_; }
    int code() const { return code_; }

private:
    Status() = default;
    Status(std::string message, int code) : failed_(true), message_(std::move(message)), code_(code) {}

    bool failed_ = false;
    std::string message_;
    int code_ = 0;
};

// A value or the Status that says why there is none.
template <typename T>
class Result {
public:
    Result(T value) : value_(std::move(value)) {}  // NOLINT: implicit on purpose, like std::optional
    Result(Status error) : value_(std::move(error)) {}  // NOLINT

    bool ok() const { return std::holds_alternative<T>(value_); }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<T>(value_); }
    const T& value() const& { return std::get<T>(value_); }
    T&& value() && { return std::get<T>(std::move(value_)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() { return value(); }

    Status status() const { return ok() ? Status::Ok() : std::get<Status>(value_); }

private:
    std::variant<T, Status> value_;
};

}  // namespace kestrane
