#pragma once
// The stand-in for an ASPI for Win32 driver (WNASPI32.DLL) on the host: it
// lists every host SCSI generic node of peripheral type 5 (CD/DVD) by its
// sysfs address, the host number being the adapter, and executes requests on
// them with SG_IO. An execute request completes before the call returns and
// signals its event when it asked for one.

#include <filesystem>

#include "platform/scsi/device_io.h"

namespace platform::scsi {

AspiDriver makeAspiStandIn(const std::filesystem::path& sysfsRoot, SgIoHost calls);

}  // namespace platform::scsi
