#include "tests/platform_scsi/fake_sysfs.h"

#include <cerrno>
#include <fstream>

namespace scsi_test {

namespace fs = std::filesystem;

void FakeSysfs::add(const std::string& name, const std::string& address, int type) {
  fs::path device = root_ / "devices" / address;
  fs::create_directories(device);
  std::ofstream(device / "type") << type << "\n";
  fs::path entry = root_ / "class" / (name.rfind("sg", 0) == 0 ? "scsi_generic" : "block") / name;
  fs::create_directories(entry);
  fs::create_directory_symlink(fs::path("../../../devices") / address, entry / "device");
}

platform::scsi::SgIoHost FakeSgIo::calls() {
  return {[this](const char* path, bool) {
            if (openErrno) {
              errno = openErrno;
              return -1;
            }
            for (const std::string& node : nodes)
              if (node == path) {
                ++openCount;
                opened.push_back(path);
                return int(100 + opened.size() - 1);
              }
            errno = ENOENT;
            return -1;
          },
          [this](int, unsigned long request, void* argument) {
            if (request != SG_IO) {
              errno = EINVAL;
              return -1;
            }
            auto& header = *static_cast<sg_io_hdr_t*>(argument);
            seen.push_back(header);
            return answer ? answer(header) : 0;
          },
          [this](int) {
            ++closeCount;
            return 0;
          }};
}

}  // namespace scsi_test
