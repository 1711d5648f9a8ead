#include "regpack/UserExportRoot.h"

#include "platform/core/codepage.h"

namespace corvasta {

std::string UserExportAtFileRoot(const std::string& hkuExport, const std::string& user) {
  const std::string prefix = platform::ansiUpper("[HKEY_USERS\\" + user);
  std::string result;
  bool keep = true;  // the header before the first key
  for (size_t start = 0; start < hkuExport.size();) {
    size_t end = hkuExport.find('\n', start);
    end = end == std::string::npos ? hkuExport.size() : end + 1;
    const std::string line = hkuExport.substr(start, end - start);
    start = end;
    if (!line.empty() && line[0] == '[') {
      const std::string upper = platform::ansiUpper(line.substr(0, prefix.size() + 1));
      const char after = upper.size() > prefix.size() ? upper[prefix.size()] : '\0';
      keep = upper.compare(0, prefix.size(), prefix) == 0 && (after == ']' || after == '\\');
      if (keep) result += "[HKEY_USERS" + line.substr(prefix.size());
      continue;
    }
    if (keep) result += line;
  }
  return result;
}

}  // namespace corvasta
