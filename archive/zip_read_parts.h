#pragma once
// Multi-part archives on the reading side.
//
// Block sets are one archive cut into pieces (name.001, name.002, ... or the
// same name on successive media): offsets run on across the pieces, so the
// pieces joined are a plain archive. BlockSetSource reads them as one stream,
// finding earlier pieces only when an offset needs them.
//
// Spanned archives carry disk numbers in their records: each disk holds a
// part under the archive's own name, and SpannedVolumes asks for a disk when
// its part is needed.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive/zip_file_system.h"
#include "archive/zip_source.h"

namespace archive {

// Asks the user for a part: nextDisk counts from 1 (0 = the last); name is
// in-out. Returns false when the user cancelled.
using PartRequest = std::function<bool(int nextDisk, std::string& name)>;

// "name.001" -> ("name.", 1); nullopt when the extension is not three digits.
std::optional<std::pair<std::string, int>> numberedPart(const std::string& name);
std::string partName(const std::string& stem, int number);

class BlockSetSource : public ZipSource {
 public:
  // lastPart is the open piece with the end record; lastStart its offset in
  // the joined stream. numbered: pieces are stem + ".NNN", otherwise every
  // piece has the archive's name on its own medium.
  BlockSetSource(ZipFileSystem& fs, PartRequest request, std::unique_ptr<FileSource> lastPart,
                 uint64_t lastStart, std::string archiveName, bool numbered);
  uint64_t size() override { return lastStart_ + lastSize_; }
  void readAt(uint64_t offset, void* buffer, size_t length) override;
  int knownParts() const { return static_cast<int>(parts_.size()) + 1; }

 private:
  struct Part {
    std::string name;
    uint64_t start;
    uint64_t size;
  };
  FileSource& partSource(size_t index);  // index parts_.size() is the last part
  void discoverNext();
  std::string nameOf(int number) const;

  ZipFileSystem& fs_;
  PartRequest request_;
  std::string archiveName_;
  bool numbered_;
  std::vector<Part> parts_;  // pieces before the last, in order
  std::string lastName_;
  uint64_t lastStart_;
  uint64_t lastSize_;
  // Of the last piece's bytes, when pieces share its name: a medium that
  // offers these bytes again as an earlier piece was not changed (on a hard
  // disk it never is), so the archive's offsets lie.
  uint64_t lastFingerprint_ = 0;
  std::unique_ptr<FileSource> open_;
  size_t openIndex_ = 0;
};

class SpannedVolumes : public ZipVolumes {
 public:
  SpannedVolumes(ZipFileSystem& fs, PartRequest request, std::unique_ptr<FileSource> current,
                 uint32_t currentDisk, uint32_t lastDisk, bool checkLabels);
  ZipSource& volume(uint32_t disk) override;
  uint32_t lastDisk() const override { return lastDisk_; }

 private:
  bool labelMatches(uint32_t disk);
  // Whether the disk now in the drive may hold part `disk`.
  bool couldBePart(uint32_t disk);

  ZipFileSystem& fs_;
  PartRequest request_;
  std::unique_ptr<FileSource> current_;
  std::string name_;
  uint32_t currentDisk_;
  uint32_t lastDisk_;
  bool checkLabels_;
};

// The label a spanned diskette gets: "PKBACK# 001".
std::string diskLabel(int diskNumber);

}  // namespace archive
