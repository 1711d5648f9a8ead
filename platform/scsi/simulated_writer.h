#pragma once
// The simulated CD/DVD writer: a device model answering MMC commands for the
// disc in its tray (docs/cd_drives.md). The disc lives in two files of the
// drive's folder (disc_files.h); what the drive can do and the faults it
// shows come from machine.ini (platform/core/cdrom_config.h). Durations
// (blanking, formatting) run on the given clock.
//
// State that the engine expects a drive to keep between commands (the write
// parameters, a blank in progress, the unit attention after a disc change,
// the track being written) lives in the object, so one object stands for the
// drive for as long as the program runs.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/cdrom_config.h"
#include "platform/scsi/disc.h"
#include "platform/scsi/disc_image.h"
#include "platform/scsi/scsi_target.h"
#include "platform/scsi/sense.h"

namespace platform {
class Clock;
}

namespace platform::scsi {

class SimulatedWriter : public ScsiTarget {
 public:
  // `discInTray` gives the drive folder / NAME of the disc the machine has
  // inserted, nullopt when none; a name without its NAME.toc is an empty tray.
  using DiscLocator = std::function<std::optional<std::filesystem::path>()>;

  SimulatedWriter(CdromConfig config, DiscLocator discInTray, Clock& clock);
  ~SimulatedWriter() override;

  ScsiOutcome execute(const ScsiCommand& command) override;

  // The disc as the drive sees it now (nullopt: none, or unreadable).
  const std::optional<Disc>& disc() const { return disc_; }
  // Why the disc in the tray cannot be read (a bad NAME.toc), else empty.
  const std::string& discError() const { return discError_; }
  // Underruns absorbed by the buffer-underrun protection so far.
  unsigned absorbedUnderruns() const { return absorbedUnderruns_; }

  // The page 05h the drive starts with and the one it holds now.
  static std::array<uint8_t, 52> defaultWriteParameters();
  const std::array<uint8_t, 52>& writeParameters() const { return writeParams_; }

 private:
  // A BLANK or FORMAT UNIT running in the background (immediate bit).
  struct LongOperation {
    enum class Kind { QuickBlank, FullBlank, Format } kind;
    uint64_t startMs = 0;
    uint64_t durationMs = 0;
  };
  // The track being written: it becomes a session when the session closes.
  struct OpenTrack {
    uint32_t start = 0;
    uint32_t next = 0;  // next writable address
    bool testing = false;
    bool spoilt = false;
  };

  // Dispatch by opcode; the result for the reply phase.
  ScsiOutcome dispatch(const ScsiCommand& command);
  ScsiOutcome reply(const ScsiCommand& command, const std::vector<uint8_t>& bytes,
                    uint32_t allocation) const;

  // Tray and disc.
  void refreshDisc();
  void loadDisc(const std::filesystem::path& base);
  void dropDisc();
  bool discPresent() const { return disc_.has_value() && !trayOpen_; }
  Sense noDiscSense() const;
  void saveDisc();

  // Background operations.
  void finishLongOperation();
  Sense progressSense() const;
  void completeLongOperation(LongOperation::Kind kind);
  uint64_t blankDurationMs(bool full) const;

  // Faults.
  bool faultCovers(CdromFault::Kind kind, uint32_t lba, uint32_t count) const;
  bool hasFault(CdromFault::Kind kind) const;

  // Commands without a disc (simulated_writer.cpp).
  ScsiOutcome testUnitReady();
  ScsiOutcome requestSense(const ScsiCommand& command);
  ScsiOutcome inquiry(const ScsiCommand& command) const;
  ScsiOutcome startStopUnit(const ScsiCommand& command);
  ScsiOutcome preventAllow(const ScsiCommand& command);
  ScsiOutcome setCdSpeed(const ScsiCommand& command);
  ScsiOutcome readBufferCapacity(const ScsiCommand& command) const;

  // What is on the disc (writer_disc_reports.cpp).
  ScsiOutcome readCapacity(const ScsiCommand& command) const;
  ScsiOutcome readToc(const ScsiCommand& command) const;
  ScsiOutcome readDiscInformation(const ScsiCommand& command) const;
  ScsiOutcome readTrackInformation(const ScsiCommand& command) const;
  ScsiOutcome readFormatCapacities(const ScsiCommand& command) const;
  uint32_t sessionCountWithOpen() const;

  // Features and mode pages (writer_features.cpp).
  ScsiOutcome getConfiguration(const ScsiCommand& command) const;
  ScsiOutcome modeSense(const ScsiCommand& command) const;
  ScsiOutcome modeSelect(const ScsiCommand& command);
  std::vector<uint8_t> capabilitiesPage(bool defaults) const;
  std::vector<uint16_t> writeSpeeds() const;

  // Reading and recording (writer_recording.cpp).
  ScsiOutcome read10(const ScsiCommand& command);
  ScsiOutcome write10(const ScsiCommand& command);
  ScsiOutcome writeOverwritable(const ScsiCommand& command, uint32_t lba, uint32_t count);
  ScsiOutcome synchronizeCache();
  ScsiOutcome closeTrackSession(const ScsiCommand& command);
  ScsiOutcome closeSession();
  ScsiOutcome reserveTrack() const;
  ScsiOutcome sendOpc() const;
  ScsiOutcome blank(const ScsiCommand& command);
  ScsiOutcome formatUnit(const ScsiCommand& command);
  ScsiOutcome startLongOperation(LongOperation::Kind kind, bool immediate);
  bool testWriting() const { return (writeParams_[2] & 0x10) != 0; }
  bool underrunProtected() const { return config_.burnFree && (writeParams_[2] & 0x40) != 0; }
  bool nextSessionAllowed() const { return (writeParams_[3] >> 6) == 3; }

  CdromConfig config_;
  DiscLocator discInTray_;
  Clock& clock_;

  std::optional<std::filesystem::path> discBase_;  // the disc the drive has loaded
  std::optional<Disc> disc_;
  std::string discError_;
  DiscImage image_;
  bool trayOpen_ = false;
  bool locked_ = false;
  bool unitAttention_ = false;
  std::optional<Sense> deferredError_;

  std::optional<LongOperation> operation_;
  std::optional<OpenTrack> track_;
  std::array<uint8_t, 52> writeParams_;
  uint16_t readSpeed_ = 0;   // kB/s; 0: the maximum
  uint16_t writeSpeed_ = 0;  // kB/s; 0: the maximum

  uint64_t notReadyLeft_ = 0;
  uint64_t busyLeft_ = 0;
  unsigned absorbedUnderruns_ = 0;
};

}  // namespace platform::scsi
