#pragma once
// The undo copies RegPack leaves in Windows 95, 98 and ME, found and checked
// before Undo RegPack changes anything: the Windows directory's system.zzz
// and user.zzz (and classes.zzz on ME), and the user.zzz of every profile
// folder that holds a user.dat. Each copy must read as a Windows 9x registry
// file; a copy that does not would put a damaged registry in place.

#include <string>
#include <vector>

namespace corvasta {

class Core;

struct UndoCopy {
  std::string copy;     // the .zzz file
  std::string target;   // the registry file it goes back to
  std::string profile;  // the profile folder's name; empty for the Windows directory's
};

struct UndoCopies {
  // The Windows directory's copies, in the order they go back.
  std::vector<UndoCopy> windows;
  // The profiles' copies that read as registry files, in listing order.
  std::vector<UndoCopy> profiles;
  // The first of the Windows directory's copies that is missing or does not
  // read as a registry file; empty when all are good.
  std::string windowsFault;
  // Profile copies that exist but do not read as registry files.
  std::vector<std::string> damaged;
};

// `withClasses`: classes.zzz belongs to the Windows directory's copies (ME).
UndoCopies FindUndoCopies(Core& core, bool withClasses);

}  // namespace corvasta
