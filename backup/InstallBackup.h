#pragma once
// Connects the backup subsystem to the main window: the BackupClick,
// FillList and FinishOpenCopying hooks, the archive engines' disk prompts
// and the progress window's Cancel.

namespace corvasta {

class TForm1;

void InstallBackup(TForm1& form);

}  // namespace corvasta
