#include "tests/cdengine/iso_machine.h"

#include "platform/files/sharing.h"

namespace cdengine_test {

IsoMachine::IsoMachine(const testing_support::MachineBuilder& builder)
    : machine(builder.build(dir / "machine")),
      files(std::make_unique<platform::FileSystem>(*machine)),
      image(std::make_unique<IsoImage>(*files)) {
  image->OnDebugMessage = [this](const std::string& text, DebugType) { messages.push_back(text); };
  image->ReplaceFile = true;
}

void IsoMachine::write(const std::string& winPath, const std::string& bytes) {
  platform::FileHandle handle = files->createFile(winPath, platform::kGenericWrite, 0,
                                                  platform::CreationDisposition::CreateAlways);
  handle.write(bytes.data(), bytes.size());
  handle.close();
}

std::vector<uint8_t> sectorOf(const std::vector<uint8_t>& image, uint32_t sector) {
  const size_t start = size_t{sector} * 2048;
  if (start >= image.size()) return {};
  return {image.begin() + static_cast<long>(start),
          image.begin() + static_cast<long>(std::min(image.size(), start + 2048))};
}

std::vector<uint8_t> streamBytes(IsoImage& image, size_t block) {
  std::unique_ptr<SessionStream> stream = image.openSessionStream();
  std::vector<uint8_t> out;
  std::vector<uint8_t> buffer(block);
  for (size_t n; (n = stream->read(buffer.data(), buffer.size())) != 0;)
    out.insert(out.end(), buffer.begin(), buffer.begin() + static_cast<long>(n));
  return out;
}

cdengine::FileFacts fileFacts(const std::string& name, uint64_t size, const std::string& source) {
  cdengine::FileFacts facts;
  facts.longName = name;
  facts.size = size;
  facts.sourcePath = source.empty() ? "C:\\" + name : source;
  return facts;
}

uint32_t le32At(const std::vector<uint8_t>& b, size_t o) {
  return uint32_t{b[o]} | uint32_t{b[o + 1]} << 8 | uint32_t{b[o + 2]} << 16 |
         uint32_t{b[o + 3]} << 24;
}

uint32_t be32At(const std::vector<uint8_t>& b, size_t o) {
  return uint32_t{b[o + 3]} | uint32_t{b[o + 2]} << 8 | uint32_t{b[o + 1]} << 16 |
         uint32_t{b[o]} << 24;
}

}  // namespace cdengine_test
