// The editable config list: typing renames the current config, choosing an
// entry from the opened list switches the config.

#include <algorithm>
#include <string_view>

#include "app/core/Core.h"
#include "prefs/ControlTexts.h"
#include "prefs/Unit8.h"

namespace corvasta {
namespace {

// A config name becomes part of backup set names (Backup Names, "Add
// Config"), so it may hold no character a folder name cannot.
constexpr std::string_view kRefusedCharacters = "\\/:*?\"<>|";

bool refused(char c) {
  return kRefusedCharacters.find(c) != std::string_view::npos;
}

}  // namespace

bool TForm8::ComboBox9KeyPress(char key) {
  if (!refused(key)) return true;
  core.env.ui.messageBox(std::string(1, key) + kNotValidCharacter, core.ApplicationTitle,
                         Buttons::Ok);
  return false;
}

ConfigNameEdit TForm8::ComboBox9Edited(const ConfigNameEdit& edit) {
  // Pasted text passes no key check: refused characters are dropped here.
  ConfigNameEdit kept = edit;
  kept.text.clear();
  for (size_t i = 0; i < edit.text.size(); ++i) {
    if (!refused(edit.text[i])) {
      kept.text += edit.text[i];
    } else if (i < edit.selStart) {
      --kept.selStart;
    }
  }
  if (kept.text.size() > kConfigNameLength) kept.text.resize(kConfigNameLength);
  kept.selStart = std::min(kept.selStart, kept.text.size());
  kept.selLength = std::min(kept.selLength, kept.text.size() - kept.selStart);
  core.Form8.configNames[static_cast<size_t>(core.Form8.curConfig - 1)] = kept.text;
  configListText = kept.text;
  changed();
  return kept;
}

void TForm8::ComboBox9Change(size_t index) {
  if (index >= core.Form8.configNames.size()) return;
  configListText = core.Form8.configNames[index];
  // A choice by keyboard, without the list opened, only shows the name.
  if (!switchArmed_) return;
  switchArmed_ = false;
  core.SwitchConfig(static_cast<int>(index) + 1);
  otherFilesSelection.reset();
  updateEnabling();
}

}  // namespace corvasta
