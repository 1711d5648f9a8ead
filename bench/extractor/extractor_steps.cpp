// The Extractor's own steps timed inside one process, without the program's
// start on the machine: listing an archive (the browse button: the archive's
// central directory read and every entry placed in the check tree), the Qt
// tree of that listing filled and every folder opened, and extracting one
// checked file. extractor_bench.sh runs it beside unzip on the same archives.
//
//   extractor_steps LIST_ARCHIVE BIG_ARCHIVE PATH...
//
// The archives are host files; they are linked into C:\Bench of a Windows ME
// sample machine made for the run. Each PATH is a file of BIG_ARCHIVE as
// stored ("Part 00/Record 00000.bin"); it is extracted alone into C:\Out.

#include <QApplication>
#include <QTreeView>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "extractor/Unit10.h"
#include "tests/support/program_rig.h"
#include "ui/ExtractorTreeModel.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void linkInto(testing_support::ProgramRig& m, const std::filesystem::path& archive,
              const std::string& winPath) {
  const std::filesystem::path target = m.host(winPath);
  std::error_code error;
  std::filesystem::create_hard_link(archive, target, error);
  if (error) std::filesystem::copy_file(archive, target);
}

void listArchive(testing_support::TestProgram& m, corvasta::TForm10& form,
                 const std::string& winPath) {
  form.FormShow();
  m.ui.expect("Select a Corvasta Backup File", winPath);
  const Clock::time_point start = Clock::now();
  form.Button7Click();
  std::printf("%-44s %9.2f  (%zu files)\n", "list (ReadDirectory + check tree)",
              secondsSince(start), form.TreeView1.FileNodes().size());
}

// The dialog's tree view over the listing, every drive and folder opened.
void fillQtTree(corvasta::TForm10& form) {
  const Clock::time_point start = Clock::now();
  QTreeView view;
  corvasta::ExtractorTreeModel model(form.TreeView1, [](int) {});
  view.setModel(&model);
  view.setUniformRowHeights(true);
  view.resize(400, 600);
  view.show();
  view.expandAll();
  QApplication::processEvents();
  std::printf("%-44s %9.2f\n", "Qt tree filled, every folder open", secondsSince(start));
}

void extractOne(testing_support::TestProgram& m, corvasta::TForm10& form, const std::string& path) {
  // The path as stored ("/" separated, no drive) against the tree's paths.
  std::string wanted = path;
  for (char& c : wanted)
    if (c == '/') c = '\\';
  int node = -1;
  for (int file : form.TreeView1.FileNodes()) {
    const std::string shown = form.TreeView1.PathOfNode(file);
    if (shown.size() >= wanted.size() &&
        shown.compare(shown.size() - wanted.size(), wanted.size(), wanted) == 0)
      node = file;
  }
  if (node < 0) {
    std::printf("%s is not listed\n", path.c_str());
    return;
  }
  form.ToggleNode(node);
  m.ui.expect("Files Extracted", "OK");
  const Clock::time_point start = Clock::now();
  form.Button8Click();
  std::printf("%-44s %9.3f\n", ("extract " + path).c_str(), secondsSince(start));
  form.ToggleNode(node);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s LIST_ARCHIVE BIG_ARCHIVE PATH...\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  testing_support::TestProgram m{
      testing_support::MachineBuilder().folder("C:\\Bench").folder("C:\\Out")};
  m.start();
  linkInto(m, argv[1], "C:\\Bench\\list.zip");
  linkInto(m, argv[2], "C:\\Bench\\big.zip");

  corvasta::TForm10 form(m.form->core, m.form->backup.archiving, m.form->backup.items);
  listArchive(m, form, "C:\\Bench\\list.zip");
  fillQtTree(form);
  m.ui.expect("Find the Directory to Extract to.", "C:\\Out");
  form.ComboBox1Change(corvasta::kSpecifyLocation);
  listArchive(m, form, "C:\\Bench\\big.zip");
  for (int index = 3; index < argc; ++index) extractOne(m, form, argv[index]);
  return 0;
}
