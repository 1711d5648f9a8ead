#pragma once
// NAME.toc, the text that describes a simulated disc beside its NAME.img
// (docs/design.md):
//
//   ; a comment
//   kind cd-r
//   capacity 359999
//   status appendable
//   session 1 start 0 sectors 1000
//   session 2 start 12400 sectors 500
//
// One data track per session, numbered as its session.

#include <string>
#include <string_view>

#include "platform/core/errors.h"
#include "platform/scsi/disc.h"

namespace platform::scsi {

// A .toc that cannot be used: the message names the file, the line and what
// is wrong.
class DiscTocError : public corvasta::Error {
 public:
  DiscTocError(const std::string& file, int line, const std::string& what);
  int line() const { return line_; }

 private:
  int line_;
};

Disc parseDiscToc(std::string_view text, const std::string& fileName);
std::string formatDiscToc(const Disc& disc);

}  // namespace platform::scsi
