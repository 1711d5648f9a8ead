// Multisession import from a hostile disc. The input is the disc from sector
// 16 on (the system area before it is never read): one session at sector 0,
// whose descriptors, path of directories and records are whatever the input
// says. The import must end (loops, extents past the end), never read past
// the disc, keep its tables' bounds, and leave a tree the builder can lay out
// and give a header for.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "cdengine/IsoImage.h"
#include "fuzz/scratch_machine.h"
#include "platform/files/file_system.h"
#include "tests/support/machine_builder.h"

namespace {

constexpr uint32_t kSystemArea = 16;
constexpr uint32_t kMaxFiles = 400;
constexpr uint32_t kMaxDirectories = 60;

class InputDrive : public cdengine::CdDrive {
 public:
  InputDrive(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  cdengine::DiscType discType() override { return cdengine::DiscType::CdR; }
  uint32_t nextWritableAddress() override {
    return kSystemArea + static_cast<uint32_t>((size_ + 2047) / 2048);
  }
  int sessionCount() override { return 1; }
  std::optional<uint32_t> firstTrackStart(int session) override {
    if (session != 1) std::abort();  // the import asked for a session the disc does not have
    return 0;
  }
  bool readSectors(uint32_t sector, uint32_t count, uint8_t* out) override {
    for (uint32_t i = 0; i < count; ++i, out += 2048) {
      const uint64_t s = uint64_t{sector} + i;
      if (s < kSystemArea) {
        std::memset(out, 0, 2048);
        continue;
      }
      const uint64_t offset = (s - kSystemArea) * 2048;
      if (offset + 2048 > size_) return false;  // a partial last sector cannot be read
      std::memcpy(out, data_ + offset, 2048);
    }
    return true;
  }

 private:
  const uint8_t* data_;
  size_t size_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz_support::ScratchMachine scratch("fuzz_iso_import", platform::WindowsVersion::WinXp);
  InputDrive drive(data, size);
  cdengine::IsoImage image(*scratch.files, &drive);
  image.ReplaceFile = (size & 1) != 0;
  image.ClearImage(kMaxFiles, kMaxDirectories);
  image.ImportSession(255);
  if (image.FileCount() > kMaxFiles || image.DirCount() > kMaxDirectories) std::abort();
  // A second import over the first (a disc read twice) keeps the bounds too.
  image.ImportSession(1);
  if (image.FileCount() > kMaxFiles || image.DirCount() > kMaxDirectories) std::abort();
  image.PrepareImage(false);
  image.BuildImageHeader();
  if (image.header().size() != size_t{image.layout().headerSectors()} * 2048) std::abort();
  return 0;
}
