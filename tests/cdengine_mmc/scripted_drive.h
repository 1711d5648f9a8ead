#pragma once
// A CD writer for the transport and MMC tests: the pass-through of one
// drive letter, answering each operation code from a small script of
// replies and sense, and recording what it was sent. Not a simulator: a
// test scripts exactly the answers its case needs.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/scsi/device_io.h"

namespace cdengine_test {

struct ScriptedReply {
  std::vector<uint8_t> data;  // copied into a data-in buffer, up to its length
  uint8_t scsiStatus = 0;     // 2: check condition
  std::vector<uint8_t> sense;
  uint32_t error = 0;  // DeviceIoControl's failure code; 0 succeeds
};

ScriptedReply good(std::vector<uint8_t> data = {});
// Check condition with fixed-format sense of `key`, `asc`, `ascq`.
ScriptedReply failing(uint8_t key, uint8_t asc, uint8_t ascq);

struct SentCommand {
  std::vector<uint8_t> cdb;
  std::vector<uint8_t> data;  // what a data-out command carried
};

// A WRITE (10) as the drive received it.
struct Written {
  uint32_t lba = 0;
  uint16_t count = 0;
  std::vector<uint8_t> data;  // empty unless the drive keeps write data
};

class ScriptedDrive {
 public:
  ScriptedDrive();

  // Where the drive is: its letter and SCSI address, and its INQUIRY data.
  char letter = 'E';
  uint8_t port = 1, target = 0, lun = 0;
  bool addressFails = false;
  std::vector<uint8_t> inquiry;
  void setInquiry(const std::string& vendor, const std::string& product,
                  const std::string& revision, uint8_t peripheralType = 5);

  // Replies to an operation code (any selector), or to one selector: the
  // format of READ TOC, the track of READ TRACK INFORMATION, the address of
  // READ (10), the page byte of MODE SENSE, the starting feature of GET
  // CONFIGURATION. Replies are used in turn; the last one stays. Unscripted
  // codes fail with 5/20/00.
  ScriptedDrive& on(uint8_t opcode, ScriptedReply reply);
  ScriptedDrive& on(uint8_t opcode, int selector, ScriptedReply reply);
  // Drops what was scripted for the code and selector, then scripts `reply`.
  ScriptedDrive& instead(uint8_t opcode, int selector, ScriptedReply reply);

  // Commands may come from worker threads: the script and the record are
  // kept under a lock. Read sent() once those threads have ended.
  const std::vector<SentCommand>& sent() const { return sent_; }
  int count(uint8_t opcode) const;
  // The WRITE (10) commands in order.
  std::vector<Written> writes() const;
  // Keeps what WRITE (10) carried (off for runs of thousands of writes).
  bool keepWriteData = true;
  // Called with each command block before it is answered, on the thread
  // that sent it.
  std::function<void(const uint8_t* cdb)> onCommand;
  // The last command sent with `opcode` (fails the test when none was).
  const SentCommand& last(uint8_t opcode) const;

  platform::scsi::DeviceAccess access();

  // The pass-through's answer to one command block.
  uint32_t answer(const uint8_t* cdb, uint8_t direction, uint8_t* data, uint32_t length,
                  uint8_t& status, uint8_t* sense, uint8_t senseLength);

 private:
  mutable std::mutex mutex_;
  std::map<std::pair<int, int>, std::deque<ScriptedReply>> script_;
  std::vector<SentCommand> sent_;
};

// Reply builders, big-endian as MMC has them.
std::vector<uint8_t> atipReply(uint8_t minutes, uint8_t seconds, uint8_t frames, bool rewritable);
std::vector<uint8_t> trackReply(uint8_t session, uint32_t start, uint32_t nextWritable,
                                uint32_t freeBlocks, uint32_t trackSize);
// Disc status 0 empty, 1 incomplete, 2 complete; last-session state 0 empty, 3 complete.
std::vector<uint8_t> discReply(uint8_t status, uint8_t lastSessionState, bool erasable,
                               uint16_t sessions);
std::vector<uint8_t> configurationReply(uint16_t profile, uint16_t feature = 0,
                                        bool current = false);
// A MODE SENSE (10) reply: the 8-byte header, then the page bytes.
std::vector<uint8_t> modeReply(std::vector<uint8_t> page);

}  // namespace cdengine_test
