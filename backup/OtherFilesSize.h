#pragma once
// FindSizeofZip: how many files, and how many bytes, a selection of
// inclusions, chosen files and exclusions takes. The Other Files editor's
// Size page shows it; copy mode sizes a copy by it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {
class FileSystem;
}

namespace corvasta {

class Ui;

struct SelectionSize {
  uint64_t files = 0;
  uint64_t bytes = 0;
};

// A file of this size or more is counted but not added to the total.
inline constexpr uint64_t kTooBigForTotal = uint64_t{1} << 31;

// folder + name + " is too big to add to the total size.  It may also cause
// problems in backup."
std::string tooBigForTotalMessage(const std::string& path);

struct SizeScan {
  platform::FileSystem& files;
  Ui& ui;               // pending messages are handled after every entry
  bool subDirectories;  // the recursion of an entry without ">" or "|"
  std::function<void(const std::string& message)> tooBig;  // a file of 2 GiB or more
};

// Include set: the inclusions, then the chosen files' "+" entries without
// the sign and their unsigned entries as they stand. Exclude set: the
// exclusions, then the "-" entries without the sign. Each include entry is
// scanned: after ">" with the folders below, after "|" or "\" its folder
// only, unmarked as `subDirectories` says. A file is taken when the entry's
// name part matches its name and no exclusion matches its full path by the
// scope rule, a leading "\" counting as "|". A file reached by two entries
// counts twice.
SelectionSize FindSizeofZip(const SizeScan& scan, const std::vector<std::string>& inclusions,
                            const std::vector<std::string>& chosenFiles,
                            const std::vector<std::string>& exclusions);

// The Size page's values: the count as "##,###" and the total as bytes, KB,
// MB or GB with at most two decimals ("999 bytes", "0.98 KB", "1 MB").
std::string fileCountText(uint64_t files);
std::string totalSizeText(uint64_t bytes);

}  // namespace corvasta
