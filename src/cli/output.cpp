#include "cli/output.h"

#include <cerrno>
#include <cstring>
#include <ostream>

#include "cli/cli_error.h"

namespace zorvane {
namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;

}  // namespace

OutputWriter::OutputWriter(std::ostream& out) : out_(out) { buffer_.reserve(kBufferBytes); }

OutputWriter::~OutputWriter() {
  if (!failed_ && !buffer_.empty()) out_.write(buffer_.data(), static_cast<long>(buffer_.size()));
}

void OutputWriter::Write(std::string_view text) {
  buffer_.append(text);
  if (buffer_.size() >= kBufferBytes) Flush();
}

void OutputWriter::Flush() {
  if (failed_) return;
  errno = 0;
  out_.write(buffer_.data(), static_cast<long>(buffer_.size()));
  out_.flush();
  buffer_.clear();
  if (!out_) {
    failed_ = true;
    const int error = errno;
    throw CliError("write error: " +
                   std::string(error != 0 ? std::strerror(error) : "the output was refused"));
  }
}

std::string_view FindHeader(OutputFormat format) {
  return format == OutputFormat::Csv ? "minute\n" : "";
}

void WriteFoundMinute(OutputWriter& out, OutputFormat format, const CivilMinute& minute) {
  // The most lines any command prints: one line is put together before it is written.
  char line[64];
  std::size_t size = 0;
  const auto put = [&](std::string_view part) {
    part.copy(line + size, part.size());
    size += part.size();
  };
  switch (format) {
    case OutputFormat::Text:
      put(FormatDateText(minute).view());
      break;
    case OutputFormat::Iso:
    case OutputFormat::Csv:
      put(FormatIsoMinute(minute).view());
      break;
    case OutputFormat::Json:
      put("{\"minute\":\"");
      put(FormatIsoMinute(minute).view());
      put("\"}");
      break;
  }
  put("\n");
  out.Write({line, size});
}

std::string_view CodeHeader(OutputFormat format) {
  return format == OutputFormat::Csv ? "minute,triad\n" : "";
}

void WriteCode(OutputWriter& out, OutputFormat format, const CivilMinute& minute,
               const Triad& triad) {
  const std::string_view letters(triad.data(), triad.size());
  switch (format) {
    case OutputFormat::Text:
      out.Write(letters);
      break;
    case OutputFormat::Iso:
    case OutputFormat::Csv:
      out.Write(FormatIsoMinute(minute).view());
      out.Write(format == OutputFormat::Iso ? " " : ",");
      out.Write(letters);
      break;
    case OutputFormat::Json:
      out.Write("{\"minute\":\"");
      out.Write(FormatIsoMinute(minute).view());
      out.Write("\",\"triad\":\"");
      out.Write(letters);
      out.Write("\"}");
      break;
  }
  out.Write("\n");
}

}  // namespace zorvane
