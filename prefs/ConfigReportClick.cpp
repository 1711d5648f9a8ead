// "&Display Config Settings": the configuration report of the current
// config, shown in Notepad of the Windows directory.

#include "app/core/Core.h"
#include "platform/system/process_start.h"
#include "prefs/ConfigReport.h"
#include "prefs/Unit8.h"

namespace corvasta {

void TForm8::DisplayConfigSettingsClick() {
  const std::string report = WriteConfigReport(core, core.Form8.curConfig);
  const std::string notepad = core.loc.windowsDir + "notepad.exe";
  if (platform::winExec(core.env.machine, notepad + " " + report) <= 31)
    core.env.ui.messageBox(notepad + " could not be started to show " + report + ".",
                           core.ApplicationTitle, Buttons::Ok);
}

}  // namespace corvasta
