#pragma once
// Attribute records kept in the machine's state folder for one drive medium:
// for hosts without a place for DOS attributes, and for the creation times and
// archive stamps a host file system cannot hold. Keys are paths relative to
// the medium root ("/" separated, host names as they are).
//
// File format, one record a line (UTF-8):
//   path TAB attributes(hex) TAB creation(FILETIME, "-" if none)
//        TAB stamp size ("-" if none) TAB stamp last-write
// Lines that do not parse are reported by parseAttributeRecords.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/errors.h"
#include "platform/files/attribute_backend.h"
#include "platform/host/host_time.h"

namespace platform {

class AttributeFileError : public corvasta::Error {
 public:
  using corvasta::Error::Error;
};

using AttributeRecords = std::map<std::string, StoredAttributes>;

// Throws AttributeFileError naming the line for a malformed record.
AttributeRecords parseAttributeRecords(std::string_view text);
std::string formatAttributeRecords(const AttributeRecords& records);

// Every FileSystem (and every process) on a machine shares the file: a change
// made through another one is read again before the records are used.
class AttributeFile {
 public:
  // `root` is the medium's host root; `file` where the records live.
  AttributeFile(std::filesystem::path root, std::filesystem::path file);

  std::optional<StoredAttributes> get(const std::filesystem::path& host) const;
  void put(const std::filesystem::path& host, const StoredAttributes& stored);
  void erase(const std::filesystem::path& host);
  // The host's own store took the entry's attributes: a record of it here
  // is out of date and goes. Nothing is looked up when the entry is the one
  // superseded last and no put or move came since: a record only comes
  // through those, for an entry whose host store refuses its attributes,
  // and this one has just taken them.
  void supersede(const std::filesystem::path& host);
  // The entry and, for a folder, every record below it move to `to`.
  void move(const std::filesystem::path& from, const std::filesystem::path& to);

 private:
  std::string keyOf(const std::filesystem::path& host) const;
  // Reads the file again when it changed since we last read or wrote it.
  void refresh() const;
  void save();

  std::filesystem::path root_;
  std::filesystem::path file_;
  mutable AttributeRecords records_;
  mutable host::HostTime seenTime_{};
  mutable uint64_t seenSize_ = 0;
  mutable std::optional<std::string> lastSuperseded_;
};

}  // namespace platform
