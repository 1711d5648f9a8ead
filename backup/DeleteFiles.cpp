// Emptying folders for the backup run and the backup manager: DeleteFiles
// removes the files of one folder, DeleteSubDirs a whole folder tree.

#include "backup/DeleteFiles.h"

#include "app/core/Core.h"
#include "platform/files/file_system.h"

namespace corvasta {

bool DeleteFiles(Core& core, const std::string& folder, const std::string& mask) {
  if (folder.empty() || folder == "\\") return false;
  const std::string base = CheckPath(folder);
  std::vector<platform::FindData> found;
  try {
    found = core.env.files.findAll(base + mask);
  } catch (const platform::OsError&) {
    return true;  // no folder, nothing to delete
  }
  for (const platform::FindData& entry : found) {
    if (entry.attributes & platform::kAttributeDirectory) continue;
    try {
      core.env.files.setFileAttributes(base + entry.name, platform::kAttributeNormal);
      core.env.files.deleteFile(base + entry.name);
    } catch (const platform::OsError&) {
      return false;
    }
  }
  return true;
}

void DeleteSubDirs(Core& core, const std::string& folder) {
  if (folder.empty() || folder == "\\" || folder == "@") return;
  const std::string base = CheckPath(folder);
  std::vector<platform::FindData> found;
  try {
    found = core.env.files.findAll(base + "*.*");
  } catch (const platform::OsError&) {
    return;
  }
  // Files first, then every subfolder; what cannot be deleted stays.
  for (const platform::FindData& entry : found) {
    if (core.runCancelled()) return;
    if (entry.attributes & platform::kAttributeDirectory) continue;
    try {
      core.env.files.setFileAttributes(base + entry.name, platform::kAttributeNormal);
      core.env.files.deleteFile(base + entry.name);
    } catch (const platform::OsError&) {
    }
    core.env.ui.processMessages();
  }
  for (const platform::FindData& entry : found) {
    if (core.runCancelled()) return;
    if (!(entry.attributes & platform::kAttributeDirectory) || entry.name == "." ||
        entry.name == "..")
      continue;
    DeleteSubDirs(core, base + entry.name);
    core.env.ui.processMessages();
  }
  try {
    core.env.files.setFileAttributes(RemoveBackSl(base), platform::kAttributeNormal);
    core.env.files.removeDirectory(RemoveBackSl(base));
  } catch (const platform::OsError&) {
  }
}

}  // namespace corvasta
