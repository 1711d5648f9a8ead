#pragma once
// An archive opened for reading, whatever its shape: one file, block files,
// a spanned set of disks, or a truncated file whose entries were salvaged.
// Opening raises the incomplete-archive event when no end record is found,
// and asks for disks through the part request.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/ZipEvents.h"
#include "archive/zip_file_system.h"
#include "archive/zip_read_parts.h"

namespace archive {

struct ArchiveOpenEvents {
  std::function<TIncompleteMode()> incomplete;
  PartRequest requestPart;
  bool checkDiskLabels = false;
};

class OpenedArchive {
 public:
  static std::unique_ptr<OpenedArchive> open(ZipFileSystem& fs, const std::string& zipName,
                                             const ArchiveOpenEvents& events);

  ZipVolumes& volumes() { return *volumes_; }
  const std::vector<ZipEntryRecord>& records() const { return records_; }
  // The end record was never found: the entries were salvaged from local
  // headers, and the archive cannot pass a test.
  bool incomplete() const { return incomplete_; }
  // The file name the archive was finally read from (the last disk or block).
  const std::string& name() const { return name_; }
  // Another reader of the same archive with its own file handle, for a
  // worker thread; nullptr for block sets and spanned disks, whose parts may
  // have to be asked for on the way.
  std::unique_ptr<ZipVolumes> openAnotherReader(ZipFileSystem& fs) const;

 private:
  OpenedArchive() = default;

  std::unique_ptr<ZipSource> source_;
  std::unique_ptr<ZipVolumes> volumes_;
  std::vector<ZipEntryRecord> records_;
  bool incomplete_ = false;
  bool singleFile_ = false;
  std::string name_;
};

// The table-of-contents file that belongs to an archive: name.zfc beside it.
std::string tableOfContentsName(const std::string& archiveName);

}  // namespace archive
