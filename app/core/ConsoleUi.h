#pragma once
// The console front end's Ui: for scheduled and scripted runs without a
// display. Messages are printed; questions are answered from an answers file
// (`--answers FILE`) or with the box's default button (the first, unless the
// caller names another). Ctrl-C presses the
// progress window's Cancel.
//
// Answers file: one rule per line, "PATTERN => ANSWER". A rule applies when
// PATTERN occurs (without case) in the caption or the text of a question; the
// first matching rule wins. ANSWER is a button name (OK, Cancel, Yes, No,
// Abort, Retry, Ignore) or, for input boxes, the text to enter. Lines starting
// with "#" are comments.
//
// Pop-up menus: a rule whose PATTERN occurs in the menu's caption (the
// source it belongs to: "Corvasta Backups", "WinME Backups", "WinXP Restore
// Points") chooses the first item whose caption begins with ANSWER ("Most
// Recent", "002", "RP2", a set's name); "Cancel" dismisses the menu. Without
// a rule the first item is chosen.

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/core/Ui.h"

namespace corvasta {

class ConsoleUi : public Ui {
 public:
  explicit ConsoleUi(FILE* out = stdout);
  // Throws corvasta::Error for an unreadable file or a malformed line.
  void loadAnswers(const std::filesystem::path& file);
  void addAnswer(std::string pattern, std::string answer);

  int messageBox(const std::string& text, const std::string& caption, Buttons buttons, Icon icon,
                 size_t defaultButton = 0) override;
  std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& initial, bool masked) override;
  std::optional<std::string> chooseFile(const std::string& title, const std::string& filter,
                                        const std::string& initialFolder) override;
  std::optional<std::string> chooseFolder(const std::string& title,
                                          const std::string& initialFolder) override;
  using Ui::popupMenu;
  std::optional<size_t> popupMenu(const std::string& caption, const std::vector<std::string>& items,
                                  const std::vector<bool>& enabled) override;
  void showProgress(const ProgressView& view) override;
  int showWarningList(const std::vector<std::string>& lines, bool yesNo) override;
  void beep() override {}
  void setApplicationTitle(const std::string& title) override { title_ = title; }
  void setBusyCursor(bool) override {}
  void minimize() override {}
  void restore() override {}
  void processMessages() override;

  const std::string& applicationTitle() const { return title_; }

 private:
  const std::string* findAnswer(const std::string& caption, const std::string& text) const;
  void print(const std::string& ansi);

  FILE* out_;
  std::string title_;
  std::vector<std::pair<std::string, std::string>> answers_;
  std::string lastStatus_;
  bool progressVisible_ = false;
};

// Installs a SIGINT handler whose presses ConsoleUi::processMessages turns
// into the progress window's Cancel.
void installConsoleInterruptHandler();

}  // namespace corvasta
