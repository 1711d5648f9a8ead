#pragma once
// TCDBurner: the CD engine's component. On the SCSI transport it builds the
// MMC requests that find out what disc is in the drive and what the drive
// can do, where the next session starts and how much room is left, set the
// write parameters and speeds, blank a rewritable disc, write and read
// blocks, flush the cache, close the session and move the tray. It is the
// image builder's drive and forwards the image operations to its IsoImage.

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "cdengine/CacheThread.h"
#include "cdengine/CdDrive.h"
#include "cdengine/IsoImage.h"
#include "cdengine/MainThreadCalls.h"
#include "cdengine/MmcReplies.h"
#include "cdengine/ScsiDevice.h"

namespace cdengine {

// The disc as GetDiscInfo read it.
struct TDisc {
  bool valid = false;
  uint32_t capacity = 0;
  uint32_t lastSector = 0;
  uint32_t sectorSize = 0;
  uint8_t firstSession = 0;
  uint8_t lastSession = 0;
  DiscStatus status = DiscStatus::Empty;
  uint8_t lastSessionState = 0;
  uint16_t profile = 0;
  bool erasable = false;
  std::string name;
};

// Capability flag bits (GetCapabilities).
namespace capability {
constexpr int CdRRead = 0, CdRwRead = 1, Method2 = 2, DvdRomRead = 3, DvdRRead = 4, DvdRRead2 = 5,
              DvdRamRead = 6, DvdPlusRwRead = 7, DvdPlusRwRead2 = 8, CdRWrite = 9, CdRwWrite = 10,
              TestWrite = 11, DvdRWrite = 12, DvdRWrite2 = 13, DvdRamWrite = 14,
              DvdPlusRwWrite = 15, DvdPlusRwWrite2 = 16, BufferUnderrunFree = 18;
}

// What the last write left: where its session starts, its sectors, the
// files it delivered (with their CRCs) and how it ended.
struct WrittenSession {
  uint32_t start = 0;
  uint32_t sectors = 0;
  std::vector<DeliveredFile> files;
  std::string error;
};

class TCDBurner : public TSCSIDevice, public CdDrive {
 public:
  TCDBurner(platform::scsi::DeviceAccess access, platform::Clock& clock,
            platform::FileSystem& files);
  // Ends a write or an erase still running (the writer stops as if
  // aborted) and joins every worker thread.
  ~TCDBurner() override;

  // Settings of a write (published).
  bool FinalizeDisc = false;
  bool TestWrite = false;
  bool UnderrunProtection = true;
  uint32_t ReadSpeed = 0;   // kB/s, 0: the drive's maximum
  uint32_t WriteSpeed = 0;  // kB/s, 0: the drive's maximum

  // What GetCapabilities and ReadBufferCapacity found (published).
  uint32_t Capabilities = 0;
  uint32_t DeviceMaxReadSpeed = 0;
  uint32_t DeviceMaxWriteSpeed = 0;
  uint32_t DeviceCurrentReadSpeed = 0;
  uint32_t DeviceCurrentWriteSpeed = 0;
  // The drive's buffer during a write (set by the writer thread), else 0.
  std::atomic<uint32_t> DeviceBufferSize = 0;
  std::atomic<uint32_t> DeviceFreeBufferSize = 0;
  bool capable(int bit) const { return (Capabilities >> bit) & 1; }

  // Blanking (the erase thread reports the end through OnEraseDone). True
  // from the blank's start until OnEraseDone runs on the main thread.
  std::atomic<bool> Erasing = false;
  std::function<void(bool failed)> OnEraseDone;
  // The erase thread's percentage while Erasing, else 0.
  int EraseProgress() const { return Erasing ? eraseProgress_.load() : 0; }

  // Writing a session (the write pipeline).
  uint32_t CacheSize = 4194304;  // bytes read ahead of the writer
  bool PerformOPC = false;
  // Raised on the main thread when a write ends; an empty text is success.
  std::function<void(const std::string& error)> OnWriteDone;
  // Raised on the writer thread after the last block, before the flush.
  std::function<void()> OnFinalizingTrack;
  // Prepares the image at the next writable address and starts the cache
  // and writer threads. False when the cache thread failed before it was
  // primed (OnWriteDone has then been raised), or a write or an erase is
  // still running.
  bool StartWrite();
  // The writer stops at its next block with "OPERATION ABORTED BY USER".
  void AbortWrite() { abort_ = true; }
  bool WriteAborted() const { return abort_; }
  // True from StartWrite until its OnWriteDone has run.
  bool Writing() const { return writing_; }
  // Bytes sent to the drive so far, at most TrackSize × 2048.
  uint64_t BytesWritten() const { return bytesWritten_; }
  // The source file the cache thread reads (at the end: the last one).
  std::string CurrentFile() const;
  const WrittenSession& LastWrittenSession() const { return written_; }

  // The UI thread's entry point: runs the calls the worker threads posted
  // (OnWriteDone, OnEraseDone, debug messages, in order) and joins the
  // workers that have ended. Call it whenever the UI processes messages.
  // Returns how many calls ran.
  int ProcessMainThreadCalls();

  int GetDiscType();
  void GetCapabilities();
  TDisc GetDiscInfo();
  int SessionCount();
  bool IsErasable();
  uint32_t Capacity();
  uint32_t UsedSectors();
  uint32_t SessionStart();
  bool SetWriteParameters(bool testWrite, bool underrunProtection, int discType);
  bool SetSpeed(uint32_t readKbps, uint32_t writeKbps);
  bool Eject();
  bool Load();
  bool LockTray(bool lock);
  bool WriteBlocks(uint32_t lba, uint16_t count, uint8_t* buffer);
  bool ReadBlocks(uint32_t lba, uint16_t count, uint8_t* buffer);
  bool SyncCache(uint32_t timeoutMs, bool immediate);
  bool CloseTrackSession(bool immediate, uint8_t function, uint8_t track);
  bool ReadBufferCapacity();
  bool StartErase(bool quick);
  // After the last block of a session: closes it as the disc type needs.
  // False when the drive refused (or vanished).
  bool CloseSession(int discType, uint8_t track, bool finalizeTrack);
  // After a write or an erase: back to reading at full speed, tray unlocked.
  void ResetDrive();

  // The last READ TRACK INFORMATION and the page 05h last sent.
  const TrackInformation& LastTrack() const { return track_; }
  const std::array<uint8_t, 52>& WriteParametersPage() const { return page05_; }

  // The image builder's drive.
  DiscType discType() override;
  uint32_t nextWritableAddress() override { return SessionStart(); }
  int sessionCount() override { return SessionCount(); }
  std::optional<uint32_t> firstTrackStart(int session) override;
  bool readSectors(uint32_t sector, uint32_t count, uint8_t* out) override;

  // The image operations, forwarded.
  IsoImage& Image() { return image_; }
  bool ClearImage(uint32_t maxFiles, uint32_t maxDirectories) {
    return image_.ClearImage(maxFiles, maxDirectories);
  }
  TDEntry* CreateDir(const std::string& path) { return image_.CreateDir(path); }
  int AddFile(const std::string& directory, const std::string& source, bool derive) {
    return image_.AddFile(directory, source, derive);
  }
  bool ImportSession(int session, TDEntry* target = nullptr) {
    return image_.ImportSession(session, target);
  }
  void PrepareImage(bool sizeOnly) { image_.PrepareImage(sizeOnly); }
  void BuildImageHeader() { image_.BuildImageHeader(); }
  uint32_t TrackSize() const { return image_.TrackSize(); }

 protected:
  void deviceSelected() override { GetCapabilities(); }
  int lastDiscType() const override { return lastDiscType_; }
  // The erase thread's start, with the blank's expected duration; the write
  // pipeline supplies the thread. True when it runs.
  virtual bool startEraseThread(uint32_t expectedSeconds);
  // Debug messages of a worker thread go to the main thread in order.
  void deliverDebug(const std::string& text, DebugType type) const override;

 private:
  enum class WriteResult { Written, Busy, Vanished, Failed };
  WriteResult writeUnit(uint32_t lba, uint16_t count, uint8_t* buffer);
  std::optional<TrackInformation> readTrack(uint32_t track);
  std::optional<DiscInformation> readDisc();
  std::optional<Atip> readAtip();
  std::optional<uint32_t> formatCapacity();
  std::optional<uint32_t> readCapacityLastSector(uint32_t* sectorSize = nullptr);
  std::optional<uint32_t> volumeSize(uint32_t from, uint32_t to);
  void prepareAddressQuery(int discType, bool testWrite = false);
  bool closeCdSession();
  bool issueBlank(bool quick, int discType);

  // The write pipeline (CdBurnerWrite*.cpp) and the erase thread.
  void formatDvdRw();
  void runWriter(uint32_t start);
  int prepareWriter(bool& bufferAnswers);
  std::string writeBlocks(int discType, uint32_t start, bool bufferAnswers);
  std::string writeBlock(uint32_t lba, uint16_t count, uint8_t* data);
  std::string flushTrack(int discType);
  void finishWriter(uint32_t start, const std::string& error);
  void runEraser(int discType, uint32_t expectedSeconds);
  void joinEndedThreads();
  void joinWorkers();

  IsoImage image_;
  TrackInformation track_;
  std::array<uint8_t, 52> page05_{};
  int lastDiscType_ = 0;

  mutable MainThreadCalls mainThread_;
  std::unique_ptr<SessionStream> stream_;
  std::unique_ptr<TCacheThread> cache_;
  std::thread writer_;
  std::thread eraser_;
  std::atomic<bool> abort_ = false;
  std::atomic<bool> shutdown_ = false;
  std::atomic<bool> writing_ = false;
  std::atomic<bool> writerEnded_ = false;
  std::atomic<bool> eraserEnded_ = false;
  std::atomic<uint64_t> bytesWritten_ = 0;
  std::atomic<int> eraseProgress_ = 0;
  WrittenSession written_;
};

}  // namespace cdengine
