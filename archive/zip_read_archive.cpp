#include "archive/zip_read_archive.h"

#include "archive/zip_file_system.h"
#include "archive/zip_paths.h"
#include "archive/zip_read_directory.h"
#include "archive/zip_read_salvage.h"

namespace archive {
namespace {

// A table of contents read on its own: every disk number finds it.
class TableVolumes : public ZipVolumes {
 public:
  TableVolumes(ZipSource& table, uint32_t lastDisk) : table_(table), lastDisk_(lastDisk) {}
  ZipSource& volume(uint32_t) override { return table_; }
  uint32_t lastDisk() const override { return lastDisk_; }

 private:
  ZipSource& table_;
  uint32_t lastDisk_;
};

// The highest numbered block after name that exists, when name is a block.
std::string lastNumberedBlock(ZipFileSystem& fs, const std::string& name) {
  auto numbered = numberedPart(name);
  if (!numbered) return name;
  std::string last = name;
  for (int n = numbered->second + 1; n <= 999; ++n) {
    std::string next = partName(numbered->first, n);
    if (!fileExists(fs, next)) break;
    last = next;
  }
  return last;
}

// One archive file that the volumes own.
class OwnedFileVolume : public ZipVolumes {
 public:
  explicit OwnedFileVolume(std::unique_ptr<FileSource> file)
      : file_(std::move(file)), single_(*file_) {}
  ZipSource& volume(uint32_t disk) override { return single_.volume(disk); }
  uint32_t lastDisk() const override { return 0; }

 private:
  std::unique_ptr<FileSource> file_;
  SingleVolume single_;
};

}  // namespace

std::unique_ptr<ZipVolumes> OpenedArchive::openAnotherReader(ZipFileSystem& fs) const {
  if (!singleFile_) return nullptr;
  return std::make_unique<OwnedFileVolume>(std::make_unique<FileSource>(fs.openRead(name_), name_));
}

std::string tableOfContentsName(const std::string& archiveName) {
  return withoutExtension(archiveName) + ".zfc";
}

std::unique_ptr<OpenedArchive> OpenedArchive::open(ZipFileSystem& fs, const std::string& zipName,
                                                   const ArchiveOpenEvents& events) {
  std::unique_ptr<OpenedArchive> archive(new OpenedArchive);
  std::string name = lastNumberedBlock(fs, zipName);
  for (;;) {
    if (!fileExists(fs, name)) throw ZipError("The archive " + name + " does not exist");
    auto file = std::make_unique<FileSource>(fs.openRead(name), name);
    std::optional<ZipEndLocation> end = findZipEnd(*file);
    if (!end) {
      std::string table = tableOfContentsName(name);
      if (fileExists(fs, table)) {
        auto tableSource = std::make_unique<FileSource>(fs.openRead(table), table);
        std::optional<ZipEndLocation> tableEnd = findZipEnd(*tableSource);
        if (tableEnd && tableEnd->info.lastDisk > 0) {
          TableVolumes tableVolumes(*tableSource, tableEnd->info.lastDisk);
          archive->records_ = readCentralDirectory(tableVolumes, *tableEnd);
          archive->volumes_ =
              std::make_unique<SpannedVolumes>(fs, events.requestPart, std::move(file), 0,
                                               tableEnd->info.lastDisk, events.checkDiskLabels);
          archive->name_ = name;
          return archive;
        }
      }
      TIncompleteMode mode = events.incomplete ? events.incomplete() : izAssumeBad;
      if (mode == izAssumeNotAZip) throw ZipError(name + " is not a ZIP archive");
      if (mode == izAssumeMulti) {
        if (!events.requestPart || !events.requestPart(0, name) || name.empty())
          throw ZipUserCancel("User canceled loading new disk.");
        continue;
      }
      archive->records_ = salvageEntries(*file);
      archive->incomplete_ = true;
      archive->singleFile_ = true;
      archive->name_ = name;
      archive->source_ = std::move(file);
      archive->volumes_ = std::make_unique<SingleVolume>(*archive->source_);
      return archive;
    }
    archive->name_ = name;
    if (end->info.lastDisk > 0) {
      archive->volumes_ = std::make_unique<SpannedVolumes>(fs, events.requestPart, std::move(file),
                                                           end->info.lastDisk, end->info.lastDisk,
                                                           events.checkDiskLabels);
    } else {
      uint64_t directoryEnd = end->info.directoryOffset + end->info.directorySize;
      if (directoryEnd > end->recordsStart) {
        // Offsets run on from earlier pieces: this is the last block of a set.
        uint64_t lastStart = directoryEnd - end->recordsStart;
        bool numbered = numberedPart(name).has_value();
        archive->source_ = std::make_unique<BlockSetSource>(fs, events.requestPart, std::move(file),
                                                            lastStart, name, numbered);
        end->recordsStart += lastStart;
      } else {
        archive->source_ = std::move(file);
        archive->singleFile_ = true;
      }
      archive->volumes_ = std::make_unique<SingleVolume>(*archive->source_);
    }
    archive->records_ = readCentralDirectory(*archive->volumes_, *end);
    return archive;
  }
}

}  // namespace archive
