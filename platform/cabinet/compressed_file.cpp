#include "platform/cabinet/compressed_file.h"

#include <mspack.h>

#include <memory>

#include "platform/cabinet/cabinet_read.h"
#include "platform/cabinet/cabinet_source.h"

namespace platform {
namespace {

constexpr std::string_view kCabinetSignature = "MSCF";
constexpr std::string_view kSzddSignature = "SZDD\x88\xF0\x27\x33";

struct SzddDecompressorDeleter {
  void operator()(msszdd_decompressor* decompressor) const {
    mspack_destroy_szdd_decompressor(decompressor);
  }
};

// Members, not the destructor, release the decoder, so a constructor that
// throws leaves nothing behind.
struct SzddDecoder {
  SzddDecoder(FileSystem& files, const std::string& bytes)
      : system(files, bytes), decompressor(mspack_create_szdd_decompressor(&system.base)) {
    if (!decompressor) throw CabinetReadError("cannot start the SZDD decoder", MSPACK_ERR_NOMEMORY);
    header = decompressor->open(decompressor.get(), kInMemoryCabinetName);
    if (!header) {
      const int error = decompressor->last_error(decompressor.get());
      throw CabinetReadError(
          "not a readable compressed file (decoder error " + std::to_string(error) + ")", error);
    }
  }
  ~SzddDecoder() { decompressor->close(decompressor.get(), header); }
  SzddDecoder(const SzddDecoder&) = delete;
  SzddDecoder& operator=(const SzddDecoder&) = delete;

  CabinetSystem system;
  std::unique_ptr<msszdd_decompressor, SzddDecompressorDeleter> decompressor;
  msszddd_header* header = nullptr;
};

}  // namespace

bool isCabinetData(std::string_view bytes) {
  return bytes.substr(0, kCabinetSignature.size()) == kCabinetSignature;
}

bool isSzddData(std::string_view bytes) {
  return bytes.substr(0, kSzddSignature.size()) == kSzddSignature;
}

SzddHeader readSzddHeader(FileSystem& files, const std::string& bytes) {
  SzddDecoder decoder(files, bytes);
  return {static_cast<uint32_t>(decoder.header->length), decoder.header->missing_char};
}

void expandSzdd(FileSystem& files, const std::string& bytes, const std::string& target) {
  SzddDecoder decoder(files, bytes);
  decoder.system.lastWriteError = 0;
  const int error =
      decoder.decompressor->extract(decoder.decompressor.get(), decoder.header, target.c_str());
  if (error != MSPACK_ERR_OK)
    throw CabinetReadError(
        "cannot expand into " + target + " (decoder error " + std::to_string(error) + ")", error,
        decoder.system.lastWriteError);
}

std::string expandedName(const std::string& compressedName, char missingChar) {
  if (compressedName.empty() || compressedName.back() != '_' || missingChar == 0)
    return compressedName;
  return compressedName.substr(0, compressedName.size() - 1) + missingChar;
}

}  // namespace platform
