#pragma once
// How the windows run an operation: an error it raises is shown in a message
// box and the program goes on, as every operation's failure is.

#include <functional>

namespace corvasta {

class Core;

void runReportingErrors(Core& core, const std::function<void()>& operation);

}  // namespace corvasta
