#include "timecode/calendar.h"

#include <charconv>

namespace zorvane {

int DaysInMonth(int year, int month) {
  if (month < 1 || month > 12) return 0;
  if (month == 2 && year % 4 == 0) return 29;
  const auto at = static_cast<std::size_t>(2 * (month - 1));
  return (MonthLengths[at] - '0') * 10 + (MonthLengths[at + 1] - '0');
}

bool IsCalendarMinute(const CivilMinute& m) {
  return m.day >= 1 && m.day <= DaysInMonth(m.year, m.month) && m.hour >= 0 && m.hour <= 23 &&
         m.minute >= 0 && m.minute <= 59;
}

class MinuteTextWriter {
 public:
  explicit MinuteTextWriter(MinuteText& text) : text_(text) {}

  void Year(int year) {
    if (year >= 0 && year <= 9999) {
      TwoDigits(year / 100);
      TwoDigits(year % 100);
      return;
    }
    // Outside the search's years: as printf's %04d would write it.
    char digits[16];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, year);
    const auto length = static_cast<std::size_t>(end - digits);
    const bool negative = year < 0;
    if (negative) Char('-');
    for (std::size_t n = length; n < 4; ++n) Char('0');
    for (const char* c = digits + (negative ? 1 : 0); c != end; ++c) Char(*c);
  }

  // Values outside 0-99 cannot occur in a calendar minute; they are written modulo 100.
  void TwoDigits(int value) {
    const auto v = static_cast<unsigned>(value) % 100;
    Char(static_cast<char>('0' + v / 10));
    Char(static_cast<char>('0' + v % 10));
  }

  void Char(char c) { text_.chars_[text_.size_++] = c; }

  void Chars(std::string_view s) {
    for (const char c : s) Char(c);
  }

 private:
  MinuteText& text_;
};

namespace {

// The year, month and day joined by `date`, `time` before the hour and a colon before the minute.
MinuteText FormatMinute(const CivilMinute& m, char date, std::string_view time) {
  MinuteText text;
  MinuteTextWriter w(text);
  w.Year(m.year);
  w.Char(date);
  w.TwoDigits(m.month);
  w.Char(date);
  w.TwoDigits(m.day);
  w.Chars(time);
  w.TwoDigits(m.hour);
  w.Char(':');
  w.TwoDigits(m.minute);
  return text;
}

}  // namespace

MinuteText FormatDateText(const CivilMinute& m) { return FormatMinute(m, '/', "   "); }

MinuteText FormatIsoMinute(const CivilMinute& m) { return FormatMinute(m, '-', "T"); }

}  // namespace zorvane
