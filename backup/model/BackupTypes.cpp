#include "backup/model/BackupTypes.h"

#include <array>

namespace corvasta {

namespace {

constexpr std::array<BackupTypeRules, 5> kBackupTypes = {{
    {"Full", false, true, true},
    {"Incremental", true, true, true},
    {"Differential", true, false, true},
    {"Replace", false, false, false},
    {"Full (Archive not reset)", false, false, true},
}};

constexpr std::array<CompressionRules, 6> kCompressionLevels = {{
    {"Do Not Compress", 0, kTransferCopy},
    {"Low/Fast Compression", 2, kTransferZip},
    {"Medium Compression", 3, kTransferZip},
    {"High/Slow Compression", 4, kTransferZip},
    {"Higher/Slower Compression", 5, kTransferZip},
    {"Highest/Slowest Compression", 6, kTransferZip},
}};

}  // namespace

const BackupTypeRules& backupTypeRules(int backupType) {
  if (backupType < 0 || backupType >= static_cast<int>(kBackupTypes.size()))
    return kBackupTypes[kFullBackup];
  return kBackupTypes[static_cast<size_t>(backupType)];
}

int backupTypeFromSettings(int stored, bool newBackupType) {
  if (!newBackupType && stored == 2) return kReplaceBackup;
  return stored >= kFullBackup && stored <= kFullArchiveNotReset ? stored : kFullBackup;
}

const CompressionRules& compressionRules(int compress) {
  if (compress < 0 || compress >= static_cast<int>(kCompressionLevels.size()))
    return kCompressionLevels.back();
  return kCompressionLevels[static_cast<size_t>(compress)];
}

int transferModeFor(int compress, bool removableTarget, bool treatAsFixed) {
  if (removableTarget && !treatAsFixed) return kTransferZip;
  return compressionRules(compress).transferMode;
}

std::string compressedName(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  const size_t slash = fileName.find_last_of("\\/");
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  const std::string stem = hasExtension ? fileName.substr(0, dot) : fileName;
  std::string extension = hasExtension ? fileName.substr(dot + 1, 2) : std::string();
  extension.resize(2, '-');
  return stem + "." + extension + "z";
}

}  // namespace corvasta
