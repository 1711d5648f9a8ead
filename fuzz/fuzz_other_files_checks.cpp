// Hostile MultiFiles values in the Other Files editor: any FileType and Files
// values loaded as FormShow loads them, shown as ticks over a folder's files,
// stored back and shown as type buttons, must end without a crash.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "backup/Unit11.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 16384) return 0;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> fileTypes, files;
  std::vector<corvasta::ChFileItem> items;
  std::string folder = "C:\\A\\";
  // One value per line: "t" a FileType value, "f" a Files value, "n" a file
  // of the folder, "d" the folder itself.
  while (!input.empty()) {
    const size_t end = input.find('\n');
    const std::string_view line = input.substr(0, end);
    input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    if (line.empty()) continue;
    const std::string value(line.substr(1));
    switch (line[0]) {
      case 't':
        fileTypes.push_back(value);
        break;
      case 'f':
        files.push_back(value);
        break;
      case 'n':
        items.push_back({value, corvasta::itemCaption(value), {}, "file", false});
        break;
      case 'd':
        folder = value;
        break;
      default:
        break;
    }
  }
  corvasta::SelectionLists lists = corvasta::loadedSelection(fileTypes, files, folder);
  corvasta::ShowChecks(items, folder, lists);
  for (corvasta::ChFileItem& item : items) item.checked = !item.checked;
  corvasta::StoreChecks(items, folder, lists);
  corvasta::ShowChecks(items, folder, lists);
  corvasta::fileTypesShown(lists, folder);
  return 0;
}
