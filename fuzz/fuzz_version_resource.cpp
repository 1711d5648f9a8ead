// Reads arbitrary bytes as a PE image's version resource and, directly, as a
// VS_VERSIONINFO block: a failure must be a VersionResourceError, and every
// value found must lie inside the block it came from.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/version/fixed_file_info.h"
#include "platform/version/pe_image_read.h"
#include "platform/version/version_error.h"
#include "platform/version/version_info_read.h"

namespace {

constexpr const char* kPaths[] = {
    "\\",
    "",
    "\\StringFileInfo\\040904E4\\FileVersion",
    "\\StringFileInfo\\040904B0\\ProductVersion",
    "\\VarFileInfo\\Translation",
    "\\\\StringFileInfo\\\\040904E4\\",
};

void queryBlock(std::string_view block) {
  using namespace platform::version;
  for (const char* path : kPaths) {
    auto value = findVersionValue(block, path);
    if (!value) continue;
    const char* begin = value->bytes.data();
    if (!value->bytes.empty() &&
        (begin < block.data() || begin + value->bytes.size() > block.data() + block.size()))
      std::abort();
    if (value->text && value->bytes.size() % 2 != 0) std::abort();
    decodeFixedFileInfo(value->bytes);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace platform::version;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  queryBlock(bytes);
  try {
    MemoryImageBytes image(bytes);
    std::string resource = readVersionResource(image);
    if (resource.size() > kMaxVersionResource) std::abort();
    const size_t length = versionInfoLength(resource);
    if (length > resource.size()) std::abort();
    resource.resize(length);
    queryBlock(resource);
  } catch (const VersionResourceError&) {
  }
  return 0;
}
