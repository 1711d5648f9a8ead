#include "app/core/Ui.h"

#include "platform/core/codepage.h"

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

std::optional<size_t> menuItemStartingWith(const std::vector<std::string>& items,
                                           const std::string& answer) {
  if (answer.empty()) return std::nullopt;
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].size() >= answer.size() &&
        platform::ansiEqualNoCase(std::string_view(items[i]).substr(0, answer.size()), answer))
      return i;
  return std::nullopt;
}

}  // namespace corvasta
