#include "cli/cli.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string_view>

#include "key/utf8.h"
#include "key/key_bytes.h"
#include "key/pass_phrase.h"
#include "timecode/calendar.h"
#include "timecode/search.h"
#include "timecode/timecode.h"

namespace zorvane {
namespace {

constexpr std::string_view kUsage =
    "Usage:\n"
    "  zorvane-cli key [PHRASE...]\n"
    "      The 16-digit key of the pass phrase (the words joined with single blanks;\n"
    "      without words, one line read from standard input).\n"
    "  zorvane-cli code (--key HEX | --pass-phrase TEXT) [WHEN...]\n"
    "      The timecode of each minute, WHEN as YYYY-MM-DDTHH:MM or 'YYYY-MM-DD HH:MM';\n"
    "      without WHEN, the current minute.\n"
    "  zorvane-cli find (--key HEX | --pass-phrase TEXT) [--year Y | --years Y1-Y2]\n"
    "                   [--months M1-M2] TRIAD\n"
    "      Every minute of the years and months whose timecode is TRIAD, in time order;\n"
    "      the current year and months 1-12 by default.\n"
    "  zorvane-cli --help | --version\n"
    "\n"
    "HEX is exactly 16 hexadecimal digits. '-' as HEX or TEXT reads it from standard input,\n"
    "so that it never stands in the process list. '--' ends the options.\n"
    "Exit status: 0 when a result was printed, 1 when find matched nothing, 2 on error.\n";

// Reported on standard error, one line; the exit status is 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string ReadSecretLine(std::istream& in, std::string_view what) {
  std::string line;
  if (!std::getline(in, line)) throw UsageError("no " + std::string(what) + " on standard input");
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::u16string Ascii(std::string_view text) { return {text.begin(), text.end()}; }

std::string JoinWords(const std::vector<std::string>& words) {
  std::string joined;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0) joined += ' ';
    joined += words[i];
  }
  return joined;
}

std::string KeyOfPhrase(std::string_view phrase) {
  std::optional<std::string> key = DeriveKey(Utf8ToUtf16(phrase));
  if (!key) throw UsageError("the pass phrase is empty");
  return *key;
}

std::optional<int> WholeNumber(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || text.front() == '-' || error != std::errc{} ||
      end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

// "A-B" with whole numbers A <= B.
std::pair<int, int> ReadRange(std::string_view text, std::string_view what) {
  const std::size_t dash = text.find('-');
  const auto low = WholeNumber(text.substr(0, dash));
  const auto high =
      dash == std::string_view::npos ? std::nullopt : WholeNumber(text.substr(dash + 1));
  if (!low || !high) throw UsageError(std::string(what) + " must be written FIRST-LAST, as 1-12");
  if (*low > *high) throw UsageError(std::string(what) + ": the first is after the last");
  return {*low, *high};
}

// The options that code and find share, and the words that are not options.
struct Options {
  std::optional<std::string> key;
  std::optional<std::string> passPhrase;
  std::optional<std::string> year;
  std::optional<std::string> years;
  std::optional<std::string> months;
  std::vector<std::string> operands;
};

Options ReadOptions(const std::vector<std::string>& args, bool searchOptions) {
  Options options;
  bool optionsEnded = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      options.operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    std::optional<std::string>* slot = nullptr;
    if (name == "--key") slot = &options.key;
    if (name == "--pass-phrase") slot = &options.passPhrase;
    if (searchOptions && name == "--year") slot = &options.year;
    if (searchOptions && name == "--years") slot = &options.years;
    if (searchOptions && name == "--months") slot = &options.months;
    if (slot == nullptr) throw UsageError("unknown option " + name + " (see --help)");
    if (slot->has_value()) throw UsageError(name + " given twice");
    if (equals != std::string::npos) {
      *slot = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      *slot = args[++i];
    } else {
      throw UsageError(name + " needs a value");
    }
  }
  return options;
}

KeyBytes KeyFromOptions(const Options& options, std::istream& in) {
  if (options.key && options.passPhrase) throw UsageError("give --key or --pass-phrase, not both");
  if (options.passPhrase) {
    const std::string phrase =
        *options.passPhrase == "-" ? ReadSecretLine(in, "pass phrase") : *options.passPhrase;
    return ReadKeyBytes(Ascii(KeyOfPhrase(phrase)));
  }
  if (!options.key) throw UsageError("a key is needed: --key HEX or --pass-phrase TEXT");
  const std::string hex = *options.key == "-" ? ReadSecretLine(in, "key") : *options.key;
  const bool valid = hex.size() == 16 && std::all_of(hex.begin(), hex.end(), [](unsigned char c) {
                       return std::isxdigit(c) != 0;
                     });
  if (!valid) throw UsageError("the key must be exactly 16 hexadecimal digits");
  return ReadKeyBytes(Ascii(hex));
}

// YYYY-MM-DDTHH:MM or "YYYY-MM-DD HH:MM", a minute of the program's own calendar.
LocalMinute ReadMinute(std::string_view text) {
  const auto field = [&](std::size_t at, std::size_t length) {
    const std::string_view digits = text.substr(at, length);
    return std::all_of(digits.begin(), digits.end(),
                       [](unsigned char c) { return std::isdigit(c) != 0; })
               ? WholeNumber(digits)
               : std::nullopt;
  };
  const bool shaped = text.size() == 16 && text[4] == '-' && text[7] == '-' &&
                      (text[10] == 'T' || text[10] == ' ') && text[13] == ':';
  const auto year = shaped ? field(0, 4) : std::nullopt;
  const auto month = shaped ? field(5, 2) : std::nullopt;
  const auto day = shaped ? field(8, 2) : std::nullopt;
  const auto hour = shaped ? field(11, 2) : std::nullopt;
  const auto minute = shaped ? field(14, 2) : std::nullopt;
  if (!year || !month || !day || !hour || !minute) {
    throw UsageError("'" + std::string(text) + "' is not written YYYY-MM-DDTHH:MM");
  }
  if (*day < 1 || *day > DaysInMonth(*year, *month) || *hour > 23 || *minute > 59) {
    throw UsageError("'" + std::string(text) + "' is not a minute of the calendar");
  }
  return {*year, *month, *day, *hour, *minute};
}

int KeyCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out) {
  std::vector<std::string> words(args.begin() + 1, args.end());
  if (!words.empty() && words.front() == "--") words.erase(words.begin());
  const std::string phrase = words.empty() ? ReadSecretLine(in, "pass phrase") : JoinWords(words);
  out << KeyOfPhrase(phrase) << '\n';
  return kExitPrinted;
}

int CodeCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                const LocalMinute& now) {
  const Options options = ReadOptions(args, false);
  const KeyBytes key = KeyFromOptions(options, in);
  std::vector<LocalMinute> minutes;
  for (const std::string& when : options.operands) minutes.push_back(ReadMinute(when));
  if (minutes.empty()) minutes.push_back(now);
  for (const LocalMinute& m : minutes) {
    out << ToString(ComputeTriad(PackMinute({m.year, m.month, m.day, m.hour, m.minute}), key))
        << '\n';
  }
  return kExitPrinted;
}

// Writes each match as a line as soon as it is found.
class PrintingDriver final : public SearchDriver {
 public:
  PrintingDriver(std::ostream& out, std::u16string triad) : out_(out), triad_(std::move(triad)) {}
  std::uint64_t BeforeCandidate() override { return UINT64_MAX; }
  std::u16string_view TriadText() override { return triad_; }
  void Matched(const CivilMinute& minute) override {
    out_ << FormatDateText(minute).view() << '\n';
    ++matches_;
  }
  std::uint64_t matches() const { return matches_; }

 private:
  std::ostream& out_;
  std::u16string triad_;
  std::uint64_t matches_ = 0;
};

int FindCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err, const LocalMinute& now) {
  const Options options = ReadOptions(args, true);
  if (options.operands.size() != 1) throw UsageError("find needs exactly one TRIAD");
  if (options.year && options.years) throw UsageError("give --year or --years, not both");
  const KeyBytes key = KeyFromOptions(options, in);

  const std::u16string triad = UpperCaseTriadText(Utf8ToUtf16(options.operands.front()));
  std::pair<int, int> years{now.year, now.year};
  bool yearReadable = true;
  if (options.years) years = ReadRange(*options.years, "--years");
  if (options.year) {
    const std::optional<int> year = WholeNumber(*options.year);
    yearReadable = year.has_value();
    years = {year.value_or(0), year.value_or(0)};
  }
  const auto months = options.months ? ReadRange(*options.months, "--months") : std::pair{1, 12};

  // Checked in the window's order: the triad, the year, the months.
  const std::optional<Triad> target = ParseTriad(triad);
  std::optional<SearchError> error;
  if (!target) {
    error = SearchError::InvalidTriad;
  } else if (!yearReadable || years.second > 9999) {
    error = SearchError::InvalidYear;
  } else if (months.first < 1 || months.second > 12) {
    error = SearchError::InvalidMonth;
  }
  if (error) {
    err << MessageFor(*error) << '\n';
    return kExitError;
  }

  PrintingDriver driver(out, triad);
  bool stopRequested = false;
  for (int year = years.first; year <= years.second; ++year) {
    RunSearch(MonthsOfYear(*target, year, months.first, months.second), key, stopRequested, driver);
  }
  return driver.matches() > 0 ? kExitPrinted : kExitNoMatch;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, const LocalMinute& now) {
  try {
    const std::string command = args.empty() ? "" : args.front();
    const auto optionsEnd = std::find(args.begin(), args.end(), "--");
    const auto asksForHelp = [](const std::string& arg) { return arg == "--help" || arg == "-h"; };
    if (std::any_of(args.begin(), optionsEnd, asksForHelp)) {
      out << kUsage;
      return kExitPrinted;
    }
    if (command == "--version") {
      out << "zorvane-cli 1.00\n";
      return kExitPrinted;
    }
    if (command == "key") return KeyCommand(args, in, out);
    if (command == "code") return CodeCommand(args, in, out, now);
    if (command == "find") return FindCommand(args, in, out, err, now);
    throw UsageError(command.empty() ? "no command given (see --help)"
                                     : "unknown command '" + command + "' (see --help)");
  } catch (const UsageError& error) {
    err << "zorvane-cli: " << error.what() << '\n';
    return kExitError;
  }
}

}  // namespace zorvane
