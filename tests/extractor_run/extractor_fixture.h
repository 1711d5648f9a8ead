#pragma once
// The Extractor dialog on a test machine, with helpers that write archives
// through the program's second archive engine or byte by byte.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "extractor/Unit10.h"
#include "tests/support/disk_swapping_ui.h"
#include "tests/support/program_rig.h"
#include "tests/support/stored_archive.h"

namespace extractor_test {

using Member = testing_support::StoredMember;

// An archive of stored entries written byte by byte.
void writeRawArchive(testing_support::ProgramRig& m, const std::string& archive,
                     const std::vector<Member>& members);
// `files` zipped into `archive` by the program's second engine, with their drives.
void zipFiles(testing_support::ProgramRig& m, const std::string& archive,
              const std::vector<std::string>& files, const std::string& password = "");
// The file node of a path, -1 when the tree has none.
int nodeOf(const corvasta::TForm10& form, const std::string& path);

template <typename Program>
class ExtractorOn : public ::testing::Test {
 protected:
  explicit ExtractorOn(
      const testing_support::MachineBuilder& machine =
          testing_support::MachineBuilder().folder("C:\\Out").folder("C:\\Backups"))
      : m(machine) {}

  // The dialog as "&Extractor" opens it.
  corvasta::TForm10& open() {
    form = std::make_unique<corvasta::TForm10>(m.form->core, m.form->backup.archiving,
                                               m.form->backup.items);
    form->FormShow();
    return *form;
  }
  void zip(const std::string& archive, const std::vector<std::string>& files,
           const std::string& password = "") {
    zipFiles(m, archive, files, password);
  }
  void writeRawArchive(const std::string& archive, const std::vector<Member>& members) {
    extractor_test::writeRawArchive(m, archive, members);
  }
  // The browse button answered with `path`.
  void browse(const std::string& path) {
    m.ui.expect(
        form->CheckBox2 ? "Select a Corvasta Backup File" : "Select a Corvasta Backup Directory",
        path);
    form->Button7Click();
  }
  int nodeOf(const std::string& path) { return extractor_test::nodeOf(*form, path); }
  void check(const std::string& path) {
    const int node = nodeOf(path);
    ASSERT_GE(node, 0) << path << " is not listed";
    form->ToggleNode(node);
  }

  Program m;
  std::unique_ptr<corvasta::TForm10> form;
};

using ExtractorTest = ExtractorOn<testing_support::TestProgram>;

}  // namespace extractor_test
