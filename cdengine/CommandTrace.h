#pragma once
// The engine's command trace: the process-wide switch the program turns on
// (and never off) to log every command, the name of each operation code,
// and the one line that describes a command with its result.

#include <cstdint>
#include <string>

#include "platform/scsi/scsi_structures.h"

namespace cdengine {

// The command-trace switch; off at start.
bool commandTrace();
void setCommandTrace(bool on);

// The trace name of an operation code: its two hex digits, followed for the
// MMC commands the engine knows by the name in capitals padded with blanks
// to 22 characters.
const std::string& opcodeName(uint8_t opcode);

// The line that describes a command that has come back. `time` is the
// "nn:ss:zzz " prefix of a trace line, empty for the once-only report of a
// failure. The data buffer is shown up to its length, at most 256 bytes.
std::string commandLine(const platform::scsi::SRB_ExecSCSICmd& srb, const std::string& time,
                        const std::string& errorText);

// Minutes, seconds and milliseconds of a clock reading, "nn:ss:zzz ".
std::string traceTime(uint64_t ms);

}  // namespace cdengine
