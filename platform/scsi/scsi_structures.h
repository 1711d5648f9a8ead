#pragma once
// The published Windows structures that carry SCSI commands to a CD or DVD
// drive: the SCSI pass-through of the Windows NT storage drivers
// (DeviceIoControl on "\\.\X:") and the ASPI for Win32 request blocks. The
// field names and values are those of the published interfaces; only the
// pointer fields are the host's width, so the records are not byte images of
// the 32-bit Windows ones (their Length fields still say what Windows has).

#include <cstddef>
#include <cstdint>

namespace platform::scsi {

// ---- SCSI pass-through (ntddscsi.h) ----------------------------------------

constexpr uint32_t IOCTL_SCSI_PASS_THROUGH_DIRECT = 0x4D014;
constexpr uint32_t IOCTL_SCSI_GET_ADDRESS = 0x41018;

constexpr uint8_t SCSI_IOCTL_DATA_OUT = 0;
constexpr uint8_t SCSI_IOCTL_DATA_IN = 1;
constexpr uint8_t SCSI_IOCTL_DATA_UNSPECIFIED = 2;

struct SCSI_PASS_THROUGH_DIRECT {
  uint16_t Length = 0;  // 44, the 32-bit Windows size
  uint8_t ScsiStatus = 0;
  uint8_t PathId = 0;
  uint8_t TargetId = 0;
  uint8_t Lun = 0;
  uint8_t CdbLength = 0;
  uint8_t SenseInfoLength = 0;
  uint8_t DataIn = 0;  // SCSI_IOCTL_DATA_*
  uint32_t DataTransferLength = 0;
  uint32_t TimeOutValue = 0;  // seconds
  void* DataBuffer = nullptr;
  uint32_t SenseInfoOffset = 0;  // from the start of the record passed in
  uint8_t Cdb[16] = {};
};

// The record callers pass: the pass-through header, then room for sense data.
// SenseInfoOffset is offsetof(SCSI_PASS_THROUGH_DIRECT_WITH_SENSE, Sense),
// which is 48 on 32-bit Windows.
struct SCSI_PASS_THROUGH_DIRECT_WITH_SENSE {
  SCSI_PASS_THROUGH_DIRECT Sptd;
  uint32_t Filler = 0;
  uint8_t Sense[32] = {};
};
constexpr uint32_t kSptdSenseOffset = offsetof(SCSI_PASS_THROUGH_DIRECT_WITH_SENSE, Sense);

struct SCSI_ADDRESS {
  uint32_t Length = 8;
  uint8_t PortNumber = 0;
  uint8_t PathId = 0;
  uint8_t TargetId = 0;
  uint8_t Lun = 0;
};

// ---- ASPI for Win32 (wnaspi32.h) -------------------------------------------

constexpr uint8_t SC_HA_INQUIRY = 0x00;
constexpr uint8_t SC_GET_DEV_TYPE = 0x01;
constexpr uint8_t SC_EXEC_SCSI_CMD = 0x02;
constexpr uint8_t SC_ABORT_SRB = 0x03;
constexpr uint8_t SC_RESET_DEV = 0x04;
constexpr uint8_t SC_GET_DISK_INFO = 0x06;

constexpr uint8_t SS_PENDING = 0x00;
constexpr uint8_t SS_COMP = 0x01;
constexpr uint8_t SS_ABORTED = 0x02;
constexpr uint8_t SS_ABORT_FAIL = 0x03;
constexpr uint8_t SS_ERR = 0x04;
constexpr uint8_t SS_INVALID_CMD = 0x80;
constexpr uint8_t SS_INVALID_HA = 0x81;
constexpr uint8_t SS_NO_DEVICE = 0x82;
constexpr uint8_t SS_INVALID_SRB = 0xE0;
constexpr uint8_t SS_BUFFER_ALIGN = 0xE1;
constexpr uint8_t SS_ASPI_IS_BUSY = 0xE5;
constexpr uint8_t SS_BUFFER_TO_BIG = 0xE6;
constexpr uint8_t SS_NO_ADAPTERS = 0xE8;

constexpr uint8_t SRB_POSTING = 0x01;
constexpr uint8_t SRB_DIR_IN = 0x08;
constexpr uint8_t SRB_DIR_OUT = 0x10;
constexpr uint8_t SRB_EVENT_NOTIFY = 0x40;

constexpr uint8_t HASTAT_OK = 0x00;
constexpr uint8_t HASTAT_TIMEOUT = 0x09;
constexpr uint8_t HASTAT_COMMAND_TIMEOUT = 0x0B;
constexpr uint8_t HASTAT_MESSAGE_REJECT = 0x0D;
constexpr uint8_t HASTAT_BUS_RESET = 0x0E;
constexpr uint8_t HASTAT_PARITY_ERROR = 0x0F;
constexpr uint8_t HASTAT_REQUEST_SENSE_FAILED = 0x10;
constexpr uint8_t HASTAT_SEL_TO = 0x11;
constexpr uint8_t HASTAT_DO_DU = 0x12;
constexpr uint8_t HASTAT_BUS_FREE = 0x13;

// Sense bytes an execute request carries back (SENSE_LEN of the interface).
constexpr size_t kSenseLength = 32;

struct SRB_Header {
  uint8_t SRB_Cmd = 0;
  uint8_t SRB_Status = 0;
  uint8_t SRB_HaId = 0;
  uint8_t SRB_Flags = 0;
  uint32_t SRB_Hdr_Rsvd = 0;
};

struct SRB_HAInquiry {
  SRB_Header h;
  uint8_t HA_Count = 0;
  uint8_t HA_SCSI_ID = 0;
  uint8_t HA_ManagerId[16] = {};
  uint8_t HA_Identifier[16] = {};
  // Bytes 0-1 buffer alignment mask, 2 residual byte support, 3 maximum
  // targets, 4-7 maximum transfer length (little-endian).
  uint8_t HA_Unique[16] = {};
  uint16_t HA_Rsvd1 = 0;
};

struct SRB_GDEVBlock {
  SRB_Header h;
  uint8_t SRB_Target = 0;
  uint8_t SRB_Lun = 0;
  uint8_t SRB_DeviceType = 0;
  uint8_t SRB_Rsvd1 = 0;
};

struct SRB_ExecSCSICmd {
  SRB_Header h;
  uint8_t SRB_Target = 0;
  uint8_t SRB_Lun = 0;
  uint16_t SRB_Rsvd1 = 0;
  uint32_t SRB_BufLen = 0;
  uint8_t* SRB_BufPointer = nullptr;
  uint8_t SRB_SenseLen = 0;
  uint8_t SRB_CDBLen = 0;
  uint8_t SRB_HaStat = 0;
  uint8_t SRB_TargStat = 0;
  // With SRB_EVENT_NOTIFY: the platform::scsi::Event to signal on completion.
  void* SRB_PostProc = nullptr;
  void* SRB_Rsvd2 = nullptr;
  uint8_t SRB_Rsvd3[16] = {};
  uint8_t CDBByte[16] = {};
  uint8_t SenseArea[kSenseLength + 2] = {};
};

struct SRB_Abort {
  SRB_Header h;
  void* SRB_ToAbort = nullptr;
};

struct SRB_GetDiskInfo {
  SRB_Header h;
  uint8_t SRB_Target = 0;
  uint8_t SRB_Lun = 0;
  uint8_t SRB_DriveFlags = 0;
  uint8_t SRB_Int13HDriveInfo = 0;  // the drive number: 0 = A:
  uint8_t SRB_Heads = 0;
  uint8_t SRB_Sectors = 0;
  uint8_t SRB_Rsvd1[10] = {};
};

}  // namespace platform::scsi
