#include "archive/zip_crypto.h"

#include <algorithm>
#include <random>
#include <vector>

namespace archive {
namespace {

constexpr std::array<uint32_t, 256> makeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}
constexpr std::array<uint32_t, 256> kCrcTable = makeCrcTable();

inline uint32_t crcByte(uint32_t crc, uint8_t b) {
  return kCrcTable[(crc ^ b) & 0xFF] ^ (crc >> 8);
}

}  // namespace

ZipCrypto::ZipCrypto(const std::string& password) {
  for (char c : password) update(static_cast<uint8_t>(c));
}

void ZipCrypto::update(uint8_t plain) {
  key0_ = crcByte(key0_, plain);
  key1_ = (key1_ + (key0_ & 0xFF)) * 134775813u + 1;
  key2_ = crcByte(key2_, static_cast<uint8_t>(key1_ >> 24));
}

void ZipCrypto::encrypt(uint8_t* data, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    uint8_t plain = data[i];
    data[i] = plain ^ keyStream();
    update(plain);
  }
}

void ZipCrypto::decrypt(uint8_t* data, size_t length) {
  // The keys live in locals so the loop keeps them in registers.
  uint32_t k0 = key0_, k1 = key1_, k2 = key2_;
  for (size_t i = 0; i < length; ++i) {
    uint32_t temp = (k2 & 0xFFFF) | 2;
    uint8_t plain = data[i] ^ static_cast<uint8_t>((temp * (temp ^ 1)) >> 8);
    data[i] = plain;
    k0 = crcByte(k0, plain);
    k1 = (k1 + (k0 & 0xFF)) * 134775813u + 1;
    k2 = crcByte(k2, static_cast<uint8_t>(k1 >> 24));
  }
  key0_ = k0, key1_ = k1, key2_ = k2;
}

template <size_t Ways>
void ZipCrypto::decryptSideBySide(Lane* const* lanes, size_t length) {
  uint32_t k0[Ways], k1[Ways], k2[Ways];
  uint8_t* data[Ways];
  for (size_t w = 0; w < Ways; ++w) {
    ZipCrypto& c = *lanes[w]->crypto;
    k0[w] = c.key0_, k1[w] = c.key1_, k2[w] = c.key2_;
    data[w] = lanes[w]->data;
  }
  for (size_t i = 0; i < length; ++i) {
    for (size_t w = 0; w < Ways; ++w) {
      uint32_t temp = (k2[w] & 0xFFFF) | 2;
      uint8_t plain = data[w][i] ^ static_cast<uint8_t>((temp * (temp ^ 1)) >> 8);
      data[w][i] = plain;
      k0[w] = crcByte(k0[w], plain);
      k1[w] = (k1[w] + (k0[w] & 0xFF)) * 134775813u + 1;
      k2[w] = crcByte(k2[w], static_cast<uint8_t>(k1[w] >> 24));
    }
  }
  for (size_t w = 0; w < Ways; ++w) {
    ZipCrypto& c = *lanes[w]->crypto;
    c.key0_ = k0[w], c.key1_ = k1[w], c.key2_ = k2[w];
  }
}

void ZipCrypto::decryptInterleaved(std::span<Lane> lanes) {
  constexpr size_t kWays = 4;
  // Longest first, so the long streams run beside the short ones instead of
  // alone at the end.
  std::vector<Lane*> waiting;
  for (Lane& lane : lanes)
    if (lane.length > 0) waiting.push_back(&lane);
  std::sort(waiting.begin(), waiting.end(),
            [](const Lane* a, const Lane* b) { return a->length > b->length; });
  std::array<Lane*, kWays> active{};
  size_t count = 0, next = 0;
  for (;;) {
    while (count < kWays && next < waiting.size()) active[count++] = waiting[next++];
    if (count == 0) return;
    size_t step = active[0]->length;
    for (size_t w = 1; w < count; ++w) step = std::min(step, active[w]->length);
    switch (count) {
      case 4:
        decryptSideBySide<4>(active.data(), step);
        break;
      case 3:
        decryptSideBySide<3>(active.data(), step);
        break;
      case 2:
        decryptSideBySide<2>(active.data(), step);
        break;
      default:
        active[0]->crypto->decrypt(active[0]->data, step);
        break;
    }
    size_t kept = 0;
    for (size_t w = 0; w < count; ++w) {
      active[w]->data += step;
      active[w]->length -= step;
      if (active[w]->length > 0) active[kept++] = active[w];
    }
    count = kept;
  }
}

std::array<uint8_t, 12> ZipCrypto::makeHeader(uint8_t checkByte) {
  thread_local std::mt19937 random{std::random_device{}()};
  std::array<uint8_t, 12> header{};
  for (size_t i = 0; i < 11; ++i) header[i] = static_cast<uint8_t>(random());
  header[11] = checkByte;
  encrypt(header.data(), header.size());
  return header;
}

uint8_t ZipCrypto::openHeader(const uint8_t* header) {
  std::array<uint8_t, 12> plain{};
  for (size_t i = 0; i < 12; ++i) plain[i] = header[i];
  decrypt(plain.data(), plain.size());
  return plain[11];
}

}  // namespace archive
