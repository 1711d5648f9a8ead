#include "fuzz/restore_set_scratch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "platform/core/windows_version.h"
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

namespace fuzz_restore_set {
namespace {

namespace fs = std::filesystem;
using platform::WindowsVersion;

constexpr const char* kCanaryBytes = "untouched";

// A finding: says what was found, then stops as a crash does.
[[noreturn]] void finding(const std::string& what) {
  std::fprintf(stderr, "fuzz_restore_set: %s\n", what.c_str());
  __builtin_trap();
}

fs::path makeWorkFolder() {
  std::error_code ec;
  fs::path root = "/dev/shm";
  if (!fs::is_directory(root, ec) || ::access(root.c_str(), W_OK) != 0)
    root = fs::temp_directory_path();
  std::string pattern = (root / "corvasta-fuzz-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed in " + root.string());
  return pattern;
}

void copyAttributes(const fs::path& from, const fs::path& to) {
  const ssize_t size = ::llistxattr(from.c_str(), nullptr, 0);
  if (size <= 0) return;
  std::string names(static_cast<size_t>(size), '\0');
  const ssize_t got = ::llistxattr(from.c_str(), names.data(), names.size());
  if (got <= 0) return;
  names.resize(static_cast<size_t>(got));
  for (size_t at = 0; at < names.size();) {
    const std::string name = names.c_str() + at;
    at += name.size() + 1;
    if (name.rfind("user.", 0) != 0) continue;
    std::string value(65536, '\0');
    const ssize_t length = ::lgetxattr(from.c_str(), name.c_str(), value.data(), value.size());
    if (length < 0) continue;
    if (::lsetxattr(to.c_str(), name.c_str(), value.data(), static_cast<size_t>(length), 0) != 0)
      throw std::runtime_error("cannot copy " + name + " to " + to.string());
  }
}

void copyTimes(const fs::path& from, const fs::path& to) {
  struct stat info {};
  if (::lstat(from.c_str(), &info) != 0) return;
  const timespec times[2] = {info.st_atim, info.st_mtim};
  ::utimensat(AT_FDCWD, to.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

std::string lowered(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

// The names directly in a folder.
std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator();
       it.increment(ec))
    names.push_back(it->path().filename().string());
  if (ec) finding("cannot list " + folder.string());
  std::sort(names.begin(), names.end());
  return names;
}

// The machine folder without what a restore may change: its drives' contents,
// the state folder the platform keeps its records in and the journal of its
// events (both made on first use).
TreeImage topOf(const fs::path& machine) {
  TreeImage top;
  for (const std::string& name : namesIn(machine))
    if (name != "state" && name != "journal.log") top[name] = "<entry>";
  for (const std::string& name : namesIn(machine / "drives")) top["drives/" + name] = "<drive>";
  top["machine.ini"] = testing_support::readFile(machine / "machine.ini");
  return top;
}

}  // namespace

TreeImage imageOf(const fs::path& folder) {
  TreeImage image;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(folder, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    const std::string key = it->path().lexically_relative(folder).generic_string();
    if (it->is_symlink())
      image[key] = "<link>";
    else if (it->is_directory())
      image[key] = "<dir>";
    else if (it->is_regular_file())
      image[key] = testing_support::readFile(it->path());
    else
      image[key] = "<link>";
  }
  if (ec) finding("cannot walk " + folder.string());
  return image;
}

void copyTree(const fs::path& from, const fs::path& to) {
  fs::create_directory(to);
  for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
    const fs::path target = to / entry.path().filename();
    if (entry.is_symlink())
      throw std::runtime_error("a template machine holds a link: " + entry.path().string());
    if (entry.is_directory())
      copyTree(entry.path(), target);
    else
      fs::copy_file(entry.path(), target);
    copyAttributes(entry.path(), target);
    copyTimes(entry.path(), target);
  }
  copyAttributes(from, to);
  copyTimes(from, to);
}

Scratch::Scratch() : work_(makeWorkFolder()) {
  fs::create_directories(canary() / "inner");
  testing_support::writeFile(canary() / "canary.txt", kCanaryBytes);
  testing_support::writeFile(canary() / "inner" / "user.dat", kCanaryBytes);
  canaryImage_ = imageOf(canary());
}

Scratch::~Scratch() {
  std::error_code ec;
  fs::remove_all(work_, ec);
}

void Scratch::fresh(int version) {
  auto found = templates_.find(version);
  if (found == templates_.end()) {
    const fs::path folder = work_ / "templates" / std::to_string(version);
    fs::create_directories(folder.parent_path());
    const bool nt = version >= static_cast<int>(WindowsVersion::Nt4);
    testing_support::MachineBuilder(static_cast<WindowsVersion>(version))
        .installationFolders()
        .userProfile("Alice")
        .file(nt ? "C:\\WINDOWS\\system32\\attrib.exe" : "C:\\WINDOWS\\COMMAND\\ATTRIB.EXE",
              "attrib")
        .folder("C:\\SET")
        .build(folder);
    found = templates_.emplace(version, folder).first;
  }
  std::error_code ec;
  fs::remove_all(machine(), ec);
  if (ec) throw std::runtime_error("cannot clear " + machine().string());
  copyTree(found->second, machine());
  machineTop_ = topOf(machine());
}

void Scratch::noteBefore(const std::string& setFolderOnHost) {
  setFolder_ = setFolderOnHost;
  setImage_ = imageOf(setFolder_);
}

void Scratch::checkContained(std::string_view input) const {
  // Beside the machine: the canary alone, as it was.
  if (namesIn(work_ / "run") != std::vector<std::string>{"canary", "machine"})
    finding("written beside the machine folder");
  if (imageOf(canary()) != canaryImage_) finding("the canary folder changed");
  // The machine folder: no new entries beside its drives, no new drive
  // folders, machine.ini as it was.
  if (topOf(machine()) != machineTop_) finding("written in the machine folder outside its drives");
  // No link anywhere on the machine.
  for (const auto& [name, bytes] : imageOf(machine()))
    if (bytes == "<link>") finding("a link or device on the machine: " + name);
  // The set folder changes only where a name in the input can send a file:
  // an entry, a user.ini line or a drive-folder file naming it.
  const TreeImage after = imageOf(setFolder_);
  const std::string names = lowered(input);
  auto allowed = [&](const std::string& key) {
    return names.find(lowered(fs::path(key).filename().string())) != std::string::npos;
  };
  for (const auto& [key, bytes] : setImage_) {
    auto now = after.find(key);
    if ((now == after.end() || now->second != bytes) && !allowed(key))
      finding("the set's " + key + (now == after.end() ? " was removed" : " was changed"));
  }
  for (const auto& [key, bytes] : after)
    if (!setImage_.count(key) && !allowed(key)) finding("written in the set folder: " + key);
}

}  // namespace fuzz_restore_set
