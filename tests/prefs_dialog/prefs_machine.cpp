#include "tests/prefs_dialog/prefs_machine.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace prefs_dialog_test {

std::string PrefsMachine::crudini(const std::string& section, const std::string& key) const {
  const std::string file = host(programDir() + "vastel.ini").string();
  const testing_support::CommandResult result =
      testing_support::runProgram("crudini", {"--get", file, section, key});
  if (result.exitCode != 0) return "";
  std::string value = result.output;
  while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.pop_back();
  return value;
}

}  // namespace prefs_dialog_test
