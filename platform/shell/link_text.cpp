#include "platform/shell/link_text.h"

#include "platform/core/codepage.h"

namespace platform::shell {

bool needsUnicode(std::string_view utf8) {
  return ansiToUtf8(utf8ToAnsi(utf8)) != utf8;
}

std::string readTextZ(LinkByteReader& in, bool unicode, const char* what) {
  return unicode ? utf16ToUtf8(in.utf16z(what)) : ansiToUtf8(in.ansiz(what));
}

void writeTextZ(LinkByteWriter& out, std::string_view utf8, bool unicode) {
  if (unicode) {
    out.utf16(utf8ToUtf16(utf8));
    out.u16(0);
  } else {
    out.bytes(utf8ToAnsi(utf8));
    out.u8(0);
  }
}

}  // namespace platform::shell
