#include "cli/year_search.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zorvane {
namespace {

constexpr KeyBytes kCounting = {0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01};

// Years 0-300 with a partial first and last year, so that patterns repeat and spans differ.
std::vector<SearchPlan> Plans() {
  std::vector<SearchPlan> plans;
  for (int year = 0; year <= 300; ++year) {
    SearchPlan plan = MonthsOfYear({'T', 'O', 'K'}, year, 2, 3);
    if (year == 0) plan.first = {0, 2, 20, 12, 0};
    if (year == 300) plan.last = {300, 3, 2, 6, 30};
    plan.hours = {20, 3};
    plans.push_back(plan);
  }
  return plans;
}

class YearSearchTest : public testing::TestWithParam<unsigned> {};

TEST_P(YearSearchTest, HandsOverWhatEachYearFindsInTimeOrder) {
  const std::vector<SearchPlan> plans = Plans();
  std::vector<CivilMinute> expected;
  for (const SearchPlan& plan : plans) {
    for (const CivilMinute& m : FindMatches(plan, kCounting)) expected.push_back(m);
  }
  std::vector<CivilMinute> found;
  std::size_t years = 0;
  SearchYears(
      plans, kCounting,
      [&](std::span<const CivilMinute> matches) {
        ++years;
        found.insert(found.end(), matches.begin(), matches.end());
      },
      GetParam());
  EXPECT_EQ(years, plans.size());
  EXPECT_EQ(found, expected);
}

INSTANTIATE_TEST_SUITE_P(Threads, YearSearchTest, testing::Values(1u, 2u, 7u));

TEST(YearSearchStopTest, WhatTheReceiverThrowsEndsTheSearch) {
  std::size_t years = 0;
  EXPECT_THROW(SearchYears(Plans(), kCounting,
                           [&](std::span<const CivilMinute>) {
                             if (++years == 3) throw std::runtime_error("stop");
                           }),
               std::runtime_error);
  EXPECT_EQ(years, 3u);
}

}  // namespace
}  // namespace zorvane
