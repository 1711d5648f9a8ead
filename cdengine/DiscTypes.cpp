#include "cdengine/DiscTypes.h"

#include <cmath>
#include <cstdio>

namespace cdengine {

namespace {

struct Profile {
  uint16_t profile;
  int code;
  const char* name;
};

constexpr Profile kProfiles[] = {
    {0x0001, disc::Unknown, "Non-removable disk"},
    {0x0002, disc::Unknown, "Removable disk"},
    {0x0003, disc::Unknown, "MO Eraseable"},
    {0x0004, disc::Unknown, "MO Write Once"},
    {0x0005, disc::Unknown, "AS-MO"},
    {0x0008, disc::CdRom, "CD-ROM"},
    {0x0009, disc::CdR, "CD-R"},
    {0x000A, disc::CdRw, "CD-RW"},
    {0x0010, disc::DvdRom, "DVD-ROM"},
    {0x0011, disc::DvdR, "DVD-R"},
    {0x0012, disc::DvdRam, "DVD-RAM"},
    {0x0013, disc::DvdRwRestricted, "DVD-RW Restricted Overwrite"},
    {0x0014, disc::DvdRwSequential, "DVD-RW Sequential Recording"},
    {0x001A, disc::DvdPlusRw, "DVD+RW"},
    {0x001B, disc::DvdPlusR, "DVD+RW"},
    {0x0020, disc::DdcdRom, "DDCD-ROM"},
    {0x0021, disc::DdcdR, "DDCD-R"},
    {0x0022, disc::DdcdRw, "DDCD-RW"},
};

constexpr const char* kTypeNames[] = {"UNKNOWN", "CD-ROM",  "CD-R",     "CD-RW",  "DVD-ROM",
                                      "DVD-R",   "DVD-RAM", "DVD-RW",   "DVD-RW", "DVD-RW",
                                      "DVD+RW",  "DVD+R",   "DDCD-ROM", "DDCD-R", "DDCD-RW"};

std::string thousands(uint32_t value) {
  std::string digits = std::to_string(value);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, ",");
  return digits;
}

// The speed in drive units (DVD: 1385 kB/s with one decimal, CD: 176.4 kB/s
// rounded), "X", then the kB/s in brackets.
std::string speedFigure(uint32_t kbps, bool dvd, const char* gap) {
  char factor[32];
  if (dvd) {
    std::snprintf(factor, sizeof factor, "%.1fX", kbps / 1385.0);
  } else {
    std::snprintf(factor, sizeof factor, "%.0fX", std::round(kbps / 176.4));
  }
  return std::string(factor) + gap + "(" + thousands(kbps) + " KB/s)";
}

}  // namespace

int discTypeOfProfile(uint16_t profile) {
  for (const auto& known : kProfiles)
    if (known.profile == profile) return known.code;
  return disc::Unknown;
}

const char* discTypeName(int code) {
  return code >= 0 && code < static_cast<int>(std::size(kTypeNames)) ? kTypeNames[code]
                                                                     : kTypeNames[0];
}

std::string profileName(uint16_t profile) {
  for (const auto& known : kProfiles)
    if (known.profile == profile) return known.name;
  return "???????";
}

std::string speedText(uint32_t kbps, int discType) {
  return speedFigure(kbps, discType >= disc::DvdRam && discType <= disc::DvdPlusRw, "");
}

std::string writeSpeedText(uint32_t kbps, int discType) {
  return speedFigure(kbps, discType >= disc::DvdR && discType <= disc::DvdPlusR, " ");
}

}  // namespace cdengine
