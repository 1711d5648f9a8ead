#include "app/ConsoleOtherFiles.h"

#include <memory>
#include <optional>

#include "app/Unit1.h"
#include "archive/zip_scope.h"
#include "backup/OtherFilesEntry.h"
#include "backup/Unit11.h"
#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/host/host_files.h"
#include "platform/profile/ini_file.h"

namespace corvasta {

namespace {

// The names of the settings file's entries, MultiFiles0 up to the first
// without a FileName.
std::vector<std::string> entryNames(TForm1& form) {
  const platform::TIniFile settings(form.core.env.machine, form.core.settingsFile());
  std::vector<std::string> names;
  for (int i = 0;; ++i) {
    std::string name = settings.ReadString("MultiFiles" + std::to_string(i), "FileName", "");
    if (name.empty()) return names;
    names.push_back(std::move(name));
  }
}

// The editor opened on the entry named `name` (without case).
std::unique_ptr<TForm11> editorOn(TForm1& form, const std::string& name) {
  const std::vector<std::string> names = entryNames(form);
  for (size_t i = 0; i < names.size(); ++i) {
    if (!platform::ansiEqualNoCase(names[i], name)) continue;
    auto editor = std::make_unique<TForm11>(form.core);
    form.core.Form8.otherFilesNames = names;
    editor->Open(names[i], static_cast<int>(i));
    return editor;
  }
  throw Error("No Other Files entry is named \"" + name + "\"");
}

// What --other-files-entry asks for, read and checked before anything is
// changed.
struct EntryRequest {
  std::string name;
  std::vector<std::string> includes, excludes, ticks, unticks;
  std::optional<std::string> notes;
  std::optional<int> config;
};

// A mask entry as the editor keeps it: a scope, a folder and a mask.
std::string maskEntry(const std::string& option, const std::string& value) {
  const std::string entry =
      !value.empty() && (value[0] == '>' || value[0] == '|') ? value : ">" + value;
  if (archive::folderPart(entry.substr(1)).empty() || entry.back() == '\\')
    throw Error(option + " needs a folder and a mask, not \"" + value + "\"");
  return entry;
}

EntryRequest entryRequest(const std::vector<std::string>& values) {
  EntryRequest request;
  request.name = values.at(0);
  for (size_t k = 1; k + 1 < values.size(); k += 2) {
    const std::string& option = values[k];
    const std::string& value = values[k + 1];
    if (option == "--include") {
      request.includes.push_back(maskEntry(option, value));
    } else if (option == "--exclude") {
      request.excludes.push_back(maskEntry(option, value));
    } else if (option == "--tick" || option == "--untick") {
      if (archive::folderPart(value).empty())
        throw Error(option + " needs the full path of a file, not \"" + value + "\"");
      (option == "--tick" ? request.ticks : request.unticks).push_back(value);
    } else if (option == "--notes") {
      const std::optional<std::string> text = platform::host::readFile(value);
      if (!text) throw Error("--notes: cannot read " + value);
      request.notes = platform::utf8ToAnsi(*text);
    } else if (option == "--config") {
      request.config = consoleNumber(value, 1, 4, "--config");
    }
  }
  return request;
}

// Ticks or unticks the file `path` in the editor's list, as a click in its
// tick zone does; throws when the folder holds no such file.
void setTick(TForm11& editor, const std::string& option, const std::string& path, bool checked) {
  const std::string folder = archive::folderPart(path);
  editor.DirTree1.SetDirectory(folder);
  const std::string name = path.substr(folder.size());
  std::vector<ChFileItem>& items = editor.KTChFileList1.Items;
  for (size_t k = 0; k < items.size(); ++k) {
    if (!items[k].isFile() || !platform::ansiEqualNoCase(items[k].name, name)) continue;
    if (items[k].checked != checked) editor.FileItemClick(k, 0, 96);
    return;
  }
  throw Error(option + ": no file " + path);
}

}  // namespace

void otherFilesEntry(TForm1& form, const std::vector<std::string>& values,
                     const ConsoleLinePrinter& print) {
  const EntryRequest request = entryRequest(values);
  const std::vector<std::string> names = entryNames(form);
  int index = static_cast<int>(names.size());
  for (size_t i = 0; i < names.size(); ++i)
    if (platform::ansiEqualNoCase(names[i], request.name)) index = static_cast<int>(i);
  for (const std::string& path : request.ticks)
    if (!form.core.env.files.fileExists(path)) throw Error("--tick: no file " + path);
  for (const std::string& path : request.unticks)
    if (!form.core.env.files.fileExists(path)) throw Error("--untick: no file " + path);

  TForm11 editor(form.core);
  form.core.Form8.otherFilesNames = names;
  editor.Open(request.name, index);
  // The entry is made anew from the request.
  editor.lists = SelectionLists{request.includes, request.excludes, {}};
  editor.KTChFileList1.ReadFolder();
  for (const std::string& path : request.ticks) setTick(editor, "--tick", path, true);
  for (const std::string& path : request.unticks) setTick(editor, "--untick", path, false);
  if (!editor.Button1Click()) throw Error("the entry " + request.name + " was not saved");
  if (request.notes) {
    editor.NotesClick();
    editor.Memo1 = *request.notes;
    editor.NotesOKClick();
  }
  if (request.config) {
    platform::TIniFile settings(form.core.env.machine, form.core.settingsFile());
    settings.WriteInteger("MultiFiles" + std::to_string(index),
                          "Check" + std::to_string(*request.config), 1);
    PreferenceValues& prefs = form.core.Form8;
    if (prefs.curConfig == *request.config) {
      if (prefs.config.otherFilesChecks.size() <= static_cast<size_t>(index))
        prefs.config.otherFilesChecks.resize(static_cast<size_t>(index) + 1, 0);
      prefs.config.otherFilesChecks[static_cast<size_t>(index)] = 1;
    }
  }
  print("MultiFiles" + std::to_string(index) + " " + request.name);
}

void listOtherFiles(TForm1& form, const std::vector<std::string>&,
                    const ConsoleLinePrinter& print) {
  const platform::TIniFile settings(form.core.env.machine, form.core.settingsFile());
  const std::string check = "Check" + std::to_string(form.core.Form8.curConfig);
  const std::vector<std::string> names = entryNames(form);
  for (size_t i = 0; i < names.size(); ++i) {
    const OtherFilesEntry entry = readOtherFilesEntry(settings, static_cast<int>(i));
    const bool checked = settings.ReadInteger("MultiFiles" + std::to_string(i), check, 0) != 0;
    for (const std::string& line : otherFilesReportLines(entry, checked)) print(line);
  }
}

void otherFilesSize(TForm1& form, const std::vector<std::string>& values,
                    const ConsoleLinePrinter& print) {
  const std::unique_ptr<TForm11> editor = editorOn(form, values.at(0));
  editor->FindSizeClick();
  print("Number of Files: " + editor->numberOfFiles);
  print("Uncompressed Size: " + editor->uncompressedSize);
}

}  // namespace corvasta
