#include "app/core/ResultFileText.h"

#include "app/core/TextLines.h"

namespace corvasta {
namespace {

// Every line break ends a line, also the last one: "\rA\r\r" is "", "A", "", "".
std::vector<std::string> splitAtEveryBreak(const std::string& text) {
  std::vector<std::string> lines = splitLines(text);
  if (!text.empty() && (text.back() == '\r' || text.back() == '\n')) lines.emplace_back();
  return lines;
}

}  // namespace

std::vector<std::string> ComposeResultLines(const std::string& buffer,
                                            const std::vector<std::string>& oldLines) {
  std::string entry;
  entry.reserve(buffer.size() + 2);
  for (char c : buffer)
    if (c != '\r' || entry.empty() || entry.back() != '\r') entry += c;
  entry += "\r\r";
  for (size_t index = 0; index < oldLines.size() && index < kResultFileKeptLines; ++index)
    entry += "\r" + oldLines[index];
  return splitAtEveryBreak(entry);
}

}  // namespace corvasta
