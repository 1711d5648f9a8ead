// corvasta: the program on a machine. With --console (or in a build without
// the Qt front end) it runs the entry sequence; when the program would show
// its window, it runs the window start sequence with the requested automatic
// work (with --restore, a restore from the stored source and extent; with
// --open, a press of that RegPack tab button or of "&Extractor"; with a
// console command, that command, app/ConsoleCommands.h), then closes the window as its
// Exit button does. The status line's text is printed whenever the window
// would build it, so the RegPack figures it keeps behave as with the window. Otherwise the main
// window runs (gui_main.cpp).

#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/ConsoleCommands.h"
#include "app/ProgramOptions.h"
#include "app/Unit1.h"
#include "app/core/ConsoleUi.h"
#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "platform/live_registry/live_registry.h"
#include "platform/sample/machine_selection.h"
#include "platform/simulators/windows_tools.h"

#ifdef CORVASTA_GUI
#include "app/main/gui_main.h"
#endif

namespace {

int run(int argc, char** argv) {
  const std::filesystem::path machineFolder = platform::sample::selectMachineFolder(argc, argv);
  const corvasta::ProgramOptions options =
      corvasta::parseProgramOptions(std::vector<std::string>(argv + 1, argv + argc));
#ifndef CORVASTA_GUI
  if (!options.console)
    std::fprintf(stderr, "corvasta: this build has no window; running the console front end.\n");
#endif

  // The Windows tools the program starts (the Registry Editor, the command
  // interpreters) run as built-in simulators where the machine says so.
  platform::registerWindowsToolSimulators();
  std::unique_ptr<platform::Machine> machine = platform::Machine::open(machineFolder);
  platform::FileSystem files(*machine);
  platform::LiveRegistry registry(*machine, files);
#ifdef CORVASTA_GUI
  if (!options.console) return corvasta::runGui(argc, argv, *machine, files, registry, options);
#endif
  corvasta::ConsoleUi ui;
  if (options.answersFile) ui.loadAnswers(*options.answersFile);
  corvasta::installConsoleInterruptHandler();

  corvasta::TForm1 form(corvasta::Environment{*machine, files, registry, ui}, options.windowsMode);
  form.GetMarqueeText = [&form] {
    form.MakeMarqueeText();
    std::printf("Status: %s\n", form.MarqueeText.c_str());
    std::fflush(stdout);
  };
  if (!form.RunEntrySequence(options.switches)) return 0;
  form.FormShow();
  if (options.restore && !form.terminateRequested) {
    form.ComboBox1Change();
    form.RestoreClick();
  }
  if (!form.terminateRequested) {
    if (options.open == corvasta::ProgramOptions::Button::RegPack) form.CompactClick();
    if (options.open == corvasta::ProgramOptions::Button::UndoRegPack) form.Button6Click();
    if (options.open == corvasta::ProgramOptions::Button::Extractor)
      form.ExtractorClick({}, [](const std::string& line) {
        std::printf("%s\n", platform::ansiToUtf8(line).c_str());
        std::fflush(stdout);
      });
  }
  if (options.command && !form.terminateRequested) {
    try {
      corvasta::runConsoleCommand(form, *options.command, [](const std::string& line) {
        std::printf("%s\n", platform::ansiToUtf8(line).c_str());
        std::fflush(stdout);
      });
    } catch (const std::exception& error) {
      std::fprintf(stderr, "corvasta: %s\n", error.what());
      if (form.FormCloseQuery()) form.FormClose();
      return 1;
    }
  }
  if (form.FormCloseQuery()) form.FormClose();
  // A restore that ended in its error handler fails the run.
  return options.restore && form.restore.state.runFailed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "corvasta: %s\n", error.what());
    return 1;
  }
}
