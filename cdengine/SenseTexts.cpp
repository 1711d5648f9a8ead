#include "cdengine/SenseTexts.h"

namespace cdengine {

using namespace platform::scsi;

namespace {

std::string statusText(uint8_t status) {
  switch (status) {
    case SS_PENDING:
    case SS_COMP:
      return "";
    case SS_ABORTED:
    case SS_ABORT_FAIL:
      return "OPERATION ABORTED BY USER";
    case SS_INVALID_CMD:
      return "INVALID REQUEST";
    case SS_INVALID_HA:
      return "INVALID HOST ADAPTER";
    case SS_NO_DEVICE:
      return "NO DEVICE";
    case SS_INVALID_SRB:
      return "INVALID SRB";
    case SS_BUFFER_ALIGN:
      return "BUFFER ALIGNMENT";
    case SS_ASPI_IS_BUSY:
      return "ASPI IS BUSY";
    case SS_BUFFER_TO_BIG:
      return "BUFFER TOO BIG";
    default:
      return "UNKNOWN";
  }
}

std::string adapterText(uint8_t adapterStatus) {
  switch (adapterStatus) {
    case HASTAT_TIMEOUT:
      return "COMMAND TIMEOUT";
    case HASTAT_COMMAND_TIMEOUT:
      return "SRB TIMEOUT";
    case HASTAT_MESSAGE_REJECT:
      return "MESSAGE REJECT";
    case HASTAT_BUS_RESET:
      return "BUS RESET";
    case HASTAT_PARITY_ERROR:
      return "PARITY ERROR";
    case HASTAT_REQUEST_SENSE_FAILED:
      return "REQUEST SENSE FAILED";
    case HASTAT_SEL_TO:
      return "SELECTION TIMEOUT";
    case HASTAT_DO_DU:
      return "DATA OVERRUN";
    case HASTAT_BUS_FREE:
      return "UNEXPECTED BUS FREE";
    default:
      return "UNKNOWN";
  }
}

constexpr const char* kCheckCondition = "CHECK CONDITION";

std::string targetText(uint8_t targetStatus) {
  switch (targetStatus) {
    case 0x00:
    case 0x02:
      return kCheckCondition;
    case 0x08:
      return "TARGET BUSY";
    case 0x18:
      return "TARGET RESERVATION CONFLICT";
    case 0x28:
      return "TARGET QUEUE FULL";
    default:
      return "UNKNOWN";
  }
}

// The name of the sense key of fixed-format sense data; key 0 is named by
// the filemark, end-of-medium and length bits when one is set.
std::string senseKeyText(const uint8_t* sense) {
  const uint8_t flags = sense[2];
  switch (flags & 0x0F) {
    case 0x00:
      if (flags & 0x80) return "FILEMARK";
      if (flags & 0x40) return "END OF MEDIA";
      if (flags & 0x20) return "ILLEGAL LENGTH";
      return "NO ADDITIONAL SENSE INFORMATION";
    case 0x01:
      return "RECOVERED ERROR";
    case 0x02:
      return "NOT READY";
    case 0x03:
      return "MEDIUM ERROR";
    case 0x04:
      return "HARDWARE ERROR";
    case 0x05:
      return "ILLEGAL REQUEST";
    case 0x06:
      return "UNIT ATTENTION";
    case 0x07:
      return "DATA PROTECT";
    case 0x08:
      return "ERASE CHECK";
    case 0x09:
      return "VENDOR SPECIFIC";
    case 0x0A:
      return "COPYABORTED";
    case 0x0B:
      return "ABORTED COMMAND";
    case 0x0C:
      return "EQUAL";
    case 0x0D:
      return "VOLUME OVERFLOW";
    case 0x0E:
      return "MISCOMPARE";
    default:
      return "RESERVED";
  }
}

bool allZero(const uint8_t* bytes, size_t length) {
  for (size_t i = 0; i < length; ++i)
    if (bytes[i] != 0) return false;
  return true;
}

}  // namespace

std::string requestErrorText(const SRB_ExecSCSICmd& srb) {
  const uint8_t status = srb.h.SRB_Status;
  if (status != SS_ERR) return statusText(status);
  if (srb.SRB_HaStat != HASTAT_OK) return adapterText(srb.SRB_HaStat);
  std::string text = targetText(srb.SRB_TargStat);
  if (text != kCheckCondition) return text;

  const uint8_t* sense = srb.SenseArea;
  if (allZero(sense, kSenseLength)) return "";
  const uint8_t responseCode = sense[0] & 0x7F;
  if (responseCode != 0x70 && responseCode != 0x71) return "UNKNOWN";
  text = senseKeyText(sense);
  // Byte 7 is the additional sense length; code and qualifier follow at 12, 13.
  if (sense[7] != 0) text += " (" + senseCodeText(sense[12], sense[13]) + ")";
  return text;
}

}  // namespace cdengine
