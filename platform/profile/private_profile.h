#pragma once
// The private-profile functions of kernel32 on the machine's INI files:
// GetPrivateProfileString, GetPrivateProfileInt, GetPrivateProfileSectionNames,
// GetPrivateProfileSection, WritePrivateProfileString and
// WritePrivateProfileSection. Files are named by Windows paths (a bare name
// lies in the Windows directory). Section and key names match without case;
// a missing file, section or key reads as the default. Each call reads the file
// anew and each write replaces it on disk at once (see profile_file.h).
//
// Writes throw OsError "Unable to write to <file>" where Windows returns FALSE,
// since every caller of the program turns that failure into this message.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/machine.h"

namespace platform {

std::string getPrivateProfileString(const Machine& machine, std::string_view section,
                                    std::string_view key, std::string_view defaultValue,
                                    std::string_view fileName);

// The settings-file integer rule of profile_values.h.
int32_t getPrivateProfileInt(const Machine& machine, std::string_view section, std::string_view key,
                             int32_t defaultValue, std::string_view fileName);

// GetPrivateProfileSectionNames: each section once, in file order.
std::vector<std::string> getPrivateProfileSectionNames(const Machine& machine,
                                                       std::string_view fileName);

// GetPrivateProfileString with a null key: the key names of a section.
std::vector<std::string> getPrivateProfileKeys(const Machine& machine, std::string_view section,
                                               std::string_view fileName);

// GetPrivateProfileSection: "key=value" lines of a section, values as stored.
std::vector<std::string> getPrivateProfileSection(const Machine& machine, std::string_view section,
                                                  std::string_view fileName);

// WritePrivateProfileString: creates the file, section and key as needed. A
// null value deletes the key; a null key erases the section with its keys.
// Deleting what does not exist leaves the file untouched (and uncreated).
// A value is written up to its first line break: the rest could only be read
// back as lines of its own (even as a new section), never as this value.
void writePrivateProfileString(Machine& machine, std::string_view section,
                               std::optional<std::string_view> key,
                               std::optional<std::string_view> value, std::string_view fileName);

// WritePrivateProfileSection: replaces the keys of a section by "key=value"
// lines (a line without "=" is a key with an empty value), creating it as needed.
void writePrivateProfileSection(Machine& machine, std::string_view section,
                                const std::vector<std::string>& lines, std::string_view fileName);

}  // namespace platform
