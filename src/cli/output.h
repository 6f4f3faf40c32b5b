// What zorvane-cli prints: its result lines in each format, written through a buffer that
// notices the first failed write.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "cli/arguments.h"
#include "timecode/calendar.h"
#include "timecode/timecode.h"

namespace zorvane {

class OutputWriter {
 public:
  explicit OutputWriter(std::ostream& out);
  ~OutputWriter();  // writes out what is left, but reports nothing: call Flush() for that

  OutputWriter(const OutputWriter&) = delete;
  OutputWriter& operator=(const OutputWriter&) = delete;

  void Write(std::string_view text);
  // Throws CliError("write error: ...") at the first write that fails.
  void Flush();

 private:
  std::ostream& out_;
  std::string buffer_;
  bool failed_ = false;
};

// find's lines: "2014/01/05   13:07"; "2014-01-05T13:07"; CSV under the header "minute";
// {"minute":"2014-01-05T13:07"}.
std::string_view FindHeader(OutputFormat format);
void WriteFoundMinute(OutputWriter& out, OutputFormat format, const CivilMinute& minute);

// code's lines: "LON"; "2014-01-05T13:07 LON"; CSV under "minute,triad";
// {"minute":"2014-01-05T13:07","triad":"LON"}.
std::string_view CodeHeader(OutputFormat format);
void WriteCode(OutputWriter& out, OutputFormat format, const CivilMinute& minute,
               const Triad& triad);

}  // namespace zorvane
