#pragma once
// ZIP container structures of the PKWARE application note: signatures, flags,
// the fields of one entry as the central directory holds them, and the limits
// past which ZIP64 records are needed.

#include <cstdint>
#include <string>

namespace archive {

namespace zipsig {
constexpr uint32_t kLocalHeader = 0x04034b50;
constexpr uint32_t kCentralHeader = 0x02014b50;
constexpr uint32_t kEnd = 0x06054b50;
constexpr uint32_t kZip64End = 0x06064b50;
constexpr uint32_t kZip64Locator = 0x07064b50;
constexpr uint32_t kDataDescriptor = 0x08074b50;
}  // namespace zipsig

namespace zipsize {
constexpr size_t kLocalHeader = 30;
constexpr size_t kCentralHeader = 46;
constexpr size_t kEnd = 22;
constexpr size_t kZip64End = 56;
constexpr size_t kZip64Locator = 20;
constexpr size_t kEncryptionHeader = 12;
constexpr size_t kMaxComment = 0xFFFF;
}  // namespace zipsize

namespace zipflag {
constexpr uint16_t kEncrypted = 0x0001;
constexpr uint16_t kDataDescriptor = 0x0008;
constexpr uint16_t kUtf8Names = 0x0800;
}  // namespace zipflag

namespace zipmethod {
constexpr uint16_t kStored = 0;
constexpr uint16_t kDeflated = 8;
}  // namespace zipmethod

constexpr uint16_t kZip64ExtraId = 0x0001;
constexpr uint32_t kMax32 = 0xFFFFFFFFu;
constexpr uint16_t kMax16 = 0xFFFF;

// Version needed to extract: 2.0 for Deflate and encryption, 4.5 for ZIP64.
constexpr uint16_t kVersionDeflate = 20;
constexpr uint16_t kVersionZip64 = 45;
// Made by: host 0 (MS-DOS and FAT attributes), ZIP format version 4.5.
constexpr uint16_t kVersionMadeBy = 45;

// DOS file attributes as the external attributes' low byte carries them.
namespace dosattr {
constexpr uint32_t kReadOnly = 0x01;
constexpr uint32_t kHidden = 0x02;
constexpr uint32_t kSystem = 0x04;
constexpr uint32_t kVolume = 0x08;
constexpr uint32_t kDirectory = 0x10;
constexpr uint32_t kArchive = 0x20;
constexpr uint32_t kNormal = 0x80;
}  // namespace dosattr

// One entry as the central directory describes it. The name is the stored
// name in the program's ANSI code page, with the archive's own separators.
struct ZipEntryRecord {
  uint16_t versionMadeBy = kVersionMadeBy;
  uint16_t versionNeeded = kVersionDeflate;
  uint16_t flags = 0;
  uint16_t method = zipmethod::kDeflated;
  uint32_t dosTime = 0;  // DOS time in the low word, DOS date in the high word
  uint32_t crc = 0;
  uint64_t compressedSize = 0;
  uint64_t uncompressedSize = 0;
  uint32_t diskStart = 0;
  uint64_t localHeaderOffset = 0;
  uint16_t internalAttributes = 0;
  uint32_t externalAttributes = 0;
  std::string name;

  bool encrypted() const { return (flags & zipflag::kEncrypted) != 0; }
  bool hasDataDescriptor() const { return (flags & zipflag::kDataDescriptor) != 0; }
  bool isDirectory() const { return !name.empty() && (name.back() == '/' || name.back() == '\\'); }
  // DOS attributes of the entry, with the directory bit for folder entries.
  // Hosts 0 (MS-DOS), 6 (HPFS), 10 (TOPS-20/NTFS in practice), 11 (NTFS) and
  // 14 (VFAT) keep DOS attributes in the low byte; Unix zips (3) do as well
  // when they set them, so the low byte is taken for every host.
  uint32_t dosAttributes() const {
    uint32_t attributes = externalAttributes & 0xFF;
    if (isDirectory()) attributes |= dosattr::kDirectory;
    return attributes;
  }
  // The byte an encryption header ends with when the entry's CRC is not known
  // before its data is written (data descriptor archives): the time's high byte.
  uint8_t timeCheckByte() const { return static_cast<uint8_t>(dosTime >> 8); }
  uint8_t crcCheckByte() const { return static_cast<uint8_t>(crc >> 24); }
};

}  // namespace archive
