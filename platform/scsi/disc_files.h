#pragma once
// The two files of a simulated disc in its drive's folder: NAME.toc (what is
// on it, disc_toc_file.h) and NAME.img (its sectors). No NAME.toc: the disc
// does not exist yet, and a drive holding it has an empty tray.

#include <filesystem>
#include <optional>
#include <string>

#include "platform/scsi/disc.h"

namespace platform::scsi {

class DiscFiles {
 public:
  // `base` is the drive folder / NAME.
  explicit DiscFiles(std::filesystem::path base) : base_(std::move(base)) {}

  std::filesystem::path tocPath() const;
  std::filesystem::path imagePath() const;
  bool exists() const;
  // Reads NAME.toc; throws DiscTocError for bad text, corvasta::Error when it
  // cannot be read.
  Disc load() const;
  // Writes NAME.toc whole through a temporary file renamed into place.
  void save(const Disc& disc) const;

 private:
  std::filesystem::path base_;
};

// Makes a new disc: a blank one of `kind` (capacity `sectors`, or the kind's
// usual one), or a pressed cd-rom holding the host file `pressedFrom`.
// Throws corvasta::Error when the disc exists already or cannot be written.
Disc createDisc(const DiscFiles& files, DiscKind kind, std::optional<uint32_t> sectors,
                const std::optional<std::filesystem::path>& pressedFrom);

}  // namespace platform::scsi
