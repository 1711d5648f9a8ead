#include "platform/system/process_start.h"

#include "platform/core/codepage.h"
#include "platform/host/host_process.h"
#include "platform/system/command_line.h"
#include "platform/system/journal.h"
#include "platform/system/program_search.h"
#include "platform/system/program_simulators.h"

namespace platform {

namespace {

ProgramSimulator simulatorFor(const ProgramAction& action, const std::string& winPath) {
  auto simulator = ProgramSimulators::find(action.argument);
  if (!simulator)
    throw corvasta::Error("machine.ini [Programs] names the simulator '" + action.argument +
                          "' for " + winPath + ", but there is no such simulator");
  return *simulator;
}

uint32_t runHost(Machine& machine, const ProgramAction& action, const FoundProgram& program) {
  std::vector<std::string> arguments;
  for (const std::string& argument : splitArguments(program.arguments))
    arguments.push_back(ansiToUtf8(argument));
  return runHostCommand(ansiToUtf8(action.argument), arguments, machine.folder());
}

}  // namespace

const ProgramAction* actionFor(const MachineConfig& config, const std::string& winPath) {
  auto it = config.programs.find(winPath);
  if (it == config.programs.end()) it = config.programs.find(parseWinPath(winPath).name());
  return it == config.programs.end() ? nullptr : &it->second;
}

uint32_t runHostCommand(const std::string& command, const std::vector<std::string>& arguments,
                        const std::filesystem::path& workingFolder) {
  host::CommandOutcome outcome = host::runShellCommand(command, arguments, workingFolder);
  if (!outcome.error) return outcome.exitCode;
  throw corvasta::Error(std::string(outcome.started ? "Cannot wait for the host command '"
                                                    : "Cannot run the host command '") +
                        command + "': " + outcome.error.message());
}

ProcessResult createProcess(Machine& machine, std::string_view commandLine,
                            std::string_view currentDirectory) {
  ProcessResult result;
  std::string current =
      currentDirectory.empty() ? machine.config().programDirectory : std::string(currentDirectory);
  auto program = findProgram(machine, commandLine, current);
  if (!program) {
    result.error = WinError::FileNotFound;
    return result;
  }
  result.program = program->winPath;
  const ProgramAction* action = actionFor(machine.config(), program->winPath);
  // A simulator that is not registered is a fault of the machine, reported
  // before anything is recorded as started.
  ProgramSimulator simulator;
  if (action && action->kind == ProgramAction::Kind::Simulator)
    simulator = simulatorFor(*action, program->winPath);
  appendJournal(machine, "start", commandLine);
  if (!action) return result;
  switch (action->kind) {
    case ProgramAction::Kind::Simulator:
      result.exitCode = simulator(machine, std::string(commandLine));
      break;
    case ProgramAction::Kind::HostCommand:
      result.exitCode = runHost(machine, *action, *program);
      break;
    case ProgramAction::Kind::Exit:
      result.exitCode = action->exitCode;
      break;
  }
  return result;
}

uint32_t winExec(Machine& machine, std::string_view commandLine) {
  return createProcess(machine, commandLine).started()
             ? kWinExecStarted
             : static_cast<uint32_t>(WinError::FileNotFound);
}

}  // namespace platform
