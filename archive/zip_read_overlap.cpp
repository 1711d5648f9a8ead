#include "archive/zip_read_overlap.h"

#include <algorithm>
#include <limits>
#include <string>

#include "archive/zip_error.h"

namespace archive {

namespace {

// The first byte after the entry, counting the local header's fixed part and
// the compressed data only (its name and extra field lengths are the local
// header's own and are not known here): a lower bound of where it ends.
uint64_t minimalEnd(const ZipEntryRecord& record) {
  constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
  const uint64_t span = zipsize::kLocalHeader;
  if (record.compressedSize > kMax - span ||
      record.localHeaderOffset > kMax - span - record.compressedSize)
    throw ZipCorruptError("Entry " + record.name + " has an impossible size",
                          record.localHeaderOffset);
  return record.localHeaderOffset + span + record.compressedSize;
}

}  // namespace

void rejectOverlappingEntries(const std::vector<ZipEntryRecord>& records, uint32_t directoryDisk,
                              uint64_t directoryOffset) {
  std::vector<const ZipEntryRecord*> order;
  order.reserve(records.size());
  for (const ZipEntryRecord& record : records) order.push_back(&record);
  std::sort(order.begin(), order.end(), [](const ZipEntryRecord* a, const ZipEntryRecord* b) {
    return a->diskStart != b->diskStart ? a->diskStart < b->diskStart
                                        : a->localHeaderOffset < b->localHeaderOffset;
  });
  for (size_t i = 0; i < order.size(); ++i) {
    const ZipEntryRecord& entry = *order[i];
    const uint64_t end = minimalEnd(entry);
    // A later entry on the same disk must start after this one's data;
    // an entry continued on a later disk cannot have one after it here.
    if (i + 1 < order.size() && order[i + 1]->diskStart == entry.diskStart &&
        order[i + 1]->localHeaderOffset < end)
      throw ZipCorruptError("The archive is damaged: entries " + entry.name + " and " +
                                order[i + 1]->name + " overlap",
                            order[i + 1]->localHeaderOffset);
    if (entry.diskStart == directoryDisk && end > directoryOffset)
      throw ZipCorruptError(
          "The archive is damaged: entry " + entry.name + " overlaps the central directory",
          entry.localHeaderOffset);
  }
}

}  // namespace archive
