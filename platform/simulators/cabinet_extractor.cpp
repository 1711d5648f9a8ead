#include "platform/simulators/cabinet_extractor.h"

#include <iostream>

#include "platform/cabinet/cabinet_read.h"
#include "platform/files/file_system.h"
#include "platform/files/wildcard.h"
#include "platform/simulators/extracted_file.h"
#include "platform/simulators/tool_arguments.h"
#include "platform/system/journal.h"

namespace platform {
namespace {

struct ExtractRequest {
  bool overwrite = false;  // /Y
  bool list = false;       // /D
  bool all = false;        // /E
  bool copy = false;       // /C
  std::string folder;      // /L
  std::vector<std::string> operands;
};

ExtractRequest parseRequest(const std::vector<std::string>& arguments) {
  ExtractRequest request;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (isSwitch(argument, "y"))
      request.overwrite = true;
    else if (isSwitch(argument, "d"))
      request.list = true;
    else if (isSwitch(argument, "e"))
      request.all = true;
    else if (isSwitch(argument, "c"))
      request.copy = true;
    else if (isSwitch(argument, "a"))
      continue;
    else if (isSwitch(argument, "l")) {
      if (++i == arguments.size()) throw corvasta::Error("/L names no folder");
      request.folder = arguments[i];
    } else if (!argument.empty() && argument[0] == '/')
      throw corvasta::Error("unknown switch " + argument);
    else
      request.operands.push_back(argument);
  }
  if (request.operands.empty()) throw corvasta::Error("no cabinet named");
  if (request.list && request.all) throw corvasta::Error("/D and /E cannot go together");
  return request;
}

bool wanted(const ExtractRequest& request, const std::string& name) {
  if (request.all || request.operands.size() == 1) return true;
  for (size_t i = 1; i < request.operands.size(); ++i)
    if (matchesWildcard(name, request.operands[i])) return true;
  return false;
}

void listCabinet(const std::string& cabinet, const CabinetArchive& archive) {
  std::cout << " Cabinet " << cabinet << "\n\n";
  for (const CabinetEntry& entry : archive.entries())
    std::cout << entry.size << "  " << entry.name << "\n";
  std::cout << "       " << archive.entries().size() << " file(s)\n";
}

void copyFile(FileSystem& files, const Machine& machine, const ExtractRequest& request) {
  if (request.operands.size() != 2) throw corvasta::Error("/C needs a source and a destination");
  const std::string target = toolPath(machine, request.operands[1]);
  if (files.exists(target) && !request.overwrite) return;
  files.copyFile(toolPath(machine, request.operands[0]), target, false);
}

void extractCabinet(FileSystem& files, const Machine& machine, const ExtractRequest& request) {
  const std::string cabinet = toolPath(machine, request.operands[0]);
  const std::string bytes = readMachineFile(files, cabinet);
  CabinetArchive archive(files, bytes);
  const bool single = !request.all && request.operands.size() == 1;
  if (request.list || (single && archive.entries().size() != 1)) {
    listCabinet(cabinet, archive);
    return;
  }
  std::string folder = request.folder.empty() ? machine.config().programDirectory
                                              : toolPath(machine, request.folder);
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  if (!files.directoryExists(folder))
    throw corvasta::Error("the folder " + folder + " does not exist");
  if (folder.back() != '\\') folder += '\\';
  for (size_t index = 0; index < archive.entries().size(); ++index) {
    const CabinetEntry& entry = archive.entries()[index];
    const std::string name = flatEntryName(entry);
    if (!wanted(request, name)) continue;
    const std::string target = folder + name;
    if (files.exists(target) && !request.overwrite) {
      appendJournal(files.machine(), "extract", "kept " + target + " (no /Y)");
      continue;
    }
    writeExtractedFile(files, archive, index, target);
  }
}

}  // namespace

uint32_t runCabinetExtractor(Machine& machine, const std::string& commandLine) {
  return runJournalled(machine, "extract", commandLine, [&] {
    const ExtractRequest request = parseRequest(toolArguments(machine, commandLine));
    FileSystem files(machine);
    if (request.copy)
      copyFile(files, machine, request);
    else
      extractCabinet(files, machine, request);
  });
}

}  // namespace platform
