// The program's own calendar: civil minutes, month lengths with its leap rule, and the texts a
// minute is written as.
#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <string_view>

namespace zorvane {

struct CivilMinute {
  int year;
  int month;
  int day;
  int hour;
  int minute;

  friend auto operator<=>(const CivilMinute&, const CivilMinute&) = default;
};

// The years a search may cover.
inline constexpr int kFirstYear = 0;
inline constexpr int kLastYear = 9999;

inline constexpr int kMinutesPerDay = 24 * 60;

// Two digits per month, January first, February as 28.
inline constexpr std::string_view MonthLengths = "312831303130313130313031";

// February has 29 days in every year divisible by 4, century years included; months outside
// 1-12 have no days.
int DaysInMonth(int year, int month);

// A day of its month, an hour 0-23 and a minute 0-59.
bool IsCalendarMinute(const CivilMinute& m);

// A short text held in place, so that writing a minute allocates nothing.
class MinuteText {
 public:
  std::string_view view() const { return {chars_.data(), size_}; }

 private:
  friend class MinuteTextWriter;
  std::array<char, 40> chars_{};
  std::size_t size_ = 0;
};

// "2014/01/05   13:07": the year with at least four digits, three blanks before the time.
MinuteText FormatDateText(const CivilMinute& m);

// "2014-01-05T13:07", ISO 8601 local time to the minute.
MinuteText FormatIsoMinute(const CivilMinute& m);

}  // namespace zorvane
