#pragma once
// TIniFile: the program's handle on one INI file of the machine, named by a
// Windows path. It holds only the name: every call goes to the file through the
// private-profile functions, so what one call writes the next call reads, also
// through another TIniFile on the same file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/machine.h"

namespace platform {

class TIniFile {
 public:
  TIniFile(Machine& machine, std::string fileName);

  const std::string& FileName() const { return fileName_; }

  std::string ReadString(std::string_view section, std::string_view ident,
                         std::string_view defaultValue) const;
  int32_t ReadInteger(std::string_view section, std::string_view ident, int32_t defaultValue) const;
  bool ReadBool(std::string_view section, std::string_view ident, bool defaultValue) const;

  // Throw OsError "Unable to write to " + FileName() when the file cannot be written.
  void WriteString(std::string_view section, std::string_view ident, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view ident, int32_t value);
  void WriteBool(std::string_view section, std::string_view ident, bool value);  // "1" or "0"

  void EraseSection(std::string_view section);
  void DeleteKey(std::string_view section, std::string_view ident);

  // Key names of a section, and section names, in file order.
  std::vector<std::string> ReadSection(std::string_view section) const;
  std::vector<std::string> ReadSections() const;

  // A section exists when it has at least one key; a value exists when its
  // key is listed in its section (an empty value exists).
  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view ident) const;

 private:
  void write(std::string_view section, std::optional<std::string_view> ident,
             std::optional<std::string_view> value);

  Machine& machine_;
  std::string fileName_;
};

}  // namespace platform
