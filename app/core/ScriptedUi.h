#pragma once
// The tests' Ui: a queue of expected prompts with their answers. Every
// message box, input box, chooser and Yes/No warning list must have been expected,
// in order; anything else throws UnexpectedPrompt, which fails the test. An
// OK-only warning list needs no expectation: it is kept in lastWarningList. The
// transcript records everything shown, for assertions.

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/core/Ui.h"

namespace corvasta {

class UnexpectedPrompt : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

class ScriptedUi : public Ui {
 public:
  // The next prompt must contain `pattern` (without case) in its caption or
  // text; it is answered with `answer`: a button name ("Yes", "OK" ...), or
  // the text for an input box or chooser ("Cancel" cancels them).
  ScriptedUi& expect(std::string pattern, std::string answer);
  // Presses the progress window's Cancel during the n-th processMessages call
  // from now (1 = the next one).
  void pressCancelAfter(int calls);
  bool finished() const { return expected_.empty(); }
  // The default button of the last message box (0-based).
  size_t lastDefaultButton = 0;
  std::vector<std::string> pendingPatterns() const;

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
  void beep() override { transcript.push_back("Beep"); }
  void setApplicationTitle(const std::string& title) override { applicationTitle = title; }
  void setBusyCursor(bool busy) override { busyCursor = busy; }
  void minimize() override { minimized = true; }
  void restore() override { minimized = false; }
  void processMessages() override;

  // What was shown: "MessageBox [caption] text -> Yes", "Input [caption] prompt -> text",
  // "Menu [caption] item|item -> answer",
  // "Warning: line", "Progress: status" ...
  std::vector<std::string> transcript;
  std::vector<ProgressView> progressHistory;
  std::vector<std::string> lastWarningList;
  std::string applicationTitle;
  bool busyCursor = false;
  bool minimized = false;
  int processMessagesCalls = 0;

 private:
  struct Expectation {
    std::string pattern;
    std::string answer;
  };
  const Expectation take(const std::string& kind, const std::string& caption,
                         const std::string& text);

  std::deque<Expectation> expected_;
  int cancelCountdown_ = 0;
};

}  // namespace corvasta
