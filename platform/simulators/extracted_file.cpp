#include "platform/simulators/extracted_file.h"

namespace platform {

void makeReplaceable(FileSystem& files, const std::string& path) {
  if (files.fileExists(path)) files.setFileAttributes(path, kAttributeNormal);
}

void writeExtractedFile(FileSystem& files, CabinetArchive& archive, size_t index,
                        const std::string& target) {
  makeReplaceable(files, target);
  try {
    archive.extract(index, target);
  } catch (const CabinetReadError&) {
    // No part of a file is left for a later step to take as whole.
    if (files.fileExists(target)) files.deleteFile(target);
    throw;
  }
  stampExtractedFile(files, target, archive.entries()[index]);
}

}  // namespace platform
