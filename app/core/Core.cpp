// Core: construction, the Windows mode names, the clock, folders and the
// "not available" report.

#include "app/core/Core.h"

#include <chrono>
#include <thread>

#include "platform/core/machine.h"
#include "platform/files/file_system.h"

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

Core::Core(Environment environment, int windowsMode)
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
}

Core::~Core() {
  env.ui.setProgressHandlers({}, {});
}

void Core::SetModeNames() {
  ShortModeName = kModeNames[static_cast<size_t>(WindowsMode)].shortName;
  LongModeName = kModeNames[static_cast<size_t>(WindowsMode)].longName;
}

void Core::Pause(int seconds) {
  if (seconds <= 0) return;
  const double end = elapsedSeconds() + seconds;
  while (elapsedSeconds() < end) {
    env.ui.processMessages();
    sleep(50);
  }
}

void Core::createDirectories(const std::string& path) {
  const std::string folder = RemoveBackSl(path);
  if (folder.size() <= 2 || env.files.directoryExists(folder)) return;
  const size_t parent = folder.find_last_of('\\');
  if (parent != std::string::npos && parent > 2) createDirectories(folder.substr(0, parent));
  env.files.createDirectory(folder);
}

void Core::reportNotAvailable(const std::string& what) {
  const std::string text = what + " is not available in this version of Corvasta.";
  Log(text);
  env.ui.messageBox(text, ApplicationTitle, Buttons::Ok, Icon::Information);
}

}  // namespace corvasta
