#include "timecode/calendar.h"

#include <cstdio>

namespace zorvane {

int DaysInMonth(int year, int month) {
  if (month < 1 || month > 12) return 0;
  if (month == 2 && year % 4 == 0) return 29;
  const auto at = static_cast<std::size_t>(2 * (month - 1));
  return (MonthLengths[at] - '0') * 10 + (MonthLengths[at + 1] - '0');
}

std::string FormatDateText(int year, int month, int day, int hour, int minute) {
  char text[40];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d   %02d:%02d", year, month, day, hour, minute);
  return text;
}

}  // namespace zorvane
