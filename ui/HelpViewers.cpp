// Starting the machine's help viewers and registered applications.

#include <algorithm>
#include <cctype>

#include "app/Unit1.h"
#include "app/core/RegistryString.h"
#include "platform/files/file_system.h"
#include "platform/system/process_start.h"
#include "ui/HelpCommands.h"

namespace corvasta {
namespace {

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool endsWithNoCase(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         lower(text.substr(text.size() - suffix.size())) == lower(suffix);
}

std::string quoted(const std::string& text) {
  return "\"" + text + "\"";
}

std::string extensionOf(const std::string& file) {
  const size_t dot = file.find_last_of(".\\");
  if (dot == std::string::npos || file[dot] != '.') return {};
  return file.substr(dot);
}

bool start(TForm1& form, const std::string& commandLine) {
  return platform::createProcess(form.core.env.machine, commandLine).started();
}

}  // namespace

bool showWinHelp(TForm1& form, const std::string& file, const std::string& topic) {
  // A window name after ">" is not part of the file's name.
  const std::string path = file.substr(0, file.find('>'));
  if (!form.core.env.files.fileExists(path)) return false;
  std::string commandLine = "WINHLP32.EXE ";
  if (!topic.empty()) commandLine += "-i " + topic + " ";
  return start(form, commandLine + quoted(file));
}

bool showHtmlHelp(TForm1& form, const std::string& file, const std::string& topic) {
  if (!form.core.env.files.fileExists(file)) return false;
  const std::string page = endsWithNoCase(topic, ".htm") ? topic : topic + ".htm";
  if (start(form, "HH.EXE " + quoted(file + "::/" + page))) return true;
  // Without HTML Help the topic is looked up in the WinHelp file of the same
  // name (the JumpID macro jumps to a topic ID in the open file).
  const std::string extension = extensionOf(file);
  const std::string winHelpFile = file.substr(0, file.size() - extension.size()) + ".hlp";
  return showWinHelp(form, winHelpFile, topic);
}

bool openWithRegisteredApplication(TForm1& form, const std::string& file) {
  if (!form.core.env.files.fileExists(file)) return false;
  const std::string extension = extensionOf(file);
  if (extension.empty()) return false;
  const std::optional<std::string> fileClass =
      readRegistryString(form.core.env.registry, platform::HKEY_CLASSES_ROOT, extension, "");
  if (!fileClass || fileClass->empty()) return false;
  const std::optional<std::string> command =
      readRegistryString(form.core.env.registry, platform::HKEY_CLASSES_ROOT,
                         *fileClass + "\\shell\\open\\command", "");
  if (!command || command->empty()) return false;
  std::string commandLine = *command;
  const size_t placeholder = commandLine.find("%1");
  if (placeholder == std::string::npos)
    commandLine += " " + quoted(file);
  else
    commandLine.replace(placeholder, 2, file);
  return start(form, commandLine);
}

}  // namespace corvasta
