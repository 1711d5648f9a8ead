#pragma once
// TForm11: the Other Files editor's logic ("Files to Backup"), without a
// toolkit. It edits one entry of sections MultiFiles i: its name, the file
// types included or excluded per folder, the single files ticked or
// unticked, and its notes, and it estimates the size of the selection. Its
// pages are Main, More, Size and Notes; a view (ui/) or the console binds to
// the fields below and calls the handlers.
//
// The Preferences dialog's "&New" and "&Edit" open it with Open(name, index).

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "backup/ChFileList.h"
#include "backup/DirTree.h"
#include "backup/OtherFilesChecks.h"
#include "backup/OtherFilesSize.h"
#include "platform/files/current_directory.h"

namespace corvasta {

class Core;

enum class OtherFilesPage { Main, More, Size, Notes };

// The file-type buttons of the main page's "Select" row: hint and mask; the
// first is "All".
struct FileTypeButton {
  const char* hint;
  const char* mask;
};
inline constexpr size_t kFileTypeButtons = 12;
const std::array<FileTypeButton, kFileTypeButtons>& fileTypeButtons();

// The More page's combo box entries.
const std::vector<std::string>& moreFileGroups();
inline constexpr const char* kChooseOrTypeIn = "Choose or Type in Entry";

// The lists of an entry's FileType k and Files k values: a value starting
// with "-" is an exclusion, any other an inclusion, and one without a folder
// is taken in `folder`; chosen files as they stand.
SelectionLists loadedSelection(const std::vector<std::string>& fileTypes,
                               const std::vector<std::string>& files, const std::string& folder);

// Which type buttons the lists show down in `folder` (the first is "All"),
// and whether "Include &subdirectories" stays checked: it is cleared once a
// button is set while or after an entry of scope "|" for that folder.
struct FileTypesShown {
  std::array<bool, kFileTypeButtons> down{};
  bool includeSubdirectories = true;
};
FileTypesShown fileTypesShown(const SelectionLists& lists, const std::string& folder);

class TForm11 {
 public:
  explicit TForm11(Core& core);
  TForm11(const TForm11&) = delete;
  TForm11& operator=(const TForm11&) = delete;

  // Opens the editor on entry `index` named `name`: a new entry when `index`
  // is the number of entries in the Preferences dialog's Other Files list.
  // Shows the main page and runs FormShow.
  void Open(const std::string& name, int index);

  Core& core;
  int EntryNumber = 0;
  std::string Edit1;  // "Name of this Zip Package:"
  OtherFilesPage page = OtherFilesPage::Main;
  bool closed = false;  // OK saved, or Cancel
  bool saved = false;

  // The program's current directory, which the file list moves.
  platform::CurrentDirectory currentDirectory;
  TDirTree DirTree1;
  TKTChFileList KTChFileList1;
  SelectionLists lists;
  std::string dirLabel;  // the More page's label of the current folder

  // Main page.
  bool IncludeSubdirectories = true;  // "Include &subdirectories"
  std::array<bool, kFileTypeButtons> typeDown{};

  // More page.
  std::string ComboText = kChooseOrTypeIn;
  bool MoreIncludeSubdirectories = true;
  std::optional<size_t> includeSelected, excludeSelected;

  // Size page.
  std::string sizeStatus;
  std::string numberOfFiles = "0";
  std::string uncompressedSize = "0";

  // Notes page.
  std::string Memo1;  // lines separated by "\r\n"

  std::function<void(const std::string& file, const std::string& topic)> ShowHelp;

  // --- Showing and folders ----------------------------------------------------------------
  void FormActivate() { page = OtherFilesPage::Main; }
  void FormShow();
  // A typed character: false (with the message) when the name field refuses it.
  bool Edit1KeyPress(char key);
  void DirTree1Change();
  void KTDownOneLevel(const std::string& folder);
  void RefreshClick();  // "Refresh List"
  void ShowChecks();
  void StoreChecks();
  // A click on a file item `x` pixels right of its left edge.
  void FileItemClick(size_t item, int x, int pixelsPerInch);
  const std::string& folder() const { return KTChFileList1.Directory(); }

  // --- File-type buttons (Unit11Types.cpp) ---------------------------------------------------
  void SetFileTypesButtons();
  void FileTypesClick(const std::string& mask, size_t button, bool down);
  // Button `button` (0 = "All") pressed or released.
  void TypeButtonClick(size_t button, bool down);

  // --- More page (Unit11More.cpp) ------------------------------------------------------------
  void MoreClick();
  bool includeExcludeEnabled() const;  // "&Include", "&Exclude"
  bool deleteIncludeEnabled() const { return includeSelected.has_value(); }
  bool deleteExcludeEnabled() const { return excludeSelected.has_value(); }
  void IncludeClick();
  void ExcludeClick();
  void DeleteIncludeClick();                                               // "&Delete"
  void DeleteExcludeClick();                                               // "De&lete"
  void MoveEntry(std::vector<std::string>& list, size_t from, size_t to);  // dragging
  void MoreOKClick();                                                      // "&O K"

  // --- Notes page (Unit11Notes.cpp) ----------------------------------------------------------
  void NotesClick();
  void NotesOKClick();
  void NotesCancelClick();

  // --- Size page (Unit11Size.cpp) ------------------------------------------------------------
  void FindSizeClick();  // "&Find Size of Backup"
  void SizeOKClick();    // "O K"
  SelectionSize FindSizeofZip(const std::vector<std::string>& inclusions,
                              const std::vector<std::string>& chosenFiles,
                              const std::vector<std::string>& exclusions);

  // --- Closing (Unit11Save.cpp) -------------------------------------------------------------
  // OK: the checks in order, then the save; false when a check refused.
  bool Button1Click();
  void CancelClick();
  void HelpClick();
  // The message OK's name check gives, or nothing when the name will do.
  std::optional<std::string> nameProblem();

 private:
  void message(const std::string& text);
  void reReadFolder();
  void addMask(std::vector<std::string>& list);
  std::string section() const;
  bool oldNotesKeyShown_ = false;
};

}  // namespace corvasta
