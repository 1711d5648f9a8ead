// The files module's state-folder records (attribute records and the delayed
// moves list): bad text is rejected with the module's errors, never a crash,
// and what is accepted reads back the same after writing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/files/attribute_file.h"
#include "platform/files/delayed_moves.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    auto records = platform::parseAttributeRecords(text);
    if (platform::parseAttributeRecords(platform::formatAttributeRecords(records)) != records)
      std::abort();
  } catch (const platform::AttributeFileError&) {
  }
  try {
    auto moves = platform::parseDelayedMoves(text);
    platform::parseDelayedMoves(platform::formatDelayedMoves(moves));
  } catch (const platform::DelayedMovesError&) {
  }
  return 0;
}
