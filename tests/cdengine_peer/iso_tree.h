#pragma once
// A machine holding a tree that tries CD readers (deep folders, a crowded
// folder, blanks and Windows-1252 letters, names without extension, empty,
// hidden and several-MB files), the `iso` command run on it as a process, and
// the host view of a tree to compare what readers extract with.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "tests/support/temp_dir.h"

namespace cdengine_peer {

// A file as a reader gives it back: its bytes and its modification time in
// whole seconds since 1970 (UTC).
struct ExtractedFile {
  std::string bytes;
  int64_t modified = 0;
  friend bool operator==(const ExtractedFile&, const ExtractedFile&) = default;
};
// Relative path (UTF-8, '/' separated) → file; folders are listed with a
// trailing '/' and no content.
using TreeContents = std::map<std::string, ExtractedFile>;

TreeContents readHostTree(const std::filesystem::path& folder, bool withTimes = true);

class IsoTreeMachine {
 public:
  // The machine of the suite, its tree at C:\Tree.
  IsoTreeMachine();

  // Writes (or rewrites) a machine file with `bytes` and the time `modified`.
  void write(const std::string& winPath, const std::string& bytes, int64_t modified);
  // `corvasta-machine iso` with `args` after the machine folder.
  testing_support::CommandResult iso(const std::vector<std::string>& args) const;
  // The host folder of a Windows path of the machine.
  std::filesystem::path host(const std::string& winPath) const;

  const std::filesystem::path& folder() const { return folder_; }
  const std::filesystem::path& temp() const { return dir_.path(); }

  // Paths (relative, UTF-8) of the tree's hidden files.
  std::vector<std::string> hiddenFiles;

 private:
  testing_support::TempDir dir_;
  std::filesystem::path folder_;
  std::unique_ptr<platform::Machine> machine_;
  std::unique_ptr<platform::FileSystem> files_;
};

// Runs `commandLine` and returns its output; fails the test when it does not
// exit with status 0.
std::string run(const std::string& commandLine);

}  // namespace cdengine_peer
