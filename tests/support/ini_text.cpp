#include "tests/support/ini_text.h"

namespace testing_support {

std::string withSection(const std::string& ini, const std::string& section,
                        const std::string& lines) {
  std::string kept;
  bool inSection = false;
  size_t start = 0;
  while (start < ini.size()) {
    size_t end = ini.find('\n', start);
    end = end == std::string::npos ? ini.size() : end + 1;
    const std::string line = ini.substr(start, end - start);
    if (!line.empty() && line[0] == '[') inSection = line.rfind("[" + section + "]", 0) == 0;
    if (!inSection) kept += line;
    start = end;
  }
  return kept + "\r\n[" + section + "]\r\n" + lines;
}

}  // namespace testing_support
