// Any key text reads to eight bytes without fault, from its first 16 characters alone, and
// the hex key field's text keeps no blank.
#include <cstdlib>

#include "fuzz_input.h"
#include "key/key_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string text = zorvane::Utf16Of(data, size);
  const zorvane::KeyBytes bytes = zorvane::ReadKeyBytes(text);
  if (bytes != zorvane::ReadKeyBytes(std::u16string_view(text).substr(0, 16))) std::abort();
  if (zorvane::RemoveBlanks(text).find(u' ') != std::u16string::npos) std::abort();
  return 0;
}
