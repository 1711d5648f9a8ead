#pragma once
// What the image builder asks of a disc: its kind, where the next session
// may start, how many sessions it holds and where each begins, and its
// sectors. The CD engine answers over MMC; an image file answers here.

#include <cstdint>
#include <optional>
#include <vector>

namespace cdengine {

enum class DiscType { None, CdRom, CdR, CdRw };

class CdDrive {
 public:
  virtual ~CdDrive() = default;
  virtual DiscType discType() = 0;
  virtual uint32_t nextWritableAddress() = 0;
  virtual int sessionCount() = 0;
  // The first sector of session `session` (1-based); nullopt when it has none.
  virtual std::optional<uint32_t> firstTrackStart(int session) = 0;
  // `count` sectors from `sector` into `out` (count × 2048 bytes); false when
  // they cannot be read (past the end of the disc).
  virtual bool readSectors(uint32_t sector, uint32_t count, uint8_t* out) = 0;
};

}  // namespace cdengine
