#include "ui/OperationGuard.h"

#include "app/core/Core.h"
#include "platform/core/errors.h"

namespace corvasta {

void runReportingErrors(Core& core, const std::function<void()>& operation) {
  try {
    operation();
  } catch (const corvasta::Error& error) {
    core.env.ui.messageBox(error.what(), core.ApplicationTitle, Buttons::Ok, Icon::Error);
  }
}

}  // namespace corvasta
