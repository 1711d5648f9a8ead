#pragma once
// TZipWriter: the reader plus creating and updating archives. CreateArchive
// builds the archive in a temporary file and then replaces ZipName, or
// writes block files or spanned disks as MultiVolumeInfo says; entries are
// compressed on worker threads and written in order, while every event is
// raised on the caller's thread.

#include <memory>
#include <string>
#include <vector>

#include "archive/ZipReader.h"
#include "archive/zip_bytes.h"
#include "archive/zip_file_list.h"

namespace archive {

class ZipOutput;
class ZipArchiveWriter;

class TZipWriter : public TZipReader {
 public:
  explicit TZipWriter(ZipFileSystem& fileSystem);

  std::vector<std::string> ExcludeList;
  bool Recurse = false;
  int PackLevel = 6;     // 0 stores
  std::string TempPath;  // folder of the temporary archive; empty: ZipName's folder
  bool SkipIfArchiveBitNotSet = false;
  bool ResetArchiveBitOnZip = false;
  bool StorePaths() const { return storePaths_; }
  void SetStorePaths(bool on) { storePaths_ = on; }
  bool StoreVolumes() const { return storeVolumes_; }
  // Keeping the drive in stored folders needs the folders: this forces
  // StorePaths on.
  void SetStoreVolumes(bool on);

  // Stores FilesList minus ExcludeList; returns the number of files stored.
  // An existing archive is updated: an entry whose stored folder and name
  // equal a listed file's (without case) stays when it is not older than the
  // file, otherwise the file replaces it; other entries stay, new files are
  // added after them. Nothing to store leaves no archive (or the existing
  // one untouched).
  int CreateArchive();

  // Gives entry index the stored folder and name of newPath (a Windows path,
  // stored as StorePaths/StoreVolumes say), rewriting the archive.
  void RenameEntry(int index, const std::string& newPath);

 private:
  struct PendingFile {
    SourceFile source;
    std::string storedName;
  };
  struct WriteResult {
    int stored = 0;
    std::vector<std::string> storedPaths;
  };

  WriteResult writeArchive(const std::vector<ZipEntryRecord>& kept,
                           const std::vector<PendingFile>& toStore, TMultiMode mode);
  void storeFiles(ZipArchiveWriter& writer, const std::vector<PendingFile>& toStore,
                  WriteResult& result, uint64_t& done, uint64_t total);
  std::shared_ptr<ZipInputFile> openSource(int index, const std::string& path);
  ZipEntryRecord headerFor(const PendingFile& file) const;
  bool askDisk(int nextDisk, std::string& name);
  void saveTableOfContents(const std::vector<std::string>& parts, const Bytes& table);
  void clearArchiveBits(const std::vector<std::string>& paths);
  std::string temporaryName(const std::string& folder);
  void copyFile(const std::string& from, const std::string& to);

  bool storePaths_ = true;
  bool storeVolumes_ = true;
};

}  // namespace archive
