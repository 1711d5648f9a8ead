// The help commands: the help file of the mode and the topic of each page.

#include "ui/HelpCommands.h"

#include "app/Unit1.h"
#include "platform/files/file_system.h"

namespace corvasta {
namespace {

void reportHelpMissing(TForm1& form, const std::string& file) {
  form.core.env.ui.messageBox("The help file " + file + " could not be opened.",
                              form.core.ApplicationTitle, Buttons::Ok, Icon::Information);
}

}  // namespace

void showHelpTopic(TForm1& form, const std::string& topic) {
  const std::string file = HelpFileName(form);
  if (!showWinHelp(form, file, topic)) reportHelpMissing(form, file);
}

std::string HelpFileName(TForm1& form) {
  const std::string modeFile =
      form.core.loc.programDir + "Corvasta" + form.core.ShortModeName + ".hlp";
  form.core.loc.helpFile = form.core.env.files.fileExists(modeFile)
                               ? modeFile
                               : form.core.loc.programDir + "Corvasta.hlp";
  return form.core.loc.helpFile;
}

std::string helpTopicOfTab(int tab) {
  switch (tab) {
    case kBackupTab:
      return "Topic1";
    case kCrashFixerTab:
      return "Topic2";
    case kRegPackTab:
      return "Topic41";
    case kExtractorTab:
      return "Topic35";
    case kBootDiskTab:
      return "Topic4";
    case kRepairTab:
      return "Topic38";
    case kHelpTab:
      return "Topic5";
    default:
      return "Topic23";  // the introduction page
  }
}

void HelpClick(TForm1& form, int activeTab) {
  showHelpTopic(form, helpTopicOfTab(activeTab));
}

void HelpCont(TForm1& form) {
  showHelpTopic(form, "");
}

void Button4Click(TForm1& form) {
  const std::string file = HelpFileName(form);
  if (!showWinHelp(form, file + ">tutorial", "Topic23")) reportHelpMissing(form, file);
}

}  // namespace corvasta
