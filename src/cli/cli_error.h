// The one kind of failure zorvane-cli reports: one line on standard error after
// "zorvane-cli: ", and exit status 2.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zorvane {

struct CliError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// An argument as a message may show it: quoted, control characters and bytes that are not
// UTF-8 escaped as \xNN, and shortened to its first 24 characters.
std::string Quoted(std::string_view argument);

}  // namespace zorvane
