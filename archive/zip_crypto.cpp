#include "archive/zip_crypto.h"

#include <random>

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
