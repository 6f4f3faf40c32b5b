// Field texts, a key and triad edits made during the run: the search never faults, stops
// where asked, and reports only minutes of the calendar whose triad is the one compared with.
#include <cstdlib>
#include <string>

#include "fuzz_input.h"
#include "timecode/calendar.h"
#include "timecode/search.h"

namespace {

using namespace zorvane;

// Takes the triad text from the fuzzer at each call and stops after a bounded number of
// candidates, so that every input runs briefly.
class FuzzDriver final : public SearchDriver {
 public:
  FuzzDriver(std::u16string edits, bool& stop, const KeyBytes& key)
      : edits_(std::move(edits)), stop_(stop), key_(key) {}

  std::uint64_t BeforeCandidate() override {
    if (++calls_ > 40) stop_ = true;
    if (!edits_.empty()) {
      const std::size_t length = std::min<std::size_t>(edits_[0] % 5, edits_.size() - 1);
      triad_ = UpperCaseTriadText(edits_.substr(1, length));
      const auto allowance = static_cast<std::uint64_t>(edits_[0]) * 7 + 1;
      edits_.erase(0, length + 1);
      return allowance;
    }
    return 500;
  }
  std::u16string_view TriadText() override { return triad_; }
  void Matched(const CivilMinute& minute) override {
    const auto target = ParseTriad(triad_);
    if (!target || !IsCalendarMinute(minute)) std::abort();
    if (ComputeTriad(PackMinute(minute), key_) != *target) std::abort();
  }

 private:
  std::u16string edits_;
  bool& stop_;
  KeyBytes key_;
  std::u16string triad_;
  int calls_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  KeyBytes key;
  for (std::size_t i = 0; i < 8; ++i) key[i] = data[i];
  // Five texts separated by U+0000: triad, year, first month, last month, triad edits.
  const std::u16string all = Utf16Of(data + 8, size - 8);
  std::u16string parts[5];
  std::size_t part = 0;
  for (const char16_t c : all) {
    if (c == 0 && part < 4) {
      ++part;
    } else {
      parts[part].push_back(c);
    }
  }
  const auto planned = PlanSearch(UpperCaseTriadText(parts[0]), parts[1], parts[2], parts[3]);
  const auto* plan = std::get_if<SearchPlan>(&planned);
  if (plan == nullptr) return 0;
  bool stop = false;
  FuzzDriver driver(parts[4], stop, key);
  const auto path = static_cast<HashPath>(key[0] % std::size(kEveryHashPath));
  RunSearch(*plan, key, stop, driver, path);
  return 0;
}
