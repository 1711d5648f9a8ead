#pragma once
// Where every part of a session goes, in sectors of 2048 bytes counted from
// sector 0 of the disc: the system area and volume descriptors at the
// session start S, the path tables, the directory areas in creation order,
// zeros up to sector 150, then the file area with each new file's data in
// file-table order. Laying out also sizes every directory's records and
// numbers the directories in path-table order.

#include <cstdint>
#include <vector>

#include "cdengine/IsoTree.h"

namespace cdengine {

inline constexpr uint32_t kSectorBytes = 2048;
// The first sector a file area may start on.
inline constexpr uint32_t kFirstFileAreaSector = 150;
// The shortest track a session with a post-gap may have.
inline constexpr uint32_t kShortestTrack = 300;

struct IsoLayout {
  bool joliet = true;
  uint32_t start = 0;  // S
  uint32_t primaryDescriptor = 0;
  uint32_t jolietDescriptor = 0;
  uint32_t terminator = 0;
  uint32_t isoPathTableBytes = 0;
  uint32_t jolietPathTableBytes = 0;
  uint32_t isoPathTableL = 0, isoPathTableM = 0;
  uint32_t jolietPathTableL = 0, jolietPathTableM = 0;
  uint32_t isoDirectoryArea = 0;
  uint32_t jolietDirectoryArea = 0;
  uint32_t fileArea = 0;  // the first sector of the file area
  uint32_t volumeSpaceSize = 0;
  // The directories in path-table order (root first).
  std::vector<const TDEntry*> pathTableOrder;

  // Sectors from S up to the file area: what the header stream holds.
  uint32_t headerSectors() const { return fileArea - start; }
  // Where an entry's data or records lie in the ISO (or Joliet) tree.
  uint32_t isoLocationOf(const TFEntry& entry) const;
  uint32_t jolietLocationOf(const TFEntry& entry) const;
};

// Bytes of one directory's records in one tree: "." and "..", then each entry,
// none across a sector boundary; whole sectors.
uint64_t directoryRecordsBytes(const TDEntry& directory, bool jolietTree);

// Lays the tree out for a session starting at `start` (values above
// FF000000h count as 0). Sets the directories' sizes, offsets and numbers and
// the new files' offsets in the file area.
IsoLayout layOutImage(IsoTree& tree, uint32_t start, bool joliet);

// The sectors the session occupies: from S to the end of the volume space,
// at least 300 with a post-gap.
uint32_t trackSize(const IsoLayout& layout, bool writePostGap);

}  // namespace cdengine
