// The program's own calendar: month lengths, its leap rule and the date text of a minute.
#pragma once

#include <string>
#include <string_view>

namespace zorvane {

// Two digits per month, January first, February as 28.
inline constexpr std::string_view MonthLengths = "312831303130313130313031";

// February has 29 days in every year divisible by 4, century years included; months outside
// 1-12 have no days.
int DaysInMonth(int year, int month);

// "2014/01/05   13:07": the year with at least four digits, three blanks before the time.
std::string FormatDateText(int year, int month, int day, int hour, int minute);

}  // namespace zorvane
