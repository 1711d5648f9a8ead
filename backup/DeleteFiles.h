#pragma once
// Emptying folders: the files of a folder matching a mask, and a folder with
// all it holds. The backup run clears its target with them, the Backup
// Manager removes sets, the disk prompts empty a new disk.

#include <string>

namespace corvasta {

class Core;

// Deletes the files (not folders) of `folder` matching `mask`; false at the
// first one that cannot be deleted, and for "" or "\".
bool DeleteFiles(Core& core, const std::string& folder, const std::string& mask);
// Empties `folder` (files, then every subfolder) and removes it; nothing for
// "", "\" or "@"; stops when the run is cancelled.
void DeleteSubDirs(Core& core, const std::string& folder);

}  // namespace corvasta
