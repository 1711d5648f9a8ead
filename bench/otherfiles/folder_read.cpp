// The Other Files editor's file list on a large folder, timed inside one
// process: a folder of FILES files read with fifty ";"-separated masks
// (ReadFolder: one search per mask, the items sorted, the entry's ticks
// shown) and the Qt list made from them, then the same with the single
// mask "*". otherfiles_bench.sh runs it.
//
//   folder_read [FILES]

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "backup/Unit11.h"
#include "tests/support/program_rig.h"
#include "ui/ChFileListView.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void readAndShow(corvasta::TForm11& editor, const std::string& mask, const char* label) {
  corvasta::ChFileListView view(editor.KTChFileList1);
  view.resize(600, 400);
  view.show();
  editor.KTChFileList1.Mask = mask;
  const Clock::time_point start = Clock::now();
  editor.KTChFileList1.SetDirectory("C:\\Big\\");
  const double read = secondsSince(start);
  view.refresh();
  QApplication::processEvents();
  std::printf("%-44s %9.3f %9.3f  (%zu items)\n", label, read, secondsSince(start),
              editor.KTChFileList1.Items.size());
}

}  // namespace

int main(int argc, char** argv) {
  const int files = argc > 1 ? std::atoi(argv[1]) : 10000;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  testing_support::TestProgram m{testing_support::MachineBuilder().folder("C:\\Big")};
  m.start();
  // Fifty extensions; every file has one of them, so each mask finds a share.
  std::string masks;
  for (int k = 0; k < 50; ++k) masks += (k ? ";*.e" : "*.e") + std::to_string(k);
  for (int k = 0; k < files; ++k)
    m.writeOnHost("C:\\Big\\Document number " + std::to_string(k) + ".e" + std::to_string(k % 50),
                  "x");
  corvasta::TForm11 editor(m.form->core);
  editor.lists.includes = {"|C:\\Big\\*.e1", "|C:\\Big\\*.e7", ">C:\\Big\\*.e30"};
  editor.lists.excludes = {"|C:\\Big\\Document number 7*"};
  editor.KTChFileList1.Lists = &editor.lists;
  std::printf("%-44s %9s %9s\n", "step", "read s", "shown s");
  readAndShow(editor, masks, "first read, 50 masks (aliases given)");
  readAndShow(editor, masks, "50 masks");
  readAndShow(editor, "*", "one mask \"*\"");
  return 0;
}
