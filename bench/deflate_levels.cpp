// Compressed size and CPU time of each Deflate engine and level on a tree, to
// choose the pack-level mapping: every file is compressed whole (stored when
// that does not shrink it, as the archive does), files over the whole-file
// limit also in independent chunks the way the streamed path compresses them.
//
//   deflate_levels DIR ENGINE:LEVEL...
//     ENGINE: zlib, libdeflate, igzip; "libdeflate:6" or, for the large
//     "engine:6": the archive engine at pack level 6, as it compresses small
//     files whole and large ones in chunks
#include <isa-l/igzip_lib.h>
#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "archive/zip_deflate.h"

namespace {

namespace fs = std::filesystem;
constexpr size_t kWholeFileLimit = 8u << 20;

double cpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

std::vector<uint8_t> readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

size_t zlibSize(const std::vector<uint8_t>& data, int level, std::vector<uint8_t>& out) {
  z_stream s{};
  deflateInit2(&s, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  out.resize(deflateBound(&s, data.size()));
  s.next_in = const_cast<uint8_t*>(data.data());
  s.avail_in = static_cast<uInt>(data.size());
  s.next_out = out.data();
  s.avail_out = static_cast<uInt>(out.size());
  deflate(&s, Z_FINISH);
  size_t n = s.total_out;
  deflateEnd(&s);
  return n;
}

size_t libdeflateSize(const std::vector<uint8_t>& data, int level, std::vector<uint8_t>& out) {
  static libdeflate_compressor* compressors[13] = {};
  if (!compressors[level]) compressors[level] = libdeflate_alloc_compressor(level);
  out.resize(libdeflate_deflate_compress_bound(compressors[level], data.size()));
  return libdeflate_deflate_compress(compressors[level], data.data(), data.size(), out.data(),
                                     out.size());
}

size_t igzipSize(const std::vector<uint8_t>& data, int level, std::vector<uint8_t>& out) {
  static std::vector<uint8_t> levelBuffer(ISAL_DEF_LVL3_LARGE);
  isal_zstream s;
  isal_deflate_init(&s);
  s.level = static_cast<uint32_t>(level);
  s.level_buf = levelBuffer.data();
  s.level_buf_size = static_cast<uint32_t>(levelBuffer.size());
  out.resize(data.size() + data.size() / 16 + 65536);
  s.next_in = const_cast<uint8_t*>(data.data());
  s.avail_in = static_cast<uint32_t>(data.size());
  s.next_out = out.data();
  s.avail_out = static_cast<uint32_t>(out.size());
  s.end_of_stream = 1;
  isal_deflate(&s);
  return s.total_out;
}

// What the engine stores for a small file: room for the input only, 0 when
// it would not shrink.
size_t engineWholeSize(const std::vector<uint8_t>& data, int packLevel, std::vector<uint8_t>& out) {
  out.resize(data.size());
  return archive::deflateWhole(data.data(), data.size(), packLevel, out.data(), out.size());
}

size_t chunkedSize(const std::vector<uint8_t>& data, int packLevel) {
  archive::DeflateStream stream(packLevel, 0);  // chunks on this thread
  archive::Bytes out;
  size_t total = 0;
  constexpr size_t kStep = 1u << 20;
  for (size_t at = 0; at < data.size(); at += kStep) {
    size_t n = std::min(kStep, data.size() - at);
    out.clear();
    stream.compress(data.data() + at, n, at + n == data.size(), out);
    total += out.size();
  }
  return total;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: deflate_levels DIR ENGINE:LEVEL...\n");
    return 2;
  }
  std::vector<fs::path> files;
  for (auto& entry : fs::recursive_directory_iterator(argv[1]))
    if (entry.is_regular_file() && !entry.is_symlink()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  std::printf("%-14s %14s %14s %9s %9s\n", "engine", "small_bytes", "large_bytes", "small_cpu",
              "large_cpu");
  std::vector<uint8_t> out;
  for (int a = 2; a < argc; ++a) {
    std::string spec = argv[a];
    auto colon = spec.find(':');
    std::string engine = spec.substr(0, colon);
    int level = std::stoi(spec.substr(colon + 1));
    size_t sizes[2] = {0, 0};
    double cpu[2] = {0, 0};
    for (const auto& path : files) {
      std::vector<uint8_t> data = readFile(path);
      int large = data.size() > kWholeFileLimit ? 1 : 0;
      double start = cpuSeconds();
      size_t n = 0;
      if (engine == "zlib")
        n = zlibSize(data, level, out);
      else if (engine == "libdeflate")
        n = libdeflateSize(data, level, out);
      else if (engine == "igzip")
        n = igzipSize(data, level, out);
      else if (engine == "engine")
        n = large ? chunkedSize(data, level) : engineWholeSize(data, level, out);
      cpu[large] += cpuSeconds() - start;
      sizes[large] += (n == 0 || n >= data.size()) ? data.size() : n;
    }
    std::printf("%-14s %14zu %14zu %9.2f %9.2f\n", spec.c_str(), sizes[0], sizes[1], cpu[0],
                cpu[1]);
    std::fflush(stdout);
  }
}
