// TForm1: construction, the Windows mode names, main window creation and the
// closing rules.

#include "app/Unit1.h"

#include <chrono>
#include <thread>

#include "app/SettingsNames.h"
#include "backup/InstallBackup.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"

namespace corvasta {
namespace {

struct ModeNames {
  const char* shortName;
  const char* longName;
};

// Indexed by the Windows mode; mode 0 is a Windows the program does not know.
constexpr std::array<ModeNames, 7> kModeNames{{{"", ""},
                                               {"95", "95"},
                                               {"98", "98"},
                                               {"ME", "ME"},
                                               {"NT", "NT"},
                                               {"2k", "2000"},
                                               {"XP", "XP"}}};

double steadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

TForm1::TForm1(Environment environment, int windowsMode)
    : env(environment),
      WindowsMode(
          windowsMode >= 0 && windowsMode < static_cast<int>(kModeNames.size()) ? windowsMode : 0),
      now(platform::localTimeNow),
      elapsedSeconds(steadySeconds),
      sleep([](int milliseconds) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
      }) {
  SetModeNames();
  ApplicationTitle = "Corvasta " + LongModeName;
  loc.programDir = CheckPath(env.machine.config().programDirectory);
  env.ui.setProgressHandlers([this] { CancelClick(); }, [this] { MinimizeClick(); });
  InstallBackup(*this);
}

TForm1::~TForm1() {
  env.ui.setProgressHandlers({}, {});
}

void TForm1::SetModeNames() {
  ShortModeName = kModeNames[static_cast<size_t>(WindowsMode)].shortName;
  LongModeName = kModeNames[static_cast<size_t>(WindowsMode)].longName;
}

void TForm1::FormCreate() {
  timer2Enabled = false;
  const std::string logo = loc.programDir + "logome.bmp";
  if (env.files.fileExists(logo)) logoPicture = logo;
}

bool TForm1::FormCloseQuery() {
  if (RegistryBusy) {
    env.ui.messageBox(kRegistryBusyMessage, ApplicationTitle, Buttons::Ok);
    return false;
  }
  WriteSettings();
  platform::TIniFile(env.machine, settingsFile()).WriteBool("AutoStart", "switch", false);
  return true;
}

void TForm1::FormClose() {
  // The CD-writing component is released with the main window; nothing of the
  // program's state outlives it.
  showMainWindow = false;
  terminateRequested = true;
}

void TForm1::EndSession() {
  if (FormCloseQuery()) FormClose();
}

void TForm1::reportNotAvailable(const std::string& what) {
  const std::string text = what + " is not available in this version of Corvasta.";
  Log(text);
  env.ui.messageBox(text, ApplicationTitle, Buttons::Ok, Icon::Information);
}

}  // namespace corvasta
