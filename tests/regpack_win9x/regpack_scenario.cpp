#include "tests/regpack_win9x/regpack_scenario.h"

#include <cstdio>
#include <cstdlib>

#include "platform/core/codepage.h"
#include "platform/registry/win9x_registry_layout.h"
#include "platform/simulators/windows_tools.h"
#include "tests/support/registry_file.h"

namespace regpack_test {

namespace {

void addKey(const platform::registry::RegistryKey& key, const std::string& path,
            const std::string& file, std::set<std::string>& lines) {
  lines.insert(file + "|" + path);
  for (const platform::registry::RegistryValue& value : key.values) {
    std::string hex;
    for (uint8_t byte : value.data) {
      char digits[3];
      std::snprintf(digits, sizeof digits, "%02x", byte);
      hex += digits;
    }
    lines.insert(file + "|" + path + "|" + value.name + "|" + std::to_string(value.type) + "|" +
                 hex);
  }
  for (const platform::registry::RegistryKey& subkey : key.subkeys)
    addKey(subkey, path + "\\" + platform::ansiUpper(subkey.name), file, lines);
}

}  // namespace

std::set<std::string> registryLines(const testing_support::ProgramRig& m,
                                    const std::vector<std::string>& files) {
  std::set<std::string> lines;
  for (const std::string& file : files)
    addKey(testing_support::readWin9xRegistryFile(m.host(file)).root, "", file, lines);
  return lines;
}

std::vector<std::string> registryFiles(const testing_support::ProgramRig& m) {
  const std::string windows = m.form->core.loc.windowsDir;
  std::vector<std::string> files{m.form->core.loc.winbootdir + "system.dat", windows + "user.dat"};
  if (!m.exists(windows + "Profiles")) return files;
  for (const std::string& name : m.list(windows + "Profiles"))
    if (m.exists(windows + "Profiles\\" + name + "\\user.dat"))
      files.push_back(windows + "Profiles\\" + name + "\\user.dat");
  return files;
}

void addFreeDataBlock(testing_support::ProgramRig& m, const std::string& file, uint32_t bytes) {
  namespace layout = platform::registry::win9x;
  std::string image = m.read(file);
  auto put16 = [&image](size_t at, uint16_t v) {
    image[at] = static_cast<char>(v & 0xFF);
    image[at + 1] = static_cast<char>(v >> 8);
  };
  auto put32 = [&put16](size_t at, uint32_t v) {
    put16(at, static_cast<uint16_t>(v & 0xFFFF));
    put16(at + 2, static_cast<uint16_t>(v >> 16));
  };
  auto get16 = [&image](size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(image[at]) |
                                 static_cast<uint8_t>(image[at + 1]) << 8);
  };
  const uint16_t blockCount = get16(layout::file_header::kBlockCount);
  const size_t block = image.size();
  image.resize(block + bytes, '\0');
  image.replace(block, 4, "RGDB");
  put32(block + layout::data_block::kSize, bytes);
  put32(block + layout::data_block::kUnusedSize, bytes - layout::data_block::kHeaderSize);
  // Flags without the valid-checksum bit: the block is not summed.
  put16(block + layout::data_block::kFlags,
        layout::data_block::kFlagsValue & ~layout::kChecksumValid);
  put16(block + layout::data_block::kBlockNumber, blockCount);
  put32(block + layout::data_block::kFreeOffset, layout::data_block::kHeaderSize);
  const size_t record = block + layout::data_block::kHeaderSize;
  put32(record + layout::key_record::kRecordSize, bytes - layout::data_block::kHeaderSize);
  put16(record + layout::key_record::kId, layout::kNoId);
  put16(record + layout::key_record::kBlock, layout::kNoId);
  put16(layout::file_header::kBlockCount, static_cast<uint16_t>(blockCount + 1));
  put32(layout::file_header::kChecksum, 0);
  const uint32_t sum = layout::sumOfDwords(reinterpret_cast<const uint8_t*>(image.data()),
                                           layout::file_header::kSize);
  put32(layout::file_header::kChecksum, 0u - sum);
  m.writeOnHost(file, image);
}

std::string consoleProgram() {
  const char* build = std::getenv("CORVASTA_BUILD_DIR");
  const std::filesystem::path program = std::string(build ? build : ".") + "/corvasta";
  return std::filesystem::exists(program) ? program.string() : std::string();
}

Win9xMachine::Win9xMachine(platform::WindowsVersion version, int users) {
  platform::registerWindowsToolSimulators();
  m = std::make_unique<testing_support::TestProgram>(
      testing_support::MachineBuilder::sample(version, users));
}

std::string Win9xMachine::windows() const {
  return m->form->core.loc.windowsDir;
}

std::string Win9xMachine::program() const {
  return m->programDir();
}

}  // namespace regpack_test
