#include "app/core/TextLines.h"

#include "platform/core/errors.h"
#include "platform/files/file_system.h"

namespace corvasta {

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

std::vector<std::string> loadLines(platform::FileSystem& files, const std::string& path) {
  platform::FileHandle file =
      files.createFile(path, platform::kGenericRead, platform::kFileShareRead,
                       platform::CreationDisposition::OpenExisting);
  std::string text;
  char buffer[16384];
  while (size_t count = file.read(buffer, sizeof buffer)) text.append(buffer, count);
  return splitLines(text);
}

void saveLines(platform::FileSystem& files, const std::string& path,
               const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  const std::string temporary = path + ".$$$";
  {
    platform::FileHandle file = files.createFile(temporary, platform::kGenericWrite, 0,
                                                 platform::CreationDisposition::CreateAlways);
    try {
      file.write(text.data(), text.size());
    } catch (const corvasta::Error&) {
      file.close();
      files.deleteFile(temporary);
      throw;
    }
  }
  files.moveFileEx(temporary, path, platform::kMoveFileReplaceExisting);
}

}  // namespace corvasta
