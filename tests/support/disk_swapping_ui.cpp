#include "tests/support/disk_swapping_ui.h"

namespace testing_support {

int DiskSwappingUi::messageBox(const std::string& text, const std::string& caption,
                               corvasta::Buttons buttons, corvasta::Icon icon,
                               size_t defaultButton) {
  const bool diskPrompt =
      text.find("insert") != std::string::npos || text.find("Insert") != std::string::npos;
  const int answer = ScriptedUi::messageBox(text, caption, buttons, icon, defaultButton);
  if (diskPrompt) {
    diskPrompts.push_back(text);
    const bool goOn =
        answer == corvasta::IDOK || answer == corvasta::IDRETRY || answer == corvasta::IDIGNORE;
    if (goOn && diskDrive != nullptr && !nextMedia.empty()) {
      diskDrive->insert(nextMedia.front());
      nextMedia.erase(nextMedia.begin());
    }
  }
  return answer;
}

}  // namespace testing_support
