#include "app/core/ScriptedUi.h"

#include "platform/core/codepage.h"

namespace corvasta {
namespace {

bool containsNoCase(const std::string& haystack, const std::string& needle) {
  return platform::ansiUpper(haystack).find(platform::ansiUpper(needle)) != std::string::npos;
}

}  // namespace

ScriptedUi& ScriptedUi::expect(std::string pattern, std::string answer) {
  expected_.push_back({std::move(pattern), std::move(answer)});
  return *this;
}

void ScriptedUi::pressCancelAfter(int calls) {
  cancelCountdown_ = calls;
}

std::vector<std::string> ScriptedUi::pendingPatterns() const {
  std::vector<std::string> patterns;
  for (const auto& e : expected_) patterns.push_back(e.pattern);
  return patterns;
}

const ScriptedUi::Expectation ScriptedUi::take(const std::string& kind, const std::string& caption,
                                               const std::string& text) {
  std::string shown = kind + " [" + caption + "] " + text;
  if (expected_.empty()) throw UnexpectedPrompt("unexpected " + shown);
  Expectation next = expected_.front();
  if (!containsNoCase(caption, next.pattern) && !containsNoCase(text, next.pattern))
    throw UnexpectedPrompt("expected a prompt containing '" + next.pattern + "', got " + shown);
  expected_.pop_front();
  transcript.push_back(shown + " -> " + next.answer);
  return next;
}

int ScriptedUi::messageBox(const std::string& text, const std::string& caption, Buttons buttons,
                           Icon, size_t defaultButton) {
  lastDefaultButton = defaultButton;
  Expectation e = take("MessageBox", caption, text);
  for (int result : resultsOf(buttons))
    if (platform::ansiEqualNoCase(e.answer, resultName(result))) return result;
  throw UnexpectedPrompt("answer '" + e.answer + "' is not a button of [" + caption + "] " + text);
}

std::optional<std::string> ScriptedUi::inputBox(const std::string& caption,
                                                const std::string& prompt, const std::string&,
                                                bool) {
  Expectation e = take("Input", caption, prompt);
  if (e.answer == "Cancel") return std::nullopt;
  return e.answer;
}

std::optional<std::string> ScriptedUi::chooseFile(const std::string& title, const std::string&,
                                                  const std::string& initialFolder) {
  Expectation e = take("Choose", title, initialFolder);
  if (e.answer == "Cancel") return std::nullopt;
  return e.answer;
}

std::optional<std::string> ScriptedUi::chooseFolder(const std::string& title,
                                                    const std::string& initialFolder) {
  return chooseFile(title, "", initialFolder);
}

std::optional<size_t> ScriptedUi::popupMenu(const std::string& caption,
                                            const std::vector<std::string>& items,
                                            const std::vector<bool>& enabled) {
  // A disabled item shows in parentheses: "(&Default Directory)".
  std::string joined;
  for (size_t i = 0; i < items.size(); ++i)
    joined += (joined.empty() ? "" : "|") +
              (menuItemEnabled(enabled, i) ? items[i] : "(" + items[i] + ")");
  Expectation e = take("Menu", caption, joined);
  if (e.answer == "Cancel") return std::nullopt;
  const std::optional<size_t> chosen = menuItemStartingWith(items, e.answer);
  if (!chosen)
    throw UnexpectedPrompt("no item of the menu [" + caption + "] begins with '" + e.answer + "'");
  if (!menuItemEnabled(enabled, *chosen))
    throw UnexpectedPrompt("the item '" + items[*chosen] + "' of the menu [" + caption +
                           "] is disabled");
  return chosen;
}

void ScriptedUi::showProgress(const ProgressView& view) {
  if (progressHistory.empty() || progressHistory.back().status != view.status ||
      progressHistory.back().visible != view.visible)
    transcript.push_back(std::string(view.visible ? "Progress: " : "Progress hidden: ") +
                         view.status);
  progressHistory.push_back(view);
}

int ScriptedUi::showWarningList(const std::vector<std::string>& lines, bool yesNo) {
  lastWarningList = lines;
  std::string joined;
  for (const auto& line : lines) joined += line + "\n";
  if (!yesNo) {
    transcript.push_back("Warning: " + joined);
    return IDOK;
  }
  Expectation e = take("Warning", "WARNING", joined);
  if (platform::ansiEqualNoCase(e.answer, "Yes")) return IDYES;
  if (platform::ansiEqualNoCase(e.answer, "No")) return IDNO;
  throw UnexpectedPrompt("answer '" + e.answer + "' is not Yes or No for the warning list");
}

void ScriptedUi::processMessages() {
  ++processMessagesCalls;
  if (cancelCountdown_ > 0 && --cancelCountdown_ == 0) pressCancel();
}

}  // namespace corvasta
