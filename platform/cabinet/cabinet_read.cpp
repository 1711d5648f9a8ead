#include "platform/cabinet/cabinet_read.h"

#include <mspack.h>

#include "platform/cabinet/cabinet_source.h"
#include "platform/core/dos_date_time.h"
#include "platform/files/file_system.h"
#include "platform/files/whole_file_write.h"

namespace platform {
namespace {

uint32_t dosDateTimeOf(const mscabd_file& file) {
  SystemTime fields;
  fields.year = file.date_y;
  fields.month = file.date_m;
  fields.day = file.date_d;
  fields.hour = file.time_h;
  fields.minute = file.time_m;
  fields.second = file.time_s;
  return dosDateTimeFromFields(fields).packed();
}

}  // namespace

CabinetReadError::CabinetReadError(const std::string& what, int mspackError, int writeError)
    : Error(what),
      mspackError_(mspackError),
      writeError_(writeError),
      outputFailed_(mspackError == MSPACK_ERR_OPEN || mspackError == MSPACK_ERR_WRITE) {}

std::string readMachineFile(FileSystem& files, const std::string& path) {
  return readWholeFile(files, path);
}

struct CabinetArchive::Decoder {
  Decoder(FileSystem& files, const std::string& bytes) : system(files, bytes) {}
  ~Decoder() {
    if (cabinet) decompressor->close(decompressor, cabinet);
    if (decompressor) mspack_destroy_cab_decompressor(decompressor);
  }
  CabinetSystem system;
  mscab_decompressor* decompressor = nullptr;
  mscabd_cabinet* cabinet = nullptr;
  std::vector<mscabd_file*> files;
};

CabinetArchive::CabinetArchive(FileSystem& files, const std::string& bytes)
    : decoder_(std::make_unique<Decoder>(files, bytes)) {
  Decoder& d = *decoder_;
  d.decompressor = mspack_create_cab_decompressor(&d.system.base);
  if (!d.decompressor)
    throw CabinetReadError("cannot start the cabinet decoder", MSPACK_ERR_NOMEMORY);
  d.cabinet = d.decompressor->open(d.decompressor, kInMemoryCabinetName);
  if (!d.cabinet) {
    const int error = d.decompressor->last_error(d.decompressor);
    throw CabinetReadError("not a readable cabinet (decoder error " + std::to_string(error) + ")",
                           error);
  }
  for (mscabd_file* file = d.cabinet->files; file; file = file->next) {
    d.files.push_back(file);
    entries_.push_back({file->filename ? file->filename : "", file->length, dosDateTimeOf(*file),
                        static_cast<uint32_t>(file->attribs)});
  }
}

CabinetArchive::~CabinetArchive() = default;

void CabinetArchive::extract(size_t index, const std::string& target) {
  Decoder& d = *decoder_;
  if (index >= d.files.size()) throw CabinetReadError("no such cabinet entry", MSPACK_ERR_ARGS);
  d.system.lastWriteError = 0;
  const int error = d.decompressor->extract(d.decompressor, d.files[index], target.c_str());
  if (error != MSPACK_ERR_OK)
    throw CabinetReadError(
        "cannot extract " + entries_[index].name + " (decoder error " + std::to_string(error) + ")",
        error, d.system.lastWriteError);
}

std::string flatEntryName(const CabinetEntry& entry) {
  const size_t slash = entry.name.find_last_of("\\/");
  std::string name = slash == std::string::npos ? entry.name : entry.name.substr(slash + 1);
  if (name.empty() || name == "." || name == "..")
    throw CabinetReadError("a cabinet entry has no file name", MSPACK_ERR_DATAFORMAT);
  return name;
}

uint32_t extractedAttributes(const CabinetEntry& entry) {
  const uint32_t carried = entry.attributes & kCabinetFileAttributes;
  return carried == 0 ? kAttributeNormal : carried;
}

void stampExtractedFile(FileSystem& files, const std::string& target, const CabinetEntry& entry) {
  const auto written = dosDateTimeToFileTime(DosDateTime::fromPacked(entry.dosDateTime));
  if (!written) throw OsError(WinError::InvalidParameter, target);
  files.setFileTime(target, std::nullopt, std::nullopt, *written);
  files.setFileAttributes(target, extractedAttributes(entry));
}

}  // namespace platform
