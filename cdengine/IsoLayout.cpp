#include "cdengine/IsoLayout.h"

#include <algorithm>

#include "cdengine/IsoNames.h"

namespace cdengine {

namespace {

constexpr uint32_t kSystemAreaSectors = 16;
constexpr uint32_t kHighestSessionStart = 0xFF000000u;
constexpr size_t kDotRecords = 2 * 34;

uint32_t sectorsFor(uint64_t bytes) {
  return static_cast<uint32_t>((bytes + kSectorBytes - 1) / kSectorBytes);
}

size_t identifierBytes(const TFEntry& entry, bool jolietTree) {
  return jolietTree ? jolietIdentifier(entry.longName, !entry.isDirectory()).size()
                    : isoIdentifier(entry.isoName, !entry.isDirectory()).size();
}

// Numbers the directories 1, 2, ...: the root, then by level, by the
// parent's number and by ISO name in byte order.
std::vector<const TDEntry*> numberInPathTableOrder(IsoTree& tree) {
  std::vector<TDEntry*> order;
  for (const auto& directory : tree.directories()) order.push_back(directory.get());
  // Levels only grow away from the root, so numbering level by level gives
  // every parent its number before its children are sorted.
  std::stable_sort(order.begin() + 1, order.end(),
                   [](const TDEntry* a, const TDEntry* b) { return a->level < b->level; });
  order.front()->number = 1;
  uint32_t next = 2;
  for (auto level = order.begin() + 1; level != order.end();) {
    auto end = std::find_if(level, order.end(),
                            [&](const TDEntry* d) { return d->level != (*level)->level; });
    std::sort(level, end, [](const TDEntry* a, const TDEntry* b) {
      if (a->parent->number != b->parent->number) return a->parent->number < b->parent->number;
      return a->isoName < b->isoName;
    });
    for (auto it = level; it != end; ++it) (*it)->number = next++;
    level = end;
  }
  return {order.begin(), order.end()};
}

uint32_t pathTableBytes(const std::vector<const TDEntry*>& order, bool jolietTree) {
  uint32_t bytes = 10;  // the root's record
  for (size_t i = 1; i < order.size(); ++i) {
    const size_t id =
        jolietTree ? ucs2BigEndian(order[i]->longName).size() : order[i]->isoName.size();
    bytes += static_cast<uint32_t>(8 + id + (!jolietTree && id % 2 == 1 ? 1 : 0));
  }
  return bytes;
}

}  // namespace

uint64_t directoryRecordsBytes(const TDEntry& directory, bool jolietTree) {
  uint64_t sectors = 1;
  size_t used = kDotRecords;
  for (const TFEntry* entry : directory.entries) {
    const size_t length = directoryRecordLength(identifierBytes(*entry, jolietTree));
    if (used + length > kSectorBytes) {
      ++sectors;
      used = 0;
    }
    used += length;
  }
  return sectors * kSectorBytes;
}

uint32_t IsoLayout::isoLocationOf(const TFEntry& entry) const {
  if (entry.isDirectory()) return isoDirectoryArea + entry.directory->isoOffset;
  if (entry.imported) return entry.isoLocation;
  return entry.isoSize == 0 ? 0 : fileArea + entry.isoLocation;
}

uint32_t IsoLayout::jolietLocationOf(const TFEntry& entry) const {
  if (entry.isDirectory()) return jolietDirectoryArea + entry.directory->jolietOffset;
  if (entry.imported) return entry.jolietLocation;
  return entry.jolietSize == 0 ? 0 : fileArea + entry.jolietLocation;
}

IsoLayout layOutImage(IsoTree& tree, uint32_t start, bool joliet) {
  IsoLayout layout;
  layout.joliet = joliet;
  layout.start = start > kHighestSessionStart ? 0 : start;

  // Directory sizes and offsets in creation order; a directory's entry in
  // its parent carries the same sizes.
  uint32_t isoSectors = 0, jolietSectors = 0;
  for (const auto& directory : tree.directories()) {
    directory->isoSize = directoryRecordsBytes(*directory, false);
    directory->jolietSize = joliet ? directoryRecordsBytes(*directory, true) : 0;
    directory->isoOffset = isoSectors;
    directory->jolietOffset = jolietSectors;
    isoSectors += sectorsFor(directory->isoSize);
    jolietSectors += sectorsFor(directory->jolietSize);
  }
  for (const auto& entry : tree.files())
    if (entry->isDirectory()) {
      entry->isoSize = entry->directory->isoSize;
      entry->jolietSize = entry->directory->jolietSize;
      entry->isoLocation = entry->directory->isoOffset;
      entry->jolietLocation = entry->directory->jolietOffset;
    }

  layout.pathTableOrder = numberInPathTableOrder(tree);
  layout.isoPathTableBytes = pathTableBytes(layout.pathTableOrder, false);
  layout.jolietPathTableBytes = joliet ? pathTableBytes(layout.pathTableOrder, true) : 0;

  uint32_t position = layout.start + kSystemAreaSectors;
  layout.primaryDescriptor = position++;
  if (joliet) layout.jolietDescriptor = position++;
  layout.terminator = position++;
  const uint32_t isoTable = sectorsFor(layout.isoPathTableBytes);
  layout.isoPathTableL = position;
  layout.isoPathTableM = position + isoTable;
  position += 2 * isoTable;
  if (joliet) {
    const uint32_t jolietTable = sectorsFor(layout.jolietPathTableBytes);
    layout.jolietPathTableL = position;
    layout.jolietPathTableM = position + jolietTable;
    position += 2 * jolietTable;
  }
  layout.isoDirectoryArea = position;
  position += isoSectors;
  layout.jolietDirectoryArea = joliet ? position : 0;
  position += jolietSectors;
  layout.fileArea = std::max(position, kFirstFileAreaSector);

  // New files' offsets in file-table order; an empty file lies nowhere.
  uint64_t offset = 0;
  for (const auto& entry : tree.files()) {
    if (entry->isDirectory() || entry->imported) continue;
    const uint32_t location = entry->isoSize == 0 ? 0 : static_cast<uint32_t>(offset);
    entry->isoLocation = entry->jolietLocation = location;
    offset += sectorsFor(entry->isoSize);
  }
  layout.volumeSpaceSize = layout.fileArea + static_cast<uint32_t>(offset);
  return layout;
}

uint32_t trackSize(const IsoLayout& layout, bool writePostGap) {
  const uint32_t sectors = layout.volumeSpaceSize - layout.start;
  return writePostGap ? std::max(sectors, kShortestTrack) : sectors;
}

}  // namespace cdengine
