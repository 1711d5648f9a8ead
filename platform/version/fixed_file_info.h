#pragma once
// VS_FIXEDFILEINFO: the binary version numbers of a version resource, the
// value VerQueryValue gives for "\".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::version {

inline constexpr uint32_t kFixedFileInfoSignature = 0xFEEF04BD;
inline constexpr size_t kFixedFileInfoSize = 52;
inline constexpr uint32_t kVosNtWindows32 = 0x00040004;   // VOS_NT_WINDOWS32
inline constexpr uint32_t kVosDosWindows32 = 0x00010004;  // VOS__WINDOWS32 on MS-DOS
inline constexpr uint32_t kVftApp = 1;                    // VFT_APP

// A version of four 16-bit parts, "major.minor.build.revision".
struct FileVersion {
  uint16_t major = 0;
  uint16_t minor = 0;
  uint16_t build = 0;
  uint16_t revision = 0;

  uint32_t ms() const { return static_cast<uint32_t>(major) << 16 | minor; }
  uint32_t ls() const { return static_cast<uint32_t>(build) << 16 | revision; }
  static FileVersion fromWords(uint32_t ms, uint32_t ls);
  std::string text() const;  // "4.10.0.1998"
  bool operator==(const FileVersion&) const = default;
};

struct FixedFileInfo {
  uint32_t structVersion = 0x00010000;
  FileVersion fileVersion;
  FileVersion productVersion;
  uint32_t fileFlagsMask = 0x3F;
  uint32_t fileFlags = 0;
  uint32_t fileOs = kVosDosWindows32;
  uint32_t fileType = kVftApp;
  uint32_t fileSubtype = 0;
  uint64_t fileDate = 0;
};

// The 52 bytes of the structure.
std::string encodeFixedFileInfo(const FixedFileInfo& info);
// nullopt when `value` is shorter than the structure or lacks its signature.
std::optional<FixedFileInfo> decodeFixedFileInfo(std::string_view value);

}  // namespace platform::version
