#include "platform/sample/generated_files.h"

#include <algorithm>

#include "platform/core/codepage.h"

namespace platform::sample {

namespace {

// SplitMix64: small, fast and fully determined by its seed.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  uint32_t below(uint32_t limit) { return static_cast<uint32_t>(next() % limit); }

 private:
  uint64_t state_;
};

void appendLittleEndian(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

bool isExecutableName(std::string_view name) {
  size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  std::string ext = ansiLower(name.substr(dot + 1));
  for (const char* known : {"exe", "dll", "cpl", "drv", "scr", "ocx", "vxd", "386"})
    if (ext == known) return true;
  return false;
}

}  // namespace

std::string crlf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

uint64_t contentSeed(uint32_t machineSeed, std::string_view path) {
  uint64_t hash = 0xCBF29CE484222325ull ^ machineSeed;  // FNV-1a over the lower-case path
  for (char c : path) {
    hash ^= static_cast<unsigned char>(ansiLower(c));
    hash *= 0x100000001B3ull;
  }
  return hash;
}

std::string binaryData(size_t size, uint64_t seed) {
  Random random(seed);
  std::string out;
  out.reserve(size);
  std::string record;
  for (int i = 0; i < 24; ++i) record += static_cast<char>(random.below(256));
  while (out.size() < size) {
    size_t length = 16 + random.below(240);
    switch (random.below(4)) {
      case 0:  // code-like bytes
        for (size_t i = 0; i < length; ++i) out += static_cast<char>(random.below(256));
        break;
      case 1:  // padding
        out.append(length, '\0');
        break;
      default:  // tables of similar records
        for (size_t i = 0; i < length; ++i)
          out += static_cast<char>(record[i % record.size()] ^ (i / record.size()));
        break;
    }
  }
  out.resize(size);
  return out;
}

std::string placeholderBinary(std::string_view fileName, std::string_view role, size_t size,
                              uint64_t seed) {
  std::string header = isExecutableName(fileName) ? "MZ" : "";
  header += "\r\n";
  header += kPlaceholderMarker;
  header += "\r\nFile: " + std::string(fileName) + "\r\nRole: " + std::string(role) + "\r\n\x1A";
  header += '\0';
  if (size <= header.size()) return header;
  return header + binaryData(size - header.size(), seed);
}

std::string bitmapImage(int width, int height, uint64_t seed) {
  Random random(seed);
  int rowBytes = (width * 3 + 3) / 4 * 4;
  uint32_t pixelBytes = static_cast<uint32_t>(rowBytes * height);
  std::string out = "BM";
  appendLittleEndian(out, 54 + pixelBytes, 4);  // file size
  appendLittleEndian(out, 0, 4);                // reserved
  appendLittleEndian(out, 54, 4);               // offset of the pixels
  appendLittleEndian(out, 40, 4);               // BITMAPINFOHEADER
  appendLittleEndian(out, static_cast<uint32_t>(width), 4);
  appendLittleEndian(out, static_cast<uint32_t>(height), 4);
  appendLittleEndian(out, 1, 2);   // planes
  appendLittleEndian(out, 24, 2);  // bits per pixel
  appendLittleEndian(out, 0, 4);   // BI_RGB
  appendLittleEndian(out, pixelBytes, 4);
  appendLittleEndian(out, 2835, 4);  // 72 dpi
  appendLittleEndian(out, 2835, 4);
  appendLittleEndian(out, 0, 4);
  appendLittleEndian(out, 0, 4);
  int red = static_cast<int>(random.below(256)), green = static_cast<int>(random.below(256));
  int blue = static_cast<int>(random.below(256));
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      row += static_cast<char>((blue + x * 2) & 0xFF);
      row += static_cast<char>((green + y * 3) & 0xFF);
      row += static_cast<char>((red + x + y) & 0xFF);
    }
    row.resize(static_cast<size_t>(rowBytes), '\0');
    out += row;
  }
  return out;
}

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
