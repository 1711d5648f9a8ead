#pragma once
// The changing state of a machine kept in its state folder: which medium is in
// each drive, volume labels set at run time, the "restart requested" mark.
// Stored as an INI file so that people can read it; every change reaches the
// disk at once.

#include <filesystem>
#include <optional>
#include <string>

#include "platform/core/ini_document.h"

namespace platform {

class MachineState {
 public:
  explicit MachineState(std::filesystem::path file);

  std::optional<std::string> get(const std::string& section, const std::string& key) const;
  void set(const std::string& section, const std::string& key, const std::string& value);
  void remove(const std::string& section, const std::string& key);

 private:
  void save() const;
  std::filesystem::path file_;
  IniDocument doc_;
};

// Writes `bytes` to `file` through a sibling temporary file and a rename, so a
// failure never leaves a half-written file. Throws OsError on failure.
void replaceHostFile(const std::filesystem::path& file, std::string_view bytes);

}  // namespace platform
