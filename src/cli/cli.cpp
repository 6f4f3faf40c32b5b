#include "cli/cli.h"

#include <algorithm>
#include <istream>
#include <ostream>

#include "cli/arguments.h"
#include "cli/cli_error.h"
#include "cli/output.h"
#include "cli/secret_input.h"
#include "cli/year_search.h"
#include "key/key_bytes.h"
#include "key/pass_phrase.h"
#include "key/utf8.h"
#include "timecode/search.h"
#include "timecode/timecode.h"
#include "version.h"

namespace zorvane {
namespace {

constexpr std::string_view kUsage =
    "Usage:\n"
    "  zorvane-cli key [PHRASE...]\n"
    "      The 16-digit key of the pass phrase: the words joined with single blanks, or,\n"
    "      without words or with '-', one line read from standard input.\n"
    "  zorvane-cli code (--key HEX | --pass-phrase TEXT) [--format F] [WHEN...]\n"
    "      The timecode of each minute, WHEN as YYYY-MM-DDTHH:MM or 'YYYY-MM-DD HH:MM';\n"
    "      without WHEN, the current minute.\n"
    "  zorvane-cli find (--key HEX | --pass-phrase TEXT)\n"
    "                   [--year Y | --years Y1-Y2 | --from WHEN --to WHEN] [--months M1-M2]\n"
    "                   [--hours H1-H2] [--format F | --count] TRIAD\n"
    "      Every minute whose timecode is TRIAD, in time order: of the years and months\n"
    "      (the current year and 1-12 by default), or from one minute to another, both\n"
    "      included. --hours keeps the minutes whose hour lies in the range; 22-5 wraps\n"
    "      past midnight. --count prints only the number of minutes.\n"
    "  zorvane-cli -h | --help | -V | --version\n"
    "\n"
    "HEX is exactly 16 hexadecimal digits. '-' as HEX or TEXT reads it from standard input\n"
    "(after a prompt, without echo, from a terminal), so that it never stands in the process\n"
    "list. '--' ends the options. A single number stands for a range of one: --months 3.\n"
    "F is text (the default), iso (2014-01-05T13:07), csv (with a header) or json (a line\n"
    "each).\n"
    "Exit status: 0 when a result was printed, 1 when find matched nothing, 2 on error.\n";

std::u16string Utf16Of(std::string_view text, std::string_view what) {
  std::optional<std::u16string> decoded = DecodeUtf8(text);
  if (!decoded) throw CliError("the " + std::string(what) + " is not valid UTF-8");
  return std::move(*decoded);
}

std::string KeyOfPhrase(std::string_view phrase) {
  std::optional<std::string> key = DeriveKey(Utf16Of(phrase, "pass phrase"));
  if (!key) throw CliError("the pass phrase is empty");
  return *key;
}

KeyBytes KeyFromArguments(const Arguments& arguments, CliContext& context) {
  const auto key = arguments.Value("--key");
  const auto phrase = arguments.Value("--pass-phrase");
  if (key && phrase) throw CliError("give --key or --pass-phrase, not both");
  if (phrase) {
    const std::string text = *phrase == "-" ? ReadSecret(context, "pass phrase") : *phrase;
    const std::string hex = KeyOfPhrase(text);
    return ReadKeyBytes(std::u16string(hex.begin(), hex.end()));
  }
  if (!key) throw CliError("a key is needed: --key HEX or --pass-phrase TEXT");
  const std::string hex = *key == "-" ? ReadSecret(context, "key") : *key;
  const bool valid =
      hex.size() == 16 && std::all_of(hex.begin(), hex.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
      });
  if (!valid) throw CliError("the key must be exactly 16 hexadecimal digits");
  return ReadKeyBytes(std::u16string(hex.begin(), hex.end()));
}

OutputFormat FormatFromArguments(const Arguments& arguments) {
  const auto text = arguments.Value("--format");
  if (!text) return OutputFormat::Text;
  const auto format = ReadFormat(*text);
  if (!format) throw CliError("--format must be text, iso, csv or json");
  return *format;
}

CivilMinute MinuteFromText(std::string_view text) {
  const std::optional<CivilMinute> minute = ReadMinute(text);
  if (!minute) throw CliError(Quoted(text) + " is not written YYYY-MM-DDTHH:MM");
  if (!IsCalendarMinute(*minute)) throw CliError(Quoted(text) + " is not a minute of the calendar");
  return *minute;
}

int KeyCommand(const std::vector<std::string>& words, CliContext& context) {
  const Arguments arguments = ReadArguments(words, {}, {});
  const std::vector<std::string>& phrase = arguments.operands;
  std::string text;
  if (phrase.empty() || (phrase.size() == 1 && phrase[0] == "-")) {
    text = ReadSecret(context, "pass phrase");
  } else {
    for (std::size_t i = 0; i < phrase.size(); ++i) text += (i > 0 ? " " : "") + phrase[i];
  }
  OutputWriter out(context.out);
  out.Write(KeyOfPhrase(text) + "\n");
  out.Flush();
  return kExitPrinted;
}

int CodeCommand(const std::vector<std::string>& words, CliContext& context) {
  const Arguments arguments = ReadArguments(words, {"--key", "--pass-phrase", "--format"}, {});
  const OutputFormat format = FormatFromArguments(arguments);
  std::vector<CivilMinute> minutes;
  for (const std::string& when : arguments.operands) minutes.push_back(MinuteFromText(when));
  if (minutes.empty()) minutes.push_back(context.now);
  const KeyBytes key = KeyFromArguments(arguments, context);
  OutputWriter out(context.out);
  out.Write(CodeHeader(format));
  for (const CivilMinute& m : minutes) WriteCode(out, format, m, ComputeTriad(PackMinute(m), key));
  out.Flush();
  return kExitPrinted;
}

// The years and the span within each year that find searches, one plan a year.
std::vector<SearchPlan> PlansOf(const Arguments& arguments, const Triad& triad,
                                const CivilMinute& now) {
  const auto year = arguments.Value("--year");
  const auto years = arguments.Value("--years");
  const auto months = arguments.Value("--months");
  const auto from = arguments.Value("--from");
  const auto to = arguments.Value("--to");
  const auto hours = arguments.Value("--hours");
  if (year && years) throw CliError("give --year or --years, not both");
  if (from.has_value() != to.has_value()) throw CliError("--from and --to go together");
  if (from && (year || years || months)) {
    throw CliError("--from and --to stand in place of --year, --years and --months");
  }

  HourRange hourRange;
  if (hours) {
    const auto range = ReadRange(*hours);
    if (!range || range->first > 23 || range->second > 23) {
      throw CliError("--hours must be written FIRST-LAST with hours 0-23, as 9-17");
    }
    hourRange = {range->first, range->second};
  }

  std::vector<SearchPlan> plans;
  if (from) {
    const CivilMinute first = MinuteFromText(*from);
    const CivilMinute last = MinuteFromText(*to);
    if (last < first) throw CliError("--from is after --to");
    if (first.year < kFirstYear || last.year > kLastYear) {
      throw CliError(std::string(MessageFor(SearchError::InvalidYear)));
    }
    for (int y = first.year; y <= last.year; ++y) {
      plans.push_back({triad, y == first.year ? first : CivilMinute{y, 1, 1, 0, 0},
                       y == last.year ? last : CivilMinute{y, 12, 31, 23, 59}, hourRange});
    }
    return plans;
  }

  std::pair<int, int> yearRange{now.year, now.year};
  if (years) {
    const auto range = ReadRange(*years);
    if (!range) throw CliError("--years must be written FIRST-LAST, as 2020-2026");
    if (range->first > range->second) throw CliError("--years: the first is after the last");
    yearRange = *range;
  }
  if (year) {
    const std::optional<int> y = WholeNumber(*year);
    if (!y) throw CliError(std::string(MessageFor(SearchError::InvalidYear)));
    yearRange = {*y, *y};
  }
  if (yearRange.second > kLastYear)
    throw CliError(std::string(MessageFor(SearchError::InvalidYear)));
  std::pair<int, int> monthRange{1, 12};
  if (months) {
    const auto range = ReadRange(*months);
    if (!range) throw CliError("--months must be written FIRST-LAST, as 1-12");
    if (range->first > range->second) throw CliError("--months: the first is after the last");
    monthRange = *range;
  }
  if (monthRange.first < 1 || monthRange.second > 12) {
    throw CliError(std::string(MessageFor(SearchError::InvalidMonth)));
  }
  for (int y = yearRange.first; y <= yearRange.second; ++y) {
    SearchPlan plan = MonthsOfYear(triad, y, monthRange.first, monthRange.second);
    plan.hours = hourRange;
    plans.push_back(plan);
  }
  return plans;
}

int FindCommand(const std::vector<std::string>& words, CliContext& context) {
  const Arguments arguments = ReadArguments(words,
                                            {"--key", "--pass-phrase", "--year", "--years",
                                             "--months", "--from", "--to", "--hours", "--format"},
                                            {"--count"});
  if (arguments.operands.size() != 1) throw CliError("find needs exactly one TRIAD");
  const OutputFormat format = FormatFromArguments(arguments);
  const bool countOnly = arguments.flags.contains("--count");
  if (countOnly && arguments.Value("--format"))
    throw CliError("give --format or --count, not both");

  // Checked in the window's order: the triad, then the years, then the months.
  const std::optional<Triad> triad =
      ParseTriad(UpperCaseTriadText(Utf16Of(arguments.operands.front(), "triad")));
  if (!triad) throw CliError(std::string(MessageFor(SearchError::InvalidTriad)));
  const std::vector<SearchPlan> plans = PlansOf(arguments, *triad, context.now);
  const KeyBytes key = KeyFromArguments(arguments, context);

  OutputWriter out(context.out);
  if (!countOnly) out.Write(FindHeader(format));
  std::uint64_t found = 0;
  SearchYears(plans, key, [&](std::span<const CivilMinute> matches) {
    found += matches.size();
    if (countOnly) return;
    for (const CivilMinute& m : matches) WriteFoundMinute(out, format, m);
  });
  if (countOnly) out.Write(std::to_string(found) + "\n");
  out.Flush();
  return found > 0 ? kExitPrinted : kExitNoMatch;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, CliContext& context) {
  try {
    const auto optionsEnd = std::find(args.begin(), args.end(), "--");
    const auto has = [&](std::string_view a, std::string_view b) {
      return std::any_of(args.begin(), optionsEnd,
                         [&](const std::string& w) { return w == a || w == b; });
    };
    if (has("--help", "-h") || has("--version", "-V")) {
      OutputWriter out(context.out);
      out.Write(has("--help", "-h") ? std::string(kUsage) : VersionText("zorvane-cli"));
      out.Flush();
      return kExitPrinted;
    }
    const std::string command = args.empty() ? "" : args.front();
    const std::vector<std::string> words(args.begin() + (args.empty() ? 0 : 1), args.end());
    if (command == "key") return KeyCommand(words, context);
    if (command == "code") return CodeCommand(words, context);
    if (command == "find") return FindCommand(words, context);
    // An unknown command is not shown: it may be a secret typed in the wrong place.
    throw CliError(command.empty() ? "no command given (see --help)"
                                   : "unknown command (see --help)");
  } catch (const CliError& error) {
    context.err << "zorvane-cli: " << error.what() << '\n';
    context.err.flush();
    return kExitError;
  }
}

}  // namespace zorvane
