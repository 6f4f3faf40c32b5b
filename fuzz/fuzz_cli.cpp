// zorvane-cli as a whole: words and standard input from the fuzzer into RunCli. It never fails
// otherwise than by its exit statuses; a status of 0 prints nothing but result lines, and an
// error is one line that shows no control character. UTF-8 that decodes encodes back to itself.
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "key/utf8.h"
#include "timecode/calendar.h"

namespace {

using namespace zorvane;

bool Digits(std::string_view s) {
  return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

bool IsoMinute(std::string_view s) {
  return s.size() == 16 && Digits(s.substr(0, 4)) && s[4] == '-' && Digits(s.substr(5, 2)) &&
         s[7] == '-' && Digits(s.substr(8, 2)) && s[10] == 'T' && Digits(s.substr(11, 2)) &&
         s[13] == ':' && Digits(s.substr(14, 2));
}

bool Triad3(std::string_view s) {
  constexpr std::string_view kConsonants = "BCDFGHJKLMNPRTVWXZ";
  return s.size() == 3 && kConsonants.find(s[0]) != std::string_view::npos &&
         std::string_view("AEIOUY").find(s[1]) != std::string_view::npos &&
         kConsonants.find(s[2]) != std::string_view::npos;
}

bool ResultLine(std::string_view s) {
  if (s.size() == 16 && s.find_first_not_of("0123456789ABCDEF") == std::string_view::npos) {
    return true;  // a key
  }
  if (Triad3(s) || IsoMinute(s) || Digits(s) || s == "minute" || s == "minute,triad") return true;
  if (s.size() == 18 && s[4] == '/' && s[7] == '/' && s.substr(10, 3) == "   " && s[15] == ':') {
    return IsoMinute(std::string(s.substr(0, 4)) + "-" + std::string(s.substr(5, 2)) + "-" +
                     std::string(s.substr(8, 2)) + "T" + std::string(s.substr(13, 5)));
  }
  if (s.size() == 20 && IsoMinute(s.substr(0, 16)) && (s[16] == ' ' || s[16] == ',')) {
    return Triad3(s.substr(17));
  }
  if (s.starts_with("{\"minute\":\"") && s.size() >= 29 && IsoMinute(s.substr(11, 16))) {
    const std::string_view rest = s.substr(27);
    return rest == "\"}" || (rest.size() == 16 && rest.starts_with("\",\"triad\":\"") &&
                             Triad3(rest.substr(11, 3)) && rest.substr(14) == "\"}");
  }
  return false;
}

std::string Run(const std::vector<std::string>& args, const std::string& input, int& status,
                std::string& err) {
  std::istringstream in(input);
  std::ostringstream out, errors;
  CliContext context{in, out, errors, {2014, 1, 5, 13, 7}};
  status = RunCli(args, context);
  err = errors.str();
  return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Words separated by NUL; the first is standard input.
  std::vector<std::string> words(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      words.emplace_back();
    } else {
      words.back().push_back(static_cast<char>(data[i]));
    }
  }
  const std::string input = words.front();
  std::vector<std::string> args(words.begin() + 1, words.end());
  for (const std::string& a : args) {
    // Ranges of many years are searched well enough by the tests; here they would only be slow.
    if (a.starts_with("--years") || a.starts_with("--from") || a.starts_with("--to")) return 0;
    if (const auto decoded = DecodeUtf8(a); decoded && EncodeUtf8(*decoded) != a) std::abort();
  }

  int status = 0;
  std::string err;
  const std::string out = Run(args, input, status, err);
  if (status < 0 || status > 2) std::abort();
  if (status == 2) {
    if (!err.starts_with("zorvane-cli: ") || err.back() != '\n') std::abort();
    for (std::size_t i = 0; i + 1 < err.size(); ++i) {
      const auto c = static_cast<unsigned char>(err[i]);
      if (c < 0x20 || c == 0x7F) std::abort();
      if (c == 0xC2 && i + 2 < err.size() && static_cast<unsigned char>(err[i + 1]) < 0xA0) {
        std::abort();
      }
    }
    return 0;
  }
  if (status == 0) {
    int helpStatus = 0;
    std::string unused;
    if (out == Run({"--help"}, "", helpStatus, unused) ||
        out == Run({"--version"}, "", helpStatus, unused)) {
      return 0;
    }
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
      if (!ResultLine(line)) std::abort();
    }
    if (out.empty() || out.back() != '\n') std::abort();
  }
  return 0;
}
