#pragma once
// The text of the start-up and configuration files of a Windows NT 4, 2000
// or XP installation, as Setup leaves them ("\n" line ends).

#include <string>

#include "platform/sample/sample_layout.h"

namespace platform::sample {

std::string ntBootIni(const SampleLayout& layout);
std::string ntAutoexecNt();
std::string ntConfigNt();
std::string ntWinIni();
std::string ntSystemIni();
// The repair folder's record of the installation.
std::string ntSetupLog(const SampleLayout& layout);
std::string ntHostsFile();

}  // namespace platform::sample
