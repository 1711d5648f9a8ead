#include "platform/system/command_line.h"

namespace platform {

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string afterBlanks(std::string_view text) {
  size_t start = 0;
  while (start < text.size() && isBlank(text[start])) ++start;
  return std::string(text.substr(start));
}

}  // namespace

std::vector<ProgramCandidate> programCandidates(std::string_view commandLine) {
  std::vector<ProgramCandidate> candidates;
  size_t start = 0;
  while (start < commandLine.size() && isBlank(commandLine[start])) ++start;
  std::string_view line = commandLine.substr(start);
  if (line.empty()) return candidates;
  if (line.front() == '"') {
    size_t close = line.find('"', 1);
    std::string_view program =
        line.substr(1, close == std::string_view::npos ? line.npos : close - 1);
    std::string_view rest = close == std::string_view::npos ? "" : line.substr(close + 1);
    if (!program.empty()) candidates.push_back({std::string(program), afterBlanks(rest)});
    return candidates;
  }
  for (size_t pos = 0; pos <= line.size(); ++pos) {
    if (pos < line.size() && !isBlank(line[pos])) continue;
    if (pos > 0 && !isBlank(line[pos - 1]))
      candidates.push_back({std::string(line.substr(0, pos)), afterBlanks(line.substr(pos))});
  }
  return candidates;
}

std::vector<std::string> splitArguments(std::string_view arguments) {
  std::vector<std::string> result;
  size_t i = 0;
  while (true) {
    while (i < arguments.size() && isBlank(arguments[i])) ++i;
    if (i >= arguments.size()) break;
    std::string current;
    bool quoted = false;
    while (i < arguments.size() && (quoted || !isBlank(arguments[i]))) {
      if (arguments[i] == '\\') {
        size_t count = 0;
        while (i < arguments.size() && arguments[i] == '\\') ++count, ++i;
        if (i < arguments.size() && arguments[i] == '"') {
          current.append(count / 2, '\\');
          if (count % 2) {
            current += '"';
            ++i;
          }
        } else {
          current.append(count, '\\');
        }
      } else if (arguments[i] == '"') {
        quoted = !quoted;
        ++i;
      } else {
        current += arguments[i++];
      }
    }
    result.push_back(std::move(current));
  }
  return result;
}

}  // namespace platform
