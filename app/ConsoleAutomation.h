#pragma once
// Console commands of the Automation and Desktop Icons pages: the tasks'
// frequencies, stored dates and next due days with the desktop icons
// (--automation), a frequency picked (--set-frequency) and an icon made
// (--desktop-icon).

#include <string>
#include <vector>

#include "app/ConsoleCommands.h"

namespace corvasta {

void showAutomation(TForm1& form, const std::vector<std::string>& values,
                    const ConsoleLinePrinter& print);
void setFrequency(TForm1& form, const std::vector<std::string>& values,
                  const ConsoleLinePrinter& print);
void makeDesktopIcon(TForm1& form, const std::vector<std::string>& values,
                     const ConsoleLinePrinter& print);

}  // namespace corvasta
