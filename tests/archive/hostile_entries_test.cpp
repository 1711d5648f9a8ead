// Hostile archives the reader must refuse or defuse: entries whose data
// ranges overlap each other or the central directory (the overlapping-files
// zip bomb), and Unix symbolic-link entries, which become plain files
// holding the link text.
#include <filesystem>

#include "archive/zip_error.h"
#include "archive/zip_write_entry.h"
#include "tests/archive/engine_fixture.h"

namespace archive_test {
namespace {

constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr size_t kCompressedSizeField = 20;
constexpr size_t kLocalOffsetField = 42;

struct Member {
  std::string name;
  std::string data;
  uint16_t versionMadeBy = 20;
  uint32_t externalAttributes = 0;
};

std::vector<uint8_t> archiveOf(const std::vector<Member>& members) {
  archive::MemoryOutput out;
  archive::ZipArchiveWriter writer(out);
  for (const Member& member : members) {
    archive::ZipEntryRecord header;
    header.name = member.name;
    header.dosTime = 0x30210000;
    header.versionMadeBy = member.versionMadeBy;
    header.externalAttributes = member.externalAttributes;
    writer.addPrepared(archive::prepareEntry(
        header, reinterpret_cast<const uint8_t*>(member.data.data()), member.data.size(), {}));
  }
  writer.finish();
  return out.bytes();
}

uint32_t get32(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
}

void put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Where the n-th central directory header starts.
size_t centralHeader(const std::vector<uint8_t>& bytes, int n) {
  for (size_t at = 0; at + 4 <= bytes.size(); ++at)
    if (get32(bytes, at) == kCentralSignature && n-- == 0) return at;
  ADD_FAILURE() << "no central header " << n;
  return 0;
}

class HostileEntries : public EngineTest {
 protected:
  void save(const std::vector<uint8_t>& bytes) {
    testing_support::writeFile(fs.hostPath("C:\\hostile.zip"),
                               std::string(bytes.begin(), bytes.end()));
  }
  // Extracts C:\hostile.zip into C:\DEST; the error's text, or "" when it
  // was extracted.
  std::string extract() {
    archive::TZipReader zip(fs);
    zip.SetZipName("C:\\hostile.zip");
    zip.DestDir = "C:\\DEST";
    try {
      zip.Extract();
    } catch (const archive::ZipCorruptError& error) {
      return error.what();
    }
    return "";
  }
  void SetUp() override { fs.createDirectory("C:\\DEST"); }
};

TEST_F(HostileEntries, OverlappingEntriesAreRefusedAsDamagedAndNothingIsWritten) {
  const std::string kernel(4000, 'A');
  const std::vector<uint8_t> good =
      archiveOf({{"first.txt", kernel}, {"second.txt", "second"}, {"third.txt", "third"}});
  save(good);
  ASSERT_EQ(extract(), "") << "the untouched archive reads";
  std::filesystem::remove_all(fs.hostPath("C:\\DEST"));
  fs.createDirectory("C:\\DEST");

  const size_t first = centralHeader(good, 0);
  const size_t second = centralHeader(good, 1);
  const size_t third = centralHeader(good, 2);
  const uint32_t firstOffset = get32(good, first + kLocalOffsetField);
  const uint32_t secondOffset = get32(good, second + kLocalOffsetField);

  struct Case {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> patch;
    const char* message;
  };
  const Case cases[] = {
      {"two entries share one local header",
       [&](auto& b) { put32(b, third + kLocalOffsetField, secondOffset); }, "overlap"},
      {"an entry starts inside another's data",
       [&](auto& b) { put32(b, second + kLocalOffsetField, firstOffset + 40); }, "overlap"},
      {"an entry's data runs into the next entry",
       [&](auto& b) { put32(b, first + kCompressedSizeField, secondOffset - firstOffset); },
       "overlap"},
      {"the last entry's data runs into the central directory",
       [&](auto& b) { put32(b, third + kCompressedSizeField, get32(b, third + 20) + 64); },
       "central directory"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    c.patch(bytes);
    save(bytes);
    const std::string error = extract();
    EXPECT_NE(error.find(c.message), std::string::npos) << c.what << ": " << error;
    EXPECT_NE(error.find("damaged"), std::string::npos) << c.what << ": " << error;
    EXPECT_TRUE(std::filesystem::is_empty(fs.hostPath("C:\\DEST"))) << c.what;
    archive::TZipReader zip(fs);
    zip.SetZipName("C:\\hostile.zip");
    EXPECT_THROW(zip.ReadDirectory(), archive::ZipCorruptError) << c.what;
  }
}

TEST_F(HostileEntries, SymbolicLinkEntriesBecomePlainFilesHoldingTheLinkText) {
  constexpr uint16_t kMadeOnUnix = 3 << 8 | 30;
  constexpr uint32_t kLinkMode = 0120777u << 16;
  save(archiveOf({{"link", "/etc", kMadeOnUnix, kLinkMode},
                  {"dirlink", "..", kMadeOnUnix, kLinkMode},
                  {"dirlink/escaped.txt", "through the link", kMadeOnUnix, 0100644u << 16}}));
  archive::TZipReader zip(fs);
  zip.SetZipName("C:\\hostile.zip");
  zip.DestDir = "C:\\DEST";
  zip.RecreateDirs = true;
  try {
    zip.Extract();
  } catch (const archive::ZipError&) {
    // The entry below a plain file cannot be written; that may be reported.
  }
  const std::filesystem::path link = fs.hostPath("C:\\DEST\\link");
  ASSERT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(link)));
  EXPECT_FALSE(std::filesystem::is_symlink(std::filesystem::symlink_status(link)));
  EXPECT_EQ(content("C:\\DEST\\link"), "/etc");
  const std::filesystem::path dirLink = fs.hostPath("C:\\DEST\\dirlink");
  EXPECT_FALSE(std::filesystem::is_symlink(std::filesystem::symlink_status(dirLink)));
  // Nothing lands beside the destination by way of the link.
  EXPECT_FALSE(exists("C:\\escaped.txt"));
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
    EXPECT_FALSE(entry.is_symlink()) << entry.path();
}

}  // namespace
// A damaged end record whose directory offset lies far beyond the file makes
// the archive look like the last block of a set. On a hard disk the "next
// disk" answer finds the same file again: it must not be taken as an earlier
// block over and over (millions of reads for a few hundred bytes).
TEST_F(HostileEntries, LastBlockOfferedAgainAsAnEarlierOneIsRefusedAsDamaged) {
  std::vector<uint8_t> bytes = archiveOf({{"a.txt", "aaaa"}, {"b.txt", "bbbb"}});
  const size_t end = bytes.size() - 22;
  ASSERT_EQ(get32(bytes, end), 0x06054b50u);
  put32(bytes, end + 16, get32(bytes, end + 16) + 200000000);
  save(bytes);
  archive::TZipReader zip(fs);
  zip.SetZipName("C:\\hostile.zip");
  zip.DestDir = "C:\\DEST";
  int asked = 0;
  zip.OnGetNextDisk = [&](int, std::string&) { ++asked; };
  EXPECT_THROW(zip.Extract(), archive::ZipCorruptError);
  EXPECT_LE(asked, 1);
  EXPECT_TRUE(std::filesystem::is_empty(fs.hostPath("C:\\DEST")));
}

}  // namespace archive_test
