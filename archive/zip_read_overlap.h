#pragma once
// The refusal of overlapping entries. A standard archive stores each entry's
// local header and data once, one after the other, before the central
// directory. An archive whose entries share data ranges (the "overlapping
// files" zip bomb of CVE-2019-13232, where many entries reuse one highly
// compressed kernel) or reach into the central directory is damaged, and the
// reader refuses it before anything is extracted.

#include <cstdint>
#include <vector>

#include "archive/zip_format.h"

namespace archive {

// Throws ZipCorruptError when two entries starting on the same disk overlap,
// or when an entry starting on the directory's disk reaches beyond the
// directory's recorded offset. An entry covers at least its local header's
// fixed part and its compressed data.
void rejectOverlappingEntries(const std::vector<ZipEntryRecord>& records, uint32_t directoryDisk,
                              uint64_t directoryOffset);

}  // namespace archive
