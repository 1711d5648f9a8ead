#include "tests/cdengine_pipeline/pipeline_rig.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "cdengine/SenseTexts.h"
#include "platform/scsi/scsi_structures.h"

namespace cdengine_test {

namespace {

constexpr uint8_t kModeSense = 0x5A;

// Page 05h as a CD writer reports it: track at once, mode 1.
std::vector<uint8_t> page05() {
  std::vector<uint8_t> page(52, 0);
  page[0] = 0x05;
  page[1] = 0x32;
  page[2] = 0x01;
  page[3] = 0x04;
  page[4] = 0x08;
  return page;
}

// READ BUFFER CAPACITY: a 2 MiB buffer, half of it free.
std::vector<uint8_t> bufferReply() {
  std::vector<uint8_t> bytes(12, 0);
  bytes[1] = 10;
  bytes[5] = 0x20;  // 00200000h
  bytes[9] = 0x10;  // 00100000h
  return bytes;
}

bool runUntil(cdengine::TCDBurner& burner, const std::function<bool()>& done) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    burner.ProcessMainThreadCalls();
    std::this_thread::yield();
  }
  burner.ProcessMainThreadCalls();  // joins the worker that just ended
  return true;
}

}  // namespace

PipelineRig::PipelineRig()
    : machine(testing_support::MachineBuilder(platform::WindowsVersion::WinMe)
                  .folder("C:\\Data")
                  .build(dir / "machine")),
      files(std::make_unique<platform::FileSystem>(*machine)),
      burner(std::make_unique<cdengine::TCDBurner>(drive.access(), clock, *files)) {
  collect(*burner, messages);
  burner->OnWriteDone = [this](const std::string& error) {
    writeEnds.push_back(error);
    writeEndThreads.push_back(std::this_thread::get_id());
  };
  burner->OnEraseDone = [this](bool failed) { eraseEnds.push_back(failed); };
  burner->ClearImage(1000, 100);
}

void PipelineRig::start(uint16_t profile) {
  drive.on(0x00, good());
  drive.on(0x46, 0, good(configurationReply(profile)));
  drive.on(0x43, 4, good(atipReply(79, 59, 74, profile == 0x000A)));
  drive.on(kModeSense, 0x05, good(modeReply(page05())));
  drive.on(0x55, good());
  std::vector<uint8_t> noSense(18, 0);
  noSense[0] = 0x70;
  drive.on(0x03, good(noSense));
  drive.on(0x51, good(discReply(0, 0, profile == 0x000A, 1)));
  drive.on(0x52, 1, good(trackReply(1, 0, 0, 359849, 359849)));
  drive.on(0x5C, good(bufferReply()));
  for (uint8_t opcode : {0x01, 0x1B, 0x1E, 0x2A, 0x35, 0x5B, 0xBB, 0xA1}) drive.on(opcode, good());
  ASSERT_TRUE(burner->InitInterface(true));
  ASSERT_EQ(burner->Devices().size(), 1u);
  burner->SelectDevice(burner->Devices()[0]);
  ASSERT_TRUE(burner->Address().selected());
  messages.clear();
}

void PipelineRig::addFile(const std::string& winPath, size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + (i * 7 + i / 2048) % 26);
  platform::FileHandle handle = files->createFile(winPath, platform::kGenericWrite, 0,
                                                  platform::CreationDisposition::CreateAlways);
  handle.write(bytes.data(), bytes.size());
  handle.close();
  ASSERT_EQ(burner->AddFile("\\", winPath, false), 1);
}

bool PipelineRig::waitForWriteDone(size_t count) {
  return runUntil(*burner, [this, count] { return writeEnds.size() >= count; });
}

bool PipelineRig::waitForEraseDone() {
  return runUntil(*burner, [this] { return !eraseEnds.empty(); });
}

std::vector<uint8_t> PipelineRig::sessionBytes() {
  auto stream = burner->Image().openSessionStream();
  std::vector<uint8_t> out(stream->totalBytes());
  size_t at = 0;
  for (size_t n; (n = stream->read(out.data() + at, out.size() - at)) != 0;) at += n;
  out.resize(at);
  return out;
}

std::vector<uint8_t> PipelineRig::writtenBytes() const {
  std::vector<uint8_t> out;
  for (const Written& write : drive.writes()) {
    const size_t end = (size_t{write.lba} + write.count) * 2048;
    if (out.size() < end) out.resize(end);
    std::copy(write.data.begin(), write.data.end(), out.begin() + size_t{write.lba} * 2048);
  }
  return out;
}

int threadCount() {
  // A sanitizer's runtime starts a helper thread with the first thread of
  // the process: start one before the first count so every baseline has it.
  static const bool warmedUp = [] {
    std::thread([] {}).join();
    return true;
  }();
  (void)warmedUp;
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
    ++count;
  return count;
}

std::string writerErrorFor(uint8_t key, uint8_t asc, uint8_t ascq) {
  platform::scsi::SRB_ExecSCSICmd srb{};
  srb.h.SRB_Status = platform::scsi::SS_ERR;
  srb.SRB_TargStat = 2;
  srb.SenseArea[0] = 0x70;
  srb.SenseArea[2] = key;
  srb.SenseArea[7] = 10;
  srb.SenseArea[12] = asc;
  srb.SenseArea[13] = ascq;
  return "WRITER ERROR [" + cdengine::requestErrorText(srb) + "]";
}

}  // namespace cdengine_test
