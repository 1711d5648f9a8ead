#include "app/core/Ui.h"

namespace corvasta {

std::vector<int> resultsOf(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return {IDOK};
    case Buttons::OkCancel:
      return {IDOK, IDCANCEL};
    case Buttons::AbortRetryIgnore:
      return {IDABORT, IDRETRY, IDIGNORE};
    case Buttons::YesNoCancel:
      return {IDYES, IDNO, IDCANCEL};
    case Buttons::YesNo:
      return {IDYES, IDNO};
    case Buttons::RetryCancel:
      return {IDRETRY, IDCANCEL};
  }
  return {IDOK};
}

const char* resultName(int result) {
  switch (result) {
    case IDOK:
      return "OK";
    case IDCANCEL:
      return "Cancel";
    case IDABORT:
      return "Abort";
    case IDRETRY:
      return "Retry";
    case IDIGNORE:
      return "Ignore";
    case IDYES:
      return "Yes";
    case IDNO:
      return "No";
  }
  return "?";
}

}  // namespace corvasta
