#pragma once
// The shortcut object TShellLink: the properties of a .lnk file, read from
// and written to the machine by Windows path. Strings are ANSI, as everywhere
// in the program.

#include <cstdint>
#include <string>

#include "platform/core/errors.h"

namespace platform {
class FileSystem;
class LiveRegistry;
}  // namespace platform

namespace corvasta {

// "Link not found.", "Read error.", "Write error.".
class ShellLinkError : public Error {
 public:
  using Error::Error;
};

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

enum class TShellFolder {
  sfNone,
  sfDesktop,
  sfFavorites,
  sfFonts,
  sfPersonal,
  sfPrograms,
  sfRecent,
  sfSendTo,
  sfStartMenu,
  sfStartup,
  sfTemplates,
};

struct THotKey {
  uint8_t KeyCode = 0;
  uint8_t Modifiers = 0;  // platform::shell::HotKeyModifier bits
};

class TShellLink {
 public:
  // `registry` is needed only for a ShellFolder other than sfNone.
  explicit TShellLink(platform::FileSystem& files, platform::LiveRegistry* registry = nullptr)
      : files_(files), registry_(registry) {}

  std::string Arguments;
  std::string Description;
  THotKey HotKey;
  std::string FileName;
  std::string Target;
  TWindowState WindowState = TWindowState::wsNormal;
  std::string WorkingDir;
  TShellFolder ShellFolder = TShellFolder::sfNone;
  std::string IconLocation;
  int32_t IconIndex = 0;

  // The .lnk file the object reads and writes: FileName, or its name in the
  // ShellFolder when one is set.
  std::string LinkPath() const;
  // Loads every property from the file. Throws ShellLinkError "Link not
  // found." when there is no file, "Read error." when it cannot be read or
  // is not a shortcut.
  void Read();
  // Stores every property into the file, creating or replacing it, with what
  // Windows records of the target (8.3 path, attributes, times, size, the
  // volume's type, serial number and label). Throws ShellLinkError "Write
  // error." when the file cannot be written; the old file is then unchanged.
  void Write();

 private:
  platform::FileSystem& files_;
  platform::LiveRegistry* registry_;
};

}  // namespace corvasta
