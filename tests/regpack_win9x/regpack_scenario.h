#pragma once
// RegPack scenarios on Windows 95 and 98 sample machines: the registry's
// keys and values as sorted lines, to compare before and after a RegPack,
// and the machine's registry files.

#include <set>
#include <string>
#include <vector>

#include "tests/support/program_rig.h"

namespace regpack_test {

// Every key path (upper case) and value (name, type, data in hex) of the
// registry files, one line each, prefixed with the file; sorted.
std::set<std::string> registryLines(const testing_support::ProgramRig& m,
                                    const std::vector<std::string>& files);

// system.dat, user.dat and every profile's user.dat of the machine.
std::vector<std::string> registryFiles(const testing_support::ProgramRig& m);

// Gives a Windows 9x registry file `bytes` of free space: a data block
// holding one free record, appended as Windows leaves a block whose keys were
// deleted. The file still reads as the same keys and values.
void addFreeDataBlock(testing_support::ProgramRig& m, const std::string& file, uint32_t bytes);

// The program as a process, for the logon's Startup shortcuts; empty when it
// is not built.
std::string consoleProgram();

// The tests' program on a 95 or 98 sample, the tool simulators registered.
struct Win9xMachine {
  explicit Win9xMachine(platform::WindowsVersion version, int users = 3);
  std::unique_ptr<testing_support::TestProgram> m;
  std::string windows() const;
  std::string program() const;
};

}  // namespace regpack_test
