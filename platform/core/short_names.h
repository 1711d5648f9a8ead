#pragma once
// 8.3 short names ("aliases") by the rules of the Windows FAT file systems:
// a long name that is not itself a valid 8.3 name gets an alias of up to six
// characters of its base, "~N" and up to three characters of its extension,
// in upper case, with N the lowest number not yet used in the folder.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/host/host_files.h"

namespace platform {

// True when `name` is a valid 8.3 name as it stands (one to eight characters,
// optionally a dot and one to three more, no blanks, no characters FAT short
// names forbid). Case does not matter.
bool isValidShortName(std::string_view name);

// The alias with number `n` for a long name (ANSI): invalid characters
// removed or replaced by "_", blanks and all dots but the last dropped, upper
// case, the base cut so that base + "~" + n fits in eight characters.
std::string makeAlias(std::string_view longName, unsigned n);

// Answers whether a name (ANSI, compared without case) is taken or present.
using NameQuery = std::function<bool(std::string_view)>;

// Picks the first alias number whose result is not in `taken` (compared
// without case) and returns the alias.
std::string nextFreeAlias(std::string_view longName, const std::vector<std::string>& taken);

// The aliases given in the folders of one medium, kept in a file in the
// machine's state folder so that an alias is stable once given. Keys are the
// folder's path relative to the medium root (host form, "/" separated; "" for
// the root).
class AliasStore {
 public:
  explicit AliasStore(std::filesystem::path file);

  // The alias of `longName` in `folder`, when one was given.
  std::optional<std::string> find(const std::string& folder, std::string_view longName) const;
  // The long name whose alias is `alias` in `folder`.
  std::optional<std::string> longNameOf(const std::string& folder, std::string_view alias) const;
  // Gives `longName` an alias when it needs one and has none. `siblings` are
  // the long names present in the folder (whose own 8.3 names are taken too).
  // Returns the short name: the alias, or the name itself when it is valid 8.3.
  std::string assign(const std::string& folder, std::string_view longName,
                     const std::vector<std::string>& siblings);
  // The same with the folder's names given as a question: whether a name is
  // present in the folder. `listingStamp`, when given, changes whenever a
  // name leaves the folder; while it stays the same, numbers found taken
  // before are not tried again (a folder of thousands of names alike would
  // otherwise try every number for every new name).
  std::string assignAmong(const std::string& folder, std::string_view longName,
                          const NameQuery& present, std::optional<uint64_t> listingStamp = {});
  // Forget an alias (the file was deleted or renamed away).
  void forget(const std::string& folder, std::string_view longName);
  // A folder moved or was renamed: its aliases, and those below it, follow.
  void moveFolder(const std::string& from, const std::string& to);

 private:
  using NameMap = std::map<std::string, std::string, AnsiLessNoCase>;
  // The first number not yet known to be taken in a sequence of aliases
  // (named by its first alias), as of a listing stamp.
  struct NumberHint {
    uint64_t stamp = 0;
    unsigned next = 1;
  };
  struct FolderAliases {
    NameMap byLong;   // long name -> alias
    NameMap byAlias;  // alias -> long name
    std::map<std::string, NumberHint> hints;
  };
  void put(const std::string& folder, std::string_view longName, const std::string& alias);
  // Removes a long name's alias; false when it had none.
  bool erase(const std::string& folder, std::string_view longName);
  void load();
  // Writes the whole store afresh.
  void save();
  // Adds change lines at the end of the store.
  void append(const std::string& lines);
  static std::string line(const std::string& folder, std::string_view longName,
                          std::string_view alias);

  std::filesystem::path file_;
  host::AppendFile changes_;  // the store's file, kept open for change lines
  std::map<std::string, FolderAliases> folders_;
};

}  // namespace platform
