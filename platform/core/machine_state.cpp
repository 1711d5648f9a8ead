#include "platform/core/machine_state.h"

#include "platform/core/errors.h"
#include "platform/host/host_files.h"

namespace platform {

void replaceHostFile(const std::filesystem::path& file, std::string_view bytes) {
  std::error_code error = host::replaceFile(file, bytes);
  if (!error) return;
  WinError code = WinError::AccessDenied;
  if (error == std::errc::no_space_on_device)
    code = WinError::DiskFull;
  else if (error == std::errc::io_error)
    code = WinError::WriteFault;
  throw OsError(code, "", "Unable to write to " + file.string() + ": " + error.message());
}

MachineState::MachineState(std::filesystem::path file) : file_(std::move(file)) {
  if (std::optional<std::string> text = host::readFile(file_)) doc_ = IniDocument::parse(*text);
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
  host::makeDirectories(file_.parent_path());
  replaceHostFile(file_, doc_.serialize("\n"));
}

}  // namespace platform
