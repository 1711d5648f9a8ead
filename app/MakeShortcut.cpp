// The program's shortcut files: MakeShortcut and the readers CheckTarget and
// CheckParameters, the Startup shortcut that starts the program with
// "bootup" while any automation list runs at Windows start, and the removal
// of the scheduler's job file.

#include <optional>

#include "app/DeleteFile.h"
#include "app/ShellLnk.h"
#include "app/Unit1.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"

namespace corvasta {
namespace {

constexpr int kUseScheduler = 4;

// The folder part of a target path; double quotes around the target are
// not part of it.
std::string folderOfTarget(const std::string& target) {
  std::string path = target;
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
    path = path.substr(1, path.size() - 2);
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

std::string TForm1::ProgramPath() const {
  return loc.programDir + "crvast" + ShortModeName + ".exe";
}

void TForm1::MakeShortcut(const std::string& target, const std::string& arguments,
                          const std::string& linkFile, const std::string& description) {
  TShellLink link(env.files, &env.registry);
  link.Target = target;
  link.Arguments = arguments;
  link.Description = description;
  link.FileName = linkFile;
  link.WorkingDir = folderOfTarget(target);
  link.Write();
}

namespace {

// The shortcut file's properties; nullopt when there is no such file.
std::optional<TShellLink> readShortcut(TForm1& form, const std::string& linkFile) {
  if (!form.env.files.fileExists(linkFile)) return std::nullopt;
  TShellLink link(form.env.files, &form.env.registry);
  link.FileName = linkFile;
  link.Read();
  return link;
}

}  // namespace

std::string TForm1::CheckTarget(const std::string& linkFile) {
  const std::optional<TShellLink> link = readShortcut(*this, linkFile);
  return link ? link->Target : std::string();
}

std::string TForm1::CheckParameters(const std::string& linkFile) {
  const std::optional<TShellLink> link = readShortcut(*this, linkFile);
  return link ? link->Arguments : std::string();
}

void TForm1::MaintainStartupShortcut() {
  bool runsAtStart = false;
  for (int freq : Form8.automationFreq)
    runsAtStart = runsAtStart || (freq != kUseScheduler && freq != kDoNotPerform);
  const std::string olderShortcut = loc.startupDir + "Corvasta" + ShortModeName + ".lnk";
  const std::string shortcut = loc.startupDir + "Corvasta.lnk";
  DeleteFileIfPresent(env.files, olderShortcut);
  if (!runsAtStart) {
    DeleteFileIfPresent(env.files, shortcut);
    return;
  }
  const std::string program = ProgramPath();
  std::string target;
  try {
    target = CheckTarget(shortcut);
  } catch (const ShellLinkError&) {
    // A damaged shortcut is written anew like one that points elsewhere.
  }
  if (target.empty() || !platform::ansiEqualNoCase(target, program))
    MakeShortcut(program, "bootup", shortcut, "Corvasta");
}

void TForm1::RemoveSchedulerJob() {
  DeleteFileIfPresent(env.files, loc.windowsDir + "Tasks\\Corvasta.job");
}

}  // namespace corvasta
