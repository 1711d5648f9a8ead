// The program's entry sequence: the command-line switches, the automatic
// runs they request, and the starts that end without showing the window.
// Switch words are compared exactly, case-sensitively.

#include <array>
#include <string_view>

#include "app/DueDates.h"
#include "app/Unit1.h"
#include "app/core/DeleteFile.h"
#include "app/core/EditAutoexec.h"
#include "platform/core/codepage.h"
#include "platform/profile/ini_file.h"
#include "platform/system/system_info.h"

namespace corvasta {
namespace {

// The automation sections of the six run requests, in the order start,
// backup 1 to 4, RegPack.
constexpr std::array<std::string_view, 6> kRequestSections{
    "AutoStart", "AutoBackup", "AutoBackup2", "AutoBackup3", "AutoBackup4", "AutoCompact"};

bool& requestOf(RunRequests& requests, size_t index) {
  if (index == 0) return requests.start;
  if (index == 5) return requests.regPack;
  return requests.backup[index - 1];
}

std::string parameter(const std::vector<std::string>& params, size_t number) {
  return number >= 1 && number <= params.size() ? params[number - 1] : std::string();
}

void endWithoutWindow(TForm1& form) {
  form.showMainWindow = false;
  form.terminateRequested = true;
}

void finishOpenFiles(TForm1& form) {
  form.core.Form4.view.caption = "Please Wait";
  DeleteFileIfPresent(form.core.env.files, form.core.loc.startupDir + "CVOpen.lnk");
  form.FinishOpenCopying();
  endWithoutWindow(form);
}

// Undoes the batch-file hand-off of a restore or RegPack after Windows has
// started again.
void cleanAfterRestart(TForm1& form, const std::vector<std::string>& params) {
  const std::string what = parameter(params, 2);
  const std::string file = parameter(params, 3);
  if (what == "delete") {
    if (!file.empty()) DeleteFileIfPresent(form.core.env.files, file);
  } else if (!file.empty()) {
    EditAutoexec(form.core.env.files, file, what, true, false, "");
  }
  DeleteFileIfPresent(form.core.env.files, form.core.loc.startupDir + "cleanup.lnk");
  endWithoutWindow(form);
}

void scheduleRequests(TForm1& form, const std::vector<std::string>& params,
                      const platform::TIniFile& settings) {
  RunRequests& requests = form.core.requests;
  if (params.size() < 2) {
    for (size_t index = 0; index < kRequestSections.size(); ++index)
      requestOf(requests, index) = settings.ReadInteger(kRequestSections[index], "Freq", 5) == 4;
  } else {
    requests.clear();
    for (size_t number = 2; number <= params.size(); ++number) {
      const std::string& word = params[number - 1];
      if (word.empty()) continue;
      switch (word[0]) {
        case '1':
        case '2':
        case '3':
        case '4':
          requests.backup[static_cast<size_t>(word[0] - '1')] = true;
          break;
        case 'S':
        case 's':
          requests.start = true;
          break;
        case 'R':
        case 'r':
          requests.regPack = true;
          break;
        case 'P':
        case 'p':
          form.StartupPassword = word.substr(1);
          break;
        default:
          break;
      }
    }
  }
  if (!requests.any()) endWithoutWindow(form);
}

// A RegPack that restarted Windows left `Bootup`/`Action` set: its batch file
// has run, so the program opens on the RegPack tab.
void completePendingRegPack(TForm1& form, platform::TIniFile& settings) {
  const int action = settings.ReadInteger("Bootup", "Action", 0);
  if (action != 1 && action != 2) return;
  DeleteFileIfPresent(form.core.env.files, form.core.loc.programDir + "compact.reg");
  settings.WriteInteger("Bootup", "Action", 0);
  form.core.requests.regPack = false;
  form.activeTab = kRegPackTab;
  if (action == 1) form.core.requests.start = true;
}

void bootupRequests(TForm1& form, platform::TIniFile& settings) {
  RunRequests& requests = form.core.requests;
  for (size_t index = 0; index < kRequestSections.size(); ++index)
    requestOf(requests, index) = settings.ReadBool(kRequestSections[index], "switch", false);
  if (requests.any()) return;  // an earlier start did not finish its runs
  const platform::SystemTime today = form.core.now();
  for (size_t index = 0; index < kRequestSections.size(); ++index) {
    bool& request = requestOf(requests, index);
    request = EvaluateDueDate(settings, kRequestSections[index], today);
    settings.WriteBool(kRequestSections[index], "switch", request);
  }
}

}  // namespace

bool TForm1::RunEntrySequence(const std::vector<std::string>& params) {
  const std::string first = parameter(params, 1);
  StartupPassword.clear();
  core.ApplicationTitle = "Corvasta " + core.LongModeName;
  core.env.ui.setApplicationTitle(core.ApplicationTitle);
  FormCreate();

  platform::TIniFile settings(core.env.machine, core.settingsFile());
  if (first == "bootup") core.Pause(settings.ReadInteger("AutoStart", "Pause", 0));

  core.ReadSystemLocations();

  if (first == "openfile") finishOpenFiles(*this);
  if (first == "clean") cleanAfterRestart(*this, params);
  if (first == "schedule") scheduleRequests(*this, params, settings);

  if (!params.empty()) {
    completePendingRegPack(*this, settings);
    if (first == "bootup") bootupRequests(*this, settings);
    if (first == "temporary") {
      core.GetStartup();
      core.loc.startupDir = core.loc.startupFolder;
      DeleteFileIfPresent(core.env.files, core.loc.startupDir + "Corvasta.lnk");
    }
    if (!core.requests.any()) endWithoutWindow(*this);
  }

  core.Form4.view.caption = "Please Wait";
  core.Form4.view.status = "Waiting";
  core.Form6.caption = "WARNING";
  if (!StartupPassword.empty()) core.Form8.password = StartupPassword;
  return showMainWindow;
}

}  // namespace corvasta
