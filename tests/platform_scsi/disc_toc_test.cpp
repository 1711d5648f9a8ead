// NAME.toc: the disc description read back as written, and each mistake in
// one reported with the file and line.
#include <gtest/gtest.h>

#include "platform/scsi/disc_toc_file.h"

namespace {

using platform::scsi::Disc;
using platform::scsi::DiscKind;
using platform::scsi::DiscStatus;
using platform::scsi::DiscTocError;
using platform::scsi::parseDiscToc;

std::string errorOf(const std::string& text) {
  try {
    parseDiscToc(text, "E/disc.toc");
  } catch (const DiscTocError& error) {
    return error.what();
  }
  return "no error";
}

TEST(DiscToc, RoundTrip) {
  Disc disc{DiscKind::CdRw, 332999, DiscStatus::Appendable, {{0, 1000}, {12400, 20}}};
  std::string text = platform::scsi::formatDiscToc(disc);
  EXPECT_EQ(parseDiscToc(text, "x.toc"), disc);
  EXPECT_EQ(text.substr(text.find("kind")),
            "kind cd-rw\ncapacity 332999\nstatus appendable\nsession 1 start 0 sectors 1000\n"
            "session 2 start 12400 sectors 20\n");
}

TEST(DiscToc, CommentsBlankLinesAndDefaults) {
  Disc disc = parseDiscToc("; mine\r\n\n  kind   dvd+r \nstatus blank\n# more\n", "x.toc");
  EXPECT_EQ(disc.kind, DiscKind::DvdPlusR);
  EXPECT_EQ(disc.capacity, 2295104u);  // the kind's usual capacity
}

TEST(DiscToc, ErrorsNameTheFileAndLine) {
  const std::string head = "kind cd-r\nstatus appendable\n";
  EXPECT_EQ(errorOf("kind cd-x\n"),
            "E/disc.toc line 1: unknown disc kind 'cd-x' (expected cd-rom, cd-r, cd-rw, dvd-r, "
            "dvd+r or dvd+rw)");
  EXPECT_EQ(errorOf("kind cd-r\nkind cd-rw\n"), "E/disc.toc line 2: a second 'kind' line");
  EXPECT_EQ(errorOf("kind\n"), "E/disc.toc line 1: expected 'kind NAME'");
  EXPECT_EQ(errorOf("kind cd-r\ncapacity lots\n"),
            "E/disc.toc line 2: 'lots' is not a number of sectors");
  EXPECT_EQ(errorOf("kind cd-r\ncapacity 99999999999\n"),
            "E/disc.toc line 2: '99999999999' is not a number of sectors");
  EXPECT_EQ(errorOf("kind cd-r\nstatus full\n"),
            "E/disc.toc line 2: unknown status 'full' (expected blank, appendable or closed)");
  EXPECT_EQ(errorOf(head + "session 2 start 0 sectors 5\n"),
            "E/disc.toc line 3: session 2 is out of order (expected 1)");
  EXPECT_EQ(errorOf(head + "session 1 begin 0 sectors 5\n"),
            "E/disc.toc line 3: expected 'session N start LBA sectors COUNT'");
  EXPECT_EQ(errorOf(head + "session 1 start 0 sectors 0\n"),
            "E/disc.toc line 3: session 1 has no sectors");
  EXPECT_EQ(errorOf(head + "session 1 start 0 sectors 100\nsession 2 start 50 sectors 5\n"),
            "E/disc.toc line 4: session 2 starts before the end of the one before it");
  EXPECT_EQ(errorOf(head + "capacity 10\nsession 1 start 0 sectors 11\n"),
            "E/disc.toc line 4: session 1 ends beyond the capacity");
  EXPECT_EQ(errorOf(head + "track 1\n"),
            "E/disc.toc line 3: unknown line 'track 1' (expected kind, capacity, status or "
            "session)");
  EXPECT_EQ(errorOf("status blank\n"), "E/disc.toc: no 'kind' line");
  EXPECT_EQ(errorOf("kind cd-r\n"), "E/disc.toc: no 'status' line");
  EXPECT_EQ(errorOf(head), "E/disc.toc: a disc that is not blank needs a session");
  EXPECT_EQ(errorOf("kind cd-r\nstatus blank\nsession 1 start 0 sectors 4\n"),
            "E/disc.toc: a blank disc has no sessions");
  EXPECT_EQ(errorOf("kind cd-rom\nstatus appendable\nsession 1 start 0 sectors 4\n"),
            "E/disc.toc: a pressed cd-rom is closed");
  EXPECT_EQ(errorOf("kind cd-r\ncapacity 0\nstatus blank\n"),
            "E/disc.toc: a disc needs a capacity of at least one sector");
}

}  // namespace
