#pragma once
// The lines of startwin.bat for RegPack: the Expanded batch, which backs up,
// exports and rebuilds the default registry and then each profile's user
// registry with the Registry Editor in MS-DOS mode, putting a backup back
// after every rebuild that fails; and the Quick batch, which hands the
// rebuild to the registry checker. Pure functions of the paths, so every
// line can be checked without a machine; Win9xRegPack writes them.

#include <string>
#include <vector>

namespace corvasta {

// One folder of the Windows directory's Profiles folder that holds a user.dat.
struct RegPackProfile {
  std::string name;          // the folder's name, as listed
  std::string folder;        // its full path, with a final backslash
  std::string shortFolder;   // the 8.3 form of `folder`
  std::string shortUserDat;  // the 8.3 form of folder + "user.dat"
};

struct RegPackBatchPaths {
  std::string attrib;      // attrib.exe, full path
  std::string bootDir;     // winbootdir, final backslash
  std::string windowsDir;  // final backslash
  std::string shortWindowsDir;
  std::string
      userDir;  // the current user's profile directory (the Windows directory without profiles)
  std::vector<RegPackProfile> profiles;  // in directory-listing order
  // An automatic RegPack: the batch waits for a key only when a backup was put back.
  bool automatic = false;
};

// The Expanded batch, closing line "@del startwin.bat" included.
std::vector<std::string> RegPackBatchLines(const RegPackBatchPaths& paths);

// The Quick batch: the registry checker, a note, and the line that deletes
// the batch ("@del startwin.bat" for the autoexec method, "del startwin.bat"
// for the pif method).
std::vector<std::string> QuickRegPackBatchLines(const std::string& windowsDir, bool autoexecMethod);

}  // namespace corvasta
