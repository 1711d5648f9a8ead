// The format layer against other tools: archives it writes pass unzip, 7-Zip
// and bsdtar; archives they write are read back byte for byte.
#include <gtest/gtest.h>

#include <random>

#include "archive/zip_crc32.h"
#include "archive/zip_read_directory.h"
#include "archive/zip_read_entry.h"
#include "archive/zip_write_entry.h"
#include "tests/support/temp_dir.h"

namespace archive {
namespace {

using testing_support::haveProgram;
using testing_support::readFile;
using testing_support::runCommand;
using testing_support::TempDir;
using testing_support::writeFile;

std::string mixedContent(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string text;
  const char* words[] = {"registry ", "backup ", "WINDOWS ", "profile\r\n", "desktop ", "0123 "};
  while (text.size() < size) {
    if (random() % 7 == 0)
      for (int i = 0; i < 40; ++i) text += static_cast<char>(random());
    else
      text += words[random() % 6];
  }
  text.resize(size);
  return text;
}

std::map<std::string, std::string> sampleFiles() {
  return {{"C:/WINDOWS/win.ini", "[windows]\r\nload=\r\nrun=\r\n"},
          {"C:/WINDOWS/empty.txt", ""},
          {"C:/My Documents/report.doc", mixedContent(300000, 1)},
          {"C:/noise.bin", mixedContent(5000, 2)}};
}

std::string writeArchive(const std::map<std::string, std::string>& files, int level,
                         const std::string& password, bool streamed, unsigned workers = 0) {
  MemoryOutput out;
  ZipArchiveWriter writer(out);
  for (const auto& [name, content] : files) {
    ZipEntryRecord header;
    header.name = name;
    header.dosTime = 0x5A2C6B3D;
    header.externalAttributes = dosattr::kArchive;
    EntryOptions options{level, password, workers};
    const auto* bytes = reinterpret_cast<const uint8_t*>(content.data());
    if (streamed) {
      size_t at = 0;
      streamEntry(
          writer, header, content.size(), options,
          [&](uint8_t* buffer, size_t length) {
            size_t n = std::min(length, content.size() - at);
            std::copy(bytes + at, bytes + at + n, buffer);
            at += n;
            return n;
          },
          nullptr);
    } else {
      writer.addPrepared(prepareEntry(header, bytes, content.size(), options));
    }
  }
  writer.finish();
  return std::string(out.bytes().begin(), out.bytes().end());
}

std::map<std::string, std::string> readArchive(const std::string& zip,
                                               const std::string& password) {
  MemorySource source(reinterpret_cast<const uint8_t*>(zip.data()), zip.size());
  SingleVolume volumes(source);
  auto end = findZipEnd(source);
  if (!end) throw ZipError("no end record");
  std::map<std::string, std::string> files;
  for (const ZipEntryRecord& record : readCentralDirectory(volumes, *end)) {
    std::string content;
    auto result = readEntry(volumes, record, password, [&](const uint8_t* data, size_t n) {
      content.append(reinterpret_cast<const char*>(data), n);
    });
    if (result != EntryReadResult::Ok) throw ZipError("bad password");
    files[record.name] = content;
  }
  return files;
}

class FormatPeer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!haveProgram("unzip") || !haveProgram("7zz") || !haveProgram("bsdtar"))
      GTEST_SKIP() << "peer tools missing";
  }
  void expectPeersAccept(const std::filesystem::path& zip, const std::string& password) {
    std::string pass = password.empty() ? "" : " -P '" + password + "'";
    auto unzip = runCommand("unzip -t" + pass + " '" + zip.string() + "'");
    EXPECT_EQ(unzip.exitCode, 0) << unzip.output;
    auto sevenZip = runCommand("7zz t -p'" + password + "' '" + zip.string() + "'");
    EXPECT_EQ(sevenZip.exitCode, 0) << sevenZip.output;
    if (password.empty()) {
      auto bsdtar = runCommand("bsdtar -tf '" + zip.string() + "'");
      EXPECT_EQ(bsdtar.exitCode, 0) << bsdtar.output;
    }
  }
  TempDir dir;
};

TEST_F(FormatPeer, EveryPackLevelWithAndWithoutPasswordPassesPeerTests) {
  for (int level = 0; level <= 9; ++level) {
    for (std::string password : {"", "s3cret"}) {
      for (bool streamed : {false, true}) {
        if (streamed && level % 3 != 0) continue;  // streaming differs only by level kind
        auto zip = dir / ("l" + std::to_string(level) + password + (streamed ? "s" : "") + ".zip");
        writeFile(zip, writeArchive(sampleFiles(), level, password, streamed));
        SCOPED_TRACE(zip.string());
        expectPeersAccept(zip, password);
        EXPECT_EQ(readArchive(readFile(zip), password), sampleFiles());
      }
    }
  }
}

TEST_F(FormatPeer, StreamedEntriesOfManyChunksPassPeerTests) {
  // Streaming cuts a file into chunks, each compressed on its own (igzip
  // primed with the chunk before, or libdeflate opened at its end) and
  // joined into one stream; data that looks compressed goes through igzip's
  // fastest level at every pack level. The sparse file has long runs that
  // matches reach across boundaries for, "exact" ends on a chunk boundary,
  // and "mixed" turns from noise into text and back between chunks.
  std::string sparse = mixedContent(size_t{5} << 20, 5);
  for (size_t at = 0; at < sparse.size(); at += 300000)
    std::fill_n(sparse.begin() + static_cast<std::ptrdiff_t>(at), 90000, 'x');
  std::string mixed = testing_support::randomBytes(size_t{3} << 20, 6) +
                      mixedContent(size_t{3} << 20, 7) + testing_support::randomBytes(1 << 20, 8);
  std::map<std::string, std::string> files = {
      {"C:/Mail/Inbox.mbx", mixedContent(3300000, 3)},
      {"C:/Mail/sparse.dat", sparse},
      {"C:/Mail/exact.bin", mixedContent(size_t{4} << 20, 4)},
      {"C:/Mail/mixed.bin", mixed},
      {"C:/Mail/empty.bin", ""}};
  for (int level : {1, 2, 3, 6, 9}) {
    for (unsigned workers : {0u, 2u}) {
      for (std::string password : {"", "pw"}) {
        if (!password.empty() && workers == 0) continue;  // encryption follows compression
        auto zip = dir / ("streamed" + std::to_string(level) + "w" + std::to_string(workers) +
                          password + ".zip");
        writeFile(zip, writeArchive(files, level, password, true, workers));
        SCOPED_TRACE(zip.string());
        expectPeersAccept(zip, password);
        EXPECT_EQ(readArchive(readFile(zip), password), files);
      }
    }
  }
}

TEST_F(FormatPeer, CompressedLookingDataIsStoredAndTextBehindNoiseIsNot) {
  std::string text = mixedContent(200000, 9);
  std::map<std::string, std::string> files = {
      {"C:/noise.jpg", testing_support::randomBytes(300000, 10)},
      {"C:/late.txt", testing_support::randomBytes(20000, 11) + text}};
  for (int level : {2, 6}) {
    std::string zip = writeArchive(files, level, "", false);
    EXPECT_EQ(readArchive(zip, ""), files);
    MemorySource source(reinterpret_cast<const uint8_t*>(zip.data()), zip.size());
    SingleVolume volumes(source);
    for (const ZipEntryRecord& record : readCentralDirectory(volumes, *findZipEnd(source))) {
      if (record.name == "C:/noise.jpg") {
        EXPECT_EQ(record.method, zipmethod::kStored);
      } else {
        // The noise costs its size and a little more; the text is packed as
        // it would be alone.
        std::string textAlone = writeArchive({{"t", text}}, level, "", false);
        EXPECT_LT(record.compressedSize, 20000 + textAlone.size() + 512) << level;
      }
    }
  }
}

TEST_F(FormatPeer, UnzipExtractsOurContentExactly) {
  auto zip = dir / "content.zip";
  writeFile(zip, writeArchive(sampleFiles(), 6, "pw", false));
  auto result = runCommand("cd '" + dir.path().string() + "' && unzip -q -P pw content.zip -d out");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(readFile(dir / "out/C:/My Documents/report.doc"),
            sampleFiles()["C:/My Documents/report.doc"]);
}

TEST_F(FormatPeer, ReadsArchivesMadeByInfoZipAnd7Zip) {
  auto files = std::map<std::string, std::string>{{"a/one.txt", mixedContent(100000, 3)},
                                                  {"a/b/two.bin", mixedContent(7000, 4)},
                                                  {"three.txt", "x"}};
  for (const auto& [name, content] : files) writeFile(dir / "src" / name, content);
  std::string src = "cd '" + (dir / "src").string() + "' && ";
  struct Maker {
    std::string command, password;
  } makers[] = {{"zip -qr ../zip.zip .", ""},
                {"zip -qr -fd ../zipfd.zip .", ""},
                {"zip -qr -P pw ../zipenc.zip .", "pw"},
                {"zip -qr -fd -P pw ../zipfdenc.zip .", "pw"},
                {"7zz a -bd -tzip ../7z.zip . >/dev/null", ""},
                {"7zz a -bd -tzip -ppw ../7zenc.zip . >/dev/null", "pw"},
                {"7zz a -bd -tzip -mx=0 ../7zstore.zip . >/dev/null", ""}};
  for (const auto& maker : makers) {
    auto made = runCommand(src + maker.command);
    ASSERT_EQ(made.exitCode, 0) << maker.command << made.output;
  }
  for (const auto& maker : makers) {
    std::string zip = maker.command.substr(maker.command.find("../") + 3);
    zip = zip.substr(0, zip.find(' '));
    SCOPED_TRACE(zip);
    auto read = readArchive(readFile(dir / zip), maker.password);
    for (const auto& [name, content] : files) EXPECT_EQ(read[name], content) << name;
  }
}

TEST_F(FormatPeer, ReadsStreamedArchiveWithDataDescriptor) {
  auto made = runCommand("cd '" + dir.path().string() + "' && echo x | zip -q - - > piped.zip");
  ASSERT_EQ(made.exitCode, 0) << made.output;
  auto read = readArchive(readFile(dir / "piped.zip"), "");
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read.begin()->second, "x\n");
}

}  // namespace
}  // namespace archive
