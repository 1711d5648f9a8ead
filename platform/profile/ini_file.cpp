#include "platform/profile/ini_file.h"

#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/profile/private_profile.h"

namespace platform {

TIniFile::TIniFile(Machine& machine, std::string fileName)
    : machine_(machine), fileName_(std::move(fileName)) {}

std::string TIniFile::ReadString(std::string_view section, std::string_view ident,
                                 std::string_view defaultValue) const {
  return getPrivateProfileString(machine_, section, ident, defaultValue, fileName_);
}

int32_t TIniFile::ReadInteger(std::string_view section, std::string_view ident,
                              int32_t defaultValue) const {
  return getPrivateProfileInt(machine_, section, ident, defaultValue, fileName_);
}

bool TIniFile::ReadBool(std::string_view section, std::string_view ident, bool defaultValue) const {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TIniFile::write(std::string_view section, std::optional<std::string_view> ident,
                     std::optional<std::string_view> value) {
  try {
    writePrivateProfileString(machine_, section, ident, value, fileName_);
  } catch (const OsError& error) {
    // The message names the file as this object was given it.
    throw OsError(error.code(), fileName_, "Unable to write to " + fileName_);
  }
}

void TIniFile::WriteString(std::string_view section, std::string_view ident,
                           std::string_view value) {
  write(section, ident, value);
}

void TIniFile::WriteInteger(std::string_view section, std::string_view ident, int32_t value) {
  WriteString(section, ident, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

void TIniFile::EraseSection(std::string_view section) {
  write(section, std::nullopt, std::nullopt);
}

void TIniFile::DeleteKey(std::string_view section, std::string_view ident) {
  write(section, ident, std::nullopt);
}

std::vector<std::string> TIniFile::ReadSection(std::string_view section) const {
  return getPrivateProfileKeys(machine_, section, fileName_);
}

std::vector<std::string> TIniFile::ReadSections() const {
  return getPrivateProfileSectionNames(machine_, fileName_);
}

bool TIniFile::SectionExists(std::string_view section) const {
  return !ReadSection(section).empty();
}

bool TIniFile::ValueExists(std::string_view section, std::string_view ident) const {
  for (const std::string& key : ReadSection(section))
    if (ansiEqualNoCase(key, ident)) return true;
  return false;
}

}  // namespace platform
