#pragma once
// A CD burner on a scripted CD writer E: with a machine of files to burn,
// the manual clock, and the ends of its writes and erases as the main
// thread saw them.

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "cdengine/CdBurner.h"
#include "platform/core/clock.h"
#include "platform/files/file_system.h"
#include "tests/cdengine_mmc/rig.h"
#include "tests/cdengine_mmc/scripted_drive.h"
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

namespace cdengine_test {

struct PipelineRig {
  PipelineRig();

  // A blank 80-minute disc of `profile` (CD-R: 0009h, CD-RW: 000Ah) in a
  // writer that takes every command of a write, then the drive selected.
  void start(uint16_t profile = 0x0009);
  // A file of the machine (`size` bytes of a pattern), entered at the root.
  void addFile(const std::string& winPath, size_t size);
  // Runs the main thread's calls until OnWriteDone (or OnEraseDone) has
  // run; false when it did not within a few real seconds.
  bool waitForWriteDone(size_t count = 1);
  bool waitForEraseDone();
  // The session as the stream delivers it, for comparison.
  std::vector<uint8_t> sessionBytes();
  // The bytes of the WRITE (10) commands, placed by their addresses.
  std::vector<uint8_t> writtenBytes() const;

  testing_support::TempDir dir;
  std::unique_ptr<platform::Machine> machine;
  std::unique_ptr<platform::FileSystem> files;
  platform::ManualClock clock{1000};
  ScriptedDrive drive;
  std::vector<Message> messages;
  std::unique_ptr<cdengine::TCDBurner> burner;

  std::vector<std::string> writeEnds;
  std::vector<std::thread::id> writeEndThreads;
  std::vector<bool> eraseEnds;
};

// The threads of this process, from /proc/self/task.
int threadCount();
// "WRITER ERROR [" + the text of a sense key and code + "]".
std::string writerErrorFor(uint8_t key, uint8_t asc, uint8_t ascq);

}  // namespace cdengine_test
