#pragma once
// Setting the values of a sample registry in the form its file format stores
// them: ANSI strings in Windows 9x files, UTF-16LE strings in NT hives. The
// texts given here are ANSI.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry/registry_tree.h"
#include "platform/sample/sample_layout.h"

namespace platform::sample {

class SampleValues {
 public:
  explicit SampleValues(registry::StringEncoding encoding) : encoding_(encoding) {}

  registry::StringEncoding encoding() const { return encoding_; }
  registry::RegistryTree newTree() const;

  void string(registry::RegistryKey& key, const std::string& name, const std::string& text) const;
  void expandString(registry::RegistryKey& key, const std::string& name,
                    const std::string& text) const;
  void multiString(registry::RegistryKey& key, const std::string& name,
                   const std::vector<std::string>& texts) const;
  void dword(registry::RegistryKey& key, const std::string& name, uint32_t number) const;
  void binary(registry::RegistryKey& key, const std::string& name,
              std::vector<uint8_t> bytes) const;
  // `size` bytes of varied binary data determined by `seed`.
  void binaryData(registry::RegistryKey& key, const std::string& name, size_t size,
                  uint64_t seed) const;

 private:
  void stringOfType(registry::RegistryKey& key, const std::string& name, uint32_t type,
                    std::vector<uint8_t> ansi) const;

  registry::StringEncoding encoding_;
};

// "C:\" + a path relative to the drive root.
std::string onDriveC(const std::string& relativePath);

// A GUID in registry form ("{8856F961-340A-11D0-A96B-00C04FD705A2}") made
// from the machine's seed and `what`.
std::string sampleGuid(const SampleLayout& layout, const std::string& what);

// A FILETIME (100 ns since 1601) for a sample time.
uint64_t sampleFileTime(SampleTime time);

}  // namespace platform::sample
