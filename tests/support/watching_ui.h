#pragma once
// The scripted Ui with a look at the program each time it lets messages run.

#include <functional>

#include "app/core/ScriptedUi.h"

namespace testing_support {

struct WatchingUi : corvasta::ScriptedUi {
  std::function<void()> onMessages;
  void processMessages() override {
    if (onMessages) onMessages();
    ScriptedUi::processMessages();
  }
};

}  // namespace testing_support
