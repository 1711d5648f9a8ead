#pragma once
// The pictures of the shell's small icons (platform/shell/shell_icons.h):
// the style's standard drive, folder and file icons, and a drawn program
// window, for the folder tree and the file lists.

#include <QIcon>

namespace platform {
struct ShellIcon;
}

namespace corvasta {

QIcon shellIconPicture(const platform::ShellIcon& icon);

}  // namespace corvasta
