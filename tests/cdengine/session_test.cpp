// A session built from a machine's files: AddFile's results, the stream with
// each file's first sector and CRC, sources that vanish or change size, and
// sessions written to an image file and imported again, also from images
// whose records lie (loops, extents past the volume, truncated images).
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <fstream>

#include "cdengine/ImageFileDrive.h"
#include "tests/cdengine/iso_machine.h"

namespace cdengine_test {
namespace {

using testing_support::MachineBuilder;

MachineBuilder smallMachine() {
  return MachineBuilder(platform::WindowsVersion::WinMe)
      .file("C:\\Data\\letter.txt", "Dear reader,\r\n")
      .file("C:\\Data\\README", "no extension")
      .fileOfSize("C:\\Data\\Sub\\big.bin", 5000)
      .file("C:\\Data\\Sub\\empty.txt", "");
}

std::vector<uint8_t> readImage(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(IsoSession, AddFileResultsAndTheStreamOfItsFiles) {
  IsoMachine m{smallMachine()};
  IsoImage& image = *m.image;
  EXPECT_EQ(image.AddFile("\\", "C:\\Data\\letter.txt", false), 1);
  EXPECT_EQ(image.AddFile("\\", "C:\\Data\\missing.txt", false), -1);
  EXPECT_EQ(image.AddFile("\\Nowhere", "C:\\Data\\README", false), 0);
  EXPECT_EQ(m.messages.back(), "INVALID DESTINATION PATH");
  EXPECT_EQ(image.AddFile("", "C:\\Data\\Sub\\big.bin", true), 1);  // into \Data\Sub
  EXPECT_EQ(image.AddFile("", "C:\\Data\\Sub\\empty.txt", true), 1);
  ASSERT_NE(image.FindDir("\\DATA\\SUB"), nullptr);
  EXPECT_EQ(image.DirCount(), 2u);
  EXPECT_EQ(image.FileCount(), 5u);  // two directory entries and three files

  image.PrepareImage(true);
  const std::vector<uint8_t> bytes = streamBytes(image, 3000);  // blocks across sectors
  EXPECT_EQ(bytes.size(), size_t{image.TrackSize()} * 2048);
  const auto stream = image.openSessionStream();
  std::vector<uint8_t> sink(1 << 20);
  while (stream->read(sink.data(), sink.size()) != 0) {
  }
  ASSERT_EQ(stream->delivered().size(), 2u);
  const cdengine::DeliveredFile& letter = stream->delivered()[0];
  EXPECT_EQ(letter.firstSector, image.layout().fileArea);
  const std::string text = "Dear reader,\r\n";
  EXPECT_EQ(std::memcmp(&bytes[size_t{letter.firstSector} * 2048], text.data(), text.size()), 0);
  EXPECT_EQ(letter.crc32,
            crc32(0, reinterpret_cast<const Bytef*>(text.data()), static_cast<uInt>(text.size())));
  EXPECT_EQ(stream->delivered()[1].firstSector, letter.firstSector + 1);
  EXPECT_EQ(stream->delivered()[1].size, 5000u);
}

TEST(IsoSession, ASourceThatVanishedOrChangedSizeEndsTheStreamNamingIt) {
  for (const bool vanish : {true, false}) {
    IsoMachine m{smallMachine()};
    ASSERT_EQ(m.image->AddFile("\\", "C:\\Data\\letter.txt", false), 1);
    if (vanish)
      m.files->deleteFile("C:\\Data\\letter.txt");
    else
      m.write("C:\\Data\\letter.txt", "Dear reader, and more\r\n");
    m.image->PrepareImage(true);
    try {
      streamBytes(*m.image);
      FAIL() << "the stream went on";
    } catch (const corvasta::Error& error) {
      EXPECT_STREQ(error.what(),
                   "CAN'T OPEN FILE \"C:\\Data\\letter.txt\" OR FILE IS IN USES BY OTHER SOFTWARE");
    }
  }
}

// Session 1 of the whole folder, then session 2 at 20000 importing it with a
// replaced file and a new one: every file of session 2's tree reads back.
TEST(IsoSession, ASecondSessionImportsTheFirstAndReplacesWhatChanged) {
  IsoMachine m{smallMachine()};
  const auto image = m.dir / "disc.iso";
  m.image->AddFile("", "C:\\Data\\letter.txt", true);
  m.image->AddFile("", "C:\\Data\\README", true);
  m.image->AddFile("", "C:\\Data\\Sub\\big.bin", true);
  m.image->PrepareImage(true, 0);
  m.image->writeSession(image);
  const std::vector<uint8_t> firstSession = readImage(image);

  m.write("C:\\Data\\letter.txt", "A second letter.\r\n");
  m.write("C:\\Data\\new.txt", "new");
  cdengine::ImageFileDrive drive(image, {0});
  IsoImage second(*m.files, &drive);
  std::vector<std::string> messages;
  second.OnDebugMessage = [&](const std::string& t, cdengine::DebugType) { messages.push_back(t); };
  second.ReplaceFile = true;
  ASSERT_TRUE(second.ImportSession(255));
  EXPECT_EQ(messages.front(), ">>> IMPORTING SESSION # 1");
  cdengine::TDEntry* data = second.FindDir("\\DATA");
  ASSERT_NE(data, nullptr);
  ASSERT_EQ(second.AddFile("\\Data", "C:\\Data\\letter.txt", false), 1);
  ASSERT_EQ(second.AddFile("\\Data", "C:\\Data\\new.txt", false), 1);
  second.PrepareImage(true, 20000);
  second.writeSession(image);

  // Session 2's tree, read back through a third import.
  cdengine::ImageFileDrive both(image, {0, 20000});
  IsoImage check(*m.files, &both);
  ASSERT_TRUE(check.ImportSession(2));
  const std::vector<uint8_t> disc = readImage(image);
  std::map<std::string, std::string> contents;
  for (const auto& entry : check.tree().files()) {
    if (entry->isDirectory()) continue;
    contents[entry->longName] = std::string(
        reinterpret_cast<const char*>(&disc[size_t{entry->isoLocation} * 2048]), entry->isoSize);
  }
  EXPECT_EQ(contents["letter.txt"], "A second letter.\r\n");
  EXPECT_EQ(contents["new.txt"], "new");
  EXPECT_EQ(contents["README."], "no extension");
  EXPECT_EQ(contents["big.bin"].size(), 5000u);
  EXPECT_EQ(contents.size(), 4u);
  // Session 1's bytes are as they were; the second begins at sector 20000.
  ASSERT_GE(disc.size(), size_t{20000} * 2048);
  EXPECT_TRUE(std::equal(firstSession.begin(), firstSession.end(), disc.begin()));
}

// Overwrites four bytes of an image.
void patchLe32(const std::filesystem::path& image, size_t offset, uint32_t value) {
  std::fstream io(image, std::ios::binary | std::ios::in | std::ios::out);
  io.seekp(static_cast<std::streamoff>(offset));
  const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  io.write(reinterpret_cast<const char*>(bytes), 4);
}

TEST(IsoSession, HostileImagesEndTheImportWithAMessageAndKeepWhatWasRead) {
  IsoMachine m{smallMachine()};
  const auto image = m.dir / "disc.iso";
  m.image->JolietFileSystem = false;
  m.image->AddFile("", "C:\\Data\\letter.txt", true);
  m.image->AddFile("", "C:\\Data\\Sub\\big.bin", true);
  m.image->PrepareImage(true, 0);
  m.image->writeSession(image);
  const cdengine::IsoLayout layout = m.image->layout();
  // The root's records: ".", "..", then DATA. DATA's records: ".", "..",
  // letter.txt, SUB.
  const size_t dataRecord = size_t{layout.isoDirectoryArea} * 2048 + 68;
  const size_t dataDirectory =
      size_t{layout.isoDirectoryArea + m.image->FindDir("\\DATA")->isoOffset} * 2048;
  const size_t subRecord = dataDirectory + 68 + 44;  // after LETTER.TXT;1

  struct Case {
    const char* what;
    size_t offset;
    uint32_t value;
    bool keepsLetter;
  };
  const Case cases[] = {
      {"SUB points back at the root: a loop", subRecord + 2, layout.isoDirectoryArea, true},
      {"DATA lies past the volume", dataRecord + 2, 1'000'000, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto copy = m.dir / "hostile.iso";
    std::filesystem::copy_file(image, copy, std::filesystem::copy_options::overwrite_existing);
    patchLe32(copy, c.offset, c.value);
    cdengine::ImageFileDrive drive(copy, {0});
    IsoImage reader(*m.files, &drive);
    std::vector<std::string> messages;
    reader.OnDebugMessage = [&](const std::string& t, cdengine::DebugType) {
      messages.push_back(t);
    };
    EXPECT_FALSE(reader.ImportSession(1));
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().rfind(">>> ERROR IMPORTING SESSION # 1: ", 0), 0u) << messages.back();
    const cdengine::TDEntry* data = reader.FindDir("\\DATA");
    const bool hasLetter = data && !data->entries.empty();
    EXPECT_EQ(hasLetter, c.keepsLetter);
  }

  // A truncated image: no descriptor at all.
  const auto cut = m.dir / "cut.iso";
  std::filesystem::copy_file(image, cut, std::filesystem::copy_options::overwrite_existing);
  std::filesystem::resize_file(cut, 16 * 2048 + 100);
  cdengine::ImageFileDrive drive(cut, {0});
  IsoImage reader(*m.files, &drive);
  std::vector<std::string> messages;
  reader.OnDebugMessage = [&](const std::string& t, cdengine::DebugType) { messages.push_back(t); };
  EXPECT_FALSE(reader.ImportSession(1));
  EXPECT_EQ(messages.back(), ">>> ERROR IMPORTING SESSION 1 (ISO IMAGE NOT FOUND)");
  EXPECT_EQ(reader.FileCount(), 0u);
}

}  // namespace
}  // namespace cdengine_test
