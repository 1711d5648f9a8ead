// INI text: parsing, serialising, editing and the private-profile reading
// rules must never crash, whatever the bytes; the document must survive its
// own round trip and keep what was set in it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/core/ini_document.h"
#include "platform/profile/profile_values.h"

using platform::IniDocument;

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

void readEverything(const IniDocument& doc) {
  for (const std::string& section : doc.sections()) {
    platform::profileSectionLines(doc, section);
    for (const std::string& key : doc.keys(section)) {
      std::string value = platform::readProfileString(doc, section, key, "default ");
      require(value.size() <= platform::kProfileValueLimit);
      platform::readProfileInt(doc, section, key, -1);
      platform::readProfileBool(doc, section, key, true);
      require(doc.lineOf(section, key) > 0);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  IniDocument doc = IniDocument::parse(text);
  std::string once = doc.serialize();
  require(IniDocument::parse(once).serialize() == once);
  readEverything(doc);
  platform::parseProfileInt(text.substr(0, 32));

  auto sections = doc.sections();
  if (!sections.empty()) {
    const std::string section = sections.front();
    doc.set(section, "fuzzkey", "fuzzvalue");
    require(doc.get(section, "fuzzkey") == "fuzzvalue");
    IniDocument again = IniDocument::parse(doc.serialize());
    require(again.get(section, "fuzzkey") == "fuzzvalue");
    auto keys = doc.keys(section);
    if (!keys.empty()) doc.removeKey(section, keys.front());
    doc.replaceSection(sections.back(), {{"a", "1"}, {"b", "2"}});
    require(doc.get(sections.back(), "b") == "2");
    doc.eraseSection(section);
    readEverything(IniDocument::parse(doc.serialize("\n")));
  }
  return 0;
}
