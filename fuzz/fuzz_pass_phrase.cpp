// Any pass phrase derives exactly 16 upper-case hexadecimal digits that read back to the key.
#include <cstdlib>

#include "fuzz_input.h"
#include "key/key_bytes.h"
#include "key/pass_phrase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string phrase = zorvane::Utf16Of(data, size);
  const auto key = zorvane::DeriveKey(phrase);
  if (phrase.empty() != !key.has_value()) std::abort();
  if (!key) return 0;
  if (key->size() != 16) std::abort();
  for (const char c : *key) {
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) std::abort();
  }
  const zorvane::KeyBytes bytes = zorvane::ReadKeyBytes(std::u16string(key->begin(), key->end()));
  for (std::size_t j = 0; j < bytes.size(); ++j) {
    if (bytes[j] != std::stoi(key->substr(14 - 2 * j, 2), nullptr, 16)) std::abort();
  }
  return 0;
}
