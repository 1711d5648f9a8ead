#pragma once
// The extra area of local and central headers: a run of fields, each a 16-bit
// ID, a 16-bit length and that many bytes.

#include <cstdint>
#include <optional>
#include <span>

namespace archive {

using ExtraBytes = std::span<const uint8_t>;

// The data of the first field with this ID. The walk stops at a field whose
// length runs past the area: nothing from there on can be trusted.
inline std::optional<ExtraBytes> findExtraField(ExtraBytes area, uint16_t id) {
  size_t at = 0;
  while (area.size() - at >= 4) {
    uint16_t fieldId = static_cast<uint16_t>(area[at] | (area[at + 1] << 8));
    size_t length = static_cast<size_t>(area[at + 2] | (area[at + 3] << 8));
    at += 4;
    if (length > area.size() - at) return std::nullopt;
    if (fieldId == id) return area.subspan(at, length);
    at += length;
  }
  return std::nullopt;
}

}  // namespace archive
