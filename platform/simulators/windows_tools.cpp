#include "platform/simulators/windows_tools.h"

#include <iostream>

#include "platform/boot/boot_log.h"
#include "platform/boot/dos_session.h"
#include "platform/core/codepage.h"
#include "platform/simulators/cabinet_extractor.h"
#include "platform/simulators/disk_format.h"
#include "platform/simulators/file_expander.h"
#include "platform/simulators/registry_checker.h"
#include "platform/simulators/registry_editor.h"
#include "platform/system/program_search.h"
#include "platform/system/program_simulators.h"

namespace platform {
namespace {

// COMMAND.COM /C and CMD.EXE /C: the text after the switch runs as one
// command line; the exit code is the errorlevel it leaves. Without /C an
// interactive interpreter would wait for the user: it ends at once.
uint32_t runCommandInterpreter(Machine& machine, const std::string& commandLine) {
  auto program = findProgram(machine, commandLine, machine.config().programDirectory);
  std::string arguments = program ? program->arguments : std::string();
  std::string lower = ansiLower(arguments);
  size_t start = lower.find("/c");
  if (start == std::string::npos) return 0;
  std::string line = arguments.substr(start + 2);
  FileSystem files(machine);
  boot::BootLog log(machine, std::cout);
  boot::DosSession session(machine, files, log);
  session.setCurrentDirectory(machine.config().programDirectory);
  session.runCommandLine(line);
  return session.errorLevel();
}

}  // namespace

void registerWindowsToolSimulators() {
  ProgramSimulators::add("regedit", runRegistryEditor);
  ProgramSimulators::add("command", runCommandInterpreter);
  ProgramSimulators::add("cmd", runCommandInterpreter);
  ProgramSimulators::add("scanreg", runRegistryChecker);
  ProgramSimulators::add("scanregw", runWindowsRegistryChecker);
  ProgramSimulators::add("extract", runCabinetExtractor);
  ProgramSimulators::add("expand", runFileExpander);
  ProgramSimulators::add("format", runDiskFormat);
  ProgramSimulators::add("sys", runSystemTransfer);
}

}  // namespace platform
