#pragma once
// The scratch machines of fuzz_restore_set and the check that a restore kept
// to them.
//
// Each Windows version's machine is built once per process as a template;
// every input gets a fresh copy of it (files, folders, their user.* extended
// attributes, where the machine keeps DOS attributes, and their times), so no
// input sees what an earlier one left. The work folder lies in /dev/shm when
// it can (tmpfs: no disk writes, fsync costs nothing), else in the temporary
// folder.
//
//   work/templates/<version>/   one built machine per Windows version
//   work/run/machine/           the copy the input restores on
//   work/run/canary/            beside it, must stay as it is

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace fuzz_restore_set {

// What lies below a folder: relative path ("/" separated) -> the bytes of a
// file, or "<dir>" for a folder, "<link>" for anything else.
using TreeImage = std::map<std::string, std::string>;
TreeImage imageOf(const std::filesystem::path& folder);

// Copies a folder tree with the user.* extended attributes and the times of
// every entry; `to` must not exist.
void copyTree(const std::filesystem::path& from, const std::filesystem::path& to);

class Scratch {
 public:
  Scratch();
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  std::filesystem::path machine() const { return work_ / "run" / "machine"; }
  // A fresh machine of `version` (platform::WindowsVersion) in machine().
  void fresh(int version);
  // Call once the input's set is written: what the check compares with.
  void noteBefore(const std::string& setFolderOnHost);
  // Traps (a finding) when the run wrote outside the machine's drives, left
  // a link in them, or changed its set folder where no name of `input` sends
  // a file.
  void checkContained(std::string_view input) const;

 private:
  std::filesystem::path canary() const { return work_ / "run" / "canary"; }

  std::filesystem::path work_;
  std::map<int, std::filesystem::path> templates_;
  TreeImage canaryImage_;
  TreeImage machineTop_;  // the machine folder without its drives and state
  std::filesystem::path setFolder_;
  TreeImage setImage_;
};

}  // namespace fuzz_restore_set
