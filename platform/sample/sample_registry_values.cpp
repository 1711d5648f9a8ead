#include "platform/sample/sample_registry_values.h"

#include <cstdio>

#include "platform/registry/regedit4.h"
#include "platform/sample/generated_files.h"

namespace platform::sample {

using registry::RegistryKey;
using registry::RegistryValue;

registry::RegistryTree SampleValues::newTree() const {
  registry::RegistryTree tree;
  tree.stringEncoding = encoding_;
  return tree;
}

void SampleValues::stringOfType(RegistryKey& key, const std::string& name, uint32_t type,
                                std::vector<uint8_t> ansi) const {
  RegistryValue value;
  value.name = name;
  value.type = type;
  value.data = registry::toStoredData(type, ansi, encoding_);
  key.setValue(std::move(value));
}

void SampleValues::string(RegistryKey& key, const std::string& name,
                          const std::string& text) const {
  std::vector<uint8_t> ansi(text.begin(), text.end());
  ansi.push_back(0);
  stringOfType(key, name, registry::kRegSz, std::move(ansi));
}

void SampleValues::expandString(RegistryKey& key, const std::string& name,
                                const std::string& text) const {
  std::vector<uint8_t> ansi(text.begin(), text.end());
  ansi.push_back(0);
  stringOfType(key, name, registry::kRegExpandSz, std::move(ansi));
}

void SampleValues::multiString(RegistryKey& key, const std::string& name,
                               const std::vector<std::string>& texts) const {
  std::vector<uint8_t> ansi;
  for (const auto& text : texts) {
    ansi.insert(ansi.end(), text.begin(), text.end());
    ansi.push_back(0);
  }
  ansi.push_back(0);
  stringOfType(key, name, registry::kRegMultiSz, std::move(ansi));
}

void SampleValues::dword(RegistryKey& key, const std::string& name, uint32_t number) const {
  RegistryValue value;
  value.name = name;
  value.type = registry::kRegDword;
  for (int i = 0; i < 4; ++i) value.data.push_back(static_cast<uint8_t>(number >> (8 * i)));
  key.setValue(std::move(value));
}

void SampleValues::binary(RegistryKey& key, const std::string& name,
                          std::vector<uint8_t> bytes) const {
  RegistryValue value;
  value.name = name;
  value.type = registry::kRegBinary;
  value.data = std::move(bytes);
  key.setValue(std::move(value));
}

void SampleValues::binaryData(RegistryKey& key, const std::string& name, size_t size,
                              uint64_t seed) const {
  std::string bytes = sample::binaryData(size, seed);
  binary(key, name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

std::string onDriveC(const std::string& relativePath) {
  return "C:\\" + relativePath;
}

std::string sampleGuid(const SampleLayout& layout, const std::string& what) {
  uint64_t a = layout.seedFor("GUID " + what), b = layout.seedFor("GUID tail " + what);
  char text[48];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%04X-%012llX}", static_cast<unsigned>(a >> 32),
                static_cast<unsigned>((a >> 16) & 0xFFFF), static_cast<unsigned>(a & 0xFFFF),
                static_cast<unsigned>(b >> 48),
                static_cast<unsigned long long>(b & 0xFFFFFFFFFFFFull));
  return text;
}

uint64_t sampleFileTime(SampleTime time) {
  // Seconds between 1601-01-01 and 1970-01-01.
  constexpr uint64_t kEpochDifference = 11644473600ull;
  return (static_cast<uint64_t>(time) + kEpochDifference) * 10000000ull;
}

}  // namespace platform::sample
