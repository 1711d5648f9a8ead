// The RegPack benchmark's helper:
//   regpack_bench grow FILE nt|9x MEGABYTES  grows the registry file to that
//       size, a third of it free (testing_support::growRegistryFile)
//   regpack_bench bound FILE nt|9x           prints the size of its live
//       records as a compact file holds them (liveRecordBound)

#include <cstdlib>
#include <iostream>
#include <string>

#include "tests/support/registry_free_space.h"
#include "tests/support/temp_dir.h"

namespace {

int usage() {
  std::cerr << "usage: regpack_bench grow FILE nt|9x MEGABYTES | bound FILE nt|9x\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using testing_support::RegistryFormat;
  if (argc < 4) return usage();
  const std::string command = argv[1];
  const std::string file = argv[2];
  const std::string kind = argv[3];
  if (kind != "nt" && kind != "9x") return usage();
  const RegistryFormat format = kind == "nt" ? RegistryFormat::NtHive : RegistryFormat::Win9x;
  try {
    if (command == "grow" && argc == 5) {
      testing_support::growRegistryFile(file, format, std::strtoull(argv[4], nullptr, 10) << 20);
    } else if (command == "bound" && argc == 4) {
      std::cout << testing_support::liveRecordBound(testing_support::readFile(file), format)
                << "\n";
    } else {
      return usage();
    }
  } catch (const std::exception& e) {
    std::cerr << "regpack_bench: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
