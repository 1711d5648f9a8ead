// The rig's program: making it, its starts and restarts, and its clock.

#include "tests/support/program_rig.h"

#include <sstream>

#include "platform/boot/next_start.h"
#include "platform/system/command_line.h"
#include "tests/support/form_access.h"

namespace testing_support {
namespace {

// The mode the program of a Windows version runs in.
int modeOf(platform::WindowsVersion version) {
  return static_cast<int>(version) + 1;
}

MachineBuilder withHeldFiles(const std::filesystem::path& folder,
                             const std::vector<std::string>& held) {
  return MachineBuilder::existing(folder).configure(
      [held](platform::MachineConfig& config) { config.openFiles = held; });
}

}  // namespace

ProgramRig::ProgramRig(const MachineBuilder& described, corvasta::Ui& ui)
    : setDir(described.program().backupSet), ui_(ui), start_(described.program()) {
  folder = described.existingFolder().empty() ? dir / "machine" : described.existingFolder();
  MachineBuilder installed = described;
  machine = installed.installationFolders().build(folder);
  openProgram();
}

ProgramRig::~ProgramRig() {
  closeProgram();
}

void ProgramRig::openProgram() {
  if (!machine) machine = platform::Machine::open(folder);
  files = std::make_unique<platform::FileSystem>(*machine);
  registry = std::make_unique<platform::LiveRegistry>(*machine, *files);
  const int mode = start_.windowsMode != 0 ? start_.windowsMode : modeOf(machine->version());
  form = form_access::makeForm({*machine, *files, *registry, ui_}, mode);
  form_access::setClock(*form, start_.today, fakeSeconds);
  form_access::findLocations(*form);
  form_access::applyProgramStart(*form, start_);
}

void ProgramRig::closeProgram() {
  form.reset();
  registry.reset();
  files.reset();
  machine.reset();
}

bool ProgramRig::start(const std::vector<std::string>& params) {
  return form_access::runStart(*form, params);
}

void ProgramRig::restartProgram() {
  closeProgram();
  openProgram();
}

void ProgramRig::restartWindows(const std::vector<std::string>& stillHeld,
                                const std::filesystem::path& program) {
  closeProgram();
  {
    // Before Windows runs nothing holds the files (the MS-DOS phase would
    // otherwise find them held).
    std::unique_ptr<platform::Machine> booting = withHeldFiles(folder, {}).build(folder);
    std::ostringstream log;
    platform::boot::startWindows(*booting, log, {program});
    bootLog = log.str();
  }
  machine = withHeldFiles(folder, stillHeld).build(folder);
  openProgram();
}

void ProgramRig::reconfigureMachine(const std::function<void(platform::MachineConfig&)>& change) {
  closeProgram();
  machine = MachineBuilder::existing(folder).configure(change).build(folder);
  openProgram();
}

void ProgramRig::runShortcut(const std::string& linkFile) {
  const std::vector<std::string> params =
      platform::splitArguments(form_access::shortcutArguments(*form, linkFile));
  restartProgram();
  start(params);
}

void ProgramRig::setToday(int year, int month, int day, int hour) {
  start_.today = clockTime(year, month, day, hour);  // and after a restart
  form_access::setToday(*form, start_.today);
}

std::string ProgramRig::programDir() const {
  return form_access::programDir(*form);
}

std::string ProgramRig::startup() const {
  return form_access::startupDir(*form);
}

}  // namespace testing_support
