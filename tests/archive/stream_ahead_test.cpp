// Extracting entries too large to read whole: they are inflated ahead on a
// thread of their own while the caller writes earlier files, and must keep
// every promise of reading entry by entry: contents, order of events, the
// password question, damage and cancelling.
#include <thread>

#include "archive/zip_error.h"
#include "archive/zip_plain_stream.h"
#include "tests/archive/engine_fixture.h"

namespace archive_test {
namespace {

using archive::TZipReader;
using archive::TZipWriter;

// Compressible but not uniform: numbered lines, so a misplaced chunk shows.
std::string largeContent(int seed, size_t size) {
  std::string text;
  text.reserve(size + 64);
  for (size_t line = 0; text.size() < size; ++line)
    text += "record " + std::to_string(line * 7 + static_cast<size_t>(seed)) + " of stream " +
            std::to_string(seed) + "\r\n";
  text.resize(size);
  return text;
}

constexpr size_t kLarge = (size_t{17} << 20) + 12345;  // over the 16 MiB read whole

class StreamAheadTest : public EngineTest {
 protected:
  // Small files around two large ones, in this order in the archive.
  void makeArchive(const std::string& password = "") {
    for (int i = 0; i < 12; ++i) {
      std::string path = "C:\\DATA\\f" + std::to_string(10 + i) + ".txt";
      if (i == 4) path = "C:\\DATA\\f14big.bin";
      if (i == 8) path = "C:\\DATA\\f18big.bin";
      std::string bytes = (i == 4 || i == 8) ? largeContent(i, kLarge + static_cast<size_t>(i))
                                             : largeContent(i, 3000 + 100 * static_cast<size_t>(i));
      file(path, bytes);
      paths.push_back(path);
      contents.push_back(bytes);
    }
    TZipWriter zip(fs);
    prepare(zip, "C:\\data.zip");
    zip.FilesList = paths;  // stored in this order
    zip.Password = password;
    zip.PackLevel = 1;
    ASSERT_EQ(zip.CreateArchive(), 12);
  }
  std::string out(size_t i) const { return "C:\\OUT" + paths[i].substr(2); }
  // Where an entry's data starts in the archive's bytes.
  size_t dataOffset(const std::string& bytes, const std::string& path) const {
    std::string name = path;  // stored as C:/DATA/...
    std::replace(name.begin(), name.end(), '\\', '/');
    size_t at = bytes.find(name);  // the first is the local header's
    EXPECT_NE(at, std::string::npos);
    size_t header = at - 30;
    size_t extra = static_cast<unsigned char>(bytes[header + 28]) |
                   static_cast<size_t>(static_cast<unsigned char>(bytes[header + 29])) << 8;
    return at + name.size() + extra;
  }
  void damage(size_t entry, double where, char value) {
    std::string bytes = testing_support::readFile(fs.hostPath("C:\\data.zip"));
    size_t start = dataOffset(bytes, paths[entry]);
    size_t end = dataOffset(bytes, paths[entry + 1]);
    bytes[start + static_cast<size_t>(static_cast<double>(end - start) * where)] = value;
    testing_support::writeFile(fs.hostPath("C:\\data.zip"), bytes);
  }
  std::unique_ptr<TZipReader> reader(unsigned workers, const std::string& password = "") {
    auto zip = std::make_unique<TZipReader>(fs);
    zip->SetZipName("C:\\data.zip");
    zip->Workers = workers;
    zip->Password = password;
    zip->DestDir = "C:\\OUT";
    return zip;
  }
  std::vector<std::string> paths, contents;
};

TEST_F(StreamAheadTest, LargeEntriesAmongSmallOnesComeOutWholeAndInOrder) {
  makeArchive();
  for (unsigned workers : {1u, 2u, 4u}) {
    SCOPED_TRACE(workers);
    auto zip = reader(workers);
    zip->DestDir = "C:\\OUT" + std::to_string(workers);
    std::vector<int> percents;
    // Each percent is reported once every file before it is on disk.
    zip->OnTotalPercentDone = [&](int p) { percents.push_back(p); };
    EXPECT_EQ(zip->Extract(), 12);
    for (size_t i = 0; i < paths.size(); ++i)
      ASSERT_EQ(content(zip->DestDir + paths[i].substr(2)), contents[i]) << paths[i];
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_EQ(percents.back(), 100);
    // The large entries report progress while they are written, not only after.
    EXPECT_GT(percents.size(), 20u);
  }
}

TEST_F(StreamAheadTest, PasswordQuestionForALargeEntryComesAfterEarlierFilesAreWritten) {
  makeArchive("right");
  auto zip = reader(2, "wrong");
  std::vector<int> asked;
  zip->OnBadPassword = [&](int index, std::string& newPassword) {
    asked.push_back(index);
    for (int i = 0; i < index; ++i) EXPECT_EQ(content(out(static_cast<size_t>(i))), contents[i]);
    newPassword = "right";
  };
  EXPECT_EQ(zip->Extract(), 12);
  EXPECT_EQ(asked, std::vector<int>{0});
  EXPECT_EQ(content(out(4)), contents[4]);
  EXPECT_EQ(content(out(8)), contents[8]);
}

// Damage at the start of a large entry (here a block header of a reserved
// type) is found before its target is made.
TEST_F(StreamAheadTest, DamageAtTheStartLeavesAnExistingFileAlone) {
  makeArchive();
  damage(4, 0.0, '\x07');
  file(out(4), "an older copy that must survive");
  auto zip = reader(2);
  EXPECT_THROW(zip->Extract(), archive::ZipCorruptError);
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(content(out(i)), contents[i]);
  EXPECT_EQ(content(out(4)), "an older copy that must survive");
  for (size_t i = 5; i < paths.size(); ++i) EXPECT_FALSE(exists(out(i))) << paths[i];
}

class DamagedStreamTest : public StreamAheadTest,
                          public ::testing::WithParamInterface<std::string> {};

// Damage found after part of the file was written removes the partial file,
// and nothing after the entry is written.
TEST_P(DamagedStreamTest, DamageFurtherInRemovesThePartialFile) {
  makeArchive(GetParam());
  damage(8, 0.6, '\x5A');
  auto zip = reader(2, GetParam());
  EXPECT_THROW(zip->Extract(), archive::ZipCorruptError);
  for (size_t i = 0; i < 8; ++i) EXPECT_EQ(content(out(i)), contents[i]) << paths[i];
  for (size_t i = 8; i < paths.size(); ++i) EXPECT_FALSE(exists(out(i))) << paths[i];
}

INSTANTIATE_TEST_SUITE_P(PlainAndEncrypted, DamagedStreamTest, ::testing::Values("", "pw"));

TEST_F(StreamAheadTest, CancelInsideALargeEntryStopsAndRemovesThePartialFile) {
  makeArchive();
  auto zip = reader(2);
  // Entries before the first large one are about 3 % of the bytes.
  zip->OnTotalPercentDone = [&](int p) {
    if (p >= 10) zip->Cancel = true;
  };
  EXPECT_THROW(zip->Extract(), archive::ZipUserCancel);
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(content(out(i)), contents[i]);
  EXPECT_FALSE(exists(out(4)));
  EXPECT_FALSE(zip->Cancel);
  // The engine is usable again at once: nothing is left running.
  zip->OnTotalPercentDone = nullptr;
  EXPECT_EQ(zip->Extract(), 12);
  EXPECT_EQ(content(out(8)), contents[8]);
}

TEST(PlainStream, ChunksArriveInOrderAndGivingUpReleasesTheProducer) {
  archive::PlainStream stream;
  const size_t total = archive::PlainStream::kChunkBytes * (archive::PlainStream::kMaxChunks + 3);
  std::thread producer([&] {
    std::vector<uint8_t> piece(100000);
    try {
      for (size_t done = 0; done < total; done += piece.size()) {
        for (size_t k = 0; k < piece.size(); ++k) piece[k] = static_cast<uint8_t>((done + k) % 251);
        stream.write(piece.data(), std::min(piece.size(), total - done));
      }
      stream.finish(nullptr);
    } catch (const archive::PlainStream::Abandoned&) {
    }
  });
  size_t seen = 0;
  archive::PlainStream::Chunk chunk;
  // Read two chunks, check them, then give the rest up: the producer, held
  // back by the full queue, must end.
  for (int n = 0; n < 2 && stream.next(chunk); ++n) {
    for (size_t k = 0; k < chunk.length; ++k)
      ASSERT_EQ(chunk.data[k], static_cast<uint8_t>((seen + k) % 251));
    seen += chunk.length;
    stream.recycle(std::move(chunk));
  }
  EXPECT_EQ(seen, 2 * archive::PlainStream::kChunkBytes);
  stream.abandon();
  producer.join();
}

TEST(PlainStream, AFailureComesAfterTheChunksBeforeIt) {
  archive::PlainStream stream;
  std::vector<uint8_t> bytes(1000, 7);
  stream.write(bytes.data(), bytes.size());
  stream.finish(std::make_exception_ptr(archive::ZipCorruptError("CRC error")));
  archive::PlainStream::Chunk chunk;
  ASSERT_TRUE(stream.next(chunk));
  EXPECT_EQ(chunk.length, 1000u);
  EXPECT_THROW(stream.next(chunk), archive::ZipCorruptError);
}

}  // namespace
}  // namespace archive_test
