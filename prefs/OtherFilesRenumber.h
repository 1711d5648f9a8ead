#pragma once
// Removing an Other Files entry from the settings file: every following
// entry moves down one number with all its keys and its notes section
// (`MultiFiles`i`Notes`), and the last number's sections disappear.

#include <cstddef>

namespace platform {
class TIniFile;
}

namespace corvasta {

void removeOtherFilesEntry(platform::TIniFile& settings, size_t index);

}  // namespace corvasta
