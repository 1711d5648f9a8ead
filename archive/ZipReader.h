#pragma once
// TZipReader: opens, lists, tests and extracts a ZIP archive on the machine,
// one archive at a time. Properties are set right before an operation;
// events are raised on the caller's thread.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/MultiVolumeInfo.h"
#include "archive/ZipEntry.h"
#include "archive/ZipEvents.h"
#include "archive/zip_file_system.h"

namespace archive {

class OpenedArchive;
class EntryReadAhead;
class FolderMaker;
class PlainStream;
struct EntryBytes;

class TZipReader {
 public:
  explicit TZipReader(ZipFileSystem& fileSystem);
  virtual ~TZipReader();
  TZipReader(const TZipReader&) = delete;
  TZipReader& operator=(const TZipReader&) = delete;

  // The archive to read. Setting it closes any archive that is open. After a
  // multi-block archive is written it names the last block.
  const std::string& ZipName() const { return zipName_; }
  void SetZipName(const std::string& name);

  // Entries Extract takes when DoAll is off: stored full paths (folder and
  // name as EntryFolder and EntryName give them), wildcards allowed.
  std::vector<std::string> FilesList;
  std::string Password;
  std::string DestDir;           // empty: every entry to its stored full path
  std::string RootDir = "C:\\";  // base for stored names without a drive
  bool RecreateDirs = true;
  bool DoAll = true;
  bool RetainAttributes = false;
  // A read-only file in the way of an entry loses its read-only bit and is
  // replaced; otherwise it counts as a destination that cannot be created.
  bool ReplaceReadOnly = false;
  bool KeepZipOpen = false;
  // Threads that compress (writing) or read and check entries (testing,
  // extracting); 0 does everything on the caller's thread.
  unsigned Workers;
  int Tag = 0;
  TMultiVolumeInfo MultiVolumeInfo;
  // Set by a handler (for example from the progress window's Cancel) to stop
  // the running operation with a user-cancel exception.
  bool Cancel = false;

  TTotalPercentDoneEvent OnTotalPercentDone;
  TSkippingFileEvent OnSkippingFile;
  TBadPasswordEvent OnBadPassword;
  TInCompleteZipEvent OnInCompleteZip;
  TGetNextDiskEvent OnGetNextDisk;
  TZipMessageEvent OnMessage;

  void ReadDirectory();
  int Extract();
  int ExtractSelected();
  // True when every entry decompresses and matches its CRC-32; writes nothing.
  bool TestArchive();
  void CloseArchive();
  int EntryCount() const { return static_cast<int>(entries_.size()); }
  // Whether the directory of the archive named is read (and not closed since).
  bool DirectoryRead() const { return directoryRead_; }
  uint64_t ArchiveSize();

  const std::string& EntryName(int index) const { return entry(index).Name; }
  const std::string& EntryFolder(int index) const { return entry(index).Folder; }
  FileTime EntryTime(int index) const { return entry(index).Time; }
  bool EntryEncrypted(int index) const { return entry(index).Encrypted; }
  bool EntrySelected(int index) const { return entry(index).Selected; }
  void SetEntrySelected(int index, bool selected) { entryRef(index).Selected = selected; }
  uint64_t EntrySize(int index) const { return entry(index).Size; }
  uint32_t EntryAttributes(int index) const { return entry(index).Attributes; }

  // An extracted file is written under this name beside its target
  // ("C:\WINDOWS\~cvwin.ini") and renamed to the target when it is whole.
  static constexpr const char* kArrivalPrefix = "~cv";
  static std::string arrivalName(const std::string& target);

 protected:
  OpenedArchive& openArchive();
  bool requestDisk(int nextDisk, std::string& name);
  void checkCancel();
  void reportPercent(uint64_t done, uint64_t total);
  void releaseFiles();
  const TZipEntry& entry(int index) const;
  TZipEntry& entryRef(int index);

  ZipFileSystem& fs_;
  std::string zipName_;
  std::unique_ptr<OpenedArchive> archive_;
  std::vector<TZipEntry> entries_;
  int lastPercent_ = -1;
  bool directoryRead_ = false;
  bool incomplete_ = false;

 private:
  enum class Selection { ByListOrAll, Selected };
  int extractEntries(Selection selection);
  std::vector<int> chosenEntries(Selection selection) const;
  // Settles the password for entry index before it is queued; false when the
  // entry is to be skipped.
  bool passwordSettled(int index, std::string& password, EntryReadAhead& ahead,
                       const std::function<void()>& finishOne);
  // Where an extracted entry's plain bytes come from: read ahead whole,
  // streamed ahead by another thread, or (neither) streamed from the archive
  // on this thread with the password given.
  struct ExtractSource {
    const EntryBytes* bytes = nullptr;
    PlainStream* stream = nullptr;
    const std::string* password = nullptr;
  };
  // Writes the entry beside the target (arrivalName) and renames it into
  // place when it is whole; false when the target was skipped. progress gets
  // the bytes written so far of a streamed entry.
  // The folders above `target`; false when one could not be made and the
  // entry is skipped.
  bool makeFoldersFor(FolderMaker& folders, int index, const std::string& target);
  bool writeExtracted(int index, const std::string& target, const ExtractSource& source,
                      FolderMaker& folders, const std::function<void(uint64_t)>& progress);
  // Takes the read-only bit off a file in the way (ReplaceReadOnly); false
  // when there is none to take off or the host refuses.
  bool clearReadOnly(const std::string& target);
  // OnSkippingFile for a target that could not be written; true: try again.
  bool askRetry(int index, const std::string& target);
  void removeArrival(const std::string& written);
  // Settles the password for an encrypted entry, asking OnBadPassword while it
  // does not fit; false when the entry is to be skipped.
  bool resolvePassword(int index, std::string& password);
};

}  // namespace archive
