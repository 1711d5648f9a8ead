#pragma once
// The Registry Editor's text format, "REGEDIT4": what `regedit /e` writes,
// what `regedit file` imports and what `regedit /c file` rebuilds a registry
// from. ANSI text with CR LF line ends:
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\Software\Example]
//   "Name"="text with \"quotes\" and \\ backslashes"
//   @="the default value"
//   "Count"=dword:0000001a
//   "Blob"=hex:01,02,03
//   "Path"=hex(2):25,77,69,6e,64,69,72,25,00
//
// Strings are ANSI in this format whatever the registry stores: string data of
// NT hives (UTF-16LE) is converted on export and back on import.
//
// Export keeps every byte: a REG_SZ value whose data is not plain text ending
// in one NUL (embedded NULs, line breaks, a missing terminator, characters
// without an ANSI form) is written as hex(1) rather than as a quoted string,
// and a REG_DWORD whose data is not four bytes as hex(4), so that an export
// read back gives the same data.

#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/registry_tree.h"

namespace platform::registry {

// One subtree to export: its full name ("HKEY_LOCAL_MACHINE" or
// "HKEY_LOCAL_MACHINE\Software\Example", ANSI) and the key it names.
struct ExportRoot {
  std::string path;
  const RegistryKey* key = nullptr;
  StringEncoding encoding = StringEncoding::Ansi;
};

// The REGEDIT4 text of the subtrees, in order, each key before its subkeys.
std::string exportRegedit4(const std::vector<ExportRoot>& roots);

// A parsed REGEDIT4 file: the keys in file order with their value lines.
struct Regedit4Value {
  std::string name;  // ANSI; empty for "@"
  bool remove = false;
  uint32_t type = kRegSz;
  std::vector<uint8_t> ansiData;  // data with strings in ANSI form
};

struct Regedit4Key {
  std::string path;  // ANSI full name, "HKEY_..." first
  bool remove = false;
  std::vector<Regedit4Value> values;
  int line = 0;
};

// Parses REGEDIT4 text (also accepts the header "Windows Registry Editor
// Version 5.00" when the text is ANSI). Throws RegistryFormatError naming the
// line for anything malformed.
std::vector<Regedit4Key> parseRegedit4(std::string_view text);

// Applies parsed keys to a tree that stands for `rootPath` (e.g.
// "HKEY_LOCAL_MACHINE"); keys under other roots are skipped and counted.
// Returns the number of keys applied.
size_t applyRegedit4(const std::vector<Regedit4Key>& keys, const std::string& rootPath,
                     RegistryTree& tree);

// Converts value data between the ANSI form of the text format and the form a
// tree with `encoding` stores (string types only; others are unchanged).
std::vector<uint8_t> toStoredData(uint32_t type, const std::vector<uint8_t>& ansiData,
                                  StringEncoding encoding);
std::vector<uint8_t> toAnsiData(uint32_t type, const std::vector<uint8_t>& storedData,
                                StringEncoding encoding);

}  // namespace platform::registry
