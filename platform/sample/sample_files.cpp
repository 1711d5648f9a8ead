#include "platform/sample/sample_files.h"

#include "platform/sample/sample_content.h"

namespace platform::sample {

std::string_view fileNameOf(std::string_view path) {
  size_t slash = path.rfind('\\');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

void addSystemBinary(SampleTree& tree, const SampleLayout& layout, std::string_view path,
                     std::string_view role, size_t size, uint8_t attributes) {
  tree.file(path, placeholderBinary(fileNameOf(path), role, size, layout.seedFor(path)),
            layout.releaseTime, attributes);
}

void addText(SampleTree& tree, std::string_view path, std::string_view text, SampleTime time,
             uint8_t attributes) {
  tree.file(path, crlf(text), time, attributes);
}

void addData(SampleTree& tree, const SampleLayout& layout, std::string_view path, size_t size,
             SampleTime time, uint8_t attributes) {
  tree.file(path, binaryData(size, layout.seedFor(path)), time, attributes);
}

}  // namespace platform::sample
