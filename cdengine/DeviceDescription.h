#pragma once
// A CD or DVD device as the engine lists and selects it: its SCSI address,
// the description text "A:T:L,X: " + vendor, product and revision, and the
// quirks of the models that need them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cdengine {

struct ScsiAddress {
  // 254 in all three: no device.
  uint8_t adapter = 254;
  uint8_t target = 254;
  uint8_t lun = 254;
  bool selected() const { return adapter != 254 || target != 254 || lun != 254; }
  bool operator==(const ScsiAddress&) const = default;
};

// The 36 INQUIRY bytes' fields a description shows.
struct InquiryFields {
  uint8_t peripheralType = 0x1F;
  std::string vendor;    // 8 characters as the drive returns them
  std::string product;   // 16
  std::string revision;  // 4
};

InquiryFields inquiryFields(const uint8_t* inquiry);

// "1:0:0,E: " + vendor + product + revision, with " (not supported)" for a
// write-once device (peripheral type 4). `letter` 0 writes "?:".
std::string deviceDescription(const ScsiAddress& address, char letter, const InquiryFields& fields);

// The address at the start of a description: adapter, target and LUN in
// decimal, ended by ":", ":" and "," or a blank. Several digits are read,
// so a device on adapter 12 can be selected by its own text.
std::optional<ScsiAddress> descriptionAddress(std::string_view description);

// Model quirks that change what the MMC layer and the writer send.
struct Quirks {
  bool a = false;  // reports buffer-underrun protection
  bool b = false;  // write type byte bit 5 for every disc
  bool c = false;
  bool d = false;                 // on for every model but one
  bool slowReady = false;         // of this device
  bool slowReadyProcess = false;  // for every device of the process
  bool operator==(const Quirks&) const = default;
};

// The quirks of a model by its INQUIRY vendor and product fields as the
// drive returns them (untrimmed).
Quirks quirksFor(std::string_view vendor, std::string_view product);

}  // namespace cdengine
