#pragma once
// TForm10: the Extractor dialog's logic, "Extract Files from Backup". It
// opens a backup (an archive of a compressed set, a block of a split
// archive, spanned disks, or the directory of an uncompressed set), lists its
// files in the check tree by drive and folder, and extracts or copies the
// checked ones. Its Qt view binds widgets to these fields; the console front
// end drives it through ExtractorConsole.h.
//
// The implementation is spread over files by concern:
//   Unit10.cpp             activation, settings, the small buttons and lists
//   ExtractorListing.cpp   the browse button: the archive's entries or the directory's files
//   ExtractorExtract.cpp   the Extract button and its report

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "extractor/CheckTree.h"

namespace corvasta {

class Core;
class FileArchiving;
class ItemArchiving;

// The "Extract to:" items.
enum ExtractTo : int { kOriginalLocation = 0, kTemporaryDirectory, kSpecifyLocation, kChosenDir };

class TForm10 {
 public:
  TForm10(Core& core, FileArchiving& archiving, ItemArchiving& items);
  TForm10(const TForm10&) = delete;
  TForm10& operator=(const TForm10&) = delete;

  // --- Controls, as shown ------------------------------------------------------------
  std::string Caption = "Extract Files from Backup";
  std::string Label1 =
      "Choose a Backup File.  The contents of the Backup File will be shown.  Check the files "
      "that you want to extract.  Specify where you want them extracted to.  Then press the "
      "Extract button.";
  std::string CheckBox2Caption = "Extract from Compressed Backup";
  bool CheckBox2 = true;  // compressed mode when checked, directory mode otherwise
  std::string BackupLabel = "&Backup File:";  // "&Backup Dir:" in directory mode
  std::string Edit1;                          // the backup field (read-only)
  std::string Button7Caption = "...";
  std::string Button5Caption = "Notes";
  bool Button5Enabled = false;
  std::string ContentsLabel = "&Contents of Backup File";
  TCheckTree TreeView1;
  int Selected = -1;  // the tree's selected node
  std::string CountLabel = "No Files in Backup File";
  bool ProgressBarVisible = false;
  int ProgressBarPosition = 0;
  std::string Button2Caption = "Check &All Files";
  bool Button2Enabled = false;
  std::string Button3Caption = "Entire &Directory";
  bool Button3Enabled = false;
  std::string ExtractToLabel = "Ex&tract to:";
  std::vector<std::string> ComboBox1Items;
  int ComboBox1Index = 0;
  std::string CheckBox1Caption = "&Recurse Directories";
  bool CheckBox1 = true;
  bool CheckBox1Enabled = false;
  std::string Button4Caption = "&Help";
  std::string Button8Caption = "&Extract";
  bool Button8Enabled = false;
  std::string Button1Caption = "E&xit";
  bool BusyCursor = false;
  bool Closed = false;

  // How the paths shown map back to the backup: "0" for an archive and a
  // directory listed by its real paths, otherwise the directory holding the
  // drive-letter folders of an uncompressed set (with a final backslash).
  std::string ListingBase = "0";

  // --- What a view installs -----------------------------------------------------------
  // Repaints the count label (called at most every 50 ms while listing).
  std::function<void()> PaintCountLabel;
  // Repaints the progress bar over the count label (called at each of the
  // extraction's total-percent events).
  std::function<void()> PaintProgressBar;
  // Opens the help file at a topic.
  std::function<void(const std::string& file, const std::string& topic)> ShowHelp;

  // --- Handlers ------------------------------------------------------------------------
  // Activation: an empty tree with the drive roots, the stored settings.
  void FormShow();
  void ReadIni();
  // By "E&xit" only.
  void WriteIni();
  // The browse button: compressed mode an archive, directory mode a folder.
  void Button7Click();
  // "Notes": the backup's notes file opened with its application.
  void Button5Click();
  // "Check &All Files" / "&Uncheck All Files".
  void Button2Click();
  // "Entire &Directory": the selected file's state to every file of its folder.
  void Button3Click();
  // "Ex&tract to:" changed to item `index`.
  void ComboBox1Change(int index);
  // "Extract from Compressed Backup" clicked (the new state).
  void CheckBox2Click(bool checked);
  // "&Extract".
  void Button8Click();
  // "&Help": topic "Topic11".
  void Button4Click();
  // "E&xit": the settings saved, the dialog closed.
  void Button1Click();
  // A click on a file node's check box or text toggles it.
  void ToggleNode(int node);

  // The path without its extension: everything from the last "." when no
  // "\" or ":" follows it.
  static std::string ExcludeFileExt(const std::string& path);

  Core& core;
  FileArchiving& archiving;
  ItemArchiving& items;

 private:
  // "&Recurse Directories": enabled only away from "Original Location" in
  // compressed mode, checked with "Original Location".
  void applyRecurseRule();
  void setBackupLabel();
  // The count label changed: painted when 50 ms have passed since the last time.
  void countChanged(bool force);
  double lastPaint_ = -1;
  // The hourglass, the backup field, the count label, an empty tree.
  void startListing(const std::string& backup, const std::string& countLabel);
  void listArchive(const std::string& file);
  void listDirectory(const std::string& directory);
  void addListed(const std::string& path, int entry);
  void finishListing();
  std::string browseStart() const;
  // The destination of an extraction (empty: the original location); nullopt
  // when "Specify Location..." has none and the user cancelled the question.
  std::optional<std::string> destination();
  int extractArchive(const std::string& destDir);
  int copyDirectoryFiles(const std::string& destDir, const std::vector<std::string>& files);
  void report(int count, const std::string& destDir);
};

}  // namespace corvasta
