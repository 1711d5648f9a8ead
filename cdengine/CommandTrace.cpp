#include "cdengine/CommandTrace.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>

namespace cdengine {

namespace {

std::atomic<bool> traceOn{false};

struct OpcodeName {
  uint8_t code;
  const char* name;
};

constexpr OpcodeName kNames[] = {
    {0x00, "TEST UNIT READY"},
    {0x01, "REWIND UNIT"},
    {0x03, "REQUEST SENSE"},
    {0x04, "FORMAT UNIT"},
    {0x12, "INQUIRY"},
    {0x1B, "START STOP UNIT"},
    {0x1E, "PREVENT/ALLOW REMOVAL"},
    {0x23, "READ FORMAT CAPACITIES"},
    {0x25, "READ CAPACITY"},
    {0x28, "READ (10)"},
    {0x2A, "WRITE (10)"},
    {0x2B, "SEEK (10)"},
    {0x2E, "WRITE AND VERIFY (10)"},
    {0x2F, "VERIFY (10)"},
    {0x35, "SYNCHRONIZE CACHE"},
    {0x42, "READ SUB-CHANNEL"},
    {0x43, "READ TOC/PMA/ATIP"},
    {0x45, "PLAY AUDIO (10)"},
    {0x46, "GET CONFIGURATION"},
    {0x47, "PLAY AUDIO MSF"},
    {0x4A, "GET EVENT/STATUS NOTIF"},
    {0x4B, "PAUSE/RESUME"},
    {0x4E, "STOP PLAY/SCAN"},
    {0x51, "READ DISC INFORMATION"},
    {0x52, "READ TRACK INFORMATION"},
    {0x53, "RESERVE TRACK"},
    {0x54, "SEND OPC INFORMATION"},
    {0x55, "MODE SELECT (10)"},
    {0x58, "REPAIR TRACK"},
    {0x5A, "MODE SENSE (10)"},
    {0x5B, "CLOSE TRACK/SESSION"},
    {0x5C, "READ BUFFER CAPACITY"},
    {0x5D, "SEND CUE SHEET"},
    {0xA1, "BLANK"},
    {0xA2, "SEND EVENT"},
    {0xA3, "SEND KEY"},
    {0xA4, "REPORT KEY"},
    {0xA5, "PLAY AUDIO (12)"},
    {0xA6, "LOAD/UNLOAD CD/DVD"},
    {0xA7, "SET READ AHEAD"},
    {0xA8, "READ (12)"},
    {0xAA, "WRITE (12)"},
    {0xAC, "GET PERFORMANCE"},
    {0xAD, "READ DVD STRUCTURE"},
    {0xB6, "SET STREAMING"},
    {0xB9, "READ CD MSF"},
    {0xBA, "SCAN"},
    {0xBB, "SET CD SPEED"},
    {0xBD, "MECHANISM STATUS"},
    {0xBE, "READ CD"},
    {0xBF, "SEND DVD STRUCTURE"},
};

std::string hex(uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

// 255 entries, codes 0 to 254: the table stops short of FFh.
std::array<std::string, 255> buildNames() {
  std::array<std::string, 255> names;
  for (size_t code = 0; code < names.size(); ++code) names[code] = hex(code, 2);
  for (const auto& known : kNames) {
    std::string name = known.name;
    name.resize(std::max<size_t>(name.size(), 22), ' ');
    names[known.code] = name;
  }
  return names;
}

}  // namespace

bool commandTrace() {
  return traceOn.load();
}
void setCommandTrace(bool on) {
  traceOn.store(on);
}

const std::string& opcodeName(uint8_t opcode) {
  static const std::array<std::string, 255> names = buildNames();
  static const std::string last = hex(0xFF, 2);
  return opcode < names.size() ? names[opcode] : last;
}

std::string traceTime(uint64_t ms) {
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u:%03u ", static_cast<unsigned>(ms / 60000 % 60),
                static_cast<unsigned>(ms / 1000 % 60), static_cast<unsigned>(ms % 1000));
  return text;
}

std::string commandLine(const platform::scsi::SRB_ExecSCSICmd& srb, const std::string& time,
                        const std::string& errorText) {
  const uint8_t opcode = srb.CDBByte[0];
  std::string line = "<<< " + time + opcodeName(opcode) + " (" + hex(opcode, 2) + ") {" +
                     hex(srb.h.SRB_Flags, 2) + "|" + hex(srb.SRB_CDBLen, 2) + "} - " +
                     std::to_string(srb.h.SRB_HaId) + ":" + hex(srb.SRB_Target, 1) + ":" +
                     std::to_string(srb.SRB_Lun) + " <" + hex(srb.h.SRB_Status, 2) + "> [" +
                     hex(srb.SRB_BufLen, 5) + "] ";
  for (int i = 1; i < 16; ++i) line += hex(srb.CDBByte[i], 2) + " ";
  line += " |";
  const uint32_t shown = srb.SRB_BufPointer ? std::min<uint32_t>(srb.SRB_BufLen, 256) : 0;
  for (uint32_t i = 0; i < shown; ++i) line += hex(srb.SRB_BufPointer[i], 2) + " ";
  line += "= " + hex(srb.SRB_HaStat, 2) + " " + hex(srb.SRB_TargStat, 2) + " " +
          hex(srb.SenseArea[0], 2) + " " + hex(srb.SenseArea[2], 2) +
          " ASC:" + hex(srb.SenseArea[12], 2) + ",ASQ:" + hex(srb.SenseArea[13], 2) + " " +
          errorText;
  return line;
}

}  // namespace cdengine
