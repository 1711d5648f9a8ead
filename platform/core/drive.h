#pragma once
// One drive of a machine: its type, the host folder of the medium in it, the
// volume information and the space figures Windows reports.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/core/machine_config.h"
#include "platform/core/short_names.h"
#include "platform/core/space_estimate.h"

namespace platform {

class MachineState;

struct VolumeInfo {
  std::string label;  // ANSI
  uint32_t serial = 0;
  std::string fileSystem;
};

struct SpaceInfo {
  uint64_t totalBytes = 0;
  uint64_t freeBytes = 0;
  uint32_t clusterSize = 4096;
};

class Drive {
 public:
  Drive(DriveConfig config, MachineState& state, std::filesystem::path stateFolder);

  char letter() const { return config_.letter; }
  DriveType type() const { return config_.type; }
  std::string root() const { return std::string(1, config_.letter) + ":\\"; }
  const DriveConfig& config() const { return config_; }
  bool hasCapacity() const { return config_.capacity.has_value(); }

  // A removable or CD drive with media folders is ready while one is inserted.
  bool ready() const;
  // The name of the inserted medium; empty for a drive without media folders
  // or when none is inserted.
  std::string insertedMedium() const;
  void insert(const std::string& medium);
  void eject();

  // Host folder of the medium in the drive; throws OsError NotReady when empty.
  std::filesystem::path hostRoot() const;

  VolumeInfo volume() const;
  void setLabel(const std::string& label);

  // Total and free bytes: capacity minus what the files occupy (rounded up to
  // clusters, one cluster per folder) when a capacity is set, else the host
  // file system's figures.
  SpaceInfo space() const;
  // Bytes a file of `size` occupies on this drive.
  uint64_t clustersFor(uint64_t size) const;
  // Throws OsError DiskFull (naming `winPath`) when a file growing from
  // `oldSize` to `newSize` bytes would not fit: in the capacity, or in the
  // host's free space on a drive without one. Checks are made against an
  // estimate (space_estimate.h) and against a fresh count before a write is
  // refused; on a drive without a capacity the host's own refusal (ENOSPC)
  // still stops a write that the estimate let through.
  void checkRoomFor(uint64_t oldSize, uint64_t newSize, const std::string& winPath) const;

  // The 8.3 aliases of the medium in the drive.
  AliasStore& aliases();

 private:
  std::string volumeSection() const;
  uint64_t occupiedBytes(const std::filesystem::path& root) const;
  // What the medium at `root` can hold and holds now: the capacity and what
  // its files occupy, or the host's free space (none of it used yet).
  SpaceEstimate::Count countSpace(const std::filesystem::path& root) const;

  // Walking a whole medium, or asking the host, on every write makes a long
  // write slow (quadratic, for the walk).
  mutable SpaceEstimate estimate_{std::chrono::seconds(2)};

  DriveConfig config_;
  MachineState& state_;
  std::filesystem::path stateFolder_;
  std::string aliasMedium_;
  std::unique_ptr<AliasStore> aliases_;
};

}  // namespace platform
