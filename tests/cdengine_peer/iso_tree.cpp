#include "tests/cdengine_peer/iso_tree.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "platform/core/codepage.h"
#include "platform/files/file_attributes.h"
#include "platform/files/sharing.h"
#include "tests/support/machine_builder.h"

namespace cdengine_peer {
namespace fs = std::filesystem;

namespace {

// 15 June 2003, 10:20:30 UTC: the tree's files are a second apart from it.
constexpr int64_t kTreeTime = 1055672430;

int64_t secondsOf(fs::file_time_type time) {
  const auto system = std::chrono::file_clock::to_sys(time);
  return std::chrono::floor<std::chrono::seconds>(system).time_since_epoch().count();
}

std::string relativeUtf8(const fs::path& file, const fs::path& base) {
  return fs::relative(file, base).generic_string();
}

}  // namespace

TreeContents readHostTree(const fs::path& folder, bool withTimes) {
  TreeContents tree;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = relativeUtf8(entry.path(), folder);
    if (entry.is_directory()) {
      tree[name + "/"] = {};
      continue;
    }
    ExtractedFile& file = tree[name];
    file.bytes = testing_support::readFile(entry.path());
    if (withTimes) file.modified = secondsOf(entry.last_write_time());
  }
  return tree;
}

IsoTreeMachine::IsoTreeMachine() : folder_(dir_ / "machine") {
  machine_ = testing_support::MachineBuilder(platform::WindowsVersion::WinXp)
                 .folder("C:\\Tree")
                 .build(folder_);
  files_ = std::make_unique<platform::FileSystem>(*machine_);

  int64_t time = kTreeTime;
  std::string deep = "C:\\Tree";
  for (int level = 1; level <= 12; ++level) {
    deep += "\\Level " + std::string(level < 10 ? "0" : "") + std::to_string(level);
    files_->createDirectory(deep);
  }
  write(deep + "\\deepest file.txt", "twelve folders down\r\n", time++);

  files_->createDirectory("C:\\Tree\\Crowded");
  for (int i = 0; i < 200; ++i) {
    const std::string number = std::to_string(1000 + i).substr(1);
    write("C:\\Tree\\Crowded\\Entry " + number + " of the crowded folder.txt",
          "entry " + number + "\r\n", time++);
  }

  // Windows-1252 letters: é ü Ü ö ß.
  write("C:\\Tree\\Caf\xE9 Men\xFC.txt", "caf\xE9\r\n", time++);
  files_->createDirectory(
      "C:\\Tree\\\xDC"
      "bersicht Ordner");
  write(
      "C:\\Tree\\\xDC"
      "bersicht Ordner\\Gr\xF6\xDF"
      "e & Preis.doc",
      "prices", time++);
  write("C:\\Tree\\README", "no extension\r\n", time++);
  write("C:\\Tree\\empty.txt", "", time++);
  write("C:\\Tree\\" + std::string(96, 'L') + ".txt", "a name of a hundred letters", time++);

  write("C:\\Tree\\Secret.txt", "hidden file", time++);
  files_->setFileAttributes("C:\\Tree\\Secret.txt", platform::kAttributeHidden);
  files_->createDirectory("C:\\Tree\\Hidden Folder");
  write("C:\\Tree\\Hidden Folder\\inside.txt", "in a hidden folder", time++);
  files_->setFileAttributes("C:\\Tree\\Hidden Folder\\inside.txt", platform::kAttributeHidden);
  // A folder's entry is made by its path alone: its attributes do not go on the disc.
  files_->setFileAttributes("C:\\Tree\\Hidden Folder",
                            platform::kAttributeHidden | platform::kAttributeDirectory);
  hiddenFiles = {"Secret.txt", "Hidden Folder/inside.txt"};

  // Two folders whose ISO names are the same 13 characters.
  files_->createDirectory("C:\\Tree\\Program Files Alpha");
  files_->createDirectory("C:\\Tree\\Program Files Beta");
  write("C:\\Tree\\Program Files Alpha\\alpha.txt", "alpha", time++);
  write("C:\\Tree\\Program Files Beta\\beta.txt", "beta", time++);

  files_->createDirectory("C:\\Tree\\Media");
  write("C:\\Tree\\Media\\video part one.bin", testing_support::randomBytes(3 << 20, 1), time++);
  write("C:\\Tree\\Media\\archive.dat", testing_support::randomBytes((5 << 20) + 123, 2), time++);
}

void IsoTreeMachine::write(const std::string& winPath, const std::string& bytes, int64_t modified) {
  platform::FileHandle handle = files_->createFile(winPath, platform::kGenericWrite, 0,
                                                   platform::CreationDisposition::CreateAlways);
  handle.write(bytes.data(), bytes.size());
  handle.close();
  const auto system = std::chrono::sys_seconds{std::chrono::seconds{modified}};
  fs::last_write_time(host(winPath), std::chrono::file_clock::from_sys(system));
}

testing_support::CommandResult IsoTreeMachine::iso(const std::vector<std::string>& args) const {
  std::vector<std::string> all{"iso", folder_.string()};
  all.insert(all.end(), args.begin(), args.end());
  return testing_support::runProgram(CORVASTA_MACHINE_TOOL, all);
}

fs::path IsoTreeMachine::host(const std::string& winPath) const {
  return machine_->resolve(winPath).host;
}

std::string run(const std::string& commandLine) {
  const testing_support::CommandResult result = testing_support::runCommand(commandLine);
  if (result.exitCode != 0)
    ADD_FAILURE() << commandLine << " exited with " << result.exitCode << "\n" << result.output;
  return result.output;
}

}  // namespace cdengine_peer
