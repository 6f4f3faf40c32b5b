#include "form/form1.h"

#include <optional>
#include <variant>

#include "key/pass_phrase.h"
#include "key/word_ops.h"
#include "timecode/calendar.h"
#include "timecode/search.h"

namespace zorvane {
namespace {

// Clock reads are spaced this many candidates apart: a few microseconds of searching.
constexpr std::uint64_t kCandidatesPerClockRead = 2048;

std::u16string Widen(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

}  // namespace

std::u16string FoundText(std::uint64_t minutes) {
  return Widen(std::to_string(minutes)) + (minutes == 1 ? u" minute" : u" minutes");
}

std::u16string StoppedText(std::uint64_t minutes) { return u"Stopped after " + FoundText(minutes); }

// Binds the search's per-candidate hook to the window: pending events are processed once a
// time slice has passed since the last pass, or at every candidate with a zero slice. Lines
// found between two passes are shown together, since nothing could see them sooner.
class Form1::SearchPacer final : public SearchDriver {
 public:
  explicit SearchPacer(Form1& form) : form_(form), lastPass_(form.clock_()) {}

  std::uint64_t BeforeCandidate() override {
    if (form_.eventSlice_.count() <= 0) {
      ProcessEvents();
      return 1;
    }
    const auto now = form_.clock_();
    if (now - lastPass_ >= form_.eventSlice_) {
      ProcessEvents();
      lastPass_ = form_.clock_();
    }
    return kCandidatesPerClockRead;
  }

  std::u16string_view TriadText() override {
    triad_ = form_.fields_.Text(Field::Triad);
    return triad_;
  }

  void Matched(const CivilMinute& minute) override {
    const MinuteText line = FormatDateText(minute);
    pending_.append(line.view().begin(), line.view().end());
    pending_ += u"\r\n";
    ++matches_;
  }

  void ShowPending() {
    if (pending_.empty()) return;
    form_.fields_.Append(Field::Results, pending_);
    pending_.clear();
  }

  std::uint64_t matches() const { return matches_; }

 private:
  void ProcessEvents() {
    ShowPending();
    form_.fields_.ProcessEvents();
  }

  Form1& form_;
  std::chrono::steady_clock::time_point lastPass_;
  std::u16string triad_;
  std::u16string pending_;
  std::uint64_t matches_ = 0;
};

Form1::Form1(FormFields& fields, Clock clock) : fields_(fields), clock_(std::move(clock)) {}

void Form1::Rotate16Left(std::int32_t& x, std::int32_t count) { zorvane::Rotate16Left(x, count); }

void Form1::Rotate16Right(std::int32_t& x, std::int32_t count) { zorvane::Rotate16Right(x, count); }

std::string Form1::FormatHex(std::int32_t x) { return zorvane::FormatHex(x); }

void Form1::DoKey() { KeyBytes = ReadKeyBytes(fields_.Text(Field::HexCode)); }

void Form1::Form_Load(std::u16string_view commandLine, int currentYear) {
  if (!commandLine.empty()) fields_.SetText(Field::PassPhrase, commandLine);
  StopRequested = false;
  // Written with the place of a sign, as a blank before a year of 0 or more.
  fields_.SetText(Field::Ytext,
                  (currentYear >= 0 ? u" " : u"") + Widen(std::to_string(currentYear)));
}

void Form1::PassPhrase_Change() {
  const std::optional<std::string> key = DeriveKey(fields_.Text(Field::PassPhrase));
  if (!key) return;
  KeyHex = *key;
  fields_.SetText(Field::HexCode, Widen(KeyHex) + u"\r\n");
  fields_.SetText(Field::Triad, u"");
  DoKey();
}

void Form1::HexCode_Change() {
  const std::u16string text = fields_.Text(Field::HexCode);
  const std::u16string kept = RemoveBlanks(text);
  if (kept.size() != text.size()) fields_.SetText(Field::HexCode, kept);
  DoKey();
}

void Form1::HexCode_Click() { fields_.SetText(Field::PassPhrase, u""); }

void Form1::GO_Click() {
  // A press during a search ends it at its next candidate; the search then starts over here,
  // with the fields as they stand, so searches never nest.
  if (searching_) {
    restartRequested_ = true;
    StopRequested = true;
    return;
  }
  searching_ = true;
  do {
    restartRequested_ = false;
    SearchDates();
  } while (restartRequested_ && !closing_);
  searching_ = false;
}

void Form1::Finish_Click() { StopRequested = true; }

void Form1::Form_Unload() {
  closing_ = true;
  StopRequested = true;  // a running search ends at its next candidate, and with it the program
}

bool Form1::Form_KeyPress(std::optional<Field> focused, FormKey key) {
  switch (key) {
    case FormKey::Enter:
      if (focused != Field::Triad && focused != Field::Ytext && focused != Field::StMntext &&
          focused != Field::EnMnText) {
        return false;
      }
      GO_Click();
      return true;
    case FormKey::Escape:
      if (!searching_) return false;
      Finish_Click();
      return true;
  }
  return false;
}

void Form1::SearchDates() {
  fields_.SetText(Field::Results, u"");
  fields_.Disable(Field::PassPhrase);
  fields_.Disable(Field::HexCode);
  fields_.SetText(Field::Triad, fields_.UpperCase(fields_.Text(Field::Triad)));

  const auto planned = PlanSearch(fields_.Text(Field::Triad), fields_.Text(Field::Ytext),
                                  fields_.Text(Field::StMntext), fields_.Text(Field::EnMnText));
  if (const auto* error = std::get_if<SearchError>(&planned)) {
    fields_.SetText(Field::Results, Widen(MessageFor(*error)));
    fields_.SetText(Field::Status, u"");
    return;
  }
  fields_.SetText(Field::Status, kSearchingText);
  SearchPacer pacer(*this);
  const SearchEnd end = RunSearch(std::get<SearchPlan>(planned), KeyBytes, StopRequested, pacer);
  pacer.ShowPending();
  fields_.SetText(Field::Status, end == SearchEnd::Completed ? FoundText(pacer.matches())
                                                             : StoppedText(pacer.matches()));
}

}  // namespace zorvane
