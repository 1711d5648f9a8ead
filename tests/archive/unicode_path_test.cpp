// Names beyond ASCII: the Unicode Path extra field our headers carry beside
// the ANSI name field, the rules by which readers choose an entry's name,
// and names kept through prepared, streamed and copied entries on disks.
#include <gtest/gtest.h>

#include "archive/zip_crc32.h"
#include "archive/zip_entry_names.h"
#include "archive/zip_read_directory.h"
#include "archive/zip_read_entry.h"
#include "archive/zip_read_salvage.h"
#include "archive/zip_unicode_path.h"
#include "archive/zip_write_entry.h"
#include "archive/zip_write_records.h"

namespace archive {
namespace {

// "C:/Docs/Résumé Müller.txt" in code page 1252 and in UTF-8; the CRC-32 of
// the ANSI bytes.
const std::string kAnsiName = "C:/Docs/R\xE9sum\xE9 M\xFCller.txt";
const std::string kUtf8Name = "C:/Docs/R\xC3\xA9sum\xC3\xA9 M\xC3\xBCller.txt";
constexpr uint32_t kAnsiNameCrc = 0x3da46b64;

void appendU16(Bytes& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

// A Unicode Path field built by hand: ID, length, version, CRC, name.
Bytes handMadeField(uint8_t version, uint32_t crc, const std::string& utf8) {
  Bytes field;
  appendU16(field, kUnicodePathExtraId);
  appendU16(field, static_cast<uint16_t>(5 + utf8.size()));
  field.push_back(version);
  for (int shift = 0; shift < 32; shift += 8) field.push_back(static_cast<uint8_t>(crc >> shift));
  field.insert(field.end(), utf8.begin(), utf8.end());
  return field;
}

struct HeaderParts {
  uint16_t flags = 0;
  std::string nameField;
  Bytes extra;
};

// The flags, name field and extra area of a local (30-byte fixed part) or
// central (46-byte) header.
HeaderParts partsOf(const Bytes& header, size_t fixed) {
  auto u16 = [&](size_t at) { return static_cast<uint16_t>(header[at] | (header[at + 1] << 8)); };
  size_t flagsAt = fixed == zipsize::kLocalHeader ? 6 : 8;
  size_t lengthsAt = fixed == zipsize::kLocalHeader ? 26 : 28;
  HeaderParts parts;
  parts.flags = u16(flagsAt);
  size_t nameLength = u16(lengthsAt), extraLength = u16(lengthsAt + 2);
  EXPECT_EQ(header.size(), fixed + nameLength + extraLength);
  parts.nameField.assign(header.begin() + static_cast<std::ptrdiff_t>(fixed),
                         header.begin() + static_cast<std::ptrdiff_t>(fixed + nameLength));
  parts.extra.assign(header.begin() + static_cast<std::ptrdiff_t>(fixed + nameLength),
                     header.end());
  return parts;
}

TEST(UnicodePathField, HoldsVersionCrcOfTheAnsiBytesAndTheUtf8Name) {
  Bytes expected = handMadeField(1, kAnsiNameCrc, kUtf8Name);
  EXPECT_EQ(unicodePathField(kAnsiName), expected);
  EXPECT_EQ(expected[2], 5 + kUtf8Name.size());
  // Characters of 0x80-0x9F are Windows' own (the euro sign), not C1 controls.
  Bytes euro = unicodePathField("\x80.txt");
  EXPECT_EQ(std::string(euro.begin() + 9, euro.end()), "\xE2\x82\xAC.txt");
  EXPECT_TRUE(unicodePathField("C:/WINDOWS/win.ini").empty());
}

TEST(UnicodePathField, HeadersCarryItBesideTheAnsiNameField) {
  ZipEntryRecord record;
  record.name = kAnsiName;
  record.flags = zipflag::kUtf8Names;  // as an entry copied from a UTF-8 archive holds it
  Bytes field = unicodePathField(kAnsiName);

  HeaderParts local = partsOf(localHeader(record, false), zipsize::kLocalHeader);
  EXPECT_EQ(local.nameField, kAnsiName);
  EXPECT_EQ(local.extra, field);
  EXPECT_EQ(local.flags & zipflag::kUtf8Names, 0);

  HeaderParts central = partsOf(centralHeader(record), zipsize::kCentralHeader);
  EXPECT_EQ(central.nameField, kAnsiName);
  EXPECT_EQ(central.extra, field);
  EXPECT_EQ(central.flags & zipflag::kUtf8Names, 0);

  // Beside ZIP64 fields, both still parse.
  record.flags = zipflag::kDataDescriptor;
  HeaderParts streamed = partsOf(localHeader(record, true), zipsize::kLocalHeader);
  ASSERT_EQ(streamed.extra.size(), 20 + field.size());
  EXPECT_EQ(streamed.extra[0], kZip64ExtraId);
  EXPECT_EQ(Bytes(streamed.extra.begin() + 20, streamed.extra.end()), field);

  record.compressedSize = 5'000'000'000ull;
  record.uncompressedSize = 6'000'000'000ull;
  record.localHeaderOffset = 4'500'000'000ull;
  Bytes big = centralHeader(record);
  auto parsed = parseCentralDirectory(big.data(), big.size(), 1);
  ASSERT_EQ(parsed.size(), 1u);
  EXPECT_EQ(parsed[0].name, kAnsiName);
  EXPECT_EQ(parsed[0].localHeaderOffset, record.localHeaderOffset);
  EXPECT_EQ(parsed[0].compressedSize, record.compressedSize);
}

TEST(UnicodePathField, AsciiNamesGetNoExtraField) {
  ZipEntryRecord record;
  record.name = "C:/WINDOWS/win.ini";
  EXPECT_EQ(localHeader(record, false).size(), zipsize::kLocalHeader + record.name.size());
  EXPECT_EQ(centralHeader(record).size(), zipsize::kCentralHeader + record.name.size());
}

TEST(EntryNameFromHeader, ValidFieldFlagOrUnixUtf8ElseTheNameFieldOfADriveLetterSet) {
  // The name field as a DOS tool stores it (code page 850: é is 0x82, ü 0x81).
  const std::string oem = "C:/Docs/R\x82sum\x82 M\x81ller.txt";
  const uint32_t oemCrc = crc32Update(0, oem.data(), oem.size());
  auto concat = [](Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  Bytes good = handMadeField(1, oemCrc, kUtf8Name);
  Bytes zip64 = {0x01, 0x00, 0x08, 0x00, 1, 2, 3, 4, 5, 6, 7, 8};
  Bytes overrun = good;
  overrun[2] = static_cast<uint8_t>(overrun[2] + 1);  // one byte more than the area holds
  struct Case {
    const char* what;
    std::string nameField;
    uint16_t flags;
    Bytes extra;
    bool unixHost;
    std::string expected;
  } cases[] = {
      {"good field", oem, 0, good, false, kAnsiName},
      {"good field after another field", oem, 0, concat(zip64, good), false, kAnsiName},
      {"good field wins over the flag", oem, zipflag::kUtf8Names, good, false, kAnsiName},
      {"CRC of another name", oem, 0, handMadeField(1, oemCrc ^ 1, kUtf8Name), false, oem},
      {"CRC of the UTF-8 name", oem, 0,
       handMadeField(1, crc32Update(0, kUtf8Name.data(), kUtf8Name.size()), kUtf8Name), false, oem},
      {"unknown version", oem, 0, handMadeField(2, oemCrc, kUtf8Name), false, oem},
      {"malformed UTF-8", oem, 0, handMadeField(1, oemCrc, "R\xC3sum\xE9"), false, oem},
      {"overlong UTF-8", oem, 0, handMadeField(1, oemCrc, "\xC0\xAF"), false, oem},
      {"no name in the field", oem, 0, handMadeField(1, oemCrc, ""), false, oem},
      {"length past the extra area", oem, 0, overrun, false, oem},
      {"field cut short", oem, 0, Bytes(good.begin(), good.begin() + 7), false, oem},
      {"no ANSI form", oem, 0, handMadeField(1, oemCrc, "\xE6\x97\xA5\xC3\xA9.txt"), false,
       "_\xE9.txt"},
      {"UTF-8 flag", kUtf8Name, zipflag::kUtf8Names, {}, false, kAnsiName},
      {"UTF-8 of a Unix host", kUtf8Name, 0, {}, true, kAnsiName},
      {"UTF-8 of a DOS host", kUtf8Name, 0, {}, false, kUtf8Name},
      {"Latin-1 of a Unix host", kAnsiName, 0, {}, true, kAnsiName},
      {"ASCII of a Unix host", "C:/a.txt", 0, {}, true, "C:/a.txt"},
  };
  for (const Case& c : cases) {
    const uint8_t host = c.unixHost ? ziphost::kUnix : ziphost::kMsDos;
    EXPECT_EQ(decodeEntryName({c.nameField, c.flags, c.extra, host}, hasDriveLetter(c.nameField)),
              c.expected)
        << c.what;
  }
}

TEST(EntryNameFromHeader, OverrunningExtraAreaLeavesTheNameFieldInReaders) {
  ZipEntryRecord record;
  record.name = kAnsiName;
  record.compressedSize = 4;
  // The field's own length runs one byte past the extra area.
  Bytes central = centralHeader(record);
  central[zipsize::kCentralHeader + kAnsiName.size() + 2] += 1;
  auto parsed = parseCentralDirectory(central.data(), central.size(), 1);
  ASSERT_EQ(parsed.size(), 1u);
  EXPECT_EQ(parsed[0].name, kAnsiName);

  Bytes local = localHeader(record, false);
  local[zipsize::kLocalHeader + kAnsiName.size() + 2] += 1;
  local.insert(local.end(), {'d', 'a', 't', 'a'});
  MemorySource source(local.data(), local.size());
  auto salvaged = salvageEntries(source);
  ASSERT_EQ(salvaged.size(), 1u);
  EXPECT_EQ(salvaged[0].name, kAnsiName);
}

// Disks of a fixed size: data runs on to the next disk, records that are
// kept together start a new one when they would not fit.
class SmallDisks : public ZipOutput {
 public:
  explicit SmallDisks(size_t diskSize) : diskSize_(diskSize), disks_(1) {}
  using ZipOutput::write;
  void write(const uint8_t* data, size_t length) override {
    while (length > 0) {
      if (disks_.back().size() == diskSize_) disks_.emplace_back();
      size_t n = std::min(length, diskSize_ - disks_.back().size());
      disks_.back().insert(disks_.back().end(), data, data + n);
      data += n;
      length -= n;
    }
  }
  uint32_t disk() const override { return static_cast<uint32_t>(disks_.size() - 1); }
  uint64_t offset() const override { return disks_.back().size(); }
  void keepTogether(uint64_t length) override {
    if (disks_.back().size() + length > diskSize_) disks_.emplace_back();
  }
  std::vector<Bytes>& disks() { return disks_; }

 private:
  size_t diskSize_;
  std::vector<Bytes> disks_;
};

class MemoryDisks : public ZipVolumes {
 public:
  explicit MemoryDisks(std::vector<Bytes>& disks) {
    for (Bytes& disk : disks) sources_.emplace_back(disk.data(), disk.size());
  }
  ZipSource& volume(uint32_t disk) override { return sources_.at(disk); }
  uint32_t lastDisk() const override { return static_cast<uint32_t>(sources_.size() - 1); }

 private:
  std::vector<MemorySource> sources_;
};

TEST(UnicodePathNames, PreparedStreamedAndCopiedEntriesKeepNamesAndWholeHeadersOnDisks) {
  const std::vector<std::string> names = {kAnsiName,
                                          "C:/Docs/Stra\xDF"
                                          "e.txt",
                                          "C:/\xD8st/data.bin", "C:/WINDOWS/win.ini"};
  // Files of many sizes, so that headers meet the ends of disks at many points.
  std::vector<std::pair<std::string, std::string>> files;
  for (size_t i = 0; i < 24; ++i)
    files.emplace_back(names[i % names.size()],
                       std::string(5 + 31 * i, static_cast<char>('a' + i)));
  auto header = [](const std::string& name) {
    ZipEntryRecord r;
    r.name = name;
    r.dosTime = 0x5A2C6B3D;
    return r;
  };
  auto bytesOf = [](const std::string& content) {
    return reinterpret_cast<const uint8_t*>(content.data());
  };
  // The source of the copies: the files in a plain archive.
  MemoryOutput original;
  ZipArchiveWriter first(original);
  for (const auto& [name, content] : files)
    first.addPrepared(prepareEntry(header(name), bytesOf(content), content.size(), {0, ""}));
  first.finish();
  MemorySource originalSource(original.bytes().data(), original.bytes().size());
  SingleVolume originalVolumes(originalSource);

  // Disks so small that every few headers start a new one: the copies, then
  // each file prepared (encrypted) and streamed.
  SmallDisks out(300);
  ZipArchiveWriter writer(out, true);
  std::vector<std::pair<std::string, std::string>> expected = files;
  for (const ZipEntryRecord& record : first.entries())
    writer.addCopied(record, openEntryData(originalVolumes, record));
  for (const auto& [name, content] : files) {
    writer.addPrepared(prepareEntry(header(name), bytesOf(content), content.size(), {6, "pw"}));
    size_t at = 0;
    streamEntry(
        writer, header(name), content.size(), {0, ""},
        [&](uint8_t* buffer, size_t length) {
          size_t n = std::min(length, content.size() - at);
          std::copy(bytesOf(content) + at, bytesOf(content) + at + n, buffer);
          at += n;
          return n;
        },
        nullptr);
    expected.emplace_back(name, content);
    expected.emplace_back(name, content);
  }
  writer.finish();
  std::vector<Bytes>& disks = out.disks();
  ASSERT_GT(disks.size(), 20u);

  MemoryDisks volumes(disks);
  auto end = findZipEnd(volumes.volume(volumes.lastDisk()));
  ASSERT_TRUE(end);
  auto records = readCentralDirectory(volumes, *end);
  ASSERT_EQ(records.size(), expected.size());
  for (size_t i = 0; i < records.size(); ++i) {
    const ZipEntryRecord& record = records[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(record.name, expected[i].first);
    // The local header, extra fields and all, lies on the disk it starts on.
    const Bytes& disk = disks.at(record.diskStart);
    size_t at = static_cast<size_t>(record.localHeaderOffset);
    ASSERT_LE(at + zipsize::kLocalHeader, disk.size());
    size_t length = zipsize::kLocalHeader + (disk[at + 26] | (disk[at + 27] << 8)) +
                    (disk[at + 28] | (disk[at + 29] << 8));
    EXPECT_LE(at + length, disk.size());
    std::string read;
    auto result = readEntry(volumes, record, "pw", [&](const uint8_t* data, size_t n) {
      read.append(reinterpret_cast<const char*>(data), n);
    });
    EXPECT_EQ(result, EntryReadResult::Ok);
    EXPECT_EQ(read, expected[i].second);
  }
  // Every central header lies whole on one disk too.
  for (uint32_t d = end->info.directoryDisk; d <= end->info.lastDisk; ++d) {
    const Bytes& disk = disks[d];
    size_t at = d == end->info.directoryDisk ? static_cast<size_t>(end->info.directoryOffset) : 0;
    while (at + 4 <= disk.size() && disk[at] == 'P' && disk[at + 1] == 'K' && disk[at + 2] == 1) {
      ASSERT_LE(at + zipsize::kCentralHeader, disk.size());
      at += zipsize::kCentralHeader + (disk[at + 28] | (disk[at + 29] << 8)) +
            (disk[at + 30] | (disk[at + 31] << 8));
      EXPECT_LE(at, disk.size());
    }
  }

  // Salvage, from the local headers alone, gives the same names.
  auto salvaged = salvageEntries(originalSource);
  ASSERT_EQ(salvaged.size(), files.size());
  for (size_t i = 0; i < files.size(); ++i) EXPECT_EQ(salvaged[i].name, files[i].first);
}

TEST(UnicodePathNames, DescriptorEntriesGetZip64SizesWhenTheArchiveAsks) {
  const std::string content = "streamed";
  auto archiveOf = [&](bool zip64Descriptors) {
    MemoryOutput out;
    ZipArchiveWriter writer(out, zip64Descriptors);
    ZipEntryRecord header;
    header.name = kAnsiName;
    header.method = zipmethod::kStored;
    writer.beginStreamed(header, false);
    writer.writeStreamed(reinterpret_cast<const uint8_t*>(content.data()), content.size());
    writer.endStreamed(crc32Update(0, content.data(), content.size()), content.size(),
                       content.size());
    writer.finish();
    return out.bytes();
  };
  Bytes plain = archiveOf(false), zip64 = archiveOf(true);
  // A ZIP64 field in the local header, 8 more bytes of descriptor, and a
  // central header that needs version 4.5 but no ZIP64 field of its own.
  EXPECT_EQ(zip64.size(), plain.size() + 20 + 8);
  HeaderParts local = partsOf(Bytes(zip64.begin(), zip64.begin() + 30 + kAnsiName.size() + 20 +
                                                       unicodePathField(kAnsiName).size()),
                              zipsize::kLocalHeader);
  EXPECT_EQ(local.extra[0], kZip64ExtraId);
  size_t descriptorAt = 30 + kAnsiName.size() + local.extra.size() + content.size();
  EXPECT_EQ(zip64[descriptorAt + 16 + 8], 'P');  // the central header follows 24 bytes on
  for (bool withZip64 : {false, true}) {
    const Bytes& archive = withZip64 ? zip64 : plain;
    MemorySource source(archive.data(), archive.size());
    SingleVolume volumes(source);
    auto end = findZipEnd(source);
    ASSERT_TRUE(end);
    auto records = readCentralDirectory(volumes, *end);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].versionNeeded, withZip64 ? kVersionZip64 : kVersionDeflate);
    std::string read;
    readEntry(volumes, records[0], "", [&](const uint8_t* data, size_t n) {
      read.append(reinterpret_cast<const char*>(data), n);
    });
    EXPECT_EQ(read, content);
    auto salvaged = salvageEntries(source);
    ASSERT_EQ(salvaged.size(), 1u);
    EXPECT_EQ(salvaged[0].compressedSize, content.size());
  }
}

}  // namespace
}  // namespace archive
