#pragma once
// TCabinetReader: unpacks a Microsoft Cabinet file from the machine's files
// into one folder, every file flat (any folder part stored in the cabinet is
// dropped), with the cabinet's date, time and attributes when FileSupport is
// set. Failures raise ECabinetError (the cabinet) or EApiError (setting a
// file's time or attributes).

#include <string>

#include "restore/cabinet/CabinetError.h"

namespace platform {
class FileSystem;
}

namespace corvasta {

// A failed system call while finishing an extracted file: "Error %d: %s".
class EApiError : public Error {
 public:
  EApiError(int code, const std::string& text);
};

class TCabinetReader {
 public:
  explicit TCabinetReader(platform::FileSystem& files);

  // Extracted files get the cabinet's date, time and attributes.
  bool FileSupport = true;
  // Folder the files are written to, with a final backslash (set by Extract).
  std::string DestinationPath;

  // Unpacks every file of `cabinet` into `destination`.
  void Extract(const std::string& cabinet, const std::string& destination);

 private:
  platform::FileSystem& files_;
};

}  // namespace corvasta
