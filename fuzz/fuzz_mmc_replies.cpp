// A CD writer that answers every command with bytes of the input: each
// command takes a control byte (good, check condition with the next three
// bytes as sense key, code and qualifier, a pass-through failure, or a
// vanished drive), a two-byte length and that many reply bytes, of which
// the data buffer gets what fits. When the input runs out every command
// fails. The MMC layer reads disc information, capabilities, capacity,
// used sectors and the session start from it, and the sense decoding and
// the trace line take the last requests: never a crash, never a byte read
// past a reply, never a wait that does not end on the clock.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "cdengine/CdBurner.h"
#include "cdengine/CommandTrace.h"
#include "cdengine/SenseTexts.h"
#include "fuzz/scratch_machine.h"
#include "platform/core/clock.h"
#include "platform/files/file_system.h"
#include "tests/support/machine_builder.h"

namespace {

using namespace platform::scsi;

constexpr const char* kProducts[] = {"CD-RW TEST      ", "CD-W512EB       ", "CRX175E         ",
                                     "DVD-RW  DVR-104 ", "CDRW321040X     ", "UJDA720 DVD/CDRW"};

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool empty() const { return pos_ >= size_; }
  uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  // Up to `n` bytes; fewer at the end of the input.
  size_t take(size_t n, const uint8_t*& bytes) {
    bytes = data_ + pos_;
    const size_t got = std::min(n, size_ - std::min(pos_, size_));
    pos_ += got;
    return got;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

class FuzzedHandle : public DeviceHandle {
 public:
  FuzzedHandle(Input& input, uint8_t product) : input_(input), product_(product) {}
  bool ioControl(uint32_t code, void* in, uint32_t, void* out, uint32_t, uint32_t& returned,
                 uint32_t& error) override {
    returned = 0;
    if (code == IOCTL_SCSI_GET_ADDRESS) {
      auto* address = static_cast<SCSI_ADDRESS*>(out);
      address->PortNumber = 1;
      return true;
    }
    auto& record = *static_cast<SCSI_PASS_THROUGH_DIRECT_WITH_SENSE*>(in);
    auto& sptd = record.Sptd;
    if (sptd.SenseInfoLength > sizeof record.Sense) std::abort();
    auto* data = static_cast<uint8_t*>(sptd.DataBuffer);
    if (sptd.Cdb[0] == 0x12) {  // discovery: a CD writer of one of the quirky models
      uint8_t inquiry[36] = {5};
      std::memcpy(inquiry + 8, "FUZZ    ", 8);
      std::memcpy(inquiry + 16, kProducts[product_ % std::size(kProducts)], 16);
      std::memcpy(data, inquiry, std::min<size_t>(sptd.DataTransferLength, sizeof inquiry));
      return true;
    }
    if (input_.empty()) {
      sptd.ScsiStatus = 2;
      record.Sense[0] = 0x70;
      record.Sense[2] = 5;
      record.Sense[7] = 10;
      record.Sense[12] = 0x20;
      return true;
    }
    const uint8_t control = input_.byte();
    switch (control & 3) {
      case 1:  // check condition with fuzzed sense
        sptd.ScsiStatus = 2;
        record.Sense[0] = (control & 4) ? 0x70 : input_.byte();
        record.Sense[2] = input_.byte();
        record.Sense[7] = 10;
        record.Sense[12] = input_.byte();
        record.Sense[13] = input_.byte();
        break;
      case 2:  // the pass-through fails: time-out, reset, or something else
        error = (control & 4) ? 121 : (control & 8) ? 1111 : 31;
        return false;
      case 3:
        if (control & 4) {
          error = 55;  // the drive has gone
          return false;
        }
        sptd.ScsiStatus = static_cast<uint8_t>(control >> 3);
        break;
      default:
        break;
    }
    const size_t length = size_t{input_.byte()} << 8 | input_.byte();
    const uint8_t* bytes = nullptr;
    const size_t got = input_.take(length, bytes);
    if (data && (sptd.DataIn == SCSI_IOCTL_DATA_IN))
      std::memcpy(data, bytes, std::min<size_t>(got, sptd.DataTransferLength));
    returned = sizeof record;
    return true;
  }

 private:
  Input& input_;
  uint8_t product_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz_support::ScratchMachine scratch("fuzz_mmc_replies", platform::WindowsVersion::WinMe);
  Input input(data, size);
  const uint8_t setup = input.byte();
  cdengine::setCommandTrace((setup & 1) != 0);

  DeviceAccess access;
  access.driveType = [](std::string_view root) -> unsigned { return root[0] == 'E' ? 5 : 3; };
  access.openDevice = [&](std::string_view path, bool,
                          uint32_t& error) -> std::unique_ptr<DeviceHandle> {
    if (path != "\\\\.\\E:") {
      error = 2;
      return nullptr;
    }
    return std::make_unique<FuzzedHandle>(input, static_cast<uint8_t>(setup >> 1));
  };
  platform::ManualClock clock;
  cdengine::TCDBurner burner(access, clock, *scratch.files);
  size_t messages = 0;
  burner.OnDebugMessage = [&](const std::string&, cdengine::DebugType) { ++messages; };
  if (!burner.InitInterface(true) || burner.Devices().size() != 1) std::abort();
  burner.SelectDevice(burner.Devices()[0]);
  if (!burner.Address().selected()) std::abort();

  burner.GetDiscInfo();
  burner.GetCapabilities();
  burner.Capacity();
  burner.UsedSectors();
  burner.SessionStart();
  burner.SessionCount();
  burner.IsErasable();
  burner.ReadBufferCapacity();
  burner.firstTrackStart(1);
  burner.SetWriteParameters((setup & 2) != 0, (setup & 4) != 0, setup % 15);
  // Every wait is bounded by the clock: none of the above may take an hour.
  if (clock.nowMs() > 3'600'000) std::abort();

  // The sense decoding of whatever is left, as a request's sense area.
  SRB_ExecSCSICmd srb;
  srb.h.SRB_Status = input.byte();
  srb.SRB_HaStat = input.byte();
  srb.SRB_TargStat = input.byte();
  const uint8_t* sense = nullptr;
  const size_t senseBytes = input.take(sizeof srb.SenseArea, sense);
  std::memcpy(srb.SenseArea, sense, senseBytes);
  uint8_t buffer[300];
  const uint8_t* bytes = nullptr;
  const size_t got = input.take(sizeof buffer, bytes);
  std::memcpy(buffer, bytes, got);
  srb.SRB_BufPointer = buffer;
  srb.SRB_BufLen = static_cast<uint32_t>(got);
  const std::string text = cdengine::requestErrorText(srb);
  const std::string line = cdengine::commandLine(srb, cdengine::traceTime(clock.nowMs()), text);
  if (line.size() > 4 + 10 + 22 + 64 + 45 + 3 * 256 + 64 + text.size()) std::abort();
  cdengine::setCommandTrace(false);
  return messages < 1'000'000 ? 0 : 1;
}
