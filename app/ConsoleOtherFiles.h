#pragma once
// Console commands of the Other Files editor.

#include <string>
#include <vector>

#include "app/ConsoleCommands.h"

namespace corvasta {

// --other-files: each entry as the configuration report lists it: its name
// (with "X" when the current config ticks it), then its inclusions,
// exclusions and chosen files, one per line.
void listOtherFiles(TForm1& form, const std::vector<std::string>& values,
                    const ConsoleLinePrinter& print);

// --other-files-size NAME: the Size page's two lines for the entry NAME.
void otherFilesSize(TForm1& form, const std::vector<std::string>& values,
                    const ConsoleLinePrinter& print);

// --other-files-entry NAME [--include M]... [--exclude M]... [--tick PATH]...
// [--untick PATH]... [--notes FILE] [--config N]: creates the entry NAME, or
// replaces the one of that name, through the editor's OK with its checks and
// messages. M is a scope (">" or "|", ">" when left out), a folder and a
// mask; PATH a file of the machine; FILE a host text file with the notes;
// N the backup config (1 to 4) whose Other Files list ticks the entry.
void otherFilesEntry(TForm1& form, const std::vector<std::string>& values,
                     const ConsoleLinePrinter& print);
inline constexpr const char* kOtherFilesEntryOptions[] = {
    "--include", "--exclude", "--tick", "--untick", "--notes", "--config", nullptr};

}  // namespace corvasta
