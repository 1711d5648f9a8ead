// The About screen's status text.

#include "app/MarqueeText.h"
#include "app/Unit1.h"
#include "platform/profile/ini_file.h"
#include "ui/About.h"

namespace corvasta {

std::string aboutStatusText(TForm1& form) {
  const platform::TIniFile settings(form.core.env.machine, form.core.settingsFile());
  const std::optional<platform::SystemTime> last =
      storedDate(settings.ReadInteger("Last Backup", "Year", 0),
                 settings.ReadInteger("Last Backup", "Month", 0),
                 settings.ReadInteger("Last Backup", "Day", 0));
  if (!last) return "Welcome to Corvasta";
  return "Last Backup " + datedText(*last, form.core.now(), form.core.loc.shortDateFormat);
}

}  // namespace corvasta
