// The program's shortcut files: MakeShortcut and the readers CheckTarget and
// CheckParameters.

#include <optional>

#include "app/core/Core.h"
#include "app/core/ShellLnk.h"
#include "platform/files/file_system.h"

namespace corvasta {
namespace {

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

std::string Core::ProgramPath() const {
  return loc.programDir + "crvast" + ShortModeName + ".exe";
}

void Core::MakeShortcut(const std::string& target, const std::string& arguments,
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
std::optional<TShellLink> readShortcut(Core& form, const std::string& linkFile) {
  if (!form.env.files.fileExists(linkFile)) return std::nullopt;
  TShellLink link(form.env.files, &form.env.registry);
  link.FileName = linkFile;
  link.Read();
  return link;
}

}  // namespace

std::string Core::CheckTarget(const std::string& linkFile) {
  const std::optional<TShellLink> link = readShortcut(*this, linkFile);
  return link ? link->Target : std::string();
}

std::string Core::CheckParameters(const std::string& linkFile) {
  const std::optional<TShellLink> link = readShortcut(*this, linkFile);
  return link ? link->Arguments : std::string();
}

}  // namespace corvasta
