#include "platform/registry/regedit4.h"

#include <cstdio>

#include "platform/core/codepage.h"
#include "platform/core/ini_document.h"
#include "platform/registry/registry_error.h"

namespace platform::registry {
namespace {

constexpr size_t kHexLineWidth = 76;  // where the Registry Editor wraps hex data

bool isStringType(uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

std::string quote(const std::string& ansi) {
  std::string out = "\"";
  for (char c : ansi) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

// Appends "hex(N):xx,yy,..." wrapped as the Registry Editor wraps it: lines
// end with ",\" and continue indented by two blanks.
void appendHex(std::string& line, std::string& out, const std::vector<uint8_t>& data) {
  for (size_t i = 0; i < data.size(); ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, "%02x", data[i]);
    line += byte;
    if (i + 1 < data.size()) {
      line += ',';
      if (line.size() >= kHexLineWidth) {
        out += line + "\\\r\n";
        line = "  ";
      }
    }
  }
}

// The quoted-string form is used only when it gives back exactly these bytes.
bool isPlainString(const std::vector<uint8_t>& ansi) {
  if (ansi.empty() || ansi.back() != 0) return false;
  for (size_t i = 0; i + 1 < ansi.size(); ++i)
    if (ansi[i] == 0 || ansi[i] == '\r' || ansi[i] == '\n') return false;
  return true;
}

std::string valueLine(const RegistryValue& value, StringEncoding encoding) {
  std::string name = value.name.empty() ? "@" : quote(utf8ToAnsi(value.name));
  std::vector<uint8_t> ansi = toAnsiData(value.type, value.data, encoding);
  bool lossless = toStoredData(value.type, ansi, encoding) == value.data;
  std::string out, line = name + "=";
  if (value.type == kRegSz && lossless && isPlainString(ansi)) {
    line += quote(std::string(ansi.begin(), ansi.end() - 1));
  } else if (value.type == kRegDword && value.data.size() == 4) {
    char text[16];
    uint32_t v = value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                 static_cast<uint32_t>(value.data[3]) << 24;
    std::snprintf(text, sizeof text, "dword:%08x", v);
    line += text;
  } else if (value.type == kRegBinary) {
    line += "hex:";
    appendHex(line, out, value.data);
  } else {
    char prefix[24];
    std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
    line += prefix;
    appendHex(line, out, ansi);
  }
  return out + line + "\r\n";
}

void exportKey(std::string& out, const std::string& path, const RegistryKey& key,
               StringEncoding encoding) {
  out += "[" + path + "]\r\n";
  for (const auto& value : key.values) out += valueLine(value, encoding);
  out += "\r\n";
  for (const auto& sub : key.subkeys)
    exportKey(out, path + "\\" + utf8ToAnsi(sub.name), sub, encoding);
}

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  std::vector<Regedit4Key> run() {
    std::string header = nextLogicalLine();
    if (header != "REGEDIT4" && header != "Windows Registry Editor Version 5.00")
      fail("the file does not start with REGEDIT4");
    std::vector<Regedit4Key> keys;
    while (!atEnd()) {
      std::string line = nextLogicalLine();
      std::string_view trimmed = trimBlanks(line);
      if (trimmed.empty() || trimmed.front() == ';') continue;
      if (trimmed.front() == '[') {
        if (trimmed.back() != ']') fail("key line without ']'");
        Regedit4Key key;
        key.line = lineNumber_;
        std::string_view path = trimmed.substr(1, trimmed.size() - 2);
        if (!path.empty() && path.front() == '-') {
          key.remove = true;
          path.remove_prefix(1);
        }
        if (path.empty()) fail("empty key name");
        key.path = std::string(path);
        keys.push_back(std::move(key));
        continue;
      }
      if (keys.empty()) fail("value line before the first key");
      keys.back().values.push_back(parseValue(trimmed));
    }
    return keys;
  }

 private:
  bool atEnd() const { return pos_ >= text_.size(); }

  [[noreturn]] void fail(const std::string& what) const {
    throw RegistryFormatError("REGEDIT4 line " + std::to_string(lineNumber_) + ": " + what);
  }

  std::string physicalLine() {
    size_t end = text_.find('\n', pos_);
    std::string_view line =
        text_.substr(pos_, end == std::string_view::npos ? std::string_view::npos : end - pos_);
    pos_ = end == std::string_view::npos ? text_.size() : end + 1;
    ++lineNumber_;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return std::string(line);
  }

  // A line with its "\" continuations joined (only hex data continues).
  std::string nextLogicalLine() {
    std::string line = physicalLine();
    while (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos &&
           !atEnd()) {
      line.pop_back();
      line += trimBlanks(physicalLine());
    }
    return line;
  }

  // Reads a quoted string starting at text[0] == '"'; returns the unescaped
  // text and moves `text` past the closing quote.
  std::string quoted(std::string_view& text) const {
    std::string out;
    size_t i = 1;
    for (; i < text.size() && text[i] != '"'; ++i) {
      if (text[i] == '\\' && i + 1 < text.size()) ++i;
      out += text[i];
    }
    if (i >= text.size()) fail("string without closing quote");
    text.remove_prefix(i + 1);
    return out;
  }

  std::vector<uint8_t> hexBytes(std::string_view text) const {
    std::vector<uint8_t> bytes;
    size_t i = 0;
    while (i < text.size()) {
      while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
      if (i >= text.size()) break;
      size_t start = i;
      while (i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i]))) ++i;
      if (i == start || i - start > 2) fail("bad hex byte in '" + std::string(text) + "'");
      bytes.push_back(static_cast<uint8_t>(
          std::stoul(std::string(text.substr(start, i - start)), nullptr, 16)));
      while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
      if (i < text.size()) {
        if (text[i] != ',') fail("expected ',' between hex bytes");
        ++i;
      }
    }
    return bytes;
  }

  Regedit4Value parseValue(std::string_view text) const {
    Regedit4Value value;
    if (text.front() == '@') {
      text.remove_prefix(1);
    } else if (text.front() == '"') {
      value.name = quoted(text);
    } else {
      fail("expected a value name in quotes or @");
    }
    text = trimBlanks(text);
    if (text.empty() || text.front() != '=') fail("expected '=' after the value name");
    text = trimBlanks(text.substr(1));
    if (text == "-") {
      value.remove = true;
      return value;
    }
    if (!text.empty() && text.front() == '"') {
      std::string s = quoted(text);
      if (!trimBlanks(text).empty()) fail("text after the closing quote");
      value.type = kRegSz;
      value.ansiData.assign(s.begin(), s.end());
      value.ansiData.push_back(0);
    } else if (text.substr(0, 6) == "dword:") {
      std::string_view digits = text.substr(6);
      if (digits.empty() || digits.size() > 8) fail("dword needs one to eight hex digits");
      for (char c : digits)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
          fail("bad dword '" + std::string(digits) + "'");
      uint32_t v = static_cast<uint32_t>(std::stoul(std::string(digits), nullptr, 16));
      value.type = kRegDword;
      value.ansiData = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                        static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
    } else if (text.substr(0, 4) == "hex:") {
      value.type = kRegBinary;
      value.ansiData = hexBytes(text.substr(4));
    } else if (text.substr(0, 4) == "hex(") {
      size_t close = text.find("):");
      if (close == std::string_view::npos || close == 4 || close > 12) fail("bad hex(type) prefix");
      std::string typeDigits(text.substr(4, close - 4));
      for (char c : typeDigits)
        if (!std::isxdigit(static_cast<unsigned char>(c))) fail("bad hex(type) prefix");
      value.type = static_cast<uint32_t>(std::stoul(typeDigits, nullptr, 16));
      value.ansiData = hexBytes(text.substr(close + 2));
    } else {
      fail("unknown value data '" + std::string(text.substr(0, 20)) + "'");
    }
    return value;
  }

  std::string_view text_;
  size_t pos_ = 0;
  int lineNumber_ = 0;
};

bool pathIsUnder(const std::string& path, const std::string& root) {
  if (path.size() < root.size() ||
      !ansiEqualNoCase(std::string_view(path).substr(0, root.size()), root))
    return false;
  return path.size() == root.size() || path[root.size()] == '\\';
}

void removePath(RegistryKey& root, const std::string& relative) {
  size_t slash = relative.rfind('\\');
  RegistryKey* parent =
      slash == std::string::npos ? &root : root.findPath(relative.substr(0, slash));
  if (!parent) return;
  std::string name = slash == std::string::npos ? relative : relative.substr(slash + 1);
  RegistryKey* victim = parent->findSubkey(name);
  if (!victim) return;
  parent->subkeys.erase(parent->subkeys.begin() + (victim - parent->subkeys.data()));
}

}  // namespace

std::vector<uint8_t> toAnsiData(uint32_t type, const std::vector<uint8_t>& stored,
                                StringEncoding encoding) {
  if (!isStringType(type) || encoding == StringEncoding::Ansi) return stored;
  std::string ansi = utf8ToAnsi(utf16leBytesToUtf8(stored.data(), stored.size()));
  return std::vector<uint8_t>(ansi.begin(), ansi.end());
}

std::vector<uint8_t> toStoredData(uint32_t type, const std::vector<uint8_t>& ansi,
                                  StringEncoding encoding) {
  if (!isStringType(type) || encoding == StringEncoding::Ansi) return ansi;
  return utf8ToUtf16leBytes(ansiToUtf8(std::string(ansi.begin(), ansi.end())));
}

std::string exportRegedit4(const std::vector<ExportRoot>& roots) {
  std::string out = "REGEDIT4\r\n\r\n";
  for (const auto& root : roots)
    if (root.key) exportKey(out, root.path, *root.key, root.encoding);
  return out;
}

std::vector<Regedit4Key> parseRegedit4(std::string_view text) {
  return Parser(text).run();
}

size_t applyRegedit4(const std::vector<Regedit4Key>& keys, const std::string& rootPath,
                     RegistryTree& tree) {
  size_t applied = 0;
  for (const auto& key : keys) {
    if (!pathIsUnder(key.path, rootPath)) continue;
    std::string relative =
        key.path.size() > rootPath.size() ? key.path.substr(rootPath.size() + 1) : "";
    std::string relativeUtf8 = ansiToUtf8(relative);
    ++applied;
    if (key.remove) {
      if (!relative.empty()) removePath(tree.root, relativeUtf8);
      continue;
    }
    RegistryKey& target = tree.root.ensurePath(relativeUtf8);
    for (const auto& value : key.values) {
      std::string name = ansiToUtf8(value.name);
      if (value.remove) {
        for (auto it = target.values.begin(); it != target.values.end(); ++it) {
          if (ansiEqualNoCase(utf8ToAnsi(it->name), value.name)) {
            target.values.erase(it);
            break;
          }
        }
        continue;
      }
      target.setValue(
          {name, value.type, toStoredData(value.type, value.ansiData, tree.stringEncoding)});
    }
  }
  return applied;
}

}  // namespace platform::registry
