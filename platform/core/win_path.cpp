#include "platform/core/win_path.h"

#include <cctype>

#include "platform/core/codepage.h"
#include "platform/core/errors.h"

namespace platform {

std::string WinPath::str() const {
  std::string out(1, drive);
  out += ":\\";
  for (size_t i = 0; i < components.size(); ++i) {
    if (i) out += '\\';
    out += components[i];
  }
  return out;
}

std::string WinPath::parentStr() const {
  WinPath parent = *this;
  if (!parent.components.empty()) parent.components.pop_back();
  return parent.str();
}

bool isDosDeviceName(std::string_view name) {
  std::string base = ansiUpper(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
  if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0))
    return base[3] >= '1' && base[3] <= '9';
  return false;
}

WinPath parseWinPath(std::string_view path) {
  std::string text(path);
  for (char& c : text)
    if (c == '/') c = '\\';
  WinPath result;
  if (text.size() >= 6 && text.compare(0, 4, "\\\\.\\") == 0 && text[5] == ':' &&
      std::isalpha(static_cast<unsigned char>(text[4]))) {
    result.device = true;
    result.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(text[4])));
    return result;
  }
  if (text.size() >= 2 && text[0] == '\\' && text[1] == '\\')
    throw OsError(WinError::PathNotFound, text);
  if (text.size() < 2 || text[1] != ':' || !std::isalpha(static_cast<unsigned char>(text[0])))
    throw OsError(WinError::InvalidName, text);
  result.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  if (text.size() > 2 && text[2] != '\\') throw OsError(WinError::InvalidName, text);
  size_t pos = 2;
  while (pos < text.size()) {
    size_t next = text.find('\\', pos);
    if (next == std::string::npos) next = text.size();
    std::string component = text.substr(pos, next - pos);
    pos = next + 1;
    if (component.empty() || component == ".") continue;
    if (component == "..") {
      if (!result.components.empty()) result.components.pop_back();
      continue;
    }
    while (!component.empty() && (component.back() == '.' || component.back() == ' '))
      component.pop_back();
    if (component.empty()) throw OsError(WinError::InvalidName, text);
    for (char c : component) {
      auto u = static_cast<unsigned char>(c);
      if (u < 0x20 || std::string_view("<>:\"|?*").find(c) != std::string_view::npos)
        throw OsError(WinError::InvalidName, text);
    }
    result.components.push_back(component);
  }
  return result;
}

}  // namespace platform
