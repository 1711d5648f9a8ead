#include "platform/core/machine_state.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/core/errors.h"

namespace platform {

void replaceHostFile(const std::filesystem::path& file, std::string_view bytes) {
  std::filesystem::path temp = file;
  temp += ".~tmp";
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0)
    throw OsError(WinError::AccessDenied, "",
                  "Unable to write to " + file.string() + ": " + std::strerror(errno));
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      int error = errno;
      ::close(fd);
      ::unlink(temp.c_str());
      throw OsError(error == ENOSPC ? WinError::DiskFull : WinError::WriteFault, "",
                    "Unable to write to " + file.string() + ": " + std::strerror(error));
    }
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    ::unlink(temp.c_str());
    throw OsError(WinError::WriteFault, "", "Unable to write to " + file.string());
  }
  if (::rename(temp.c_str(), file.c_str()) != 0) {
    int error = errno;
    ::unlink(temp.c_str());
    throw OsError(WinError::AccessDenied, "",
                  "Unable to write to " + file.string() + ": " + std::strerror(error));
  }
}

MachineState::MachineState(std::filesystem::path file) : file_(std::move(file)) {
  std::ifstream in(file_, std::ios::binary);
  if (!in) return;
  std::ostringstream text;
  text << in.rdbuf();
  doc_ = IniDocument::parse(text.str());
}

std::optional<std::string> MachineState::get(const std::string& section,
                                             const std::string& key) const {
  return doc_.get(section, key);
}

void MachineState::set(const std::string& section, const std::string& key,
                       const std::string& value) {
  doc_.set(section, key, value);
  save();
}

void MachineState::remove(const std::string& section, const std::string& key) {
  if (doc_.removeKey(section, key)) save();
}

void MachineState::save() const {
  std::filesystem::create_directories(file_.parent_path());
  replaceHostFile(file_, doc_.serialize("\n"));
}

}  // namespace platform
