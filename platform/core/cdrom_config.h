#pragma once
// The SCSI side of a machine's cdrom drive (machine.ini, docs/design.md):
// which device answers for it (a host SG_IO node or the simulated writer),
// its SCSI address and INQUIRY identity, what the simulated writer can do and
// the faults it is told to show.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class IniDocument;

// A failure the simulated writer shows.
struct CdromFault {
  enum class Kind {
    Underrun,    // underrun:LBA  a WRITE covering LBA runs the buffer dry
    WriteError,  // writeerror:LBA  3/0C/00
    Removed,     // removed:LBA  2/3A/00, the tray opens
    Unreadable,  // unreadable:LBA  READ gives 3/11/00
    NotReady,    // notready:N  2/04/01 to the next N commands
    Busy,        // busy:N  2/04/08 to the next N writes
    SyncError,   // syncerror  SYNCHRONIZE CACHE fails
    CloseError,  // closeerror  CLOSE TRACK/SESSION fails
    BlankError,  // blankerror  BLANK and FORMAT UNIT fail
  };
  Kind kind = Kind::WriteError;
  uint64_t value = 0;  // the LBA or the count; 0 for the plain faults
};

struct CdromConfig {
  // Device=: empty (no SCSI device behind the drive), "simulated", or a host
  // node such as /dev/sr0 or /dev/sg1.
  std::string device;
  // Address=A:T:L of the simulated drive (port, target, LUN).
  uint8_t port = 1;
  uint8_t target = 0;
  uint8_t lun = 0;
  // Inquiry=VENDOR,PRODUCT,REV, the simulated drive's identity.
  std::string vendor = "CORVASTA";
  std::string product = "SIMULATED CD-RW";
  std::string revision = "1.00";
  bool burnFree = true;           // BurnFree= buffer-underrun protection (BUFE)
  bool testWrite = true;          // TestWrite= the drive can do test writes
  uint32_t bufferSize = 2097152;  // BufferSize= bytes
  uint32_t quickBlankSeconds = 30;
  uint32_t fullBlankSeconds = 300;
  std::vector<CdromFault> faults;

  bool simulated() const { return device == "simulated"; }
  bool hasDevice() const { return !device.empty(); }
};

// The keys a [Drive X] section may carry for its SCSI device.
const std::vector<const char*>& cdromConfigKeys();

// Reads the SCSI keys of a drive section; a wrong value throws
// MachineConfigError naming `fileName` and the line. `isCdrom` false: the
// section must not have any of them.
CdromConfig readCdromConfig(const IniDocument& doc, std::string_view section, bool isCdrom,
                            const std::string& fileName);

// The machine.ini lines of a drive's device, each ending in "\n"; none for a
// drive without one.
std::string formatCdromConfig(const CdromConfig& config);

// "underrun:1200" and the like; the text of faults for Faults=.
std::string cdromFaultText(const CdromFault& fault);

}  // namespace platform
