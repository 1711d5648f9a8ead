// The start-up's handling of outside text: the program's command-line
// options, the batch-line editor and the composition of results.txt, on
// arbitrary input. Checks the invariants each promises.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/ProgramOptions.h"
#include "app/core/EditAutoexec.h"
#include "app/core/ResultFileText.h"
#include "app/core/TextLines.h"
#include "platform/core/errors.h"
#include "platform/system/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t flags = data[0];
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  // Three parts separated by NUL bytes: prefix, inserted line, file text.
  const size_t first = rest.find('\0');
  const size_t second = first == std::string_view::npos ? first : rest.find('\0', first + 1);
  const std::string prefix(rest.substr(0, first));
  const std::string line = first == std::string_view::npos
                               ? ""
                               : std::string(rest.substr(first + 1, second - first - 1));
  const std::string text =
      second == std::string_view::npos ? std::string(rest) : std::string(rest.substr(second + 1));

  try {
    const corvasta::ProgramOptions options =
        corvasta::parseProgramOptions(platform::splitArguments(text));
    if (options.windowsMode < 1 || options.windowsMode > 6) std::abort();
  } catch (const corvasta::Error&) {
  }

  const std::vector<std::string> lines = corvasta::splitLines(text);
  const bool remove = (flags & 1) != 0, insert = (flags & 2) != 0;
  const std::vector<std::string> edited =
      corvasta::EditBatchLines(lines, prefix, remove, insert, line);
  if (remove && !insert)
    for (const std::string& kept : edited)
      if (kept.rfind(prefix, 0) == 0 || kept.rfind("del " + prefix, 0) == 0) std::abort();

  const std::vector<std::string> composed = corvasta::ComposeResultLines(line, lines);
  if (composed.size() > corvasta::splitLines(line).size() + 3 + corvasta::kResultFileKeptLines)
    std::abort();
  for (const std::string& kept : composed)
    if (kept.find_first_of("\r\n") != std::string::npos) std::abort();
  return 0;
}
