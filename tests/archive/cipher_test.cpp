// The traditional cipher decrypting several streams side by side must give
// exactly what decrypting each stream alone gives, and leave each stream's
// keys where they would be.
#include <gtest/gtest.h>

#include <random>

#include "archive/zip_crypto.h"

namespace archive {
namespace {

std::vector<uint8_t> randomBytes(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> bytes(size);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
  return bytes;
}

TEST(CipherTest, InterleavedDecryptionMatchesOneStreamAtATime) {
  // Lengths chosen so lanes end at different steps, with more lanes than the
  // four that run side by side, an empty one and a one-byte one.
  const std::vector<size_t> lengths = {70001, 0, 1, 4096, 12, 70001, 333, 9000, 5};
  std::vector<std::vector<uint8_t>> expected, actual;
  std::vector<ZipCrypto> alone, together;
  for (size_t i = 0; i < lengths.size(); ++i) {
    std::string password = "pw" + std::to_string(i);
    expected.push_back(randomBytes(lengths[i], static_cast<unsigned>(i)));
    actual.push_back(expected.back());
    alone.emplace_back(password);
    together.emplace_back(password);
  }
  std::vector<ZipCrypto::Lane> lanes;
  for (size_t i = 0; i < lengths.size(); ++i) {
    alone[i].decrypt(expected[i].data(), expected[i].size());
    lanes.push_back({&together[i], actual[i].data(), actual[i].size()});
  }
  ZipCrypto::decryptInterleaved(lanes);
  for (size_t i = 0; i < lengths.size(); ++i) {
    EXPECT_EQ(actual[i], expected[i]) << "lane " << i;
    // The keys carry on: the next bytes decrypt alike too.
    std::vector<uint8_t> more = randomBytes(64, 99), again = more;
    alone[i].decrypt(more.data(), more.size());
    together[i].decrypt(again.data(), again.size());
    EXPECT_EQ(more, again) << "lane " << i;
  }
}

TEST(CipherTest, EncryptThenDecryptRoundTrips) {
  std::vector<uint8_t> plain = randomBytes(1000, 5), data = plain;
  ZipCrypto writer("secret");
  auto header = writer.makeHeader(0xA7);
  writer.encrypt(data.data(), data.size());
  EXPECT_NE(data, plain);
  ZipCrypto reader("secret");
  EXPECT_EQ(reader.openHeader(header.data()), 0xA7);
  ZipCrypto::Lane lane{&reader, data.data(), data.size()};
  ZipCrypto::decryptInterleaved({&lane, 1});
  EXPECT_EQ(data, plain);
}

}  // namespace
}  // namespace archive
