#pragma once
// Archives of stored entries written byte by byte, named exactly as a test
// gives them: entries with drives, without drives, folder entries, entries
// of other tools.

#include <string>
#include <vector>

namespace testing_support {

class ProgramRig;

struct StoredMember {
  std::string name;  // as stored ("C:/Docs/a.txt", "d/")
  std::string data;
  std::string password;
};

void writeStoredArchive(ProgramRig& m, const std::string& archive,
                        const std::vector<StoredMember>& members);

}  // namespace testing_support
