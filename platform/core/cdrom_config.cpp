#include "platform/core/cdrom_config.h"

#include <charconv>

#include "platform/core/codepage.h"
#include "platform/core/ini_document.h"
#include "platform/core/machine_config.h"

namespace platform {
namespace {

struct FaultName {
  CdromFault::Kind kind;
  const char* name;
  bool operand;
};

constexpr FaultName kFaultNames[] = {
    {CdromFault::Kind::Underrun, "underrun", true},
    {CdromFault::Kind::WriteError, "writeerror", true},
    {CdromFault::Kind::Removed, "removed", true},
    {CdromFault::Kind::Unreadable, "unreadable", true},
    {CdromFault::Kind::NotReady, "notready", true},
    {CdromFault::Kind::Busy, "busy", true},
    {CdromFault::Kind::SyncError, "syncerror", false},
    {CdromFault::Kind::CloseError, "closeerror", false},
    {CdromFault::Kind::BlankError, "blankerror", false},
};

bool parseUnsigned(std::string_view text, uint64_t& value) {
  text = trimBlanks(text);
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

std::vector<std::string_view> splitOn(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (size_t start = 0;;) {
    size_t at = text.find(separator, start);
    parts.push_back(trimBlanks(text.substr(start, at == std::string_view::npos ? at : at - start)));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

class Reader {
 public:
  Reader(const IniDocument& doc, std::string_view section, const std::string& file)
      : doc_(doc), section_(section), file_(file) {}

  [[noreturn]] void fail(std::string_view key, const std::string& what) const {
    throw MachineConfigError(file_, doc_.lineOf(section_, key), what);
  }

  std::optional<std::string> get(std::string_view key) const { return doc_.get(section_, key); }

  uint64_t number(std::string_view key, const std::string& value, uint64_t limit) const {
    uint64_t n = 0;
    if (!parseUnsigned(value, n) || n > limit)
      fail(key, std::string(key) + " must be a number up to " + std::to_string(limit) +
                    ", found '" + value + "'");
    return n;
  }

  bool flag(std::string_view key, bool fallback) const {
    auto value = get(key);
    if (!value) return fallback;
    if (*value == "1" || ansiEqualNoCase(*value, "yes") || ansiEqualNoCase(*value, "true"))
      return true;
    if (*value == "0" || ansiEqualNoCase(*value, "no") || ansiEqualNoCase(*value, "false"))
      return false;
    fail(key, std::string(key) + " must be 0 or 1, found '" + *value + "'");
  }

  void readDevice(CdromConfig& config) const {
    auto device = get("Device");
    if (!device) return;
    bool host = device->rfind("/dev/sr", 0) == 0 || device->rfind("/dev/sg", 0) == 0;
    uint64_t n = 0;
    if (ansiEqualNoCase(*device, "simulated"))
      config.device = "simulated";
    else if (host && parseUnsigned(std::string_view(*device).substr(7), n))
      config.device = *device;
    else
      fail("Device", "Device must be /dev/srN, /dev/sgN or simulated, found '" + *device + "'");
  }

  void readAddress(CdromConfig& config) const {
    auto address = get("Address");
    if (!address) return;
    auto parts = splitOn(*address, ':');
    uint64_t values[3] = {};
    bool ok = parts.size() == 3;
    for (size_t i = 0; ok && i < 3; ++i) ok = parseUnsigned(parts[i], values[i]) && values[i] < 256;
    if (!ok || values[1] > 7 || values[2] > 7)
      fail("Address",
           "Address must be PORT:TARGET:LUN (port up to 255, target and LUN up to 7), found '" +
               *address + "'");
    config.port = static_cast<uint8_t>(values[0]);
    config.target = static_cast<uint8_t>(values[1]);
    config.lun = static_cast<uint8_t>(values[2]);
  }

  void readInquiry(CdromConfig& config) const {
    auto inquiry = get("Inquiry");
    if (!inquiry) return;
    auto parts = splitOn(*inquiry, ',');
    if (parts.size() != 3 || parts[0].size() > 8 || parts[1].size() > 16 || parts[2].size() > 4)
      fail("Inquiry",
           "Inquiry must be VENDOR,PRODUCT,REV (at most 8, 16 and 4 characters), found '" +
               *inquiry + "'");
    config.vendor = utf8ToAnsi(std::string(parts[0]));
    config.product = utf8ToAnsi(std::string(parts[1]));
    config.revision = utf8ToAnsi(std::string(parts[2]));
  }

  void readBlankSeconds(CdromConfig& config) const {
    auto value = get("BlankSeconds");
    if (!value) return;
    auto parts = splitOn(*value, ',');
    uint64_t quick = 0, full = 0;
    if (parts.size() != 2 || !parseUnsigned(parts[0], quick) || !parseUnsigned(parts[1], full) ||
        quick > 86400 || full > 86400)
      fail("BlankSeconds",
           "BlankSeconds must be QUICK,FULL in seconds (up to 86400), found '" + *value + "'");
    config.quickBlankSeconds = static_cast<uint32_t>(quick);
    config.fullBlankSeconds = static_cast<uint32_t>(full);
  }

  CdromFault readFault(std::string_view word) const {
    size_t colon = word.find(':');
    std::string name = ansiLower(std::string(word.substr(0, colon)));
    for (const FaultName& known : kFaultNames) {
      if (name != known.name) continue;
      CdromFault fault{known.kind, 0};
      if (!known.operand) {
        if (colon != std::string_view::npos)
          fail("Faults", "the fault '" + name + "' takes no operand");
        return fault;
      }
      if (colon == std::string_view::npos || !parseUnsigned(word.substr(colon + 1), fault.value))
        fail("Faults", "the fault '" + name + "' needs a number (" + name + ":N)");
      return fault;
    }
    fail("Faults",
         "unknown fault '" + std::string(word) +
             "' (expected underrun:LBA, writeerror:LBA, removed:LBA, unreadable:LBA, notready:N, "
             "busy:N, syncerror, closeerror or blankerror)");
  }

  void readFaults(CdromConfig& config) const {
    auto value = get("Faults");
    if (!value) return;
    std::string list = *value;
    for (char& c : list)
      if (c == ',') c = ' ';
    for (std::string_view word : splitOn(list, ' '))
      if (!word.empty()) config.faults.push_back(readFault(word));
  }

 private:
  const IniDocument& doc_;
  std::string_view section_;
  const std::string& file_;
};

}  // namespace

const std::vector<const char*>& cdromConfigKeys() {
  static const std::vector<const char*> keys = {"Device",       "Address",   "Inquiry",
                                                "BurnFree",     "TestWrite", "BufferSize",
                                                "BlankSeconds", "Faults"};
  return keys;
}

CdromConfig readCdromConfig(const IniDocument& doc, std::string_view section, bool isCdrom,
                            const std::string& fileName) {
  Reader reader(doc, section, fileName);
  CdromConfig config;
  if (!isCdrom) {
    for (const char* key : cdromConfigKeys())
      if (doc.get(section, key))
        reader.fail(key, std::string(key) + " is a key of cdrom drives only");
    return config;
  }
  reader.readDevice(config);
  reader.readAddress(config);
  reader.readInquiry(config);
  config.burnFree = reader.flag("BurnFree", config.burnFree);
  config.testWrite = reader.flag("TestWrite", config.testWrite);
  if (auto size = reader.get("BufferSize"))
    config.bufferSize = static_cast<uint32_t>(reader.number("BufferSize", *size, 0x7FFFFFFF));
  reader.readBlankSeconds(config);
  reader.readFaults(config);
  return config;
}

std::string cdromFaultText(const CdromFault& fault) {
  for (const FaultName& known : kFaultNames)
    if (known.kind == fault.kind)
      return known.operand ? std::string(known.name) + ":" + std::to_string(fault.value)
                           : known.name;
  return "";
}

std::string formatCdromConfig(const CdromConfig& config) {
  std::string out;
  if (config.device.empty()) return out;
  out += "Device=" + config.device + "\n";
  out += "Address=" + std::to_string(config.port) + ":" + std::to_string(config.target) + ":" +
         std::to_string(config.lun) + "\n";
  out += "Inquiry=" + ansiToUtf8(config.vendor) + "," + ansiToUtf8(config.product) + "," +
         ansiToUtf8(config.revision) + "\n";
  out += std::string("BurnFree=") + (config.burnFree ? "1" : "0") + "\n";
  out += std::string("TestWrite=") + (config.testWrite ? "1" : "0") + "\n";
  out += "BufferSize=" + std::to_string(config.bufferSize) + "\n";
  out += "BlankSeconds=" + std::to_string(config.quickBlankSeconds) + "," +
         std::to_string(config.fullBlankSeconds) + "\n";
  if (!config.faults.empty()) {
    out += "Faults=";
    for (size_t i = 0; i < config.faults.size(); ++i)
      out += (i ? " " : "") + cdromFaultText(config.faults[i]);
    out += "\n";
  }
  return out;
}

}  // namespace platform
