#pragma once
// Console commands of the Backup Manager pages: the program's backup sets
// (--list-sets, --add-set, --rename-set, --delete-set) and the backups
// Windows keeps of its registry (--system-backups, --delete-system-backup).

#include <string>
#include <vector>

#include "app/ConsoleCommands.h"

namespace corvasta {

void listSets(TForm1& form, const std::vector<std::string>& values,
              const ConsoleLinePrinter& print);
void addSet(TForm1& form, const std::vector<std::string>& values, const ConsoleLinePrinter& print);
void renameSet(TForm1& form, const std::vector<std::string>& values,
               const ConsoleLinePrinter& print);
void deleteSet(TForm1& form, const std::vector<std::string>& values,
               const ConsoleLinePrinter& print);
void listSystemBackups(TForm1& form, const std::vector<std::string>& values,
                       const ConsoleLinePrinter& print);
void deleteSystemBackup(TForm1& form, const std::vector<std::string>& values,
                        const ConsoleLinePrinter& print);

}  // namespace corvasta
