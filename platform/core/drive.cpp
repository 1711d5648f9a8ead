#include "platform/core/drive.h"

#include "platform/core/errors.h"
#include "platform/core/machine_state.h"
#include "platform/host/host_folders.h"
#include "platform/host/host_volumes.h"

namespace platform {

namespace fs = std::filesystem;

Drive::Drive(DriveConfig config, MachineState& state, fs::path stateFolder)
    : config_(std::move(config)), state_(state), stateFolder_(std::move(stateFolder)) {}

std::string Drive::volumeSection() const {
  std::string section = std::string("Volume ") + config_.letter;
  std::string medium = insertedMedium();
  if (!medium.empty()) section += " " + medium;
  return section;
}

std::string Drive::insertedMedium() const {
  if (config_.media.empty()) return "";
  return state_.get(std::string("Drive ") + config_.letter, "Inserted").value_or(config_.inserted);
}

bool Drive::ready() const {
  if (config_.media.empty()) return true;
  return !insertedMedium().empty();
}

void Drive::insert(const std::string& medium) {
  bool known = false;
  for (const auto& m : config_.media) known = known || m == medium;
  if (!known)
    throw OsError(
        WinError::InvalidParameter, root(),
        std::string("drive ") + config_.letter + ": has no medium named '" + medium + "'");
  state_.set(std::string("Drive ") + config_.letter, "Inserted", medium);
}

void Drive::eject() {
  if (config_.media.empty())
    throw OsError(WinError::NotSupported, root(),
                  std::string("drive ") + config_.letter + ": holds no media");
  state_.set(std::string("Drive ") + config_.letter, "Inserted", "");
}

fs::path Drive::hostRoot() const {
  if (config_.media.empty()) return config_.folder;
  std::string medium = insertedMedium();
  if (medium.empty()) throw OsError(WinError::NotReady, root());
  return config_.folder / medium;
}

VolumeInfo Drive::volume() const {
  if (!ready()) throw OsError(WinError::NotReady, root());
  VolumeInfo info;
  info.fileSystem = config_.fileSystem;
  std::string section = volumeSection();
  info.label = state_.get(section, "Label").value_or(config_.label);
  info.serial = config_.serial;
  if (auto serial = state_.get(section, "Serial"))
    info.serial = static_cast<uint32_t>(std::stoul(*serial, nullptr, 16));
  else if (!config_.media.empty()) {
    // Each medium has a serial of its own, derived from the drive's and its name.
    uint32_t hash = config_.serial;
    for (char c : insertedMedium()) hash = hash * 31 + static_cast<unsigned char>(c);
    info.serial = hash;
  }
  return info;
}

void Drive::setLabel(const std::string& label) {
  if (!ready()) throw OsError(WinError::NotReady, root());
  if (label.size() > 11 && config_.fileSystem.rfind("FAT", 0) == 0)
    throw OsError(WinError::InvalidName, root());
  state_.set(volumeSection(), "Label", label);
}

uint64_t Drive::clustersFor(uint64_t size) const {
  uint64_t cluster = config_.clusterSize;
  return (size + cluster - 1) / cluster * cluster;
}

uint64_t Drive::occupiedBytes(const fs::path& root) const {
  uint64_t used = 0;
  host::walkTree(root, [&](const host::TreeEntry& entry) {
    if (entry.kind == host::EntryKind::Directory)
      used += config_.clusterSize;
    else if (entry.kind == host::EntryKind::File)
      used += clustersFor(entry.size);
  });
  return used;
}

SpaceEstimate::Count Drive::countSpace(const fs::path& root) const {
  if (config_.capacity) return {*config_.capacity, occupiedBytes(root)};
  std::optional<host::VolumeSpace> volume = host::volumeSpace(root);
  return {volume ? volume->availableBytes : 0, 0};
}

SpaceInfo Drive::space() const {
  SpaceInfo info;
  info.clusterSize = config_.clusterSize;
  if (config_.capacity) {
    info.totalBytes = *config_.capacity;
    const fs::path root = hostRoot();
    SpaceEstimate::Count count = countSpace(root);
    estimate_.record(root, count);
    info.freeBytes = count.used >= info.totalBytes ? 0 : info.totalBytes - count.used;
    return info;
  }
  if (auto volume = host::volumeSpace(hostRoot())) {
    info.totalBytes = volume->totalBytes;
    info.freeBytes = volume->availableBytes;
  }
  return info;
}

void Drive::checkRoomFor(uint64_t oldSize, uint64_t newSize, const std::string& winPath) const {
  uint64_t before = clustersFor(oldSize), after = clustersFor(newSize);
  if (after <= before) return;
  const fs::path root = hostRoot();
  if (!estimate_.take(after - before, root, [&] { return countSpace(root); }))
    throw OsError(WinError::DiskFull, winPath);
}

AliasStore& Drive::aliases() {
  std::string medium = insertedMedium();
  if (!aliases_ || aliasMedium_ != medium) {
    std::string name =
        std::string(1, config_.letter) + (medium.empty() ? "" : "-" + medium) + ".tsv";
    aliases_ = std::make_unique<AliasStore>(stateFolder_ / "aliases" / name);
    aliasMedium_ = medium;
  }
  return *aliases_;
}

}  // namespace platform
