#pragma once
// The Windows troubleshooter menu of the Help page: 30 items whose captions,
// help files and topics depend on the Windows mode, and what choosing one
// opens (`PM1Click`).

#include <array>
#include <optional>
#include <string>

namespace corvasta {

class TForm1;

inline constexpr int kTroubleshooterItems = 30;

struct TroubleshooterItem {
  std::string caption;
  // The help file in the Windows directory's "Help\" (or, for Windows NT 4,
  // "System32\"). Windows 98 items name a page file, used when the combined
  // "tshoot98.chm" is missing.
  std::string file;
  std::string topic;
};

// The menu of a Windows mode, item 1 at index 0; an empty entry is a hidden
// item.
using TroubleshooterMenu = std::array<std::optional<TroubleshooterItem>, kTroubleshooterItems>;
TroubleshooterMenu troubleshooterMenu(int windowsMode);

// Opens troubleshooter `item` (1..30) of the form's Windows mode with the
// machine's help viewer, or shows "The Windows Troubleshooter could not be
// found." when the item, its file or a viewer for it is missing.
void PM1Click(TForm1& form, int item);

}  // namespace corvasta
