#pragma once
// A small machine to build CD sessions from, and the sectors of a session
// written to an image file, for the image builder's tests.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cdengine/IsoImage.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

namespace cdengine_test {

using cdengine::DebugType;
using cdengine::IsoImage;
using cdengine::SessionStream;

struct IsoMachine {
  explicit IsoMachine(const testing_support::MachineBuilder& builder);

  // A file of the machine through Windows' file calls.
  void write(const std::string& winPath, const std::string& bytes);
  // The debug messages the builder raised, in order.
  std::vector<std::string> messages;

  testing_support::TempDir dir;
  std::unique_ptr<platform::Machine> machine;
  std::unique_ptr<platform::FileSystem> files;
  std::unique_ptr<IsoImage> image;
};

// Sector `sector` of an image (2048 bytes; empty past its end).
std::vector<uint8_t> sectorOf(const std::vector<uint8_t>& image, uint32_t sector);
// The whole session stream of the prepared image, read in blocks of `block`.
std::vector<uint8_t> streamBytes(IsoImage& image, size_t block = 65536);

// What entering takes of a file `name` of `size` bytes from `source`
// (default "C:\" + name), without an alias.
cdengine::FileFacts fileFacts(const std::string& name, uint64_t size,
                              const std::string& source = "");

uint32_t le32At(const std::vector<uint8_t>& bytes, size_t offset);
uint32_t be32At(const std::vector<uint8_t>& bytes, size_t offset);

}  // namespace cdengine_test
