#pragma once

#include <QString>
#include <optional>
#include <utility>
#include <variant>

namespace velmor {

// The one way a piece of the core says it could not do what it was asked:
// either the value, or the reason it failed (a sentence for the log, or for
// the user where the caller shows it). It cannot be dropped unread.
template <typename T> class [[nodiscard]] Outcome {
public:
    Outcome(T value) : value_(std::move(value)) {} // NOLINT(google-explicit-constructor)
    static Outcome failed(QString reason) { return Outcome(std::move(reason), Failure{}); }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return *value_; }
    T&& value() && { return std::move(*value_); }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    // The value, or the fallback when it failed.
    T value_or(T fallback) const& { return value_ ? *value_ : std::move(fallback); }
    // Empty when it succeeded.
    const QString& reason() const { return reason_; }

private:
    struct Failure {};
    Outcome(QString reason, Failure) : reason_(std::move(reason)) {}

    std::optional<T> value_;
    QString reason_;
};

// What a step that yields nothing but success says.
using Done = Outcome<std::monostate>;
inline Done done() {
    return std::monostate{};
}

} // namespace velmor
