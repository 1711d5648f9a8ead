// NAME.toc text: parseDiscToc may only reject bad text with DiscTocError,
// never crash; a disc it accepts is sound and survives its own round trip.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/scsi/disc_toc_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    platform::scsi::Disc disc = platform::scsi::parseDiscToc(text, "fuzz.toc");
    if (!platform::scsi::discProblem(disc).what.empty()) std::abort();
    std::string again = platform::scsi::formatDiscToc(disc);
    if (!(platform::scsi::parseDiscToc(again, "again.toc") == disc)) std::abort();
  } catch (const platform::scsi::DiscTocError&) {
  }
  return 0;
}
