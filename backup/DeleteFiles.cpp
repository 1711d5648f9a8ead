// Emptying folders for the backup run and the backup manager: DeleteFiles
// removes the files of one folder, DeleteSubDirs a whole folder tree.

#include "app/Unit1.h"
#include "platform/files/file_system.h"

namespace corvasta {

bool TForm1::DeleteFiles(const std::string& folder, const std::string& mask) {
  if (folder.empty() || folder == "\\") return false;
  const std::string base = CheckPath(folder);
  std::vector<platform::FindData> found;
  try {
    found = env.files.findAll(base + mask);
  } catch (const platform::OsError&) {
    return true;  // no folder, nothing to delete
  }
  for (const platform::FindData& entry : found) {
    if (entry.attributes & platform::kAttributeDirectory) continue;
    try {
      env.files.setFileAttributes(base + entry.name, platform::kAttributeNormal);
      env.files.deleteFile(base + entry.name);
    } catch (const platform::OsError&) {
      return false;
    }
  }
  return true;
}

void TForm1::DeleteSubDirs(const std::string& folder) {
  if (folder.empty() || folder == "\\" || folder == "@") return;
  const std::string base = CheckPath(folder);
  std::vector<platform::FindData> found;
  try {
    found = env.files.findAll(base + "*.*");
  } catch (const platform::OsError&) {
    return;
  }
  // Files first, then every subfolder; what cannot be deleted stays.
  for (const platform::FindData& entry : found) {
    if (runCancelled()) return;
    if (entry.attributes & platform::kAttributeDirectory) continue;
    try {
      env.files.setFileAttributes(base + entry.name, platform::kAttributeNormal);
      env.files.deleteFile(base + entry.name);
    } catch (const platform::OsError&) {
    }
    env.ui.processMessages();
  }
  for (const platform::FindData& entry : found) {
    if (runCancelled()) return;
    if (!(entry.attributes & platform::kAttributeDirectory) || entry.name == "." ||
        entry.name == "..")
      continue;
    DeleteSubDirs(base + entry.name);
    env.ui.processMessages();
  }
  try {
    env.files.setFileAttributes(RemoveBackSl(base), platform::kAttributeNormal);
    env.files.removeDirectory(RemoveBackSl(base));
  } catch (const platform::OsError&) {
  }
}

}  // namespace corvasta
