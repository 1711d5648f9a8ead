#pragma once
// Backup types and compression levels of a backup config: what each does to
// the archive engine's archive-bit handling, pack level and transfer mode.

#include <string>

namespace corvasta {

// Transfer modes of TransferFile.
inline constexpr int kTransferZip = 1;
inline constexpr int kTransferCopyQuiet = 2;  // copy without advancing the overall bar
inline constexpr int kTransferCopy = 3;
inline constexpr int kTransferUnzip = 6;
inline constexpr int kTransferCopyRestore = 7;

enum BackupType : int {
  kFullBackup = 0,
  kIncrementalBackup = 1,
  kDifferentialBackup = 2,
  kReplaceBackup = 3,
  kFullArchiveNotReset = 4,
};

struct BackupTypeRules {
  const char* caption;
  bool skipIfArchiveBitClear;
  bool clearArchiveBit;
  bool ownSetDirectory;
};

// Rules of a backup type index; an index outside 0..4 is taken as "Full".
const BackupTypeRules& backupTypeRules(int backupType);

// The backup type of a stored BackupType value: settings written before
// NewBackupType existed used 2 for "Replace".
int backupTypeFromSettings(int stored, bool newBackupType);

struct CompressionRules {
  const char* caption;
  int packLevel;
  int transferMode;
};

// Rules of a compression level; 5 or no valid selection is the highest.
const CompressionRules& compressionRules(int compress);

// The transfer mode of a run: a removable target not treated as fixed always
// zips single files.
int transferModeFor(int compress, bool removableTarget, bool treatAsFixed);

// The compressed name of a single file: the extension cut to its first two
// characters, padded with "-" to two, followed by "z" (autoexec.bat gives
// autoexec.baz, ntldr gives ntldr.--z).
std::string compressedName(const std::string& fileName);

}  // namespace corvasta
