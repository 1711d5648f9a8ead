#pragma once
// What the CD Format page needs of the CD-writing engine (CDBurner1): its
// start, the drives it found, choosing one, the chosen drive's write
// capabilities, whether the disc in it can be erased, and the erase itself.
// The page works on this interface so that it is tested with a fake; the
// program supplies the engine once it can blank discs.

#include <cstdint>
#include <string>
#include <vector>

namespace corvasta {

// Capability bits of a drive that make it able to blank a disc (CD-R,
// DVD-R and DVD-RAM writing).
inline constexpr uint32_t kWritesCdR = 1u << 9;
inline constexpr uint32_t kWritesDvdR = 1u << 12;
inline constexpr uint32_t kWritesDvdRam = 1u << 14;

class CdFormatDrive {
 public:
  virtual ~CdFormatDrive() = default;
  virtual bool initialised() const = 0;
  virtual void initialise() = 0;
  // The drives' descriptions as the drive list shows them.
  virtual std::vector<std::string> drives() const = 0;
  virtual void SelectDevice(size_t index) = 0;
  // The selected drive's capability flags.
  virtual uint32_t capabilities() const = 0;
  // The selected drive's letter ("E").
  virtual std::string driveLetter() const = 0;
  virtual bool erasable() = 0;
  // Blanks the disc; `quick` a minimal blank, else the whole disc.
  virtual void erase(bool quick) = 0;
};

}  // namespace corvasta
