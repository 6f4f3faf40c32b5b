#include "cli/arguments.h"

#include <algorithm>
#include <charconv>

#include "cli/cli_error.h"

namespace zorvane {

std::optional<std::string> Arguments::Value(std::string_view option) const {
  const auto found = values.find(option);
  if (found == values.end()) return std::nullopt;
  return found->second;
}

Arguments ReadArguments(const std::vector<std::string>& words,
                        std::initializer_list<std::string_view> valueOptions,
                        std::initializer_list<std::string_view> flagOptions) {
  const auto listed = [](std::initializer_list<std::string_view> list, std::string_view name) {
    return std::find(list.begin(), list.end(), name) != list.end();
  };
  Arguments arguments;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (optionsEnded || word.size() < 2 || word[0] != '-') {
      arguments.operands.push_back(word);
      continue;
    }
    if (word == "--") {
      optionsEnded = true;
      continue;
    }
    const std::size_t equals = word.find('=');
    const std::string name = word.substr(0, equals);
    const bool flag = listed(flagOptions, name);
    if (!flag && !listed(valueOptions, name)) {
      throw CliError("unknown option " + Quoted(name) + " (see --help)");
    }
    if (arguments.values.contains(name) || arguments.flags.contains(name)) {
      throw CliError(name + " given twice");
    }
    if (flag && equals == std::string::npos) {
      arguments.flags.insert(name);
    } else if (flag) {
      throw CliError(name + " takes no value");
    } else if (equals != std::string::npos) {
      arguments.values[name] = word.substr(equals + 1);
    } else if (i + 1 < words.size()) {
      arguments.values[name] = words[++i];
    } else {
      throw CliError(name + " needs a value");
    }
  }
  return arguments;
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

std::optional<std::pair<int, int>> ReadRange(std::string_view text) {
  const std::size_t dash = text.find('-');
  const auto first = WholeNumber(text.substr(0, dash));
  const auto last = dash == std::string_view::npos ? first : WholeNumber(text.substr(dash + 1));
  if (!first || !last) return std::nullopt;
  return std::pair{*first, *last};
}

std::optional<CivilMinute> ReadMinute(std::string_view text) {
  const bool shaped = text.size() == 16 && text[4] == '-' && text[7] == '-' &&
                      (text[10] == 'T' || text[10] == ' ') && text[13] == ':';
  if (!shaped) return std::nullopt;
  const auto field = [&](std::size_t at, std::size_t length) {
    const std::string_view digits = text.substr(at, length);
    const bool allDigits =
        std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    return allDigits ? WholeNumber(digits) : std::nullopt;
  };
  const auto year = field(0, 4), month = field(5, 2), day = field(8, 2);
  const auto hour = field(11, 2), minute = field(14, 2);
  if (!year || !month || !day || !hour || !minute) return std::nullopt;
  return CivilMinute{*year, *month, *day, *hour, *minute};
}

std::optional<OutputFormat> ReadFormat(std::string_view text) {
  if (text == "text") return OutputFormat::Text;
  if (text == "iso") return OutputFormat::Iso;
  if (text == "csv") return OutputFormat::Csv;
  if (text == "json") return OutputFormat::Json;
  return std::nullopt;
}

}  // namespace zorvane
