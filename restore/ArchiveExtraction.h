#pragma once
// One extraction with the first archive engine (Zip1) during a restore: the
// password asked for when the archive is encrypted and none is set, and
// every entry the engine passes over (a wrong or missing password, a
// destination in use that cannot be deferred to the next start of Windows)
// listed with its reason in the error list, with the error flag set, so the
// run's end asks before it restarts Windows.

#include <string>
#include <vector>

namespace archive {
class TZipReader;
}  // namespace archive

namespace corvasta {

class Core;
class ItemArchiving;

// The first engine's OnBadPassword for both engines ("ZipBadPassword"): at
// the first entry "Wrong Password" is shown and the password cleared, so the
// next extraction asks again; the entry is skipped either way.
void InstallZipBadPassword(Core& core);

class ArchiveExtraction {
 public:
  ArchiveExtraction(Core& core, ItemArchiving& items) : core(core), items(items) {}

  // Extracts Zip1's archive `archivePath` as its properties say (set by the
  // caller: DestDir, RecreateDirs, DoAll), or only the entry `onlyEntry`;
  // returns the number of files written. Throws what the engine throws (a
  // damaged archive, a cancelled disk request).
  int Extract(const std::string& archivePath, int onlyEntry = -1);

  // What the last Extract passed over: entry names with their reasons.
  struct Skipped {
    std::string name;
    std::string reason;
  };
  std::vector<Skipped> skipped;

  Core& core;
  ItemArchiving& items;
};

// The first entry of the archive read last named `name` (without case, any
// folder); -1 when there is none.
int entryNamed(const archive::TZipReader& zip, const std::string& name);

// The error-list lines of a file that was not restored: its path, then the
// reason in brackets on a line of its own.
void recordNotRestored(Core& core, const std::string& path, const std::string& reason);

}  // namespace corvasta
