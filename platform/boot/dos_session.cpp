#include "platform/boot/dos_session.h"

#include <cctype>
#include <sstream>

#include "platform/core/errors.h"
#include "platform/core/win_path.h"
#include "platform/host/host_files.h"
#include "platform/system/process_start.h"

namespace platform::boot {
namespace {

// Deeper nesting than this is a batch file calling itself without end.
constexpr int kMaxBatchDepth = 32;
// A start of Windows must end: a batch file that loops (":a" / "goto a") is
// stopped after this many lines, where DOS would hang the machine.
constexpr size_t kMaxBatchLines = 20000;

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string trim(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && (isBlank(text[begin]) || text[begin] == '\r')) ++begin;
  while (end > begin && (isBlank(text[end - 1]) || text[end - 1] == '\r')) --end;
  return std::string(text.substr(begin, end - begin));
}

// Splits "word rest" at the first blank; rest without its leading blanks.
std::pair<std::string, std::string> splitFirstWord(const std::string& text) {
  size_t end = 0;
  while (end < text.size() && !isBlank(text[end])) ++end;
  return {text.substr(0, end), trim(std::string_view(text).substr(end))};
}

std::optional<uint32_t> parseNumber(const std::string& text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  uint32_t value = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    value = value * 10 + static_cast<uint32_t>(c - '0');
  }
  return value;
}

}  // namespace

std::vector<std::string> dosWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false;
  bool inWord = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if (isBlank(c) && !quoted) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

DosSession::DosSession(Machine& machine, FileSystem& files, BootLog& log)
    : machine_(machine), files_(files), log_(log) {
  for (const auto& [name, value] : machine.config().environment) environment_[name] = value;
  const std::string& windows = machine.config().windowsDirectory;
  if (!environment_.count("PATH")) environment_["PATH"] = windows + ";" + windows + "\\COMMAND";
  if (!environment_.count("WINDIR")) environment_["WINDIR"] = windows;
}

std::string DosSession::variable(std::string_view name) const {
  auto it = environment_.find(std::string(name));
  return it == environment_.end() ? std::string() : it->second;
}

std::optional<std::vector<std::string>> DosSession::readLines(const std::string& path) const {
  HostLocation location;
  try {
    location = machine_.resolve(path);
  } catch (const OsError&) {
    return std::nullopt;
  }
  if (!location.exists || host::isDirectory(location.host)) return std::nullopt;
  std::optional<std::string> read = host::readFile(location.host);
  if (!read) return std::nullopt;
  std::string text = std::move(*read);
  // DOS text ends at the first Ctrl+Z.
  if (size_t eof = text.find('\x1a'); eof != std::string::npos) text.resize(eof);
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

void DosSession::runBatch(const std::string& winPath, const std::vector<std::string>& arguments) {
  if (depth_ >= kMaxBatchDepth) {
    fail("Batch files nested too deeply: " + winPath);
    return;
  }
  if (!readLines(winPath)) {
    fail("Batch file not found: " + winPath);
    return;
  }
  Frame frame{winPath, {winPath}, 0};
  frame.arguments.insert(frame.arguments.end(), arguments.begin(), arguments.end());
  log_.event("batch " + winPath);
  ++depth_;
  while (!windowsStarted_ && !stopped_) {
    if (++linesRun_ > kMaxBatchLines) {
      stopped_ = true;
      fail("Batch files stopped after " + std::to_string(kMaxBatchLines) + " lines: " + winPath);
      break;
    }
    // The file is read again for every line, as COMMAND.COM does.
    auto lines = readLines(winPath);
    if (!lines) {
      log_.screen("Batch file missing");
      log_.event(winPath + ": Batch file missing");
      break;
    }
    if (frame.next >= lines->size()) break;
    if (execute((*lines)[frame.next++], &frame) == Flow::End) break;
  }
  --depth_;
}

void DosSession::runCommandLine(std::string_view line) {
  execute(line, nullptr);
}

DosSession::Flow DosSession::execute(std::string_view rawLine, Frame* frame) {
  std::string line = trim(rawLine);
  if (line.empty() || line[0] == ':') return Flow::Next;
  bool echo = echoOn_;
  if (line[0] == '@') {
    echo = false;
    line = trim(std::string_view(line).substr(1));
  }
  line = expand(line, frame);
  if (line.empty()) return Flow::Next;
  if (echo) log_.screen(currentDirectory_ + ">" + line);
  log_.event("> " + line);
  // A command that fails (a malformed path, a missing drive) is reported as
  // DOS reports it and the batch file goes on; it never ends the start.
  try {
    return dispatch(line, frame);
  } catch (const corvasta::Error& e) {
    fail(e.what());
    return Flow::Next;
  }
}

DosSession::Flow DosSession::dispatch(const std::string& line, Frame* frame) {
  auto [word, rest] = splitFirstWord(line);
  std::string command = ansiLower(word);
  // "echo." shows an empty line; "echo.text" shows the text.
  if (command.rfind("echo.", 0) == 0) {
    log_.screen(line.substr(5));
    return Flow::Next;
  }
  return executeCommand(command, rest, frame);
}

DosSession::Flow DosSession::executeCommand(const std::string& command, const std::string& rest,
                                            Frame* frame) {
  std::vector<std::string> args = dosWords(rest);
  if (command == "rem") return Flow::Next;
  if (command == "echo") {
    std::string lower = ansiLower(rest);
    if (lower == "off" || lower == "on")
      echoOn_ = lower == "on";
    else if (rest.empty())
      log_.screen(echoOn_ ? "ECHO is on" : "ECHO is off");
    else
      log_.screen(rest);
    return Flow::Next;
  }
  if (command == "set") return runSet(rest), Flow::Next;
  if (command == "if") return runIf(rest, frame);
  if (command == "goto") return runGoto(rest, frame);
  if (command == "call") {
    auto [called, calledRest] = splitFirstWord(rest);
    if (called.empty()) return Flow::Next;
    auto file = findCommandFile(called);
    if (file && ansiLower(*file).ends_with(".bat")) {
      runBatch(*file, dosWords(calledRest));
      return windowsStarted_ ? Flow::End : Flow::Next;
    }
    return runProgram(called, calledRest, nullptr);
  }
  if (command == "pause") return log_.screen("Press any key to continue . . ."), Flow::Next;
  if (command == "cls" || command == "ver" || command == "prompt") return Flow::Next;
  if (command == "lh" || command == "loadhigh") return dispatch(rest, frame);
  if (command == "path") {
    if (rest.empty())
      log_.screen("PATH=" + variable("PATH"));
    else
      environment_["PATH"] = rest[0] == '=' ? rest.substr(1) : rest;
    return Flow::Next;
  }
  if (command == "shift") {
    if (frame && frame->arguments.size() > 1) frame->arguments.erase(frame->arguments.begin());
    return Flow::Next;
  }
  if (command == "exit") return Flow::End;
  if (command == "win") {
    windowsStarted_ = true;
    log_.event("Windows starts");
    return Flow::End;
  }
  if (command == "copy") return copy(args), Flow::Next;
  if (command == "del" || command == "erase") return del(args), Flow::Next;
  if (command == "ren" || command == "rename") return rename(args), Flow::Next;
  if (command == "md" || command == "mkdir") return makeDirectory(args), Flow::Next;
  if (command == "rd" || command == "rmdir") return removeDirectory(args), Flow::Next;
  if (command == "cd" || command == "chdir") return changeDirectory(args), Flow::Next;
  if (command.size() == 2 && command[1] == ':' &&
      std::isalpha(static_cast<unsigned char>(command[0]))) {
    char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(command[0])));
    if (machine_.drive(letter))
      currentDirectory_ = std::string(1, letter) + ":\\";
    else
      fail("Invalid drive " + std::string(1, letter) + ":");
    return Flow::Next;
  }
  return runProgram(command, rest, frame);
}

DosSession::Flow DosSession::runProgram(const std::string& command, const std::string& rest,
                                        Frame* frame) {
  auto file = findCommandFile(command);
  if (!file) {
    fail("Bad command or file name: " + command);
    return Flow::Next;
  }
  std::string name = ansiLower(parseWinPath(*file).name());
  size_t dot = name.rfind('.');
  std::string stem = name.substr(0, dot);
  std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
  // The DOS utilities the generated batch files use are carried out here.
  if (stem == "attrib") return attrib(dosWords(rest)), Flow::Next;
  if (stem == "smartdrv") return Flow::Next;
  if (extension == ".bat") {
    // A batch file named without "call" takes over: the running one ends.
    runBatch(*file, dosWords(rest));
    return frame ? Flow::End : Flow::Next;
  }
  try {
    ProcessResult result =
        createProcess(machine_, rest.empty() ? *file : *file + " " + rest, currentDirectory_);
    if (!result.started()) {
      fail("Bad command or file name: " + command);
      return Flow::Next;
    }
    errorLevel_ = result.exitCode;
    if (errorLevel_ != 0)
      log_.event(*file + " ended with errorlevel " + std::to_string(errorLevel_));
  } catch (const corvasta::Error& e) {
    fail(e.what());
  }
  return Flow::Next;
}

DosSession::Flow DosSession::runIf(const std::string& rest, Frame* frame) {
  auto [first, afterFirst] = splitFirstWord(rest);
  bool negate = ansiLower(first) == "not";
  std::string condition = negate ? afterFirst : rest;
  auto [kind, afterKind] = splitFirstWord(condition);
  std::string lowerKind = ansiLower(kind);
  bool holds = false;
  std::string command;
  if (lowerKind == "exist" || lowerKind == "errorlevel") {
    auto [operand, remainder] = splitFirstWord(afterKind);
    command = remainder;
    if (lowerKind == "exist") {
      std::vector<std::string> words = dosWords(operand);
      holds = !words.empty() && !matchingFiles(fullPath(words[0])).empty();
    } else {
      auto level = parseNumber(operand);
      if (!level) return fail("Syntax error"), Flow::Next;
      holds = errorLevel_ >= *level;
    }
  } else {
    size_t equals = condition.find("==");
    if (equals == std::string::npos) return fail("Syntax error"), Flow::Next;
    std::string left = trim(std::string_view(condition).substr(0, equals));
    auto [right, remainder] = splitFirstWord(trim(std::string_view(condition).substr(equals + 2)));
    holds = left == right;
    command = remainder;
  }
  if (command.empty()) return fail("Syntax error"), Flow::Next;
  if (holds == negate) return Flow::Next;
  return dispatch(command, frame);
}

DosSession::Flow DosSession::runGoto(const std::string& rest, Frame* frame) {
  if (!frame) return Flow::Next;
  std::string label = splitFirstWord(rest).first;
  if (!label.empty() && label[0] == ':') label.erase(0, 1);
  label = ansiLower(label);
  auto lines = readLines(frame->path);
  if (!lines) return Flow::End;
  for (size_t i = 0; i < lines->size(); ++i) {
    std::string line = trim((*lines)[i]);
    if (line.empty() || line[0] != ':') continue;
    if (ansiLower(splitFirstWord(line.substr(1)).first) == label) {
      frame->next = i + 1;
      return Flow::Jumped;
    }
  }
  fail("Label not found: " + label);
  return Flow::End;
}

void DosSession::runSet(const std::string& rest) {
  if (rest.empty()) {
    for (const auto& [name, value] : environment_) log_.screen(name + "=" + value);
    return;
  }
  size_t equals = rest.find('=');
  if (equals == std::string::npos) return fail("Syntax error");
  std::string name = ansiUpper(trim(std::string_view(rest).substr(0, equals)));
  std::string value = rest.substr(equals + 1);
  if (value.empty())
    environment_.erase(name);
  else
    environment_[name] = value;
}

std::string DosSession::expand(std::string_view line, const Frame* frame) const {
  std::string result;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] != '%') {
      result += line[i];
      continue;
    }
    if (i + 1 >= line.size()) break;  // a lone % at the end is dropped
    char next = line[i + 1];
    if (next == '%') {
      result += '%';
      ++i;
    } else if (std::isdigit(static_cast<unsigned char>(next))) {
      size_t index = static_cast<size_t>(next - '0');
      if (frame && index < frame->arguments.size()) result += frame->arguments[index];
      ++i;
    } else {
      size_t close = line.find('%', i + 1);
      if (close == std::string_view::npos) break;
      result += variable(line.substr(i + 1, close - i - 1));
      i = close;
    }
  }
  return result;
}

void DosSession::fail(const std::string& message) {
  log_.event(message);
}

}  // namespace platform::boot
