#pragma once

#include <string>
#include <utility>
#include <variant>

namespace zorbel {

// A value or the text of the reason it could not be had. Readers of files
// return this instead of throwing, so a hostile file is an ordinary outcome.
template <class T>
class [[nodiscard]] Result {
  public:
    Result(T value) : state_(std::move(value)) {}  // NOLINT(google-explicit-constructor)
    static Result failure(std::string reason) { return Result(Failure{std::move(reason)}); }

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }
    T& value() { return std::get<0>(state_); }
    const T& value() const { return std::get<0>(state_); }
    const std::string& error() const { return std::get<1>(state_).reason; }

  private:
    struct Failure {
        std::string reason;
    };
    explicit Result(Failure f) : state_(std::move(f)) {}
    std::variant<T, Failure> state_;
};

struct Done {};
using Status = Result<Done>;

}  // namespace zorbel
