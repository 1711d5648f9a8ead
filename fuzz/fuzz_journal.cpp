// journal.log text: the reader may only reject bad lines with
// JournalFormatError, never crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/system/journal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    platform::parseJournal(text);
  } catch (const platform::JournalFormatError&) {
  }
  return 0;
}
