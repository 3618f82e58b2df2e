#pragma once

#include <QString>
#include <optional>

#include "ztklink_export.h"

namespace ztklink {

// A failure as the driver and its serial port report it: an error number and a Spanish text.
struct Error {
    int number = 0;
    QString description;
    bool operator==(const Error&) const = default;
};

// Outcome of a property assignment or port member: success, or the error that refused it.
// A refused assignment changes nothing, so callers may ignore it where the old value will do.
class [[nodiscard]] Result {
public:
    Result() = default;
    Result(Error error) : error_(std::move(error)) {}  // NOLINT: implicit on purpose
    Result(int number, QString description) : error_(Error{number, std::move(description)}) {}

    bool ok() const { return !error_.has_value(); }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return *error_; }
    int number() const { return error_ ? error_->number : 0; }
    QString description() const { return error_ ? error_->description : QString(); }

private:
    std::optional<Error> error_;
};

// A value read through a member that can refuse (an index out of range).
template <typename T>
class [[nodiscard]] Checked {
public:
    Checked(T value) : value_(value) {}  // NOLINT: implicit on purpose
    Checked(Error error) : error_(std::move(error)) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    T value() const { return *value_; }
    T valueOr(T fallback) const { return value_.value_or(fallback); }
    const Error& error() const { return *error_; }

private:
    std::optional<T> value_;
    std::optional<Error> error_;
};

}  // namespace ztklink
