#include "platform/version/file_version.h"

#include "platform/core/codepage.h"
#include "platform/version/pe_image_read.h"
#include "platform/version/version_error.h"
#include "platform/version/version_info_read.h"

namespace platform::version {
namespace {

// The image read piece by piece through an open handle.
class FileImageBytes final : public ImageBytes {
 public:
  explicit FileImageBytes(FileHandle& handle) : handle_(handle), size_(handle.size()) {}
  uint64_t size() const override { return size_; }
  std::string read(uint64_t offset, size_t count) override {
    std::string bytes(count, '\0');
    handle_.seek(static_cast<int64_t>(offset), SeekOrigin::Begin);
    size_t done = 0;
    while (done < count) {
      size_t got = handle_.read(bytes.data() + done, count - done);
      if (got == 0) throw OsError(WinError::ReadFault, handle_.path());  // shrank while read
      done += got;
    }
    return bytes;
  }

 private:
  FileHandle& handle_;
  uint64_t size_;
};

// The version block of the file, or the error GetLastError gives.
bool readVersionBlock(FileSystem& files, std::string_view path, std::string& block,
                      WinError& lastError) {
  try {
    FileHandle handle = files.createFile(path, kGenericRead, kFileShareRead | kFileShareWrite,
                                         CreationDisposition::OpenExisting);
    FileImageBytes image(handle);
    std::string resource = readVersionResource(image);
    resource.resize(versionInfoLength(resource));
    block = std::move(resource);
    lastError = WinError::Success;
    return true;
  } catch (const VersionResourceError& error) {
    lastError = error.code();
  } catch (const OsError& error) {
    lastError = error.code();
  }
  return false;
}

}  // namespace

uint32_t getFileVersionInfoSize(FileSystem& files, std::string_view path, WinError& lastError) {
  std::string block;
  if (!readVersionBlock(files, path, block, lastError)) return 0;
  return static_cast<uint32_t>(block.size());
}

bool getFileVersionInfo(FileSystem& files, std::string_view path, uint32_t length,
                        std::string& data, WinError& lastError) {
  std::string block;
  if (!readVersionBlock(files, path, block, lastError)) return false;
  if (block.size() > length) block.resize(length);
  data = std::move(block);
  return true;
}

bool verQueryValue(std::string_view block, std::string_view subBlock, std::string& value) {
  std::optional<VersionValue> found = findVersionValue(block, subBlock);
  if (!found) return false;
  value = found->text
              ? utf8ToAnsi(utf16leBytesToUtf8(reinterpret_cast<const uint8_t*>(found->bytes.data()),
                                              found->bytes.size()))
              : std::string(found->bytes);
  return true;
}

}  // namespace platform::version
