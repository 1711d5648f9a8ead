// File-name masks from settings files, files lists and the command line: any
// name and mask must match or not in bounded time, without a crash, through
// both matchers (the directory search's and the archive engine's) and the
// scope rule of inclusions and exclusions.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "archive/zip_masks.h"
#include "archive/zip_scope.h"
#include "platform/files/wildcard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  size_t split = input.find('\n');
  std::string_view name = input.substr(0, split);
  std::string_view mask = split == std::string_view::npos ? "*" : input.substr(split + 1);
  // Names are paths (at most a few hundred characters); masks come from
  // settings lines and may be much longer.
  if (name.size() > 1024 || mask.size() > 8192) return 0;
  platform::matchesWildcard(name, mask);
  const std::string text(name);
  const std::string pattern(mask);
  // The archive engine's matcher works on C strings: a NUL ends either.
  archive::maskMatches(pattern.c_str(), text.c_str());
  // The scope rule of inclusions and exclusions takes such masks as they are.
  archive::scopeMatches(pattern, archive::folderPart(text), text, "|\\");
  return 0;
}
