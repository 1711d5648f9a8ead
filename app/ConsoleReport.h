#pragma once
// The console's configuration report: `--config-report [N]`.

#include <string>
#include <vector>

#include "app/ConsoleCommands.h"

namespace corvasta {

// Writes "ConfigInfo.txt" for config N (1..4; without a value the current
// config) as "&Display Config Settings" does, and prints its lines. A bad N
// throws corvasta::Error naming it before anything is written.
void configReport(TForm1& form, const std::vector<std::string>& values,
                  const ConsoleLinePrinter& print);

}  // namespace corvasta
