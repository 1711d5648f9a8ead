#include "platform/simulators/disk_format.h"

#include <iostream>

#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "platform/simulators/extracted_file.h"
#include "platform/simulators/system_files.h"
#include "platform/simulators/tool_arguments.h"
#include "platform/system/journal.h"

namespace platform {
namespace {

constexpr uint32_t kFormatFatal = 4;
constexpr uint32_t kFormatDeclined = 5;
constexpr size_t kLabelLength = 11;

// A failure that ends FORMAT with its own exit code.
struct FormatStop {
  uint32_t exitCode;
  std::string reason;
};

struct FormatRequest {
  char drive = 0;
  std::string label;
  bool system = false;  // /S
};

char driveLetterOf(const std::string& operand) {
  if (operand.size() != 2 || operand[1] != ':') return 0;
  const char letter = ansiUpper(operand[0]);
  return letter >= 'A' && letter <= 'Z' ? letter : 0;
}

FormatRequest parseFormat(const std::vector<std::string>& arguments) {
  FormatRequest request;
  std::string value;
  for (const std::string& argument : arguments) {
    if (isSwitch(argument, "s"))
      request.system = true;
    else if (switchValue(argument, "v", value))
      request.label = ansiUpper(value.substr(0, kLabelLength));
    else if (isSwitch(argument, "v") || isSwitch(argument, "q") || isSwitch(argument, "u") ||
             isSwitch(argument, "b") || isSwitch(argument, "c") || isSwitch(argument, "x") ||
             isSwitch(argument, "autotest") || isSwitch(argument, "select") ||
             switchValue(argument, "f", value) || switchValue(argument, "fs", value) ||
             switchValue(argument, "a", value) || switchValue(argument, "t", value) ||
             switchValue(argument, "n", value))
      continue;
    else if (char letter = driveLetterOf(argument); letter && !request.drive)
      request.drive = letter;
    else
      throw FormatStop{kFormatFatal, "invalid parameter " + argument};
  }
  if (!request.drive) throw FormatStop{kFormatFatal, "required parameter missing: the drive"};
  return request;
}

// Removes everything below `folder` (a path ending in a backslash).
void emptyFolder(FileSystem& files, const std::string& folder) {
  for (const FindData& entry : files.findAll(folder + "*.*")) {
    if (entry.name == "." || entry.name == "..") continue;
    const std::string path = folder + entry.name;
    if (entry.attributes & kAttributeDirectory) {
      emptyFolder(files, path + "\\");
      files.setFileAttributes(path, kAttributeNormal);
      files.removeDirectory(path);
    } else {
      makeReplaceable(files, path);
      files.deleteFile(path);
    }
  }
}

void format(Machine& machine, const FormatRequest& request) {
  const Drive* drive = machine.drive(request.drive);
  const std::string root = std::string(1, request.drive) + ":\\";
  if (!drive) throw FormatStop{kFormatFatal, "no drive " + root + " on this machine"};
  if (drive->type() == DriveType::Fixed)
    throw FormatStop{kFormatDeclined, "the fixed disk " + root + " was not formatted"};
  if (drive->type() != DriveType::Removable && drive->type() != DriveType::RamDisk)
    throw FormatStop{kFormatFatal, "cannot format the drive " + root};
  if (!drive->ready()) throw FormatStop{kFormatFatal, "not ready reading drive " + root};
  FileSystem files(machine);
  emptyFolder(files, root);
  files.setVolumeLabel(root, request.label);
  if (request.system) transferSystemFiles(files, root);
  std::cout << "Format complete.\n";
  if (request.system) std::cout << "System transferred\n";
}

}  // namespace

uint32_t runDiskFormat(Machine& machine, const std::string& commandLine) {
  try {
    format(machine, parseFormat(toolArguments(machine, commandLine)));
    return 0;
  } catch (const FormatStop& stop) {
    appendJournal(machine, "format", commandLine + ": " + stop.reason);
    return stop.exitCode;
  } catch (const corvasta::Error& e) {
    appendJournal(machine, "format", commandLine + ": " + e.what());
    return kFormatFatal;
  }
}

uint32_t runSystemTransfer(Machine& machine, const std::string& commandLine) {
  return runJournalled(machine, "sys", commandLine, [&] {
    const std::vector<std::string> arguments = toolArguments(machine, commandLine);
    const char letter = arguments.empty() ? 0 : driveLetterOf(arguments.back());
    if (!letter) throw corvasta::Error("no target drive named");
    const Drive* drive = machine.drive(letter);
    if (!drive || !drive->ready() || drive->type() == DriveType::CdRom)
      throw corvasta::Error(std::string("cannot write to drive ") + letter + ":");
    FileSystem files(machine);
    transferSystemFiles(files, std::string(1, letter) + ":\\");
    std::cout << "System transferred\n";
  });
}

}  // namespace platform
