#include "cdengine/DeviceDescription.h"

#include <cctype>

namespace cdengine {

namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
    text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
    text.remove_suffix(1);
  return text;
}

// A decimal number of at most three digits from `pos`, ended by one of
// `ends`; `pos` moves past the end character.
std::optional<uint8_t> number(std::string_view text, size_t& pos, std::string_view ends) {
  unsigned value = 0;
  size_t digits = 0;
  while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
    value = value * 10 + static_cast<unsigned>(text[pos] - '0');
    ++pos;
    if (++digits > 3) return std::nullopt;
  }
  if (digits == 0 || value > 253) return std::nullopt;
  if (pos < text.size()) {
    if (ends.find(text[pos]) == std::string_view::npos) return std::nullopt;
    ++pos;
  } else if (ends.find('\0') == std::string_view::npos) {
    return std::nullopt;
  }
  return static_cast<uint8_t>(value);
}

}  // namespace

InquiryFields inquiryFields(const uint8_t* inquiry) {
  InquiryFields fields;
  fields.peripheralType = inquiry[0] & 0x1F;
  fields.vendor.assign(reinterpret_cast<const char*>(inquiry + 8), 8);
  fields.product.assign(reinterpret_cast<const char*>(inquiry + 16), 16);
  fields.revision.assign(reinterpret_cast<const char*>(inquiry + 32), 4);
  return fields;
}

std::string deviceDescription(const ScsiAddress& address, char letter,
                              const InquiryFields& fields) {
  std::string text = std::to_string(address.adapter) + ":" + std::to_string(address.target) + ":" +
                     std::to_string(address.lun) + "," + (letter ? letter : '?') + ": " +
                     fields.vendor + fields.product + fields.revision;
  if (fields.peripheralType == 4) text += " (not supported)";
  return text;
}

std::optional<ScsiAddress> descriptionAddress(std::string_view description) {
  size_t pos = 0;
  const auto adapter = number(description, pos, ":");
  if (!adapter) return std::nullopt;
  const auto target = number(description, pos, ":");
  if (!target) return std::nullopt;
  const std::string_view lunEnds{", \0", 3};
  const auto lun = number(description, pos, lunEnds);
  if (!lun) return std::nullopt;
  return ScsiAddress{*adapter, *target, *lun};
}

Quirks quirksFor(std::string_view vendor, std::string_view product) {
  const std::string_view name = trimmed(product);
  const std::string_view maker = trimmed(vendor);
  Quirks quirks;
  quirks.a = name == "CD-W512EB";
  quirks.b = name == "CRX175E" || name == "CD-RW  CRX800E";
  quirks.c = name == "CD-RW  CRX100E";
  quirks.slowReadyProcess = name.starts_with("UJDA") || maker.starts_with("TDK");
  quirks.slowReady = product == "DVD-RW  DVR-103 " || product == "DVD-RW  DVR-104 ";
  quirks.d = name != "CDRW321040X";
  return quirks;
}

}  // namespace cdengine
