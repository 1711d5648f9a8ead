#pragma once
// The machine's environment strings: the variables Windows defines for its
// version, derived from the machine's directories and names, overridden and
// extended by machine.ini [Environment] (values taken as written).
//
// Windows 9x: windir, winbootdir, COMSPEC (COMMAND.COM), TEMP, TMP, PATH,
// PROMPT. Windows NT: windir, SystemRoot, SystemDrive, USERNAME, USERPROFILE,
// COMPUTERNAME, OS, ComSpec (cmd.exe), TEMP, TMP, PATH, HOMEDRIVE, HOMEPATH,
// and on 2000/XP ALLUSERSPROFILE and APPDATA.

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/codepage.h"
#include "platform/core/machine.h"

namespace platform {

using EnvironmentStrings = std::map<std::string, std::string, AnsiLessNoCase>;

// The environment block of the machine, names compared without case.
EnvironmentStrings machineEnvironment(const MachineConfig& config);

// GetEnvironmentVariable: nullopt when the variable is not defined.
std::optional<std::string> getEnvironmentVariable(const Machine& machine, std::string_view name);

// ExpandEnvironmentStrings: each "%name%" of a defined variable (name without
// case) becomes its value. "%name%" of an undefined variable stays as written
// and the text goes on after its closing "%", so "%%" stays "%%"; a "%"
// without a closing one stays, with the rest of the text, as it is. Values
// are not expanded again.
std::string expandEnvironmentStrings(const EnvironmentStrings& environment, std::string_view text);
std::string expandEnvironmentStrings(const Machine& machine, std::string_view text);

}  // namespace platform
