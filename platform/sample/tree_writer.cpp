#include "platform/sample/tree_writer.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "platform/core/codepage.h"
#include "platform/core/errors.h"

namespace platform::sample {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void hostFailure(const std::string& what, const fs::path& path) {
  throw corvasta::Error("Cannot " + what + " " + path.string() + ": " + std::strerror(errno));
}

}  // namespace

void setTimes(const fs::path& path, SampleTime time) {
  struct timespec times[2];
  times[0].tv_sec = static_cast<time_t>(time);
  times[0].tv_nsec = 0;
  times[1] = times[0];
  if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) hostFailure("set the time of", path);
}

fs::path hostPathOf(const fs::path& root, std::string_view winPath) {
  fs::path host = root;
  size_t start = 0;
  while (start <= winPath.size()) {
    size_t end = winPath.find('\\', start);
    std::string_view part =
        winPath.substr(start, end == std::string_view::npos ? end : end - start);
    if (!part.empty()) host /= ansiToUtf8(part);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return host;
}

void writeSampleTree(const SampleTree& tree, const fs::path& root) {
  std::error_code ec;
  fs::create_directories(root, ec);
  if (ec) throw corvasta::Error("Cannot create " + root.string() + ": " + ec.message());
  for (const auto& entry : tree.entries()) {
    fs::path host = hostPathOf(root, entry.path);
    if (entry.folder) {
      fs::create_directories(host, ec);
      if (ec) throw corvasta::Error("Cannot create " + host.string() + ": " + ec.message());
      continue;
    }
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out.write(entry.bytes.data(), static_cast<std::streamsize>(entry.bytes.size()));
    out.close();
    if (!out) hostFailure("write", host);
    setTimes(host, entry.time);
  }
  const auto& entries = tree.entries();
  for (auto it = entries.rbegin(); it != entries.rend(); ++it)
    if (it->folder) setTimes(hostPathOf(root, it->path), it->time);
  setTimes(root, tree.defaultTime());
}

}  // namespace platform::sample
