#include "prefs/DesktopIconsPage.h"

#include <algorithm>

#include "app/core/Core.h"
#include "app/core/ShellLnk.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"

namespace corvasta {

std::string iconArguments(const IconBoxes& boxes) {
  std::string arguments = "schedule";
  for (size_t box = 0; box < kIconBoxes; ++box)
    if (boxes[box]) arguments += std::string(" ") + kIconLetters[box];
  return arguments;
}

IconBoxes iconBoxesFromArguments(const std::string& arguments) {
  IconBoxes boxes{};
  const std::string word = "schedule";
  const size_t at = arguments.find(word);
  if (at == std::string::npos) return boxes;
  for (size_t i = at + word.size() + 1; i < arguments.size(); ++i) {
    const char c = arguments[i];
    if (c >= '1' && c <= '4') boxes[static_cast<size_t>(c - '0')] = true;
    if (c == 's' || c == 'S') boxes[0] = true;
    if (c == 'r' || c == 'R') boxes[5] = true;
  }
  return boxes;
}

bool isProgramIconTarget(const std::string& target, const std::string& programPath) {
  return platform::ansiUpper(target).find(platform::ansiUpper(programPath)) != std::string::npos;
}

std::string iconTitleRefusal(const std::string& title) {
  if (title.find_first_of("\\/:*?\"<>|") == std::string::npos) return {};
  return "The Title " + title +
         " cannot name an icon: it must not have any of the characters \\ / : * ? \" < > |";
}

bool DesktopIconsPage::CreateIcon() {
  const bool anyBox = std::any_of(boxes.begin(), boxes.end(), [](bool box) { return box; });
  std::string refusal;
  if (!anyBox)
    refusal = kCheckOneBox;
  else if (title.empty())
    refusal = kTypeATitle;
  else
    refusal = iconTitleRefusal(title);
  if (!refusal.empty()) {
    core.env.ui.messageBox(refusal, core.ApplicationTitle, Buttons::Ok);
    return false;
  }
  core.MakeShortcut("\"" + core.ProgramPath() + "\"", iconArguments(boxes),
                    core.loc.desktopFolder + title + ".lnk", title);
  LoadDesktopIcons();
  return true;
}

void DesktopIconsPage::LoadDesktopIcons() {
  icons.clear();
  std::vector<platform::FindData> found;
  try {
    found = core.env.files.findAll(core.loc.desktopFolder + "*.lnk");
  } catch (const Error&) {
    return;  // no Desktop folder: no icons
  }
  std::sort(found.begin(), found.end(),
            [](const platform::FindData& a, const platform::FindData& b) {
              return platform::ansiCompareNoCase(a.name, b.name) < 0;
            });
  const std::string program = core.ProgramPath();
  for (const platform::FindData& entry : found) {
    if ((entry.attributes & platform::kAttributeDirectory) != 0 || entry.name.size() < 4) continue;
    try {
      if (isProgramIconTarget(core.CheckTarget(core.loc.desktopFolder + entry.name), program))
        icons.push_back(entry.name.substr(0, entry.name.size() - 4));
    } catch (const Error&) {
      // A damaged shortcut on the Desktop is not one of ours to list.
    }
  }
}

void DesktopIconsPage::ListBox1Click(size_t index) {
  if (index >= icons.size()) return;
  boxes = IconBoxes{};
  title = icons[index];
  std::string arguments;
  try {
    arguments = core.CheckParameters(core.loc.desktopFolder + title + ".lnk");
  } catch (const Error&) {
    // Gone or damaged since it was listed: the boxes stay clear.
  }
  boxes = iconBoxesFromArguments(arguments);
}

}  // namespace corvasta
