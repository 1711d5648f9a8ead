#pragma once
// Every way the program logic talks to a person. The logic never includes a
// toolkit: the Qt front end, the console front end and the tests' scripted
// front end each implement this interface.
//
// Message boxes use the Windows button sets and result codes, so the logic
// keeps the decisions of the Windows program (IDYES, IDCANCEL ...) unchanged.
// Texts are ANSI; a "\r" in a text is one line break.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvasta {

// MessageBox button sets (MB_OK ... MB_RETRYCANCEL).
enum class Buttons {
  Ok = 0,
  OkCancel = 1,
  AbortRetryIgnore = 2,
  YesNoCancel = 3,
  YesNo = 4,
  RetryCancel = 5
};

// MessageBox icons (MB_ICONHAND ... MB_ICONASTERISK).
enum class Icon { None = 0, Error = 0x10, Question = 0x20, Warning = 0x30, Information = 0x40 };

// MessageBox results.
enum DialogResult : int {
  IDOK = 1,
  IDCANCEL = 2,
  IDABORT = 3,
  IDRETRY = 4,
  IDIGNORE = 5,
  IDYES = 6,
  IDNO = 7,
};

// The results a button set offers, in button order; the first is the default.
std::vector<int> resultsOf(Buttons buttons);
// "OK", "Cancel", "Yes" ... for a result.
const char* resultName(int result);
// The first of a menu's items whose caption begins with `answer` (without
// case): how the scripted front ends name the item they choose.
std::optional<size_t> menuItemStartingWith(const std::vector<std::string>& items,
                                           const std::string& answer);
// Whether menu item `index` can be chosen (`enabled` empty: every item).
inline bool menuItemEnabled(const std::vector<bool>& enabled, size_t index) {
  return enabled.empty() || (index < enabled.size() && enabled[index]);
}

// The state of the progress window ("Please Wait"), kept by the logic and
// shown by the front end.
struct ProgressView {
  bool visible = false;
  std::string caption;
  std::string status;
  int overall = 0, overallMax = 100;
  int item = 0, itemMax = 100;
  std::string percent;
  bool animating = false;
};

class Ui {
 public:
  virtual ~Ui() = default;

  // A modal message box; returns one of the results of `buttons`.
  // `defaultButton` (0-based, in the order of `buttons`) takes Enter and is
  // the answer of an unattended run: the second one for a question whose
  // Yes loses data.
  virtual int messageBox(const std::string& text, const std::string& caption, Buttons buttons,
                         Icon icon = Icon::None, size_t defaultButton = 0) = 0;
  // A modal input box; nullopt when cancelled. `masked` hides the typing (passwords).
  virtual std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                              const std::string& initial, bool masked) = 0;
  // Open-file and folder choosers; nullopt when cancelled. Paths are Windows paths.
  virtual std::optional<std::string> chooseFile(const std::string& title, const std::string& filter,
                                                const std::string& initialFolder) = 0;
  virtual std::optional<std::string> chooseFolder(const std::string& title,
                                                  const std::string& initialFolder) = 0;

  // A pop-up menu of `items` (the captions, in order) for the source that
  // `caption` names; the index of the item chosen, or none when the menu
  // was dismissed. `enabled` runs parallel to `items` (empty: every item is
  // enabled); a disabled item is shown but cannot be chosen.
  virtual std::optional<size_t> popupMenu(const std::string& caption,
                                          const std::vector<std::string>& items,
                                          const std::vector<bool>& enabled) = 0;
  std::optional<size_t> popupMenu(const std::string& caption,
                                  const std::vector<std::string>& items) {
    return popupMenu(caption, items, {});
  }

  // The progress window changed (shown, hidden, texts, gauges).
  virtual void showProgress(const ProgressView& view) = 0;
  // The warning list ("WARNING"): modal; `yesNo` chooses Yes/No buttons instead
  // of OK. Returns IDOK, IDYES or IDNO.
  virtual int showWarningList(const std::vector<std::string>& lines, bool yesNo) = 0;

  virtual void beep() = 0;
  virtual void setApplicationTitle(const std::string& title) = 0;
  virtual void setBusyCursor(bool busy) = 0;
  virtual void minimize() = 0;
  virtual void restore() = 0;
  // Lets the front end handle what the user did meanwhile (the progress
  // window's Cancel and Minimize run their handlers from here).
  virtual void processMessages() = 0;

  // Handlers the progress window's buttons call.
  void setProgressHandlers(std::function<void()> onCancel, std::function<void()> onMinimize) {
    onCancel_ = std::move(onCancel);
    onMinimize_ = std::move(onMinimize);
  }

 protected:
  void pressCancel() {
    if (onCancel_) onCancel_();
  }
  void pressMinimize() {
    if (onMinimize_) onMinimize_();
  }

 private:
  std::function<void()> onCancel_, onMinimize_;
};

}  // namespace corvasta
