#include "timecode/search.h"

#include <gtest/gtest.h>

#include "row_name.h"

#include <functional>
#include <string>
#include <vector>

#include "timecode/calendar.h"

namespace zorvane {
namespace {

constexpr KeyBytes kCounting = {0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01};

// Every minute from `first` to `last` of one year whose hour lies in `hours` and whose triad
// is `triad`, one minute at a time.
std::vector<std::string> MatchesByHand(const KeyBytes& key, const char* triad,
                                       const CivilMinute& first, const CivilMinute& last,
                                       HourRange hours = {}) {
  std::vector<std::string> lines;
  for (int month = 1; month <= 12; ++month) {
    for (int day = 1; day <= DaysInMonth(first.year, month); ++day) {
      for (int hour = 0; hour < 24; ++hour) {
        const bool inHours = hours.first <= hours.last ? hour >= hours.first && hour <= hours.last
                                                       : hour >= hours.first || hour <= hours.last;
        for (int minute = 0; minute < 60; ++minute) {
          const CivilMinute m{first.year, month, day, hour, minute};
          if (m < first || last < m || !inHours) continue;
          if (ToString(ComputeTriad(PackMinute(m), key)) == triad) {
            lines.emplace_back(FormatDateText(m).view());
          }
        }
      }
    }
  }
  return lines;
}

std::vector<std::string> MatchesByHand(const KeyBytes& key, const char* triad, int year,
                                       int firstMonth, int lastMonth) {
  return MatchesByHand(key, triad, {year, firstMonth, 1, 0, 0},
                       {year, lastMonth, DaysInMonth(year, lastMonth), 23, 59});
}

// Plays the window's part: counts the candidates it is asked about, lets `allowance`
// candidates pass per call, and at the chosen candidates runs an action, as events would.
class RecordingDriver : public SearchDriver {
 public:
  std::uint64_t allowance = 1;
  std::u16string triadText;
  std::function<void(std::uint64_t candidate)> atCandidate;
  std::uint64_t candidatesSeen = 0;
  std::uint64_t calls = 0;
  std::vector<std::string> lines;

  std::uint64_t BeforeCandidate() override {
    ++calls;
    if (atCandidate) atCandidate(candidatesSeen);
    candidatesSeen += allowance;
    return allowance;
  }
  std::u16string_view TriadText() override { return triadText; }
  void Matched(const CivilMinute& minute) override {
    lines.emplace_back(FormatDateText(minute).view());
  }
};

SearchPlan Plan(const char* triad, int year, int firstMonth, int lastMonth) {
  return MonthsOfYear({triad[0], triad[1], triad[2]}, year, firstMonth, lastMonth);
}

TEST(PlanSearchTest, ChecksTheTriadFirst) {
  struct Case {
    const char16_t* triad;
    const char16_t* year;
    const char16_t* first;
    std::optional<SearchError> error;
  };
  const Case cases[] = {
      {u"BAG", u" 2026", u"1", std::nullopt},
      {u"BAGS", u" 2026", u"1", SearchError::InvalidTriad},
      {u"BA", u" 2026", u"1", SearchError::InvalidTriad},
      {u"AAA", u" 2026", u"1", SearchError::InvalidTriad},  // A is no consonant
      {u"BQB", u" 2026", u"1", SearchError::InvalidTriad},  // Q is in no table
      {u"BBB", u" 2026", u"1", SearchError::InvalidTriad},  // B is no vowel
      {u"bag", u" 2026", u"1", SearchError::InvalidTriad},  // compared case-sensitively
      {u"BQB", u"-1", u"x.5", SearchError::InvalidTriad},
      {u"BAG", u"10000", u"1", SearchError::InvalidYear},
      {u"BAG", u"-1", u"1", SearchError::InvalidYear},
      {u"BAG", u"2016.5", u"1.5", SearchError::InvalidYear},
      {u"BAG", u"2016.0", u"1", std::nullopt},
      {u"BAG", u"abc", u"1", std::nullopt},  // reads as year 0
      {u"BAG", u"2016", u"1.5", SearchError::InvalidMonth},
  };
  for (const Case& c : cases) {
    const auto planned = PlanSearch(c.triad, c.year, c.first, u"12");
    const auto* error = std::get_if<SearchError>(&planned);
    EXPECT_EQ(error ? std::optional(*error) : std::nullopt, c.error)
        << std::string(c.triad, c.triad + 3) << " year text length "
        << std::u16string(c.year).size();
  }
  EXPECT_EQ(MessageFor(SearchError::InvalidTriad), "Invalid Triad");
  EXPECT_EQ(MessageFor(SearchError::InvalidYear), "Invalid Year");
  EXPECT_EQ(MessageFor(SearchError::InvalidMonth), "Invalid Month");
  EXPECT_EQ(UpperCaseTriadText(u"bAg\u00e9"), u"BAG\u00e9");
  // The two characters outside ASCII whose upper-case form can spell a triad.
  EXPECT_EQ(UpperCaseTriadText(u"b\u0131g"), u"BIG");
  EXPECT_EQ(UpperCaseTriadText(u"\uFB01x"), u"FIX");
}

struct MonthRangeCase {
  const char* name;
  std::u16string year, first, last;
  std::uint64_t candidates;
};

class MonthRangeTest : public testing::TestWithParam<MonthRangeCase> {};

TEST_P(MonthRangeTest, WalksTheMinutesOfTheMonthsInsideTheCalendar) {
  const MonthRangeCase& c = GetParam();
  const auto planned = PlanSearch(u"BAG", c.year, c.first, c.last);
  ASSERT_TRUE(std::holds_alternative<SearchPlan>(planned));
  RecordingDriver driver;
  driver.triadText = u"BAG";
  bool stop = false;
  EXPECT_EQ(RunSearch(std::get<SearchPlan>(planned), {}, stop, driver), SearchEnd::Completed);
  EXPECT_EQ(driver.candidatesSeen, c.candidates);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, MonthRangeTest,
    testing::Values(MonthRangeCase{"LeapFebruary", u"2016", u"2", u"2", 29 * 1440},
                    MonthRangeCase{"CommonFebruary", u"2015", u"2", u"2", 28 * 1440},
                    MonthRangeCase{"CenturyYearIsLeap", u"2100", u"2", u"2", 29 * 1440},
                    MonthRangeCase{"WholeYear", u" 2026", u"1", u"12", 525600},
                    MonthRangeCase{"WholeLeapYear", u"2024", u"1", u"12", 527040},
                    MonthRangeCase{"BeyondDecember", u"2026", u"13", u"13", 0},
                    MonthRangeCase{"FirstAfterLast", u"2026", u"5", u"3", 0},
                    MonthRangeCase{"BelowJanuaryAddsNothing", u"2026", u"-3", u"1", 31 * 1440},
                    MonthRangeCase{"FarAboveDecember", u"2026", u"12", u"2147483647", 31 * 1440},
                    MonthRangeCase{"HundredsOfDigits", u"2026", u"12",
                                   u"9" + std::u16string(400, u'9'), 31 * 1440}),
    RowName());

struct PathCase {
  const char* name;
  HashPath path;
  std::uint64_t allowance;
};

class SearchPathTest : public testing::TestWithParam<PathCase> {};

TEST_P(SearchPathTest, FindsExactlyTheMinutesComputedOneByOne) {
  if (!HashPathAvailable(GetParam().path)) GTEST_SKIP() << "not on this processor";
  const struct {
    KeyBytes key;
    const char* triad;
    int year, first, last;
  } searches[] = {{kCounting, "BAG", 2016, 1, 3},
                  {{}, "KEV", 2014, 1, 2},  // K and V have one slot each: rare
                  {{1, 2, 3, 4, 250, 251, 252, 253}, "ZYX", 1999, 11, 12},
                  {{255, 0, 255, 0, 255, 0, 255, 0}, "WAT", 0, 2, 2}};
  for (const auto& s : searches) {
    RecordingDriver driver;
    driver.allowance = GetParam().allowance;
    driver.triadText = std::u16string(s.triad, s.triad + 3);
    bool stop = false;
    RunSearch(Plan(s.triad, s.year, s.first, s.last), s.key, stop, driver, GetParam().path);
    EXPECT_EQ(driver.lines, MatchesByHand(s.key, s.triad, s.year, s.first, s.last)) << s.triad;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SearchPathTest,
    testing::Values(PathCase{"ScalarEveryCandidate", HashPath::Scalar, 1},
                    PathCase{"VectorEveryCandidate", HashPath::Vector, 1},
                    PathCase{"VectorEverySeventh", HashPath::Vector, 7},
                    PathCase{"VectorOnce", HashPath::Vector, UINT64_MAX},
                    PathCase{"Avx2EveryThousandth", HashPath::Avx2, 1000},
                    PathCase{"Avx2Once", HashPath::Avx2, UINT64_MAX},
                    PathCase{"Avx2GfniEveryDayAndABit", HashPath::Avx2Gfni, 1441},
                    PathCase{"Avx512EveryCandidate", HashPath::Avx512, 1},
                    PathCase{"Avx512Once", HashPath::Avx512, UINT64_MAX},
                    PathCase{"Avx512GfniEverySixtyFourth", HashPath::Avx512Gfni, 64},
                    PathCase{"Avx512GfniOnce", HashPath::Avx512Gfni, UINT64_MAX},
                    PathCase{"BestOnce", HashPath::Best, UINT64_MAX}),
    RowName());

// The lines from `from` up to, not including, `to`; date texts sort in time order.
std::vector<std::string> Between(const std::vector<std::string>& lines, const std::string& from,
                                 const std::string& to) {
  std::vector<std::string> kept;
  for (const auto& line : lines) {
    if (line >= from && line < to) kept.push_back(line);
  }
  return kept;
}

// February 2016 under the counting key: stops and triad edits land between
// candidates, exactly where the driver makes them.
class RunningSearchTest : public testing::Test {
 protected:
  std::vector<std::string> ByHand(const char* triad) const {
    return MatchesByHand(kCounting, triad, 2016, 2, 2);
  }
  SearchEnd Run() { return RunSearch(Plan("BAG", 2016, 2, 2), kCounting, stop, driver); }

  RecordingDriver driver;
  bool stop = false;
};

TEST_F(RunningSearchTest, StopEndsTheSearchAtTheNextCandidateAndKeepsTheMatches) {
  driver.triadText = u"BAG";
  const std::uint64_t stopAt = 20000;  // 14 February 21:20
  driver.atCandidate = [&](std::uint64_t candidate) { stop = stop || candidate == stopAt; };
  EXPECT_EQ(Run(), SearchEnd::Stopped);
  EXPECT_FALSE(stop);
  EXPECT_EQ(driver.candidatesSeen, stopAt + 1);
  const std::vector<std::string> before = Between(ByHand("BAG"), "", "2016/02/14   21:20");
  EXPECT_EQ(driver.lines, before);
  EXPECT_FALSE(before.empty());
}

TEST_F(RunningSearchTest, StopRequestedBeforeTheSearchDoesNotEndIt) {
  driver.triadText = u"BAG";
  stop = true;
  EXPECT_EQ(Run(), SearchEnd::Completed);
  EXPECT_EQ(driver.lines, ByHand("BAG"));
}

TEST_F(RunningSearchTest, EditedTriadIsComparedFromTheNextCandidate) {
  driver.triadText = u"BAG";
  const std::uint64_t editAt = 15 * 1440 + 600;  // mid-day, 16 February 10:00
  driver.atCandidate = [&](std::uint64_t candidate) {
    if (candidate == editAt) driver.triadText = u"TOK";
    if (candidate == editAt + 1440) driver.triadText = u"tok";  // not upper case: matches nothing
  };
  Run();
  std::vector<std::string> expected = Between(ByHand("BAG"), "", "2016/02/16   10:00");
  for (const auto& line : Between(ByHand("TOK"), "2016/02/16   10:00", "2016/02/17   10:00")) {
    expected.push_back(line);
  }
  EXPECT_EQ(driver.lines, expected);
}

TEST_F(RunningSearchTest, DriverDecidesHowOftenItRuns) {
  driver.triadText = u"BAG";
  driver.allowance = UINT64_MAX;
  Run();
  EXPECT_EQ(driver.calls, 1u);
  EXPECT_EQ(driver.lines, ByHand("BAG"));
}

// Spans that start and end inside days, and hour windows, on every path the processor has.
struct SpanCase {
  const char* name;
  CivilMinute first, last;
  HourRange hours;
  std::uint64_t allowance;
};

class SearchSpanTest : public testing::TestWithParam<SpanCase> {};

TEST_P(SearchSpanTest, FindsExactlyTheMinutesOfTheSpanAndHours) {
  const SpanCase& c = GetParam();
  const auto expected = MatchesByHand(kCounting, "BAG", c.first, c.last, c.hours);
  for (const HashPath path : kEveryHashPath) {
    if (!HashPathAvailable(path)) continue;
    RecordingDriver driver;
    driver.allowance = c.allowance;
    driver.triadText = u"BAG";
    bool stop = false;
    RunSearch({{'B', 'A', 'G'}, c.first, c.last, c.hours}, kCounting, stop, driver, path);
    EXPECT_EQ(driver.lines, expected) << HashPathName(path);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Spans, SearchSpanTest,
    testing::Values(
        SpanCase{"AcrossALeapDay", {2016, 2, 28, 22, 30}, {2016, 3, 1, 1, 15}, {}, UINT64_MAX},
        SpanCase{"InsideOneDay", {2016, 2, 14, 9, 59}, {2016, 2, 14, 17, 1}, {}, 333},
        SpanCase{"OneMatchingMinute", {2014, 1, 1, 3, 16}, {2014, 1, 1, 3, 16}, {}, 1},
        SpanCase{"WorkingHours", {2016, 1, 1, 0, 0}, {2016, 2, 29, 23, 59}, {9, 17}, 5000},
        SpanCase{"NightHoursWrapPastMidnight",
                 {2016, 1, 1, 0, 0},
                 {2016, 1, 31, 23, 59},
                 {22, 5},
                 UINT64_MAX},
        SpanCase{"LastBeforeFirst", {2016, 3, 1, 0, 0}, {2016, 2, 1, 0, 0}, {}, UINT64_MAX}),
    RowName());

TEST(FindMatchesTest, GivesTheMinutesTheDriverWouldSee) {
  const auto matches = FindMatches(Plan("BAG", 2016, 2, 2), kCounting);
  std::vector<std::string> lines;
  for (const CivilMinute& m : matches) lines.emplace_back(FormatDateText(m).view());
  EXPECT_EQ(lines, MatchesByHand(kCounting, "BAG", 2016, 2, 2));
}

TEST(CalendarTest, WritesTheDateTextAndKnowsTheMonthLengths) {
  EXPECT_EQ(FormatDateText({2014, 1, 5, 13, 7}).view(), "2014/01/05   13:07");
  EXPECT_EQ(FormatDateText({7, 12, 31, 0, 0}).view(), "0007/12/31   00:00");
  EXPECT_EQ(FormatDateText({12345, 1, 1, 0, 0}).view(), "12345/01/01   00:00");
  EXPECT_EQ(FormatIsoMinute({2026, 1, 2, 12, 34}).view(), "2026-01-02T12:34");
  EXPECT_EQ(DaysInMonth(2026, 4), 30);
  EXPECT_EQ(DaysInMonth(2026, 0), 0);
  EXPECT_EQ(DaysInMonth(2026, 13), 0);
}

}  // namespace
}  // namespace zorvane
