// TForm11's Notes page: the entry's notes, one settings key per line.

#include "app/core/Core.h"
#include "backup/Unit11.h"
#include "platform/profile/ini_file.h"

namespace corvasta {

namespace {

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

}  // namespace

void TForm11::NotesClick() {
  page = OtherFilesPage::Notes;
  Memo1.clear();
  const platform::TIniFile settings(core.env.machine, core.settingsFile());
  const std::string older = settings.ReadString(section(), "Notes", "");
  oldNotesKeyShown_ = !older.empty();
  if (oldNotesKeyShown_) {
    Memo1 = older;
    return;
  }
  const std::string notes = section() + "Notes";
  for (int k = 0; settings.ValueExists(notes, std::to_string(k)); ++k) {
    if (k > 0) Memo1 += "\r\n";
    Memo1 += settings.ReadString(notes, std::to_string(k), "");
  }
}

void TForm11::NotesOKClick() {
  page = OtherFilesPage::Main;
  platform::TIniFile settings(core.env.machine, core.settingsFile());
  const std::string notes = section() + "Notes";
  // The notes are replaced as a whole; an emptied field removes them, and
  // the older one-line key goes once its text has been saved in the new
  // form (not on opening the page, so that Cancel loses nothing).
  settings.EraseSection(notes);
  const std::vector<std::string> lines = linesOf(Memo1);
  for (size_t n = 0; n < lines.size(); ++n)
    settings.WriteString(notes, std::to_string(n), lines[n]);
  if (oldNotesKeyShown_) settings.DeleteKey(section(), "Notes");
  oldNotesKeyShown_ = false;
}

void TForm11::NotesCancelClick() {
  page = OtherFilesPage::Main;
  oldNotesKeyShown_ = false;
}

}  // namespace corvasta
