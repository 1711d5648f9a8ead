#pragma once
// Reading Microsoft cabinet files with libmspack over the machine's files:
// the cabinet's bytes are read first (readMachineFile), its directory is
// listed, and members are written through FileSystem, so sharing, capacity,
// attributes and 8.3 aliases stay as Windows keeps them.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/errors.h"

namespace platform {

class FileSystem;

// A failure of the decoder: libmspack's error code (MSPACK_ERR_*) and, when
// an output file could not be opened or written, the Win32 code of that.
class CabinetReadError : public corvasta::Error {
 public:
  CabinetReadError(const std::string& what, int mspackError, int writeError = 0);
  int mspackError() const { return mspackError_; }
  // Non-zero when the failure was writing the extracted file.
  int writeError() const { return writeError_; }
  bool outputFailed() const { return outputFailed_; }

 private:
  int mspackError_;
  int writeError_;
  bool outputFailed_;
};

struct CabinetEntry {
  std::string name;  // as stored, possibly with a folder part
  uint32_t size = 0;
  uint32_t dosDateTime = 0;  // DOS date in the high word, time in the low word
  uint32_t attributes = 0;   // the cabinet's attribute bits
};

// The bytes of a file of the machine. Throws OsError when it cannot be read.
std::string readMachineFile(FileSystem& files, const std::string& path);

class CabinetArchive {
 public:
  // Opens a cabinet held in `bytes` (kept by reference: it must outlive the
  // archive); extracted files go through `files`. Throws CabinetReadError
  // when it is no cabinet or its directory is damaged.
  CabinetArchive(FileSystem& files, const std::string& bytes);
  ~CabinetArchive();
  CabinetArchive(const CabinetArchive&) = delete;
  CabinetArchive& operator=(const CabinetArchive&) = delete;

  const std::vector<CabinetEntry>& entries() const { return entries_; }
  // Decompresses entry `index` into the file `target` (a Windows path,
  // replaced when it exists). Throws CabinetReadError.
  void extract(size_t index, const std::string& target);

 private:
  struct Decoder;
  std::unique_ptr<Decoder> decoder_;
  std::vector<CabinetEntry> entries_;
};

// The attribute bits a cabinet entry carries for its file: read-only,
// hidden, system and archive (the executable and UTF-8 name flags are the
// cabinet's own).
inline constexpr uint32_t kCabinetFileAttributes = 0x27;

// The file name of an entry without any folder part stored in the cabinet,
// as the extractors write every file flat. Throws CabinetReadError
// (MSPACK_ERR_DATAFORMAT) for a name that leaves nothing to write to
// (empty, "." or "..").
std::string flatEntryName(const CabinetEntry& entry);

// The entry's attributes as a file gets them: read-only, hidden, system and
// archive carried over, FILE_ATTRIBUTE_NORMAL when it has none of them.
uint32_t extractedAttributes(const CabinetEntry& entry);

// Gives an extracted file the entry's date and time (as its last-write time,
// without a time-zone conversion, as the cabinet library does) and its
// attributes. Throws OsError (InvalidParameter for a date that is not one).
void stampExtractedFile(FileSystem& files, const std::string& target, const CabinetEntry& entry);

}  // namespace platform
