#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zorbel {

// The exit statuses of zorbel-cli.
constexpr int kCliOk = 0;
constexpr int kCliBadInput = 1;  // bad usage or input that cannot be read
constexpr int kCliConflict = 3;  // patches that fight over a field, or a field changed under one

// zorbel-cli with its arguments (without the program name): what it prints
// goes to `out`, errors to `err`.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zorbel
