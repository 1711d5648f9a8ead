#include "platform/files/attribute_file.h"

#include <charconv>
#include <sstream>
#include <vector>

#include "platform/core/machine_state.h"
#include "platform/files/record_lines.h"
#include "platform/host/host_files.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

std::optional<uint64_t> parseNumber(std::string_view text, int base) {
  uint64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

[[noreturn]] void fail(int line, const std::string& what) {
  throw AttributeFileError("attribute record line " + std::to_string(line) + ": " + what);
}

// Host names may hold the characters the format uses; they are written as %XX.
std::string escapeKey(std::string_view key) {
  std::string out;
  for (char c : key) {
    if (c == '%' || c == '\t' || c == '\n' || c == '\r') {
      static const char kHex[] = "0123456789ABCDEF";
      out += '%';
      out += kHex[static_cast<unsigned char>(c) >> 4];
      out += kHex[static_cast<unsigned char>(c) & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<std::string> unescapeKey(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    auto value = parseNumber(text.substr(i + 1, 2), 16);
    if (!value) return std::nullopt;
    out += static_cast<char>(*value);
    i += 2;
  }
  return out;
}

}  // namespace

AttributeRecords parseAttributeRecords(std::string_view text) {
  AttributeRecords records;
  forEachRecordLine(text, [&](int number, std::string_view line) {
    auto fields = splitRecordFields(line);
    if (fields.size() != 5)
      fail(number, "expected 5 fields, found " + std::to_string(fields.size()));
    StoredAttributes stored;
    auto attributes = parseNumber(fields[1], 16);
    if (!attributes || *attributes > 0xFFFFFFFFu) fail(number, "bad attributes");
    stored.attributes = static_cast<uint32_t>(*attributes);
    if (fields[2] != "-") {
      auto creation = parseNumber(fields[2], 10);
      if (!creation) fail(number, "bad creation time");
      stored.creation = FileTime{*creation};
    }
    if (fields[3] != "-") {
      auto size = parseNumber(fields[3], 10);
      auto lastWrite = parseNumber(fields[4], 10);
      if (!size || !lastWrite) fail(number, "bad archive stamp");
      stored.cleanStamp = ArchiveStamp{*size, FileTime{*lastWrite}};
    }
    auto key = unescapeKey(fields[0]);
    if (!key || key->empty()) fail(number, "bad path");
    records[*key] = stored;
  });
  return records;
}

std::string formatAttributeRecords(const AttributeRecords& records) {
  std::ostringstream out;
  for (const auto& [key, stored] : records) {
    out << escapeKey(key) << '\t' << std::hex << stored.attributes << std::dec << '\t';
    if (stored.creation)
      out << stored.creation->value;
    else
      out << '-';
    if (stored.cleanStamp)
      out << '\t' << stored.cleanStamp->size << '\t' << stored.cleanStamp->lastWrite.value;
    else
      out << "\t-\t-";
    out << '\n';
  }
  return out.str();
}

AttributeFile::AttributeFile(fs::path root, fs::path file)
    : root_(std::move(root)), file_(std::move(file)) {
  refresh();
}

void AttributeFile::refresh() const {
  std::optional<host::EntryStatus> status = host::entryStatus(file_);
  if (!status) {
    records_.clear();
    seenTime_ = {};
    seenSize_ = 0;
    return;
  }
  if (status->lastWrite == seenTime_ && status->size == seenSize_) return;
  lastSuperseded_.reset();
  try {
    records_ = parseAttributeRecords(host::readFile(file_).value_or(""));
  } catch (const AttributeFileError& error) {
    throw AttributeFileError(file_.string() + ": " + error.what());
  }
  seenTime_ = status->lastWrite;
  seenSize_ = status->size;
}

std::string AttributeFile::keyOf(const fs::path& host) const {
  return host.lexically_relative(root_).generic_string();
}

std::optional<StoredAttributes> AttributeFile::get(const fs::path& host) const {
  refresh();
  auto it = records_.find(keyOf(host));
  if (it == records_.end()) return std::nullopt;
  return it->second;
}

void AttributeFile::put(const fs::path& host, const StoredAttributes& stored) {
  refresh();
  lastSuperseded_.reset();
  auto& slot = records_[keyOf(host)];
  if (slot == stored) return;
  slot = stored;
  save();
}

void AttributeFile::erase(const fs::path& host) {
  refresh();
  if (records_.erase(keyOf(host))) save();
}

void AttributeFile::supersede(const fs::path& host) {
  std::string key = keyOf(host);
  if (lastSuperseded_ == key) return;
  refresh();
  if (records_.erase(key)) save();
  lastSuperseded_ = std::move(key);
}

void AttributeFile::move(const fs::path& from, const fs::path& to) {
  refresh();
  lastSuperseded_.reset();
  std::string fromKey = keyOf(from), toKey = keyOf(to);
  AttributeRecords moved;
  for (auto it = records_.begin(); it != records_.end();) {
    const std::string& key = it->first;
    bool below = key == fromKey ||
                 (key.size() > fromKey.size() && key.compare(0, fromKey.size(), fromKey) == 0 &&
                  key[fromKey.size()] == '/');
    if (below) {
      moved[toKey + key.substr(fromKey.size())] = it->second;
      it = records_.erase(it);
    } else {
      ++it;
    }
  }
  if (moved.empty()) return;
  for (auto& [key, stored] : moved) records_[key] = stored;
  save();
}

void AttributeFile::save() {
  host::makeDirectories(file_.parent_path());
  std::string text = formatAttributeRecords(records_);
  replaceHostFile(file_, text);
  seenTime_ = host::entryStatus(file_).value_or(host::EntryStatus{}).lastWrite;
  seenSize_ = text.size();
}

}  // namespace platform
