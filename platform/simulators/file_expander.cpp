#include "platform/simulators/file_expander.h"

#include <iostream>

#include "platform/cabinet/cabinet_read.h"
#include "platform/cabinet/compressed_file.h"
#include "platform/files/file_system.h"
#include "platform/files/wildcard.h"
#include "platform/simulators/extracted_file.h"
#include "platform/simulators/tool_arguments.h"

namespace platform {
namespace {

struct ExpandRequest {
  bool rename = false;  // -R
  bool list = false;    // -D
  std::string files;    // -F:
  std::string source;
  std::string destination;
};

ExpandRequest parseRequest(const Machine& machine, const std::vector<std::string>& arguments) {
  ExpandRequest request;
  std::vector<std::string> operands;
  for (const std::string& argument : arguments) {
    if (isSwitch(argument, "r"))
      request.rename = true;
    else if (isSwitch(argument, "d"))
      request.list = true;
    else if (isSwitch(argument, "i"))
      continue;
    else if (switchValue(argument, "f", request.files))
      continue;
    else if (!argument.empty() && (argument[0] == '-' || argument[0] == '/'))
      throw corvasta::Error("unknown switch " + argument);
    else
      operands.push_back(argument);
  }
  if (operands.empty() || operands.size() > 2)
    throw corvasta::Error("expected a source and a destination");
  request.source = toolPath(machine, operands[0]);
  if (operands.size() == 2) request.destination = toolPath(machine, operands[1]);
  if (request.destination.empty() && !request.list && !request.rename)
    throw corvasta::Error("no destination named");
  return request;
}

std::string folderOf(const std::string& path) {
  return path.substr(0, path.rfind('\\'));
}

std::string nameOf(const std::string& path) {
  return path.substr(path.rfind('\\') + 1);
}

// The folder the files go to, or empty when the destination names a file.
std::string destinationFolder(FileSystem& files, const ExpandRequest& request) {
  if (request.destination.empty()) return folderOf(request.source);
  std::string folder = request.destination;
  if (folder.back() == '\\') {
    if (folder.size() > 3) folder.pop_back();
    return folder;
  }
  return files.directoryExists(folder) ? folder : std::string();
}

std::string inFolder(const std::string& folder, const std::string& name) {
  return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

void expandCabinet(FileSystem& files, const ExpandRequest& request, const std::string& bytes) {
  CabinetArchive archive(files, bytes);
  std::vector<size_t> chosen;
  for (size_t index = 0; index < archive.entries().size(); ++index) {
    const std::string name = flatEntryName(archive.entries()[index]);
    if (request.files.empty() || matchesWildcard(name, request.files)) chosen.push_back(index);
  }
  if (request.list) {
    for (size_t index : chosen)
      std::cout << request.source << ": " << archive.entries()[index].name << "\n";
    return;
  }
  const std::string folder = destinationFolder(files, request);
  if (folder.empty()) {
    if (chosen.size() != 1)
      throw corvasta::Error("the destination " + request.destination + " is not a folder, and " +
                            std::to_string(chosen.size()) + " files are to be expanded");
    writeExtractedFile(files, archive, chosen.front(), request.destination);
    return;
  }
  for (size_t index : chosen)
    writeExtractedFile(files, archive, index,
                       inFolder(folder, flatEntryName(archive.entries()[index])));
}

void expandSingleFile(FileSystem& files, const ExpandRequest& request, const std::string& bytes) {
  if (request.list) {
    std::cout << request.source << "\n";
    return;
  }
  const std::string folder = destinationFolder(files, request);
  std::string target = request.destination;
  if (!folder.empty()) {
    std::string name = nameOf(request.source);
    if (request.rename && isSzddData(bytes))
      name = expandedName(name, readSzddHeader(files, bytes).missingChar);
    target = inFolder(folder, name);
  }
  if (ansiEqualNoCase(target, request.source))
    throw corvasta::Error("the source " + request.source + " would be expanded onto itself");
  makeReplaceable(files, target);
  if (!isSzddData(bytes)) {
    files.copyFile(request.source, target, false);
    return;
  }
  expandSzdd(files, bytes, target);
  files.setFileTime(target, std::nullopt, std::nullopt,
                    files.getFileTime(request.source).lastWrite);
}

}  // namespace

uint32_t runFileExpander(Machine& machine, const std::string& commandLine) {
  return runJournalled(machine, "expand", commandLine, [&] {
    const ExpandRequest request = parseRequest(machine, toolArguments(machine, commandLine));
    FileSystem files(machine);
    const std::string bytes = readMachineFile(files, request.source);
    if (isCabinetData(bytes))
      expandCabinet(files, request, bytes);
    else
      expandSingleFile(files, request, bytes);
  });
}

}  // namespace platform
