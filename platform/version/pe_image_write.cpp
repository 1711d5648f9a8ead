#include "platform/version/pe_image_write.h"

#include "platform/version/version_bytes.h"
#include "platform/version/version_info_write.h"

namespace platform::version {
namespace {

constexpr uint32_t kFileAlignment = 0x200;
constexpr uint32_t kSectionAlignment = 0x1000;
constexpr uint32_t kResourceRva = kSectionAlignment;
constexpr size_t kOptionalHeaderSize = 224;  // PE32 with 16 data directories
constexpr uint32_t kRtVersion = 16;
constexpr uint32_t kDirectoryBit = 0x80000000;

// 16-bit code: push cs; pop ds; mov dx, 0Eh; mov ah, 9; int 21h (print the
// "$"-terminated text at ds:dx); mov ax, 4C01h; int 21h (exit with code 1).
constexpr unsigned char kStubCode[] = {0x0E, 0x1F, 0xBA, 0x0E, 0x00, 0xB4, 0x09,
                                       0xCD, 0x21, 0xB8, 0x01, 0x4C, 0xCD, 0x21};

std::string dosPart(const std::string& message) {
  std::string stub(reinterpret_cast<const char*>(kStubCode), sizeof kStubCode);
  stub += message + "\r\n$";
  std::string bytes(64, '\0');
  bytes += stub;
  bytes.resize(alignUp(bytes.size(), 8), '\0');
  const size_t size = bytes.size();
  bytes[0] = 'M';
  bytes[1] = 'Z';
  putLe16(bytes, 0x02, static_cast<uint16_t>(size % 512));          // bytes on the last page
  putLe16(bytes, 0x04, static_cast<uint16_t>((size + 511) / 512));  // pages
  putLe16(bytes, 0x08, 4);       // header paragraphs: the code follows the 64 bytes
  putLe16(bytes, 0x0C, 0xFFFF);  // maximum extra paragraphs
  putLe16(bytes, 0x10, 0xB8);    // initial SP
  putLe16(bytes, 0x18, 0x40);    // relocation table offset: none, at the stub
  putLe32(bytes, 0x3C, static_cast<uint32_t>(size));  // e_lfanew
  return bytes;
}

// A resource directory with one ID entry.
void appendDirectory(std::string& bytes, uint32_t id, uint32_t target) {
  for (int i = 0; i < 3; ++i) appendLe32(bytes, 0);  // characteristics, time, version
  appendLe16(bytes, 0);                              // named entries
  appendLe16(bytes, 1);                              // ID entries
  appendLe32(bytes, id);
  appendLe32(bytes, target);
}

// The .rsrc section: type 16, name 1, the language, then the data entry and
// the data.
std::string resourceSection(const PeImageContent& content) {
  std::string bytes;
  appendDirectory(bytes, kRtVersion, kDirectoryBit | 24);
  appendDirectory(bytes, 1, kDirectoryBit | 48);
  appendDirectory(bytes, content.language, 72);
  const uint32_t dataOffset = 88;
  appendLe32(bytes, kResourceRva + dataOffset);
  appendLe32(bytes, static_cast<uint32_t>(content.versionResource.size()));
  appendLe32(bytes, 0);  // code page
  appendLe32(bytes, 0);
  bytes += content.versionResource;
  return bytes;
}

}  // namespace

std::string writePeImage(const PeImageContent& content) {
  std::string image = dosPart(content.stubMessage);
  const std::string resources = resourceSection(content);
  const size_t peOffset = image.size();
  const uint32_t headersSize =
      static_cast<uint32_t>(alignUp(peOffset + 24 + kOptionalHeaderSize + 40, kFileAlignment));
  const uint32_t rawSize = static_cast<uint32_t>(alignUp(resources.size(), kFileAlignment));
  const uint32_t imageSize =
      kResourceRva + static_cast<uint32_t>(alignUp(resources.size(), kSectionAlignment));

  image += std::string("PE\0\0", 4);
  appendLe16(image, 0x14C);  // i386
  appendLe16(image, 1);      // one section
  appendLe32(image, content.timeDateStamp);
  appendLe32(image, 0);  // no symbol table
  appendLe32(image, 0);
  appendLe16(image, kOptionalHeaderSize);
  appendLe16(image, 0x010F);  // executable, 32-bit, relocations, line numbers and symbols stripped

  const size_t optional = image.size();
  image.resize(optional + kOptionalHeaderSize, '\0');
  auto put16 = [&](size_t at, uint16_t value) { putLe16(image, optional + at, value); };
  auto put32 = [&](size_t at, uint32_t value) { putLe32(image, optional + at, value); };
  put16(0, 0x10B);          // PE32
  image[optional + 2] = 5;  // linker version
  put32(8, rawSize);        // initialized data
  put32(24, kResourceRva);  // base of data
  put32(28, 0x400000);      // image base
  put32(32, kSectionAlignment);
  put32(36, kFileAlignment);
  put16(40, 4);  // operating system version 4.0
  put16(48, 4);  // subsystem version 4.0
  put32(56, imageSize);
  put32(60, headersSize);
  put16(68, content.subsystem);
  put32(72, 0x100000);  // stack reserve
  put32(76, 0x1000);    // stack commit
  put32(80, 0x100000);  // heap reserve
  put32(84, 0x1000);    // heap commit
  put32(92, 16);        // data directories
  put32(96 + 2 * 8, kResourceRva);
  put32(96 + 2 * 8 + 4, static_cast<uint32_t>(resources.size()));

  std::string section(40, '\0');
  section.replace(0, 5, ".rsrc");
  putLe32(section, 8, static_cast<uint32_t>(resources.size()));
  putLe32(section, 12, kResourceRva);
  putLe32(section, 16, rawSize);
  putLe32(section, 20, headersSize);
  putLe32(section, 36, 0x40000040);  // initialized data, readable
  image += section;

  image.resize(headersSize, '\0');
  image += resources;
  image.resize(headersSize + rawSize, '\0');
  return image;
}

std::string versionedProgram(const VersionedProgram& program) {
  VersionInfoContent info;
  info.fixed.fileVersion = program.version;
  info.fixed.productVersion = program.version;
  const std::string version = program.version.text();
  info.strings = {{"FileDescription", program.description},
                  {"FileVersion", version},
                  {"InternalName", program.fileName.substr(0, program.fileName.rfind('.'))},
                  {"OriginalFilename", program.fileName},
                  {"ProductVersion", version}};
  PeImageContent content;
  content.stubMessage = program.stubMessage.empty() ? program.fileName + ": " + program.description
                                                    : program.stubMessage;
  content.versionResource = writeVersionInfo(info);
  content.timeDateStamp = program.timeDateStamp;
  return writePeImage(content);
}

}  // namespace platform::version
