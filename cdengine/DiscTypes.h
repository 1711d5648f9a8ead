#pragma once
// The disc type codes 0 to 14 the engine and the program use, from the
// current profile of GET CONFIGURATION, with their names in messages, the
// disc names of every profile, and how speeds are shown.

#include <cstdint>
#include <string>

namespace cdengine {

namespace disc {
constexpr int Unknown = 0, CdRom = 1, CdR = 2, CdRw = 3, DvdRom = 4, DvdR = 5, DvdRam = 6,
              DvdRw = 7, DvdRwRestricted = 8, DvdRwSequential = 9, DvdPlusRw = 10, DvdPlusR = 11,
              DdcdRom = 12, DdcdR = 13, DdcdRw = 14;
}

// The code of a profile; 0 when the profile is none of the known ones.
int discTypeOfProfile(uint16_t profile);
// "UNKNOWN", "CD-ROM", ... by code.
const char* discTypeName(int code);
// The disc name of a profile ("CD-R", "DVD-RW Sequential Recording", ...,
// "???????" for others).
std::string profileName(uint16_t profile);

// A speed in kB/s for messages: DVD types (6 to 10) in 1385 kB/s units with
// one decimal, others in 176.4 kB/s units rounded, then the kB/s with
// thousands separators in brackets: "2.4X(3,324 KB/s)".
std::string speedText(uint32_t kbps, int discType);
// The same for the start of a write: DVD types 5 to 11, and a blank before
// the bracket: "16X (2,822 KB/s)".
std::string writeSpeedText(uint32_t kbps, int discType);

}  // namespace cdengine
