#pragma once
// Lists the entries of an archive whose end record is gone (a truncated file,
// or one disk of a set) by walking its local headers. Entries whose data runs
// past the end are left out.

#include <vector>

#include "archive/zip_format.h"
#include "archive/zip_source.h"

namespace archive {

std::vector<ZipEntryRecord> salvageEntries(ZipSource& source);

}  // namespace archive
