#include "platform/version/fixed_file_info.h"

#include "platform/version/version_bytes.h"

namespace platform::version {

FileVersion FileVersion::fromWords(uint32_t ms, uint32_t ls) {
  return {static_cast<uint16_t>(ms >> 16), static_cast<uint16_t>(ms & 0xFFFF),
          static_cast<uint16_t>(ls >> 16), static_cast<uint16_t>(ls & 0xFFFF)};
}

std::string FileVersion::text() const {
  return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(build) + "." +
         std::to_string(revision);
}

std::string encodeFixedFileInfo(const FixedFileInfo& info) {
  std::string bytes;
  for (uint32_t word :
       {kFixedFileInfoSignature, info.structVersion, info.fileVersion.ms(), info.fileVersion.ls(),
        info.productVersion.ms(), info.productVersion.ls(), info.fileFlagsMask, info.fileFlags,
        info.fileOs, info.fileType, info.fileSubtype, static_cast<uint32_t>(info.fileDate >> 32),
        static_cast<uint32_t>(info.fileDate & 0xFFFFFFFF)})
    appendLe32(bytes, word);
  return bytes;
}

std::optional<FixedFileInfo> decodeFixedFileInfo(std::string_view value) {
  if (value.size() < kFixedFileInfoSize || le32(value, 0) != kFixedFileInfoSignature)
    return std::nullopt;
  auto word = [&](size_t index) { return le32(value, index * 4); };
  FixedFileInfo info;
  info.structVersion = word(1);
  info.fileVersion = FileVersion::fromWords(word(2), word(3));
  info.productVersion = FileVersion::fromWords(word(4), word(5));
  info.fileFlagsMask = word(6);
  info.fileFlags = word(7);
  info.fileOs = word(8);
  info.fileType = word(9);
  info.fileSubtype = word(10);
  info.fileDate = static_cast<uint64_t>(word(11)) << 32 | word(12);
  return info;
}

}  // namespace platform::version
