#include "restore/cabinet/Cabinet.h"

#include <mspack.h>

#include "platform/cabinet/cabinet_read.h"
#include "platform/files/file_system.h"

namespace corvasta {

namespace {

// The whole cabinet, read through the machine's files.
std::string readCabinet(platform::FileSystem& files, const std::string& path) {
  try {
    return platform::readMachineFile(files, path);
  } catch (const platform::OsError& error) {
    throw ECabinetError(CabinetErrorCode::CabinetNotFound, static_cast<int>(error.code()));
  }
}

// The operation code for a libmspack failure. Damaged compressed data is a
// corrupt cabinet, as the checksum of the data block would have shown.
CabinetErrorCode codeFor(int mspackError) {
  switch (mspackError) {
    case MSPACK_ERR_OPEN:
      return CabinetErrorCode::CabinetNotFound;
    case MSPACK_ERR_SIGNATURE:
      return CabinetErrorCode::NotACabinet;
    case MSPACK_ERR_NOMEMORY:
      return CabinetErrorCode::AllocFail;
    case MSPACK_ERR_WRITE:
      return CabinetErrorCode::TargetFile;
    default:
      return CabinetErrorCode::CorruptCabinet;
  }
}

ECabinetError cabinetErrorFor(const platform::CabinetReadError& failure, bool opening) {
  if (!opening && failure.outputFailed())
    return ECabinetError(CabinetErrorCode::TargetFile, failure.writeError());
  return ECabinetError(codeFor(failure.mspackError()), failure.mspackError());
}

}  // namespace

EApiError::EApiError(int code, const std::string& text)
    : Error("Error " + std::to_string(code) + ": " + text) {}

TCabinetReader::TCabinetReader(platform::FileSystem& files) : files_(files) {}

void TCabinetReader::Extract(const std::string& cabinet, const std::string& destination) {
  DestinationPath = destination;
  if (DestinationPath.empty() || DestinationPath.back() != '\\') DestinationPath += '\\';

  const std::string bytes = readCabinet(files_, cabinet);
  bool opening = true;
  try {
    platform::CabinetArchive archive(files_, bytes);
    opening = false;
    for (size_t index = 0; index < archive.entries().size(); ++index) {
      const platform::CabinetEntry& entry = archive.entries()[index];
      const std::string target = DestinationPath + platform::flatEntryName(entry);
      archive.extract(index, target);
      if (!FileSupport) continue;
      try {
        platform::stampExtractedFile(files_, target, entry);
      } catch (const platform::OsError& failure) {
        throw EApiError(static_cast<int>(failure.code()), platform::winErrorText(failure.code()));
      }
    }
  } catch (const platform::CabinetReadError& failure) {
    throw cabinetErrorFor(failure, opening);
  }
}

}  // namespace corvasta
