// The warning about registry files that cannot be read. The platform loads
// such a file as an empty hive and never writes it, so the program can run,
// and a restore can still put a good registry in its place; the person in
// front of the machine is told once, at the window start, and the activity
// log keeps the file names for results.txt.

#include "app/Unit1.h"
#include "platform/live_registry/live_registry.h"

namespace corvasta {

void TForm1::WarnOfDamagedRegistry() {
  const std::vector<std::string> damaged = core.env.registry.damagedFiles();
  if (damaged.empty()) return;
  std::string text = damaged.size() == 1 ? "This registry file is damaged and cannot be read:"
                                         : "These registry files are damaged and cannot be read:";
  text += "\r";
  for (const std::string& file : damaged) {
    text += "\r" + file;
    core.Log("Damaged registry file: " + file);
  }
  text += "\r\rCorvasta works without " + std::string(damaged.size() == 1 ? "it" : "them") +
          " and will not change " + (damaged.size() == 1 ? "it" : "them") +
          ".  Use the Crash Fixer to restore the registry from a backup.";
  core.env.ui.messageBox(text, "Damaged Registry - " + core.ApplicationTitle, Buttons::Ok,
                         Icon::Warning);
}

}  // namespace corvasta
