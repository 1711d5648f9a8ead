#pragma once
// The logged-on user's keys of an HKEY_USERS export, rooted as the real-mode
// Registry Editor sees that user's own user.dat.
//
// In Windows a profile's user.dat is loaded as HKEY_USERS\<name>; in MS-DOS
// mode `regedit /R:<profile>\user.dat` opens it as HKEY_USERS itself. The
// export "HKU.reg" made in Windows names the user's keys
// "[HKEY_USERS\<name>\...]", so importing it there as it is would put them
// one level down, under "<name>", beside a copy of .DEFAULT: the user's own
// settings would be gone from where Windows looks for them.

#include <string>

namespace corvasta {

// The REGEDIT4 text `hkuExport` with only the keys at and below
// HKEY_USERS\<user> (names compared without case), each renamed to the same
// path below HKEY_USERS; the header and the value lines of those keys stay as
// they were, every other key goes with its values.
std::string UserExportAtFileRoot(const std::string& hkuExport, const std::string& user);

}  // namespace corvasta
