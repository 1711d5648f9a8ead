#pragma once
// A Windows 9x machine as RegPack leaves it: every registry file copied to its
// .zzz undo copy, then the registry changed (a key added to every file), so
// that an Undo RegPack and a start of Windows must bring back the bytes of
// the copies.

#include <map>
#include <string>
#include <vector>

#include "tests/support/program_rig.h"

namespace regpack_test {

struct UndoScenario {
  explicit UndoScenario(platform::WindowsVersion version, int users = 3);

  // Every registry file (the Windows directory's and each profile's user.dat)
  // copied to its .zzz; their bytes kept in `original`.
  void makeUndoCopies();
  // A key added to a registry file; `changed` keeps the new bytes.
  void change(const std::string& registryFile);
  void changeAll();
  // The registry files as they are now, by path.
  std::map<std::string, std::string> registryNow();
  // The profiles' user.dat files, in listing order.
  std::vector<std::string> profileUserFiles();
  std::string windows() const;
  // The activity log: results.txt and the lines not yet written to it.
  std::string log();

  testing_support::TestProgram m;
  std::map<std::string, std::string> original;
  std::map<std::string, std::string> changed;
  std::vector<std::string> registryFiles;
};

}  // namespace regpack_test
