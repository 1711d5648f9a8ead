// scanreg.ini as Windows or a user left it: split into lines, read, updated,
// and each line's text taken as a name for the 8.3 name generator.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/core/Locations.h"
#include "app/core/ScanRegLines.h"
#include "app/core/TextLines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = corvasta::splitLines(text);
  const corvasta::ScanRegValues values = corvasta::readScanRegLines(lines);
  corvasta::ScanRegUpdate update{values.backupDirectory, values.maxBackupCopies,
                                 std::vector<int>(19, 2), "C:\\"};
  const std::vector<std::string> updated = corvasta::updateScanRegLines(lines, update);
  if (updated.size() < 4) __builtin_trap();  // the four keys are always there
  for (const std::string& line : lines) {
    const std::string shortName = corvasta::GeneratedShortName(line);
    if (shortName.size() > line.size() + 2) __builtin_trap();
  }
  return 0;
}
