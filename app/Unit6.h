#pragma once
// TForm6: the warning list's logic ("WARNING"): its lines and its tag, which
// chooses the buttons (0: OK; otherwise Yes and No).

#include <string>
#include <vector>

namespace corvasta {

struct TForm6 {
  std::vector<std::string> lines;
  int tag = 0;
  std::string caption = "WARNING";
};

}  // namespace corvasta
