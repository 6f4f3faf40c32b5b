// The form through a fake binding: fields are plain texts, writes run the change handlers as a
// toolkit would, and event passes run whatever the test has queued for them.
#include "form/form1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include "form/layout.h"
#include "key/pass_phrase.h"
#include "results_text.h"
#include "row_name.h"
#include "timecode/search.h"

namespace zorvane {
namespace {

using namespace std::chrono_literals;

class FakeWindow final : public FormFields {
 public:
  FakeWindow() {
    for (const ControlLayout& c : kLayout) {
      if (c.field) texts[*c.field] = std::u16string(c.text);
    }
  }

  std::u16string Text(Field field) override { return texts[field]; }
  void SetText(Field field, std::u16string_view text) override {
    if (texts[field] == text) return;
    texts[field] = text;
    if (field == Field::PassPhrase) form.PassPhrase_Change();
    if (field == Field::HexCode) form.HexCode_Change();
  }
  void Append(Field field, std::u16string_view text) override { texts[field] += text; }
  void Disable(Field field) override { disabled.insert(field); }
  void ProcessEvents() override {
    ++eventPasses;
    if (atEvents) atEvents();
  }
  // A toolkit's upper case, as far as these tests need it.
  std::u16string UpperCase(std::u16string_view text) override {
    std::u16string upper(text);
    for (char16_t& c : upper) {
      if ((c >= u'a' && c <= u'z') || c == u'\u00e4') c = static_cast<char16_t>(c - 32);
    }
    return upper;
  }

  std::map<Field, std::u16string> texts;
  std::set<Field> disabled;
  std::function<void()> atEvents;
  std::uint64_t eventPasses = 0;
  std::chrono::steady_clock::time_point now{};
  std::function<void()> atClockRead;
  Form1 form{*this, [this] {
               if (atClockRead) atClockRead();
               return now;
             }};
};

class Form1Test : public testing::Test {
 protected:
  void Load(std::u16string_view commandLine = u"") { w.form.Form_Load(commandLine, 2026); }

  // The counting key typed into the hex key field, and the search fields filled.
  void Prepare(std::u16string_view triad, std::u16string_view year, std::u16string_view first,
               std::u16string_view last) {
    Load();
    w.form.HexCode_Click();
    w.SetText(Field::HexCode, kCountingKey);
    w.SetText(Field::Triad, triad);
    w.SetText(Field::Ytext, year);
    w.SetText(Field::StMntext, first);
    w.SetText(Field::EnMnText, last);
  }

  // Runs `action` once, at the first event pass that has a result line to show.
  void AtFirstMatch(std::function<void()> action) {
    w.atEvents = [this, action, done = false]() mutable {
      if (done || w.texts[Field::Results].empty()) return;
      done = true;
      action();
    };
  }

  FakeWindow w;
};

TEST_F(Form1Test, LoadsWithTheDefaults) {
  Load();
  EXPECT_EQ(w.texts[Field::Ytext], u" 2026");
  EXPECT_EQ(w.texts[Field::StMntext], u"1");
  EXPECT_EQ(w.texts[Field::EnMnText], u"12");
  EXPECT_EQ(w.texts[Field::HexCode], u"");
  EXPECT_EQ(w.form.keyBytes(), KeyBytes{});
}

TEST_F(Form1Test, TakesThePassPhraseFromTheCommandLine) {
  w.SetText(Field::Triad, u"BAG");
  Load(u"blue harbour lantern");
  const std::string key = *DeriveKey(u"blue harbour lantern");
  EXPECT_EQ(w.texts[Field::PassPhrase], u"blue harbour lantern");
  EXPECT_EQ(w.texts[Field::HexCode], std::u16string(key.begin(), key.end()) + u"\r\n");
  EXPECT_EQ(w.form.keyBytes(), ReadKeyBytes(std::u16string(key.begin(), key.end())));
  EXPECT_EQ(w.texts[Field::Triad], u"");
}

TEST_F(Form1Test, DerivesTheKeyAtEveryChangeAndKeepsTheLastOne) {
  Load();
  std::u16string typed;
  for (const char16_t c : std::u16string_view(u"Tr\u00e8s")) {
    typed += c;
    w.SetText(Field::PassPhrase, typed);
    const std::string key = *DeriveKey(typed);
    EXPECT_EQ(w.texts[Field::HexCode], std::u16string(key.begin(), key.end()) + u"\r\n");
  }
  const std::u16string lastKey = w.texts[Field::HexCode];
  w.SetText(Field::PassPhrase, u"");
  EXPECT_EQ(w.texts[Field::HexCode], lastKey);
}

TEST_F(Form1Test, HexKeyDropsItsBlanksAndReadsTheDigits) {
  Load();
  w.SetText(Field::HexCode, u"0123 4567 89AB CDEF");
  EXPECT_EQ(w.texts[Field::HexCode], kCountingKey);
  EXPECT_EQ(w.form.keyBytes(), ReadKeyBytes(kCountingKey));
}

TEST_F(Form1Test, ClickIntoTheHexKeyClearsThePhraseButKeepsTheKey) {
  Load(u"secret");
  const KeyBytes key = w.form.keyBytes();
  w.form.HexCode_Click();
  EXPECT_EQ(w.texts[Field::PassPhrase], u"");
  EXPECT_EQ(w.form.keyBytes(), key);
}

struct SearchCase {
  const char* name;
  std::u16string triad, year, first, last;
  std::u16string shownTriad;
  std::u16string error;  // the results text when the search cannot run
  bool found;            // else the core's results for BAG in February 2016, or none
};

class Form1SearchTest : public Form1Test, public testing::WithParamInterface<SearchCase> {};

TEST_P(Form1SearchTest, ShowsTheResultsAndLocksTheKey) {
  const SearchCase& c = GetParam();
  Prepare(c.triad, c.year, c.first, c.last);
  w.form.GO_Click();
  EXPECT_EQ(w.texts[Field::Triad], c.shownTriad);
  const std::u16string results = c.found ? CoreResults("BAG", 2016, 2, 2) : c.error;
  EXPECT_EQ(w.texts[Field::Results], results);
  // The status line counts the lines of a search that ran, and stays empty after an error.
  const auto lines = static_cast<std::uint64_t>(std::count(results.begin(), results.end(), u'\n'));
  EXPECT_EQ(w.texts[Field::Status], c.error.empty() ? FoundText(lines) : u"");
  EXPECT_TRUE(w.disabled.contains(Field::PassPhrase));
  EXPECT_TRUE(w.disabled.contains(Field::HexCode));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, Form1SearchTest,
    testing::Values(
        SearchCase{"LowerCaseUpperCased", u"bag", u"2016", u"2", u"2", u"BAG", u"", true},
        SearchCase{"BlankBeforeTheYear", u"BAG", u" 2016", u"2", u"2", u"BAG", u"", true},
        SearchCase{"WholeTextUpperCased", u"b\u00e4g", u"2016", u"2", u"2", u"B\u00c4G",
                   u"Invalid Triad", false},
        SearchCase{"TooLong", u"bags", u"2016", u"2", u"2", u"BAGS", u"Invalid Triad", false},
        SearchCase{"MiddleNotAVowel", u"BBB", u"2016", u"2", u"2", u"BBB", u"Invalid Triad", false},
        SearchCase{"TriadCheckedBeforeYear", u"BQB", u"99999", u"2", u"2", u"BQB", u"Invalid Triad",
                   false},
        SearchCase{"YearTooLarge", u"BAG", u"10000", u"2", u"2", u"BAG", u"Invalid Year", false},
        SearchCase{"MonthWithAFraction", u"BAG", u"2016", u"1.5", u"2", u"BAG", u"Invalid Month",
                   false},
        SearchCase{"MonthsAbove12", u"BAG", u"2016", u"13", u"13", u"BAG", u"", false},
        SearchCase{"FirstMonthAfterLast", u"BAG", u"2016", u"5", u"3", u"BAG", u"", false}),
    RowName());

TEST_F(Form1Test, StopEndsTheSearchAtTheNextCandidateAndSaysSo) {
  Prepare(u"BAG", u"2016", u"2", u"2");
  w.form.setEventSlice(0ms);
  std::u16string statusWhileRunning;
  AtFirstMatch([this, &statusWhileRunning] {
    statusWhileRunning = w.texts[Field::Status];
    w.form.Finish_Click();
  });
  w.form.GO_Click();
  const std::u16string all = CoreResults("BAG", 2016, 2, 2);
  EXPECT_EQ(statusWhileRunning, kSearchingText);
  EXPECT_EQ(w.texts[Field::Results], FirstLine(all));
  EXPECT_EQ(w.texts[Field::Status], u"Stopped after 1 minute");

  // The stop was used up by the search it ended: the next one runs to its end.
  w.atEvents = nullptr;
  w.form.GO_Click();
  EXPECT_EQ(w.texts[Field::Results], all);
}

TEST_F(Form1Test, EditedTriadIsComparedFromTheNextCandidate) {
  Prepare(u"BAG", u"2016", u"2", u"2");
  w.form.setEventSlice(0ms);
  AtFirstMatch([this] { w.texts[Field::Triad] = u"xyz"; });
  w.form.GO_Click();
  EXPECT_EQ(w.texts[Field::Results], FirstLine(CoreResults("BAG", 2016, 2, 2)));
}

TEST_F(Form1Test, SecondPressRestartsWithTheFieldsAsTheyStand) {
  Prepare(u"BAG", u"2016", u"2", u"2");
  w.form.setEventSlice(0ms);
  AtFirstMatch([this] {
    w.texts[Field::Triad] = u"tok";
    w.texts[Field::StMntext] = u"3";
    w.texts[Field::EnMnText] = u"3";
    w.form.GO_Click();
  });
  w.form.GO_Click();
  EXPECT_FALSE(w.form.isSearching());
  EXPECT_EQ(w.texts[Field::Triad], u"TOK");
  EXPECT_EQ(w.texts[Field::Results], CoreResults("TOK", 2016, 3, 3));
}

TEST_F(Form1Test, UnloadDuringASearchEndsItForGood) {
  Prepare(u"BAG", u"2016", u"1", u"12");
  w.form.setEventSlice(0ms);
  AtFirstMatch([this] {
    w.form.GO_Click();  // a restart asked for just before the close is not carried out
    w.form.Form_Unload();
  });
  w.form.GO_Click();
  EXPECT_FALSE(w.form.isSearching());
  EXPECT_TRUE(w.form.isClosing());
  EXPECT_EQ(w.texts[Field::Results], FirstLine(CoreResults("BAG", 2016, 1, 1)));
}

TEST_F(Form1Test, EnterInTheSearchFieldsSearchesAndEscapeStops) {
  Prepare(u"bag", u"2016", u"2", u"2");
  EXPECT_FALSE(w.form.Form_KeyPress(Field::HexCode, FormKey::Enter));  // a line break there
  EXPECT_FALSE(w.form.Form_KeyPress(std::nullopt, FormKey::Enter));
  EXPECT_EQ(w.texts[Field::Results], u"");
  // Escape while idle leaves nothing behind that could stop the next search.
  EXPECT_FALSE(w.form.Form_KeyPress(Field::Triad, FormKey::Escape));
  EXPECT_TRUE(w.form.Form_KeyPress(Field::EnMnText, FormKey::Enter));
  const std::u16string all = CoreResults("BAG", 2016, 2, 2);
  EXPECT_EQ(w.texts[Field::Results], all);

  w.form.setEventSlice(0ms);
  bool escaped = false;
  AtFirstMatch([this, &escaped] { escaped = w.form.Form_KeyPress(Field::Ytext, FormKey::Escape); });
  EXPECT_TRUE(w.form.Form_KeyPress(Field::Triad, FormKey::Enter));
  EXPECT_TRUE(escaped);
  EXPECT_EQ(w.texts[Field::Results], FirstLine(all));
}

// How often a search lets the window process its events, by the clock it is given.
class Form1PacingTest : public Form1Test {
 protected:
  static constexpr std::uint64_t kFebruary2016 = 29 * 1440;
  void SetUp() override { Prepare(u"BAG", u"2016", u"2", u"2"); }
};

TEST_F(Form1PacingTest, ZeroSliceProcessesEventsAtEveryCandidate) {
  w.form.setEventSlice(0ms);
  w.form.GO_Click();
  EXPECT_EQ(w.eventPasses, kFebruary2016);
}

TEST_F(Form1PacingTest, SearchWithinOneSliceProcessesNoEvents) {
  w.form.setEventSlice(4ms);
  w.form.GO_Click();  // the clock stands still
  EXPECT_EQ(w.eventPasses, 0u);
  EXPECT_EQ(w.texts[Field::Results], CoreResults("BAG", 2016, 2, 2));
}

TEST_F(Form1PacingTest, EventsAreProcessedOncePerSlice) {
  w.form.setEventSlice(4ms);
  w.atClockRead = [this] { w.now += 1ms; };
  w.form.GO_Click();
  // The clock is read every 2048 candidates and after each pass; a pass comes at every
  // fourth millisecond.
  const std::uint64_t reads = (kFebruary2016 + 2047) / 2048;
  EXPECT_GE(w.eventPasses, reads / 5);
  EXPECT_LE(w.eventPasses, reads / 4 + 1);
  EXPECT_EQ(w.texts[Field::Results], CoreResults("BAG", 2016, 2, 2));
}

}  // namespace
}  // namespace zorvane
