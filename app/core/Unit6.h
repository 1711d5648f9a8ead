#pragma once
// TForm6: the warning list's logic ("WARNING"): its lines and its tag, which
// chooses the buttons (0: OK; otherwise Yes and No).

#include <string>
#include <vector>

namespace corvasta {

// The warning list's geometry for its view, in pixels: the list shows every
// line unless that would make it taller than the screen allows, then 10
// lines and a scroll bar.
struct WarningListLayout {
  int listHeight = 0;
  int windowHeight = 0;
  int buttonTop = 0;  // the buttons stand 57 pixels above the window's bottom
  bool scrolls = false;
};
WarningListLayout warningListLayout(int lineCount, int lineHeight, int screenHeight);

struct TForm6 {
  std::vector<std::string> lines;
  int tag = 0;
  std::string caption = "WARNING";
};

}  // namespace corvasta
