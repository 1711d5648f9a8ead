#pragma once
// Traditional PKWARE encryption of the ZIP application note: three 32-bit keys
// updated with every plain byte, and the 12-byte encryption header whose last
// byte lets a reader check the password.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace archive {

class ZipCrypto {
 public:
  explicit ZipCrypto(const std::string& password);

  void encrypt(uint8_t* data, size_t length);
  void decrypt(uint8_t* data, size_t length);

  // One stream of decryptInterleaved: its keys and the bytes to decrypt in
  // place.
  struct Lane {
    ZipCrypto* crypto;
    uint8_t* data;
    size_t length;
  };
  // Decrypts several independent streams at once. The cipher is a serial
  // chain per byte that leaves most of a core idle; four chains interleaved
  // run nearly four times as fast as one.
  static void decryptInterleaved(std::span<Lane> lanes);

  // A fresh encryption header: eleven random bytes and the check byte,
  // encrypted with these keys (which then continue with the entry's data).
  std::array<uint8_t, 12> makeHeader(uint8_t checkByte);
  // Decrypts an entry's header and returns its check byte.
  uint8_t openHeader(const uint8_t* header);

 private:
  uint8_t keyStream() const {
    uint32_t temp = (key2_ & 0xFFFF) | 2;
    return static_cast<uint8_t>((temp * (temp ^ 1)) >> 8);
  }
  void update(uint8_t plain);
  template <size_t Ways>
  static void decryptSideBySide(Lane* const* lanes, size_t length);

  uint32_t key0_ = 0x12345678;
  uint32_t key1_ = 0x23456789;
  uint32_t key2_ = 0x34567890;
};

}  // namespace archive
