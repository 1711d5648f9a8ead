#pragma once
// The program with its window: the Qt front end on the machine the console
// path opened.

#include "app/ProgramOptions.h"

namespace platform {
class Machine;
class FileSystem;
class LiveRegistry;
}  // namespace platform

namespace corvasta {

// Creates the application, the Qt Ui, the main window's logic and, unless
// the entry sequence ends the program, the main window; returns the exit
// code of the message loop. `argc` and `argv` must outlive the call.
int runGui(int& argc, char** argv, platform::Machine& machine, platform::FileSystem& files,
           platform::LiveRegistry& registry, const ProgramOptions& options);

}  // namespace corvasta
