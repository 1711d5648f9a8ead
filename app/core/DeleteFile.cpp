#include "app/core/DeleteFile.h"

#include "platform/core/errors.h"
#include "platform/files/file_system.h"

namespace corvasta {

bool DeleteFileIfPresent(platform::FileSystem& files, const std::string& path) {
  if (!files.fileExists(path)) return false;
  try {
    files.deleteFile(path);
    return true;
  } catch (const platform::OsError&) {
    return false;
  }
}

}  // namespace corvasta
