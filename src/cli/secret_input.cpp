#include "cli/secret_input.h"

#include <istream>
#include <ostream>

#include "cli/cli_error.h"
#include "key/utf8.h"

namespace zorvane {

std::string ReadSecret(CliContext& context, std::string_view what) {
  const std::string name(what);
  const bool terminal = static_cast<bool>(context.setInputEcho);
  if (terminal) {
    context.err << static_cast<char>(name[0] - 'a' + 'A') << name.substr(1) << ": " << std::flush;
    context.setInputEcho(false);
  }
  std::string line;
  bool ended = false;
  bool tooLong = false;
  std::streambuf* input = context.in.rdbuf();
  while (input != nullptr) {
    const auto c = input->sbumpc();
    if (c == std::char_traits<char>::eof()) break;
    if (c == '\n') {
      ended = true;
      break;
    }
    if (line.size() == kMaxSecretBytes) {
      tooLong = true;
      break;
    }
    line.push_back(static_cast<char>(c));
  }
  if (terminal) {
    context.setInputEcho(true);
    context.err << '\n';
  }
  if (tooLong) throw CliError("the " + name + " on standard input is longer than 64 KiB");
  if (line.empty() && !ended) throw CliError("no " + name + " on standard input");
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (!DecodeUtf8(line)) throw CliError("the " + name + " on standard input is not valid UTF-8");
  return line;
}

}  // namespace zorvane
