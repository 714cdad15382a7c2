#pragma once

#include <stdexcept>
#include <string>

namespace zorbel {

// The one exception type that ends an event handler. The shell shows its text
// with "." appended in an error box; nothing else is done with it.
class UserError : public std::runtime_error {
  public:
    explicit UserError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace zorbel
