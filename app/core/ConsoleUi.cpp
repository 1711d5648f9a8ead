#include "app/core/ConsoleUi.h"

#include <atomic>
#include <csignal>
#include <fstream>

#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/core/ini_document.h"

namespace corvasta {
namespace {

std::atomic<bool> interrupted{false};

void onInterrupt(int) {
  interrupted = true;
}

bool containsNoCase(const std::string& haystack, const std::string& needle) {
  std::string h = platform::ansiUpper(haystack), n = platform::ansiUpper(needle);
  return h.find(n) != std::string::npos;
}

// "\r" (and "\r\n") in program texts are line breaks.
std::string displayText(const std::string& ansi) {
  std::string out;
  for (size_t i = 0; i < ansi.size(); ++i) {
    if (ansi[i] == '\r') {
      out += '\n';
      if (i + 1 < ansi.size() && ansi[i + 1] == '\n') ++i;
    } else {
      out += ansi[i];
    }
  }
  return platform::ansiToUtf8(out);
}

}  // namespace

void installConsoleInterruptHandler() {
  std::signal(SIGINT, onInterrupt);
}

ConsoleUi::ConsoleUi(FILE* out) : out_(out) {}

void ConsoleUi::loadAnswers(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw Error("Cannot read the answers file " + file.string());
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string_view trimmed = platform::trimBlanks(line);
    if (trimmed.empty() || trimmed.front() == '#') continue;
    size_t arrow = trimmed.find("=>");
    if (arrow == std::string_view::npos)
      throw Error(file.string() + " line " + std::to_string(number) +
                  ": expected 'PATTERN => ANSWER'");
    addAnswer(platform::utf8ToAnsi(platform::trimBlanks(trimmed.substr(0, arrow))),
              platform::utf8ToAnsi(platform::trimBlanks(trimmed.substr(arrow + 2))));
  }
}

void ConsoleUi::addAnswer(std::string pattern, std::string answer) {
  answers_.emplace_back(std::move(pattern), std::move(answer));
}

const std::string* ConsoleUi::findAnswer(const std::string& caption,
                                         const std::string& text) const {
  for (const auto& [pattern, answer] : answers_)
    if (containsNoCase(caption, pattern) || containsNoCase(text, pattern)) return &answer;
  return nullptr;
}

void ConsoleUi::print(const std::string& ansi) {
  std::fputs(displayText(ansi).c_str(), out_);
  std::fputc('\n', out_);
  std::fflush(out_);
}

int ConsoleUi::messageBox(const std::string& text, const std::string& caption, Buttons buttons,
                          Icon, size_t defaultButton) {
  std::vector<int> offered = resultsOf(buttons);
  int result = offered[defaultButton < offered.size() ? defaultButton : 0];
  if (const std::string* answer = findAnswer(caption, text)) {
    for (int r : offered)
      if (platform::ansiEqualNoCase(*answer, resultName(r))) result = r;
  }
  print("[" + caption + "] " + text);
  if (offered.size() > 1) print("  -> " + std::string(resultName(result)));
  return result;
}

std::optional<std::string> ConsoleUi::inputBox(const std::string& caption,
                                               const std::string& prompt,
                                               const std::string& initial, bool masked) {
  print("[" + caption + "] " + prompt);
  const std::string* answer = findAnswer(caption, prompt);
  if (answer && platform::ansiEqualNoCase(*answer, "Cancel")) {
    print("  -> Cancel");
    return std::nullopt;
  }
  std::string value = answer ? *answer : initial;
  print("  -> " + (masked ? std::string(value.size(), '*') : value));
  return value;
}

std::optional<std::string> ConsoleUi::chooseFile(const std::string& title, const std::string&,
                                                 const std::string& initialFolder) {
  const std::string* answer = findAnswer(title, initialFolder);
  print("[" + title + "] -> " + (answer ? *answer : std::string("Cancel")));
  if (!answer || platform::ansiEqualNoCase(*answer, "Cancel")) return std::nullopt;
  return *answer;
}

std::optional<std::string> ConsoleUi::chooseFolder(const std::string& title,
                                                   const std::string& initialFolder) {
  return chooseFile(title, "", initialFolder);
}

std::optional<size_t> ConsoleUi::popupMenu(const std::string& caption,
                                           const std::vector<std::string>& items,
                                           const std::vector<bool>& enabled) {
  std::string shown = "[" + caption + "] menu:";
  for (size_t i = 0; i < items.size(); ++i)
    shown += "\r  " + (menuItemEnabled(enabled, i) ? items[i] : "(" + items[i] + ")");
  print(shown);
  const std::string* answer = nullptr;
  for (const auto& [pattern, rule] : answers_)
    if (containsNoCase(caption, pattern)) {
      answer = &rule;
      break;
    }
  std::optional<size_t> chosen;
  if (!answer) {
    // The default: the first item that can be chosen.
    for (size_t i = 0; i < items.size() && !chosen; ++i)
      if (menuItemEnabled(enabled, i)) chosen = i;
  } else if (!platform::ansiEqualNoCase(*answer, "Cancel")) {
    chosen = menuItemStartingWith(items, *answer);
    if (!chosen) {
      print("  no item begins with \"" + *answer + "\"");
    } else if (!menuItemEnabled(enabled, *chosen)) {
      print("  \"" + items[*chosen] + "\" is disabled");
      chosen.reset();
    }
  }
  print("  -> " + (chosen ? items[*chosen] : std::string("Cancel")));
  return chosen;
}

void ConsoleUi::showProgress(const ProgressView& view) {
  if (view.visible && !progressVisible_)
    print("Please Wait" + (view.caption.empty() ? "" : ": " + view.caption));
  progressVisible_ = view.visible;
  if (view.visible && !view.status.empty() && view.status != lastStatus_) print("  " + view.status);
  lastStatus_ = view.visible ? view.status : "";
}

int ConsoleUi::showWarningList(const std::vector<std::string>& lines, bool yesNo) {
  print("WARNING");
  for (const auto& line : lines) print("  " + line);
  if (!yesNo) return IDOK;
  int result = IDYES;
  if (const std::string* answer = findAnswer("WARNING", lines.empty() ? "" : lines.front()))
    if (platform::ansiEqualNoCase(*answer, "No")) result = IDNO;
  print("  -> " + std::string(resultName(result)));
  return result;
}

void ConsoleUi::processMessages() {
  if (interrupted.exchange(false)) pressCancel();
}

}  // namespace corvasta
