#pragma once
// The Desktop Icons page of the Preferences dialog: six boxes naming the
// tasks an icon runs, its title, "&Create Desktop Icon", and the list of the
// Desktop folder's shortcuts that start the program. An icon is a shortcut
// title + ".lnk" in the Desktop folder that starts the program (its path in
// double quotes) with "schedule" and one letter per task: " s", " 1" ...
// " 4", " r".

#include <array>
#include <string>
#include <vector>

namespace corvasta {

class Core;

// The boxes in the order of their letters.
inline constexpr size_t kIconBoxes = 6;
inline constexpr std::array<const char*, kIconBoxes> kIconBoxCaptions{
    "&Start and Wait",     "Back up &1st Config", "Back up &2nd Config",
    "Back up &3rd Config", "Back up &4th Config", "&RegPack"};
inline constexpr std::array<char, kIconBoxes> kIconLetters{'s', '1', '2', '3', '4', 'r'};
inline constexpr const char* kCheckOneBox = "You must check one of the checkboxes";
inline constexpr const char* kTypeATitle = "You must type in a Title for the icon";

using IconBoxes = std::array<bool, kIconBoxes>;

// "schedule" followed by " s", " 1" ... " r" for the checked boxes.
std::string iconArguments(const IconBoxes& boxes);
// The boxes a listed icon's arguments check: after the word "schedule" and
// the one character that follows it, "1".."4" check the configs, "S"/"s"
// Start and Wait, "R"/"r" RegPack; anything else is ignored. Arguments
// without "schedule" check nothing.
IconBoxes iconBoxesFromArguments(const std::string& arguments);
// Whether a Desktop shortcut's target starts the program: it contains the
// program's path, without regard to case.
bool isProgramIconTarget(const std::string& target, const std::string& programPath);
// Why `title` cannot name an icon file: a title with \ / : * ? " < > |
// would write outside the Desktop folder or no file at all. Empty when it
// can.
std::string iconTitleRefusal(const std::string& title);

class DesktopIconsPage {
 public:
  explicit DesktopIconsPage(Core& core) : core(core) {}

  IconBoxes boxes{};
  std::string title;  // Edit field "Title"
  // The listed icons' names (file names without ".lnk").
  std::vector<std::string> icons;

  // "&Create Desktop Icon": writes the icon (replacing one of the same
  // title) and lists the icons again; false, with its message, when no box
  // is checked, no title is typed or the title cannot name a file.
  bool CreateIcon();
  // Lists the Desktop folder's shortcuts whose target is the program. A
  // shortcut that cannot be read is left out.
  void LoadDesktopIcons();
  // A listed icon chosen: its name becomes the title and its arguments
  // check the boxes.
  void ListBox1Click(size_t index);

  Core& core;
};

}  // namespace corvasta
