// The words of a zorvane-cli command line: options with values, flags and operands, and the
// readers for the values the commands take.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "timecode/calendar.h"

namespace zorvane {

struct Arguments {
  std::map<std::string, std::string, std::less<>> values;
  std::set<std::string, std::less<>> flags;
  std::vector<std::string> operands;

  std::optional<std::string> Value(std::string_view option) const;
};

// Reads the words after the command. An option takes its value as --name=value or as the next
// word; "--" ends the options; a word of "-" alone is an operand. Unknown options, options given
// twice and missing values are errors.
Arguments ReadArguments(const std::vector<std::string>& words,
                        std::initializer_list<std::string_view> valueOptions,
                        std::initializer_list<std::string_view> flagOptions);

std::optional<int> WholeNumber(std::string_view text);

// "A-B", or "A" for A-A, with whole numbers; the first may come after the last.
std::optional<std::pair<int, int>> ReadRange(std::string_view text);

// YYYY-MM-DDTHH:MM or "YYYY-MM-DD HH:MM"; the minute need not be one of the calendar.
std::optional<CivilMinute> ReadMinute(std::string_view text);

enum class OutputFormat { Text, Iso, Csv, Json };
std::optional<OutputFormat> ReadFormat(std::string_view text);

}  // namespace zorvane
