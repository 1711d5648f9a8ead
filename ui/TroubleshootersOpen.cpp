// Choosing a troubleshooter: where its file is looked for and which viewer
// shows it in each Windows mode.

#include "app/Unit1.h"
#include "platform/files/file_system.h"
#include "ui/HelpCommands.h"
#include "ui/Troubleshooters.h"

namespace corvasta {
namespace {

constexpr const char* kNotFound = "The Windows Troubleshooter could not be found.";

// Opens the item's file from the Windows directory's Help\ (or System32\);
// false when it is missing or nothing could show it.
bool openTroubleshooter(TForm1& form, const TroubleshooterItem& item) {
  const std::string helpDir = form.core.loc.windowsDir + "Help\\";
  switch (form.core.WindowsMode) {
    case 1:
      return showWinHelp(form, helpDir + item.file, item.topic);
    case 4: {
      // Windows NT 4 keeps its troubleshooters in System32\; one found only
      // in Help\ opens from there.
      const std::string system32 = form.core.loc.windowsDir + "System32\\" + item.file;
      if (form.core.env.files.fileExists(system32)) return showWinHelp(form, system32, item.topic);
      return showWinHelp(form, helpDir + item.file, item.topic);
    }
    case 2: {
      const std::string combined = helpDir + "tshoot98.chm";
      if (form.core.env.files.fileExists(combined)) return showHtmlHelp(form, combined, item.topic);
      return openWithRegisteredApplication(form, helpDir + item.file);
    }
    default:
      return showHtmlHelp(form, helpDir + item.file, item.topic);
  }
}

}  // namespace

void PM1Click(TForm1& form, int item) {
  const TroubleshooterMenu menu = troubleshooterMenu(form.core.WindowsMode);
  const bool known =
      item >= 1 && item <= kTroubleshooterItems && menu[static_cast<size_t>(item - 1)].has_value();
  if (!known || !openTroubleshooter(form, *menu[static_cast<size_t>(item - 1)]))
    form.core.env.ui.messageBox(kNotFound, form.core.ApplicationTitle, Buttons::Ok);
}

}  // namespace corvasta
