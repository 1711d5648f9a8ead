#pragma once
// The set register: section `Backup Directories` of the settings file, which
// records every backup set made in a folder of a fixed disk (or of a target
// treated as one). Keys "1", "2", ... hold the set directories, oldest first,
// each with its final backslash; "Short" + n holds the same path in 8.3 form.
// The first missing key ends the list.

#include <optional>
#include <string>
#include <vector>

namespace platform {
class Machine;
}

namespace corvasta {

inline constexpr const char* kBackupDirectories = "Backup Directories";

struct RegisteredSet {
  std::string path;       // with final backslash
  std::string shortPath;  // empty when the register holds no short form
};

class SetRegister {
 public:
  SetRegister(platform::Machine& machine, std::string settingsFile);

  // Entries "1", "2", ... up to the first missing one.
  std::vector<RegisteredSet> entries() const;
  std::vector<std::string> paths() const;
  // The first missing key.
  int firstFreeIndex() const { return static_cast<int>(entries().size()) + 1; }
  // Writes entry `index` (1-based) and its short form.
  void write(int index, const RegisteredSet& set);
  // Erases the section and writes `sets` as "1", "2", ...
  void rewrite(const std::vector<RegisteredSet>& sets);

 private:
  platform::Machine& machine_;
  std::string settingsFile_;
};

// The register after a run has entered its set: the oldest set that is not
// kept is dropped when the register has reached `maxNum`, the later entries
// move down to close the gap, a "Replace" target already registered moves to
// the end, and the new set takes the last place.
struct RotationInput {
  std::vector<RegisteredSet> entries;
  int maxNum = 10;
  int keep = 1;
  // The index the run would take: the first free one, or for a target that is
  // already registered the last index.
  int w = 1;
  // "Replace" of a target registered at this index (1-based).
  std::optional<int> replaceIndex;
  RegisteredSet newSet;
};

struct RotationResult {
  std::vector<RegisteredSet> entries;
  // The set to remove from the disk, when one was dropped.
  std::optional<std::string> removedSet;
  int newIndex = 1;  // where the new set was entered (1-based)
};

RotationResult rotateRegister(const RotationInput& input);

// The index a run takes for a target written itself (no set directory of its
// own): the first free index, or one less when an entry equals the target
// (without case); `replaceIndex` becomes the last index whose entry equals it.
int registerIndexForTarget(const std::vector<RegisteredSet>& entries, const std::string& target,
                           std::optional<int>& replaceIndex);

}  // namespace corvasta
