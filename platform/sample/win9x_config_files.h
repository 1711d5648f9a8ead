#pragma once
// The text of the start-up and configuration files of a Windows 95, 98 or ME
// installation, as Setup leaves them ("\n" line ends).

#include <string>

#include "platform/sample/sample_layout.h"

namespace platform::sample {

std::string win9xAutoexecBat(const SampleLayout& layout);
std::string win9xConfigSys(const SampleLayout& layout);
std::string win9xMsdosSys(const SampleLayout& layout);
std::string win9xWinIni(const SampleLayout& layout);
std::string win9xSystemIni(const SampleLayout& layout);
std::string win9xSystemCb();
std::string win9xDosstartBat();
std::string win9xProtocolIni(const SampleLayout& layout);
std::string win9xScanregIni();
std::string win9xControlIni();

}  // namespace platform::sample
