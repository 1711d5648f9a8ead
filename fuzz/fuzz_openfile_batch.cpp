// openfile.bat as an earlier run or a user left it: its lines kept by the
// next job, and each line taken as the path of a file in use.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/core/TextLines.h"
#include "backup/OpenFilesRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = corvasta::splitLines(text);
  const std::vector<std::string> kept =
      corvasta::OpenFileBatchLines(lines, "attrib", "C:\\A.DOC", "C:\\A.DOC", "C:\\T\\1.DOC");
  if (kept.size() < 4 || kept.size() > lines.size() + 4) __builtin_trap();
  if (kept.back() != "@del openfile.bat") __builtin_trap();
  for (size_t i = 0; i + 4 < kept.size(); ++i)
    if (kept[i].rfind("@echo ", 0) == 0 || kept[i].rfind("@del ", 0) == 0) __builtin_trap();
  for (const std::string& line : lines) {
    corvasta::IsRegistryHiveFile(line, "C:\\WINDOWS\\");
    corvasta::IsSwapFile(line);
    const std::string temp = corvasta::OpenFileTempPath("C:\\P\\", 7, line);
    if (temp.rfind("C:\\P\\Temp\\OpenFN7", 0) != 0) __builtin_trap();
  }
  return 0;
}
