#pragma once
// The Other Files editor on a test machine: a TForm11 over the program's
// core, opened on an entry as the Preferences dialog opens it.

#include <memory>
#include <string>

#include "backup/Unit11.h"
#include "tests/support/program_rig.h"

namespace editor_test {

struct EditorRig {
  explicit EditorRig(testing_support::MachineBuilder machine = testing_support::MachineBuilder())
      : m(machine), editor(std::make_unique<corvasta::TForm11>(m.form->core)) {}

  // Opens entry `index` named `name` with the Preferences list holding
  // `entries` names.
  void open(const std::string& name, int index, size_t entries = 0) {
    m.form->core.Form8.otherFilesNames.assign(entries, "");
    for (size_t i = 0; i < entries; ++i)
      m.form->core.Form8.otherFilesNames[i] =
          m.setting("MultiFiles" + std::to_string(i), "FileName");
    editor->Open(name, index);
  }
  void folder(const std::string& path) { m.form->core.createDirectories(path); }
  // Moves the tree to `folder`, as a click on it does.
  void go(const std::string& folder) { editor->DirTree1.SetDirectory(folder); }
  // The list item named `name`.
  corvasta::ChFileItem* item(const std::string& name) {
    for (corvasta::ChFileItem& i : editor->KTChFileList1.Items)
      if (i.name == name) return &i;
    return nullptr;
  }
  size_t indexOf(const std::string& name) {
    for (size_t k = 0; k < editor->KTChFileList1.Items.size(); ++k)
      if (editor->KTChFileList1.Items[k].name == name) return k;
    return static_cast<size_t>(-1);
  }
  // A click in the tick zone of `name`.
  void tick(const std::string& name) { editor->FileItemClick(indexOf(name), 4, 96); }
  size_t button(const std::string& mask) {
    for (size_t b = 0; b < corvasta::kFileTypeButtons; ++b)
      if (corvasta::fileTypeButtons()[b].mask == mask) return b;
    return 0;
  }

  testing_support::TestProgram m;
  std::unique_ptr<corvasta::TForm11> editor;
};

}  // namespace editor_test
