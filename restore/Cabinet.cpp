#include "restore/Cabinet.h"

#include <memory>

#include "archive/zip_dos_time.h"
#include "platform/files/file_system.h"
#include "restore/CabinetSource.h"

namespace corvasta {

namespace {

// The attributes a cabinet entry carries over (read-only, hidden, system,
// archive); the executable and UTF-8 name flags are the cabinet's own.
constexpr uint32_t kCarriedAttributes = 0x27;

// The whole cabinet, read through the machine's files.
std::string readCabinet(platform::FileSystem& files, const std::string& path) {
  platform::FileHandle handle;
  try {
    handle = files.createFile(path, platform::kGenericRead, platform::kFileShareRead,
                              platform::CreationDisposition::OpenExisting);
  } catch (const platform::OsError& error) {
    throw ECabinetError(CabinetErrorCode::CabinetNotFound, static_cast<int>(error.code()));
  }
  std::string bytes(handle.size(), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    const size_t got = handle.read(bytes.data() + done, bytes.size() - done);
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return bytes;
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

std::string withoutFolderPart(const std::string& name) {
  const size_t slash = name.find_last_of("\\/");
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

uint32_t dosDateTimeOf(const mscabd_file& file) {
  const uint32_t date = (static_cast<uint32_t>(file.date_y - 1980) << 9) |
                        (static_cast<uint32_t>(file.date_m) << 5) |
                        static_cast<uint32_t>(file.date_d);
  const uint32_t time = (static_cast<uint32_t>(file.time_h) << 11) |
                        (static_cast<uint32_t>(file.time_m) << 5) |
                        static_cast<uint32_t>(file.time_s / 2);
  return (date << 16) | time;
}

// A cabinet entry with none of the carried attributes becomes a normal file.
uint32_t attributesOf(const mscabd_file& file) {
  const uint32_t carried = static_cast<uint32_t>(file.attribs) & kCarriedAttributes;
  return carried == 0 ? platform::kAttributeNormal : carried;
}

struct DecompressorDeleter {
  void operator()(mscab_decompressor* decompressor) const {
    mspack_destroy_cab_decompressor(decompressor);
  }
};

}  // namespace

EApiError::EApiError(int code, const std::string& text)
    : Error("Error " + std::to_string(code) + ": " + text) {}

TCabinetReader::TCabinetReader(platform::FileSystem& files) : files_(files) {}

void TCabinetReader::Extract(const std::string& cabinet, const std::string& destination) {
  DestinationPath = destination;
  if (DestinationPath.empty() || DestinationPath.back() != '\\') DestinationPath += '\\';

  const std::string bytes = readCabinet(files_, cabinet);
  CabinetSystem system(files_, bytes);
  std::unique_ptr<mscab_decompressor, DecompressorDeleter> decompressor(
      mspack_create_cab_decompressor(&system.base));
  if (!decompressor) throw ECabinetError(CabinetErrorCode::AllocFail, MSPACK_ERR_NOMEMORY);

  mscabd_cabinet* opened = decompressor->open(decompressor.get(), kInMemoryCabinetName);
  if (!opened) {
    const int error = decompressor->last_error(decompressor.get());
    throw ECabinetError(codeFor(error), error);
  }
  auto closeCabinet = [&](mscabd_cabinet* c) { decompressor->close(decompressor.get(), c); };
  std::unique_ptr<mscabd_cabinet, decltype(closeCabinet)> openedCabinet(opened, closeCabinet);

  for (mscabd_file* file = opened->files; file; file = file->next) {
    const std::string name = withoutFolderPart(file->filename ? file->filename : "");
    if (name.empty() || name == "." || name == "..")
      throw ECabinetError(CabinetErrorCode::CorruptCabinet, MSPACK_ERR_DATAFORMAT);
    const std::string target = DestinationPath + name;
    system.lastWriteError = 0;
    const int error = decompressor->extract(decompressor.get(), file, target.c_str());
    if (error != MSPACK_ERR_OK) {
      const bool writeFailed = error == MSPACK_ERR_OPEN || error == MSPACK_ERR_WRITE;
      if (writeFailed) throw ECabinetError(CabinetErrorCode::TargetFile, system.lastWriteError);
      throw ECabinetError(codeFor(error), error);
    }
    if (!FileSupport) continue;
    const auto written = archive::dosToFileTime(dosDateTimeOf(*file));
    if (!written)
      throw EApiError(static_cast<int>(platform::WinError::InvalidParameter),
                      platform::winErrorText(platform::WinError::InvalidParameter));
    try {
      files_.setFileTime(target, std::nullopt, std::nullopt, platform::FileTime{*written});
      files_.setFileAttributes(target, attributesOf(*file));
    } catch (const platform::OsError& failure) {
      throw EApiError(static_cast<int>(failure.code()), platform::winErrorText(failure.code()));
    }
  }
}

}  // namespace corvasta
