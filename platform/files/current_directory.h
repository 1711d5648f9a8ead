#pragma once
// GetCurrentDirectory / SetCurrentDirectory: the program's current directory
// on the machine, never the host process's. It starts at the program
// directory; it is held without a final backslash except at a drive root.

#include <string>
#include <string_view>

namespace platform {

class Machine;

class CurrentDirectory {
 public:
  explicit CurrentDirectory(Machine& machine);

  std::string get() const;
  // A relative path is taken from the current directory. Anything but an
  // existing folder throws OsError (PathNotFound, NotReady) and leaves the
  // directory as it was.
  void set(std::string_view path);

 private:
  Machine& machine_;
  std::string directory_;
};

}  // namespace platform
