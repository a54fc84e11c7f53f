#pragma once
// The outcome of a file operation: a value, or the reason it failed.
// Readers and writers never show anything; the caller decides how to tell the user.

#include <optional>
#include <string>
#include <utility>

namespace pixmill {

// Success, or a non-empty reason.
class Status {
  public:
    static Status Ok() { return Status(); }
    static Status Fail(std::string reason) { return Status(std::move(reason)); }

    bool ok() const { return reason_.empty(); }
    explicit operator bool() const { return ok(); }
    const std::string& reason() const { return reason_; }

  private:
    Status() = default;
    explicit Status(std::string reason)
        : reason_(reason.empty() ? std::string("unknown error") : std::move(reason)) {}
    std::string reason_;
};

template <class T>
class Result {
  public:
    Result(T value) : value_(std::move(value)) {}  // NOLINT: implicit by design
    // A failure; an Ok status here is a caller's mistake and still reads as a failure.
    Result(Status failure)  // NOLINT: implicit by design
        : reason_(failure.ok() ? "unknown error" : failure.reason()) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const std::string& reason() const { return reason_; }

    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }

  private:
    std::optional<T> value_;
    std::string reason_;
};

}  // namespace pixmill
