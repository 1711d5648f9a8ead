#pragma once
// TNTRegistry: the registry accessor of the registry capture and restore.
// It keeps a current root key (HKEY_CURRENT_USER at first), a current open
// key with its path, and leaves writing to the registry's lazy flush. Paths
// starting with "\" are taken from the root key, other paths from the current
// key.

#include <string>
#include <vector>

#include "platform/live_registry/live_registry.h"

namespace corvasta {

class TNTRegistry {
 public:
  explicit TNTRegistry(platform::LiveRegistry& registry);
  ~TNTRegistry();
  TNTRegistry(const TNTRegistry&) = delete;
  TNTRegistry& operator=(const TNTRegistry&) = delete;

  platform::HKEY rootKey() const { return root_; }
  // Closes the current key first.
  void setRootKey(platform::HKEY root);
  // The current key's handle (0 when none is open) and its path below the
  // root, without a leading backslash.
  platform::HKEY currentKey() const { return current_; }
  const std::string& currentPath() const { return currentPath_; }

  // Opens (or with `canCreate` creates) the key with the most access the
  // registry grants: full, else read with create-subkey and set-value, else
  // (opening only) read. On success the key becomes current.
  bool openKey(const std::string& path, bool canCreate);
  // The text of a string or expandable-string value of the current key;
  // empty when the value is missing or empty. Other types throw
  // corvasta::Error "Invalid data type for '<name>'".
  std::string readString(const std::string& name);
  std::vector<std::string> valueNames();
  void closeKey();
  // Writes the key's subtree to `file` with the registry's save-key call,
  // which refuses a file that exists. The key is opened as openKey does,
  // then with the backup-restore option for query and then write access.
  bool saveKey(const std::string& path, const std::string& file);
  // Has Windows load the hive at `path` from `newFile` at its next start,
  // keeping the present file as `oldFile`.
  bool replaceKey(const std::string& path, const std::string& newFile, const std::string& oldFile);

 private:
  // The key a path starts from and the path below it.
  platform::HKEY baseOf(const std::string& path, std::string& rest) const;
  platform::WinError openWithFallbacks(platform::HKEY base, const std::string& rest,
                                       platform::HKEY& result);

  platform::LiveRegistry& registry_;
  platform::HKEY root_ = platform::HKEY_CURRENT_USER;
  platform::HKEY current_ = 0;
  std::string currentPath_;
};

}  // namespace corvasta
