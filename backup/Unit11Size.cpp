// TForm11's Size page: FindSizeofZip over the editor's lists.

#include "app/core/Core.h"
#include "backup/Unit11.h"

namespace corvasta {

SelectionSize TForm11::FindSizeofZip(const std::vector<std::string>& inclusions,
                                     const std::vector<std::string>& chosenFiles,
                                     const std::vector<std::string>& exclusions) {
  const SizeScan scan{core.env.files, core.env.ui, IncludeSubdirectories,
                      [this](const std::string& text) { message(text); }};
  return corvasta::FindSizeofZip(scan, inclusions, chosenFiles, exclusions);
}

void TForm11::FindSizeClick() {
  sizeStatus = "Please Wait - Corvasta is figuring the size of the Backup.";
  core.env.ui.setBusyCursor(true);
  numberOfFiles = uncompressedSize = "0";
  page = OtherFilesPage::Size;
  StoreChecks();
  const SelectionSize size = FindSizeofZip(lists.includes, lists.files, lists.excludes);
  core.env.ui.setBusyCursor(false);
  sizeStatus = "Finished - Please see results below.";
  numberOfFiles = fileCountText(size.files);
  uncompressedSize = totalSizeText(size.bytes);
}

void TForm11::SizeOKClick() {
  page = OtherFilesPage::Main;
  SetFileTypesButtons();
  reReadFolder();
}

}  // namespace corvasta
