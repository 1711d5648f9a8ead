#pragma once
// A disc in a simulated drive: its kind, capacity, the sessions written on
// it (one data track each) and whether it can take another session.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::scsi {

enum class DiscKind { CdRom, CdR, CdRw, DvdR, DvdPlusR, DvdPlusRw };
enum class DiscStatus { Blank, Appendable, Closed };

struct DiscSession {
  uint32_t start = 0;
  uint32_t sectors = 0;
  uint32_t end() const { return start + sectors; }
  bool operator==(const DiscSession&) const = default;
};

struct Disc {
  DiscKind kind = DiscKind::CdR;
  uint32_t capacity = 0;  // sectors of 2048 bytes
  DiscStatus status = DiscStatus::Blank;
  std::vector<DiscSession> sessions;
  bool operator==(const Disc&) const = default;
};

// Sectors of an 80-minute CD (ATIP lead-out 79:59:74) and a 74-minute one.
constexpr uint32_t kCd80MinSectors = 359999;
constexpr uint32_t kCd74MinSectors = 332999;
// Lead-out, lead-in and pre-gap between a CD's sessions: after the first
// session, and after later ones.
constexpr uint32_t kCdFirstSessionGap = 11400;
constexpr uint32_t kCdLaterSessionGap = 6900;
// The lead-out part of those gaps; the next lead-in follows it.
constexpr uint32_t kCdFirstLeadOut = 6750;
constexpr uint32_t kCdLaterLeadOut = 2250;

// "cd-rom", "cd-r", "cd-rw", "dvd-r", "dvd+r", "dvd+rw".
std::string discKindName(DiscKind kind);
std::optional<DiscKind> parseDiscKind(std::string_view name);
std::string discStatusName(DiscStatus status);  // "blank", "appendable", "closed"
std::optional<DiscStatus> parseDiscStatus(std::string_view name);

bool isCd(DiscKind kind);
bool isRecordable(DiscKind kind);  // anything but a pressed cd-rom
bool isRewritable(DiscKind kind);  // cd-rw, dvd+rw
// dvd+rw: written anywhere once formatted, not session by session.
bool isOverwritable(DiscKind kind);
uint16_t profileOf(DiscKind kind);  // the MMC profile, 0008h for a cd-rom ...
uint32_t defaultCapacity(DiscKind kind);

// Where the next session's track starts on a disc that is not closed.
uint32_t nextSessionStart(const Disc& disc);
// One past the last recorded sector (0 on a blank disc).
uint32_t recordedEnd(const Disc& disc);

// What is wrong with a disc's description (sessions out of order or beyond
// the capacity, a blank disc with sessions ...): the text, empty when it is
// sound, and the session it concerns (1 for the first; 0 for the disc).
struct DiscProblem {
  std::string what;
  size_t session = 0;
};
DiscProblem discProblem(const Disc& disc);

}  // namespace platform::scsi
