// A backup set from anywhere (a diskette, a stranger's CD, a damaged disk)
// restored on a scratch machine: the bytes become the files of a set folder,
// the program classifies the set as the Restore button does and runs the
// restore. Whatever the set holds, nothing may be written outside the
// machine's drives, no link may appear on them, the set folder changes only
// where a name in the input sends a file, and only the program's own error
// type may leave the run (restore_set_scratch.h: the machines and the check).
//
// Input: byte 0 chooses the machine and the extent, the rest is split at
// kPartSeparator into the set's files, in the order of kSetFiles (an empty
// part leaves its file out). The last
// part is a file of a drive folder: its first line names the file below the
// set folder (letters, digits, '.', '_', '\'), the rest is its bytes.
//
//   byte 0  bits 0-2  Windows: 95, 98, ME, NT 4, 2000, XP (value mod 6)
//           bits 3-6  Windows Crash, WinConfig, User Profile, Other Files
//           bit 7     the user archive is named user.daz instead of user0.daz

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/Ui.h"
#include "fuzz/restore_set_scratch.h"
#include "platform/core/errors.h"
#include "tests/support/machine_builder.h"
#include "tests/support/program_rig.h"

namespace {

using testing_support::MachineBuilder;

constexpr std::string_view kPartSeparator = "--8<--";
constexpr const char* kSetDir = "C:\\SET\\";
constexpr const char* kSetFiles[] = {"user.ini",     "USERFILE", "system.daz",
                                     "registry.daz", "win.inz",  "Data.zip"};

// Answers every message box with its first button, cancels every input box
// and chooser, takes the first item of a menu and says Yes to a warning list.
// After kPatientAnswers message boxes it answers with the last button, as a
// user does who gives up: a damaged archive that claims earlier parts asks
// for "the next disk" once per part, and OK on a hard disk finds the same
// file again each time.
class FirstButtonUi : public corvasta::Ui {
 public:
  static constexpr int kPatientAnswers = 40;
  int messageBox(const std::string&, const std::string&, corvasta::Buttons buttons, corvasta::Icon,
                 size_t) override {
    const std::vector<int> results = corvasta::resultsOf(buttons);
    return ++answered_ <= kPatientAnswers ? results.front() : results.back();
  }
  std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&,
                                      bool) override {
    return std::nullopt;
  }
  std::optional<std::string> chooseFile(const std::string&, const std::string&,
                                        const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> chooseFolder(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<size_t> popupMenu(const std::string&, const std::vector<std::string>& items,
                                  const std::vector<bool>&) override {
    if (items.empty()) return std::nullopt;
    return 0;
  }
  void showProgress(const corvasta::ProgressView&) override {}
  int showWarningList(const std::vector<std::string>&, bool yesNo) override {
    return yesNo ? corvasta::IDYES : corvasta::IDOK;
  }
  void beep() override {}
  void setApplicationTitle(const std::string&) override {}
  void setBusyCursor(bool) override {}
  void minimize() override {}
  void restore() override {}
  void processMessages() override {}

 private:
  int answered_ = 0;
};

using FuzzProgram = testing_support::ProgramWith<FirstButtonUi>;

std::vector<std::string_view> splitParts(std::string_view bytes) {
  std::vector<std::string_view> parts;
  for (;;) {
    const size_t at = bytes.find(kPartSeparator);
    if (at == std::string_view::npos) break;
    parts.push_back(bytes.substr(0, at));
    bytes.remove_prefix(at + kPartSeparator.size());
  }
  parts.push_back(bytes);
  return parts;
}

// The drive-folder file's name below the set folder: only characters that
// keep it there, no empty or dot-only components; empty when none is left.
std::string driveFolderFile(std::string_view line) {
  std::string name, component;
  auto endComponent = [&] {
    if (!component.empty() && component.find_first_not_of('.') != std::string::npos)
      name += (name.empty() ? "" : "\\") + component;
    component.clear();
  };
  for (char c : line.substr(0, 120)) {
    if (c == '\\' || c == '/') {
      endComponent();
    } else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '.' || c == '_') {
      component += c;
    }
  }
  endComponent();
  // A file needs a folder above it: the drive folder.
  return name.find('\\') == std::string::npos ? std::string() : name;
}

// Writes the set; returns the drive-folder file's name as written (its
// characters filtered), which the input carries only in its raw form.
std::string writeSet(FuzzProgram& m, const std::vector<std::string_view>& parts,
                     bool plainUserName) {
  const size_t named = std::size(kSetFiles);
  for (size_t i = 0; i < parts.size() && i < named; ++i) {
    if (parts[i].empty()) continue;  // an empty part: the set has no such file
    std::string name = kSetFiles[i];
    if (name == "USERFILE") name = plainUserName ? "user.daz" : "user0.daz";
    m.writeOnHost(kSetDir + name, std::string(parts[i]));
  }
  if (parts.size() <= named) return "";
  const std::string_view last = parts[named];
  const size_t lineEnd = last.find('\n');
  const std::string name = driveFolderFile(last.substr(0, lineEnd));
  if (name.empty()) return "";
  const std::string_view bytes =
      lineEnd == std::string_view::npos ? std::string_view() : last.substr(lineEnd + 1);
  m.writeOnHost(kSetDir + name, std::string(bytes));
  return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 64 * 1024) return 0;
  static fuzz_restore_set::Scratch scratch;
  const uint8_t choice = data[0];
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  scratch.fresh(choice % 8 % 6);
  std::string driveFolderName;
  {
    FuzzProgram m{MachineBuilder::existing(scratch.machine())};
    driveFolderName = writeSet(m, splitParts(input), (choice & 0x80) != 0);
    scratch.noteBefore(m.host("C:\\SET").string());
    corvasta::Core& core = m.form->core;
    m.form->restore.state.sourceKind = corvasta::SourceKind::ProgramBackup;
    m.form->restore.state.extentEnabled = {true, true, true, true};
    core.winCrash = (choice & 0x08) != 0;
    core.winUsers = (choice & 0x10) != 0;
    core.userFiles = (choice & 0x20) != 0;
    core.otherFiles = (choice & 0x40) != 0;
    try {
      m.form->GetCompressType(kSetDir);
    } catch (const corvasta::Error&) {
      // The program's own errors reach its general handler, which shows them.
    } catch (...) {
      __builtin_trap();
    }
  }
  // The restore puts a drive-folder file back in its place on the drive,
  // which may be the set folder itself: its written name sends it there.
  scratch.checkContained(std::string(input) + "\n" + driveFolderName);
  return 0;
}
