// Multisession import: the tree of a session already on the disc read into
// the new session's tree, its files entered as imported (their data stays
// where it is). The disc is outside data: every directory extent is read
// once and must lie inside the session's volume and on the disc, lengths are
// checked against record and sector, and the tables bound what is entered.
// A failure names what was wrong; what was read before it stays.

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "cdengine/IsoImage.h"
#include "cdengine/IsoNames.h"
#include "platform/cdfs/directory_record.h"

namespace cdengine {

namespace {

using platform::cdfs::DirectoryRecord;
using platform::cdfs::kSectorSize;

constexpr uint32_t kDescriptorSearch = 21;
// Records are read while fewer bytes than this of a sector are used.
constexpr size_t kRecordArea = 2015;
constexpr size_t kUxaBlock = 14;

class ImportFailure {
 public:
  explicit ImportFailure(std::string what) : what_(std::move(what)) {}
  const std::string& what() const { return what_; }

 private:
  std::string what_;
};

struct PendingDirectory {
  uint32_t location;
  uint32_t bytes;
  TDEntry* into;
};

// A 14-byte block some writers leave between records of an ISO directory:
// four zero bytes, then "UXA" in its 5th to 7th bytes.
bool isUxaBlock(const uint8_t* p, size_t available) {
  return available >= kUxaBlock && p[0] == 0 && p[1] == 0 && p[2] == 0 && p[3] == 0 &&
         p[4] == 'U' && p[5] == 'X' && p[6] == 'A';
}

class SessionImport {
 public:
  SessionImport(CdDrive& drive, IsoTree& tree, bool replace, const DebugMessage& debug)
      : drive_(drive), tree_(tree), replace_(replace), debug_(debug) {}

  // Finds the session's descriptor (Joliet first) and reads its tree into
  // `target`. False when no descriptor was found.
  bool run(uint32_t start, TDEntry& target) {
    std::optional<platform::cdfs::VolumeDescriptor> descriptor = findDescriptor(start, 2);
    joliet_ = descriptor.has_value();
    if (!descriptor) descriptor = findDescriptor(start, 1);
    if (!descriptor) return false;
    volumeEnd_ = descriptor->volumeSpaceSize;
    readTree(descriptor->root, target);
    return true;
  }

 private:
  std::optional<platform::cdfs::VolumeDescriptor> findDescriptor(uint32_t start, uint8_t type) {
    std::vector<uint8_t> sector(kSectorSize);
    for (uint32_t i = 0; i < kDescriptorSearch; ++i) {
      if (!drive_.readSectors(start + 16 + i, 1, sector.data())) return std::nullopt;
      const auto descriptor = platform::cdfs::readVolumeDescriptor(sector.data());
      if (!descriptor) continue;
      if (descriptor->type == 255) return std::nullopt;
      if (descriptor->type == type) return descriptor;
    }
    return std::nullopt;
  }

  void readTree(const DirectoryRecord& root, TDEntry& target) {
    std::vector<PendingDirectory> pending{{root.location, root.dataLength, &target}};
    while (!pending.empty()) {
      const PendingDirectory directory = pending.back();
      pending.pop_back();
      readDirectory(directory, pending);
    }
  }

  void readDirectory(const PendingDirectory& directory, std::vector<PendingDirectory>& pending) {
    const uint32_t sectors =
        static_cast<uint32_t>((uint64_t{directory.bytes} + kSectorSize - 1) / kSectorSize);
    if (!visited_.insert(directory.location).second)
      throw ImportFailure("a directory's records are listed twice (a loop)");
    if (sectors == 0 || uint64_t{directory.location} + sectors > volumeEnd_)
      throw ImportFailure("a directory lies outside the session's volume");
    std::vector<uint8_t> sector(kSectorSize);
    bool first = true;
    int dots = 0;
    for (uint32_t s = 0; s < sectors; ++s) {
      if (!drive_.readSectors(directory.location + s, 1, sector.data()))
        throw ImportFailure("a directory lies past the end of the disc");
      size_t used = 0;
      while (used < kRecordArea) {
        const uint8_t* p = sector.data() + used;
        const size_t available = kSectorSize - used;
        if (!joliet_ && isUxaBlock(p, available)) {
          used += kUxaBlock;
          continue;
        }
        if (p[0] == 0) break;  // the rest of the sector is unused
        const std::optional<DirectoryRecord> record =
            platform::cdfs::readDirectoryRecord(p, available);
        if (!record) throw ImportFailure("a directory record is malformed");
        used += record->length;
        if (first && dots < 2) {
          ++dots;
          continue;
        }
        enter(*record, *directory.into, pending);
      }
      first = false;
    }
  }

  std::string nameOf(const DirectoryRecord& record) const {
    std::string name =
        joliet_ ? ansiFromUcs2BigEndian(record.identifier.data(), record.identifier.size())
                : std::string(record.identifier.begin(), record.identifier.end());
    const size_t version = name.find(';');
    if (version != std::string::npos) name.resize(version);
    return name;
  }

  void enter(const DirectoryRecord& record, TDEntry& into, std::vector<PendingDirectory>& pending) {
    if (record.isSelfOrParent()) return;
    const std::string name = nameOf(record);
    if (name.empty()) throw ImportFailure("a directory record has an empty name");
    if (name.size() >= kLongNameLimit) {
      debug_("ERROR IMPORTING SESSION, FILE NAME LENGTH EXCEEDS 120 CHARS\n\r" + name,
             DebugType::Error);
      return;
    }
    if (record.isDirectory()) {
      const std::string path = (into.parent == &into ? "" : into.pathKey) + "\\" + name;
      TDEntry* directory = tree_.createDir(path, record.date);
      if (directory == nullptr) return;  // table full or name refused: said already
      pending.push_back({record.location, record.dataLength, directory});
      return;
    }
    FileFacts facts;
    facts.longName = name;
    facts.shortName = directoryIsoName(name);
    facts.size = record.dataLength;
    facts.attributes = record.hidden() ? 2u : 0u;
    facts.date = record.date;
    facts.location = record.location;
    tree_.enterFile(into, std::move(facts), replace_);
  }

  CdDrive& drive_;
  IsoTree& tree_;
  bool replace_;
  const DebugMessage& debug_;
  bool joliet_ = false;
  uint64_t volumeEnd_ = 0;
  std::set<uint32_t> visited_;
};

}  // namespace

bool IsoImage::ImportSession(int session, TDEntry* target) {
  if (drive_ == nullptr) return false;
  const int count = drive_->sessionCount();
  if (count <= 0) return false;
  if (session == 255 || session > count || session < 1) session = count;
  const std::string number = std::to_string(session);
  debug(">>> IMPORTING SESSION # " + number, DebugType::Info);
  const std::optional<uint32_t> start = drive_->firstTrackStart(session);
  if (!start) {
    debug(">>> ERROR IMPORTING SESSION # " + number, DebugType::Error);
    return false;
  }
  const DebugMessage messages = [this](const std::string& text, DebugType type) {
    debug(text, type);
  };
  SessionImport import(*drive_, tree_, ReplaceFile, messages);
  try {
    if (!import.run(*start, target ? *target : tree_.root())) {
      debug(">>> ERROR IMPORTING SESSION " + number + " (ISO IMAGE NOT FOUND)", DebugType::Error);
      return false;
    }
  } catch (const ImportFailure& failure) {
    debug(">>> ERROR IMPORTING SESSION # " + number + ": " + failure.what(), DebugType::Error);
    return false;
  }
  return true;
}

}  // namespace cdengine
