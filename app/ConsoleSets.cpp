#include "app/ConsoleSets.h"

#include "app/Unit1.h"
#include "backup/SetNaming.h"
#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/files/file_system.h"

namespace corvasta {
namespace {

// The Backup Manager's rows as the page shows them after FillList: number,
// name, containing directory, date and time.
void printSets(TForm1& form, const ConsoleLinePrinter& print) {
  const BackupManagerLists& lists = form.backup.manager.lists;
  print(lists.column1Caption());
  for (size_t row = 0; row < lists.rows.size(); ++row) {
    const BackupSetRow& set = lists.rows[row];
    print(std::to_string(row + 1) + "\t" + set.name + "\t" + set.folder + "\t" + set.dateTime);
  }
}

// The row a set number names, 1 to the number of listed sets.
size_t setRow(TForm1& form, const std::string& value) {
  const int count = static_cast<int>(form.backup.manager.lists.rows.size());
  if (count == 0) throw Error("There is no backup set " + value + ": the Backup Manager is empty");
  return static_cast<size_t>(consoleNumber(value, 1, count, "The backup set number") - 1);
}

void requireSystemBackups(TForm1& form) {
  if (!form.preferences.systemBackups.present())
    throw Error("Windows " + form.core.LongModeName +
                " keeps no registry backups of its own (only Windows 98, ME and XP do)");
}

void printSystemBackups(TForm1& form, const ConsoleLinePrinter& print) {
  const SystemBackupsPage& page = form.preferences.systemBackups;
  const BackupManagerLists& lists = form.backup.manager.lists;
  const bool sizes = page.columnWidth(2) != 0;
  print(page.columnCaption(0) + "\t" + page.columnCaption(1) +
        (sizes ? "\t" + page.columnCaption(2) : ""));
  for (size_t row = 0; row < lists.systemRows.size(); ++row)
    print(lists.systemRows[row].name + "\t" + lists.systemRows[row].dateTime +
          (sizes ? "\t" + page.sizeText(row) : ""));
  print("Most Recent: " +
        (lists.newestSystemBackup.empty() ? std::string("none") : lists.newestSystemBackup));
}

}  // namespace

void listSets(TForm1& form, const std::vector<std::string>&, const ConsoleLinePrinter& print) {
  form.FillList();
  printSets(form, print);
}

void addSet(TForm1& form, const std::vector<std::string>& values, const ConsoleLinePrinter& print) {
  form.FillList();
  const std::string directory = CheckPath(values.at(0));
  if (directory.size() < 3 || !form.core.env.files.directoryExists(RemoveBackSl(directory)))
    throw Error("The folder " + values[0] + " does not exist");
  BackupManagerPage& page = form.preferences.backupManager;
  if (page.isRegistered(directory)) throw Error(directory + " is already in the Backup Manager");
  page.AddSet(directory);
  printSets(form, print);
}

void renameSet(TForm1& form, const std::vector<std::string>& values,
               const ConsoleLinePrinter& print) {
  form.FillList();
  const size_t row = setRow(form, values.at(0));
  const std::string& name = values.at(1);
  if (!isUsableSetName(name)) throw Error("\"" + name + "\": " + kSetNameRefused);
  const BackupSetRow& set = form.backup.manager.lists.rows[row];
  if (!platform::ansiEqualNoCase(name, set.name) && form.core.env.files.exists(set.folder + name))
    throw Error(set.folder + name + " already exists");
  if (!form.preferences.backupManager.ListView1Edited(row, name))
    throw Error("The backup set " + set.folder + set.name + " could not be renamed");
  printSets(form, print);
}

void deleteSet(TForm1& form, const std::vector<std::string>& values,
               const ConsoleLinePrinter& print) {
  form.FillList();
  const size_t row = setRow(form, values.at(0));
  const std::string directory = form.backup.manager.lists.rows[row].directory();
  if (const std::optional<std::string> refusal =
          form.backup.manager.protectedSetDirectory(directory))
    throw Error(*refusal);
  BackupManagerPage& page = form.preferences.backupManager;
  page.ListView1SelectItem({row});
  page.DeleteClick();
  printSets(form, print);
}

void listSystemBackups(TForm1& form, const std::vector<std::string>&,
                       const ConsoleLinePrinter& print) {
  requireSystemBackups(form);
  form.FillList();
  printSystemBackups(form, print);
}

void deleteSystemBackup(TForm1& form, const std::vector<std::string>& values,
                        const ConsoleLinePrinter& print) {
  requireSystemBackups(form);
  form.FillList();
  const std::vector<SystemBackupRow>& rows = form.backup.manager.lists.systemRows;
  const std::string& name = values.at(0);
  size_t row = 0;
  while (row < rows.size() && !platform::ansiEqualNoCase(rows[row].name, name)) ++row;
  if (row == rows.size()) throw Error("There is no system backup " + name);
  SystemBackupsPage& page = form.preferences.systemBackups;
  page.ListView2SelectItem(row);
  page.DeleteClick();
  printSystemBackups(form, print);
}

}  // namespace corvasta
