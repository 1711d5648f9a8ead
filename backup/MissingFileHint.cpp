#include "backup/MissingFileHint.h"

#include <array>
#include <cctype>

namespace corvasta {

void recordMissingFile(std::vector<std::string>& errorList, const std::string& path) {
  errorList.push_back(path);
  static constexpr std::array<const char*, 4> kRareBootFiles = {"DOSSTART.BAT", "BOOTFONT.BIN",
                                                                "NTBOOTDD.SYS", "BOOTSECT.DOS"};
  const size_t slash = path.find_last_of('\\');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const char* rare : kRareBootFiles)
    if (name == rare) {
      errorList.push_back("  (not on most computers - please uncheck in WinFiles section)");
      return;
    }
}

}  // namespace corvasta
