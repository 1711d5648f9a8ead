#pragma once
// The ISO 9660 + Joliet image builder of the CD engine: the tree of the
// session about to be written, laid out and turned into its header and its
// stream of sectors. `TCDBurner` owns one and forwards its operations; here
// it also writes a session into an image file.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cdengine/CdDrive.h"
#include "cdengine/IsoHeader.h"
#include "cdengine/IsoLayout.h"
#include "cdengine/IsoTree.h"
#include "cdengine/SessionStream.h"
#include "platform/files/file_system.h"

namespace cdengine {

class IsoImage {
 public:
  // `drive`: the disc a session is written to or imported from; may be null
  // while only a tree is built.
  IsoImage(platform::FileSystem& files, CdDrive* drive = nullptr);

  // Properties.
  bool JolietFileSystem = true;
  bool ReplaceFile = false;
  VolumeIdentifiers ids;  // IdVolume ... FileBibliographic, DateCreation, DateModification
  bool WritePostGap = true;
  bool FinalizeTrack = true;
  // OnDebugMessage.
  DebugMessage OnDebugMessage;

  bool ClearImage(uint32_t maxFiles, uint32_t maxDirectories);
  TDEntry* FindDir(const std::string& path) { return tree_.findDir(path); }
  TDEntry* CreateDir(const std::string& path);
  // 1 entered, 0 refused (no such directory, name or size that cannot be
  // stored, table full, same name without ReplaceFile), -1 no such source.
  int AddFile(const std::string& directory, const std::string& source, bool derive);
  bool RemoveDir(const std::string& path) { return tree_.removeDir(path); }
  // Reads session `session` (255: the last) of the drive's disc into
  // `target` (nullptr: the root). True when a tree was read.
  bool ImportSession(int session, TDEntry* target = nullptr);
  uint32_t DirCount() const { return tree_.dirCount(); }
  uint32_t FileCount() const { return tree_.fileCount(); }

  // Lays the image out. Unless `sizeOnly`, the session starts at the
  // drive's next writable address (with a drive) or at `sessionStart`.
  void PrepareImage(bool sizeOnly, uint32_t sessionStart = 0);
  void BuildImageHeader();
  uint32_t TrackSize() const { return trackSize(layout_, WritePostGap); }
  bool headerBuilt() const { return tree_.dirty; }

  const IsoLayout& layout() const { return layout_; }
  const std::vector<uint8_t>& header() const { return header_; }
  const IsoTree& tree() const { return tree_; }
  // The stream of the prepared session; valid while this object and its tree
  // stay unchanged.
  std::unique_ptr<SessionStream> openSessionStream();
  // Writes the prepared session into `image` at its start sector × 2048,
  // extending the file and leaving its earlier bytes as they were. Returns
  // the files delivered.
  std::vector<DeliveredFile> writeSession(const std::filesystem::path& image);
  // The machine's local time now (volume dates, DVD-R time stamps).
  platform::SystemTime now() const;

 private:
  void debug(const std::string& text, DebugType type) const;

  platform::FileSystem& files_;
  CdDrive* drive_;
  IsoTree tree_;
  IsoLayout layout_;
  std::vector<uint8_t> header_;
  int8_t timeZone_ = 0;
};

}  // namespace cdengine
