// What the window's Results field should hold after a search of whole months, as the core
// finds it, for the tests of every binding of the window.
#pragma once

#include <string>

#include "key/key_bytes.h"
#include "timecode/search.h"

namespace zorvane {
namespace {

inline const std::u16string kCountingKey = u"0123456789ABCDEF";

// The lines of a search under the counting key, each ended by CR LF.
inline std::u16string CoreResults(const char* triad, int year, int first, int last) {
  std::u16string text;
  for (const CivilMinute& m :
       FindMatches(MonthsOfYear({triad[0], triad[1], triad[2]}, year, first, last),
                   ReadKeyBytes(kCountingKey))) {
    const MinuteText line = FormatDateText(m);
    text.append(line.view().begin(), line.view().end());
    text += u"\r\n";
  }
  return text;
}

inline std::u16string FirstLine(const std::u16string& text) {
  return text.substr(0, text.find(u"\r\n") + 2);
}

}  // namespace
}  // namespace zorvane
