#pragma once
// A fake sysfs tree and a fake SG_IO ioctl, so the host SCSI path is tested
// without a drive: nodes are given addresses and types, and the ioctl
// answers with what the test sets.

#include <scsi/sg.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/scsi/sg_io_device.h"

namespace scsi_test {

class FakeSysfs {
 public:
  explicit FakeSysfs(std::filesystem::path root) : root_(std::move(root)) {}
  // Adds class/<scsi_generic|block>/<name>/device -> devices/H:C:T:L with `type`.
  void add(const std::string& name, const std::string& address, int type);
  const std::filesystem::path& root() const { return root_; }

 private:
  std::filesystem::path root_;
};

// The calls of a host without drives: opening "/dev/..." nodes the test
// lists gives descriptors; SG_IO runs `answer`.
struct FakeSgIo {
  std::vector<std::string> nodes;
  int openErrno = 0;  // when set, every open fails with it
  std::function<int(sg_io_hdr_t&)> answer;
  std::vector<sg_io_hdr_t> seen;    // every request, as sent
  std::vector<std::string> opened;  // node per descriptor - 100
  int openCount = 0;
  int closeCount = 0;

  platform::scsi::SgIoHost calls();
};

}  // namespace scsi_test
