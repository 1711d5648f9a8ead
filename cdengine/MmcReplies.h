#pragma once
// What drives send back, read with every offset checked: a byte past the
// end of a reply reads as 0, so a short or garbled reply gives zeros, never
// bytes beyond it. The parsers here take the fields the MMC layer uses.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace cdengine {

class Reply {
 public:
  Reply() = default;
  Reply(const uint8_t* data, size_t size) : data_(data), size_(data ? size : 0) {}
  size_t size() const { return size_; }
  uint8_t at(size_t index) const { return index < size_ ? data_[index] : 0; }
  uint16_t be16(size_t index) const {
    return static_cast<uint16_t>(at(index) << 8 | at(index + 1));
  }
  uint32_t be32(size_t index) const { return uint32_t{be16(index)} << 16 | be16(index + 2); }
  // The reply from `offset` on (empty past the end).
  Reply from(size_t offset) const {
    return offset < size_ ? Reply(data_ + offset, size_ - offset) : Reply();
  }

 private:
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

// READ TRACK INFORMATION.
struct TrackInformation {
  uint8_t session = 0;
  uint32_t trackStart = 0;
  uint32_t nextWritable = 0;
  uint32_t freeBlocks = 0;
  uint32_t fixedPacketSize = 0;
  uint32_t trackSize = 0;
  uint32_t lastRecorded = 0;
};
TrackInformation parseTrackInformation(const Reply& reply);

// READ DISC INFORMATION.
enum class DiscStatus { Empty = 0, Incomplete = 1, Complete = 2, Other = 3 };
struct DiscInformation {
  DiscStatus status = DiscStatus::Empty;
  uint8_t lastSessionState = 0;  // 0 empty, 1 incomplete, 3 complete
  bool erasable = false;
  uint16_t sessions = 0;  // as the drive counts them, the empty last one too
  // Sessions holding data: 0 on an empty disc, one less when the last is empty.
  int sessionCount() const;
};
DiscInformation parseDiscInformation(const Reply& reply);

// READ TOC/PMA/ATIP format 4 in MSF form: the ATIP when it is valid.
struct Atip {
  bool rewritable = false;    // the disc-type bit
  uint32_t leadOutStart = 0;  // minutes × 4500 + seconds × 75 + frames
};
std::optional<Atip> parseAtip(const Reply& reply);

// READ FORMAT CAPACITIES: the blocks of the current or maximum capacity
// descriptor, when the reply holds one.
std::optional<uint32_t> parseFormatCapacity(const Reply& reply);

// GET CONFIGURATION: the current profile, and whether the first feature of
// the reply is `feature` (and current).
uint16_t currentProfile(const Reply& reply);
struct FeatureState {
  bool reported = false;
  bool current = false;
};
FeatureState firstFeature(const Reply& reply, uint16_t feature);

// MODE SENSE (10): where page `code` starts in the reply (16 when that byte
// is the page, else 7 when byte 7 is and byte 8 is not, else 8).
size_t modePageOffset(const Reply& reply, uint8_t code);

}  // namespace cdengine
