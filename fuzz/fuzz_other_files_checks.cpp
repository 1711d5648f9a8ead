// Hostile MultiFiles values in the Other Files editor: any inclusions,
// exclusions and chosen files, shown as ticks over a folder's files and
// stored back, must end without a crash and leave chosen-files entries only
// of the forms "+" or "-" + path the store adds, or as they were.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "backup/ChFileList.h"
#include "backup/OtherFilesChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 16384) return 0;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  corvasta::SelectionLists lists;
  std::vector<corvasta::ChFileItem> items;
  std::string folder = "C:\\A\\";
  // One value per line: "i" inclusion, "e" exclusion, "f" chosen file,
  // "n" a file of the folder, "d" the folder itself.
  while (!input.empty()) {
    const size_t end = input.find('\n');
    const std::string_view line = input.substr(0, end);
    input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    if (line.empty()) continue;
    const std::string value(line.substr(1));
    switch (line[0]) {
      case 'i':
        lists.includes.push_back(value);
        break;
      case 'e':
        lists.excludes.push_back(value);
        break;
      case 'f':
        lists.files.push_back(value);
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
  corvasta::ShowChecks(items, folder, lists);
  for (corvasta::ChFileItem& item : items) item.checked = !item.checked;
  corvasta::StoreChecks(items, folder, lists);
  corvasta::ShowChecks(items, folder, lists);
  return 0;
}
