#include "cdengine/IsoHeader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "cdengine/IsoNames.h"
#include "platform/core/codepage.h"

namespace cdengine {

namespace {

using Bytes = std::vector<uint8_t>;

void putLe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void putBe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * (3 - i)));
}
void putLe16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void putBe16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v >> 8);
  p[1] = static_cast<uint8_t>(v);
}
void putBoth32(uint8_t* p, uint32_t v) {
  putLe32(p, v);
  putBe32(p + 4, v);
}
void putBoth16(uint8_t* p, uint16_t v) {
  putLe16(p, v);
  putBe16(p + 2, v);
}

// The 7-byte recording date of a directory record.
void putRecordingDate(uint8_t* p, const platform::SystemTime& t, int8_t zone) {
  p[0] = static_cast<uint8_t>(std::clamp(t.year - 1900, 0, 255));
  p[1] = static_cast<uint8_t>(t.month);
  p[2] = static_cast<uint8_t>(t.day);
  p[3] = static_cast<uint8_t>(t.hour);
  p[4] = static_cast<uint8_t>(t.minute);
  p[5] = static_cast<uint8_t>(t.second);
  p[6] = static_cast<uint8_t>(zone);
}

struct RecordFields {
  uint32_t location = 0;
  uint32_t length = 0;
  const platform::SystemTime* date = nullptr;  // nullptr: all zero
  int8_t zone = 0;
  uint8_t flags = 0;
};

// One directory record with identifier `id`.
Bytes directoryRecord(const RecordFields& f, const Bytes& id) {
  Bytes record(directoryRecordLength(id.size()), 0);
  record[0] = static_cast<uint8_t>(record.size());
  putBoth32(&record[2], f.location);
  putBoth32(&record[10], f.length);
  if (f.date) putRecordingDate(&record[18], *f.date, f.zone);
  record[25] = f.flags;
  putBoth16(&record[28], 1);
  record[32] = static_cast<uint8_t>(id.size());
  std::copy(id.begin(), id.end(), record.begin() + 33);
  return record;
}

// An ISO text field: upper-cased, cut or padded with blanks.
void putIsoText(uint8_t* p, size_t size, const std::string& text) {
  const std::string upper = platform::ansiUpper(text);
  for (size_t i = 0; i < size; ++i) p[i] = i < upper.size() ? static_cast<uint8_t>(upper[i]) : ' ';
}

// A Joliet text field: UCS-2 big-endian, cut or padded with UCS-2 blanks.
void putJolietText(uint8_t* p, size_t characters, const std::string& text) {
  const Bytes wide = ucs2BigEndian(text);
  for (size_t i = 0; i < characters; ++i) {
    const bool have = 2 * i + 1 < wide.size();
    p[2 * i] = have ? wide[2 * i] : 0;
    p[2 * i + 1] = have ? wide[2 * i + 1] : ' ';
  }
}

Bytes volumeDescriptor(const IsoTree& tree, const IsoLayout& layout, const VolumeIdentifiers& ids,
                       bool joliet) {
  Bytes d(kSectorBytes, 0);
  d[0] = joliet ? 2 : 1;
  std::memcpy(&d[1], "CD001", 5);
  d[6] = 1;
  const auto text = [&](size_t offset, size_t bytes, const std::string& value) {
    if (joliet)
      putJolietText(&d[offset], bytes / 2, value);
    else
      putIsoText(&d[offset], bytes, value);
  };
  // The file identifiers: 37 bytes in ISO, 18 UCS-2 characters and a zero
  // byte in Joliet.
  const auto fileText = [&](size_t offset, const std::string& value) {
    if (joliet)
      putJolietText(&d[offset], 18, value);
    else
      putIsoText(&d[offset], 37, value);
  };
  text(8, 32, ids.system);
  text(40, 32, ids.volume);
  putBoth32(&d[80], layout.volumeSpaceSize);
  if (joliet) std::memcpy(&d[88], "%/@", 3);
  putBoth16(&d[120], 1);
  putBoth16(&d[124], 1);
  putBoth16(&d[128], kSectorBytes);
  putBoth32(&d[132], joliet ? layout.jolietPathTableBytes : layout.isoPathTableBytes);
  putLe32(&d[140], joliet ? layout.jolietPathTableL : layout.isoPathTableL);
  putBe32(&d[148], joliet ? layout.jolietPathTableM : layout.isoPathTableM);
  const TDEntry& root = *tree.directories().front();
  RecordFields rootFields;
  rootFields.location = joliet ? layout.jolietDirectoryArea : layout.isoDirectoryArea;
  rootFields.length = static_cast<uint32_t>(joliet ? root.jolietSize : root.isoSize);
  rootFields.flags = 2;
  const Bytes rootRecord = directoryRecord(rootFields, {0});
  std::copy(rootRecord.begin(), rootRecord.end(), d.begin() + 156);
  text(190, 128, ids.volumeSet);
  text(318, 128, ids.publisher);
  text(446, 128, ids.preparer);
  text(574, 128, ids.application);
  fileText(702, ids.copyrightFile);
  fileText(739, ids.abstractFile);
  fileText(776, ids.bibliographicFile);
  const auto date = [&](size_t offset, const std::string& value) {
    std::memcpy(&d[offset], value.data(), 17);
  };
  date(813, descriptorDate(ids.creation));
  date(830, descriptorDate(ids.modification));
  date(847, std::string(16, '0') + '\0');
  date(864, std::string(16, '0') + '\0');
  d[881] = 1;
  std::memset(&d[1024], ' ', 8);
  return d;
}

Bytes terminator() {
  Bytes d(kSectorBytes, 0);
  d[0] = 255;
  std::memcpy(&d[1], "CD001", 5);
  d[6] = 1;
  return d;
}

// The path table of one tree in one byte order, padded to whole sectors.
Bytes pathTable(const IsoLayout& layout, bool joliet, bool bigEndian) {
  Bytes table;
  const uint32_t area = joliet ? layout.jolietDirectoryArea : layout.isoDirectoryArea;
  for (const TDEntry* directory : layout.pathTableOrder) {
    const bool isRoot = directory == layout.pathTableOrder.front();
    Bytes id;
    if (isRoot)
      id = {0};
    else if (joliet)
      id = ucs2BigEndian(directory->longName);
    else
      id.assign(directory->isoName.begin(), directory->isoName.end());
    const size_t start = table.size();
    table.resize(start + 8 + id.size() + (id.size() % 2 == 1 ? 1 : 0), 0);
    uint8_t* p = &table[start];
    p[0] = static_cast<uint8_t>(id.size());
    const uint32_t location = area + (joliet ? directory->jolietOffset : directory->isoOffset);
    const uint16_t parent = static_cast<uint16_t>(directory->parent->number);
    if (bigEndian) {
      putBe32(p + 2, location);
      putBe16(p + 6, parent);
    } else {
      putLe32(p + 2, location);
      putLe16(p + 6, parent);
    }
    std::copy(id.begin(), id.end(), p + 8);
  }
  table.resize((table.size() + kSectorBytes - 1) / kSectorBytes * kSectorBytes, 0);
  return table;
}

// One directory's records in one tree, whole sectors, none across a sector.
Bytes directoryRecords(const TDEntry& directory, const IsoLayout& layout, bool joliet,
                       const HeaderMoment& moment) {
  Bytes out;
  size_t sectorStart = 0;
  out.resize(kSectorBytes, 0);
  size_t used = 0;
  const auto append = [&](const Bytes& record) {
    if (used + record.size() > kSectorBytes) {
      sectorStart += kSectorBytes;
      out.resize(sectorStart + kSectorBytes, 0);
      used = 0;
    }
    std::copy(record.begin(), record.end(), out.begin() + static_cast<long>(sectorStart + used));
    used += record.size();
  };
  const auto selfFields = [&](const TDEntry& d) {
    RecordFields f;
    f.location = joliet ? layout.jolietDirectoryArea + d.jolietOffset
                        : layout.isoDirectoryArea + d.isoOffset;
    f.length = static_cast<uint32_t>(joliet ? d.jolietSize : d.isoSize);
    f.date = &moment.now;
    f.zone = moment.timeZone;
    f.flags = 2;
    return f;
  };
  append(directoryRecord(selfFields(directory), {0}));
  append(directoryRecord(selfFields(*directory.parent), {1}));
  for (const TFEntry* entry : directory.entries) {
    RecordFields f;
    f.location = joliet ? layout.jolietLocationOf(*entry) : layout.isoLocationOf(*entry);
    f.length = static_cast<uint32_t>(joliet ? entry->jolietSize : entry->isoSize);
    f.date = &entry->date;
    f.zone = moment.timeZone;
    f.flags = static_cast<uint8_t>((entry->isDirectory() ? 2 : 0) | (entry->hidden() ? 1 : 0));
    const bool isFile = !entry->isDirectory();
    Bytes id;
    if (joliet) {
      id = jolietIdentifier(entry->longName, isFile);
    } else {
      const std::string text = isoIdentifier(entry->isoName, isFile);
      id.assign(text.begin(), text.end());
    }
    append(directoryRecord(f, id));
  }
  return out;
}

void appendBytes(Bytes& out, const Bytes& part) {
  out.insert(out.end(), part.begin(), part.end());
}

}  // namespace

std::string descriptorDate(const std::optional<platform::SystemTime>& date) {
  char digits[32];
  if (!date) {
    std::snprintf(digits, sizeof digits, "1899123000000000");
  } else {
    std::snprintf(digits, sizeof digits, "%04d%02d%02d%02d%02d%02d%02d",
                  std::clamp(date->year, 0, 9999), date->month % 100, date->day % 100,
                  date->hour % 100, date->minute % 100, date->second % 100,
                  (date->milliseconds / 10) % 100);
  }
  return std::string(digits, 16) + '\0';
}

std::vector<uint8_t> buildImageHeader(const IsoTree& tree, const IsoLayout& layout,
                                      const VolumeIdentifiers& ids, const HeaderMoment& moment) {
  Bytes out;
  out.reserve(static_cast<size_t>(layout.headerSectors()) * kSectorBytes);
  out.resize(16 * kSectorBytes, 0);
  appendBytes(out, volumeDescriptor(tree, layout, ids, false));
  if (layout.joliet) appendBytes(out, volumeDescriptor(tree, layout, ids, true));
  appendBytes(out, terminator());
  appendBytes(out, pathTable(layout, false, false));
  appendBytes(out, pathTable(layout, false, true));
  if (layout.joliet) {
    appendBytes(out, pathTable(layout, true, false));
    appendBytes(out, pathTable(layout, true, true));
  }
  for (const auto& directory : tree.directories())
    appendBytes(out, directoryRecords(*directory, layout, false, moment));
  if (layout.joliet)
    for (const auto& directory : tree.directories())
      appendBytes(out, directoryRecords(*directory, layout, true, moment));
  out.resize(static_cast<size_t>(layout.headerSectors()) * kSectorBytes, 0);
  return out;
}

}  // namespace cdengine
