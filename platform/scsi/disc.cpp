#include "platform/scsi/disc.h"

namespace platform::scsi {
namespace {

struct KindInfo {
  DiscKind kind;
  const char* name;
  uint16_t profile;
  uint32_t capacity;
};

// DVD capacities of single-layer 4.7 GB media.
constexpr KindInfo kKinds[] = {
    {DiscKind::CdRom, "cd-rom", 0x0008, kCd80MinSectors},
    {DiscKind::CdR, "cd-r", 0x0009, kCd80MinSectors},
    {DiscKind::CdRw, "cd-rw", 0x000A, kCd80MinSectors},
    {DiscKind::DvdR, "dvd-r", 0x0011, 2298496},
    {DiscKind::DvdPlusR, "dvd+r", 0x001B, 2295104},
    {DiscKind::DvdPlusRw, "dvd+rw", 0x001A, 2295104},
};

const KindInfo& info(DiscKind kind) {
  for (const KindInfo& entry : kKinds)
    if (entry.kind == kind) return entry;
  return kKinds[0];
}

constexpr const char* kStatusNames[] = {"blank", "appendable", "closed"};

}  // namespace

std::string discKindName(DiscKind kind) {
  return info(kind).name;
}

std::optional<DiscKind> parseDiscKind(std::string_view name) {
  for (const KindInfo& entry : kKinds)
    if (name == entry.name) return entry.kind;
  return std::nullopt;
}

std::string discStatusName(DiscStatus status) {
  return kStatusNames[static_cast<int>(status)];
}

std::optional<DiscStatus> parseDiscStatus(std::string_view name) {
  for (int i = 0; i < 3; ++i)
    if (name == kStatusNames[i]) return static_cast<DiscStatus>(i);
  return std::nullopt;
}

bool isCd(DiscKind kind) {
  return kind == DiscKind::CdRom || kind == DiscKind::CdR || kind == DiscKind::CdRw;
}
bool isRecordable(DiscKind kind) {
  return kind != DiscKind::CdRom;
}
bool isRewritable(DiscKind kind) {
  return kind == DiscKind::CdRw || kind == DiscKind::DvdPlusRw;
}
bool isOverwritable(DiscKind kind) {
  return kind == DiscKind::DvdPlusRw;
}
uint16_t profileOf(DiscKind kind) {
  return info(kind).profile;
}
uint32_t defaultCapacity(DiscKind kind) {
  return info(kind).capacity;
}

uint32_t recordedEnd(const Disc& disc) {
  return disc.sessions.empty() ? 0 : disc.sessions.back().end();
}

uint32_t nextSessionStart(const Disc& disc) {
  if (disc.sessions.empty() || isOverwritable(disc.kind)) return 0;
  uint32_t end = recordedEnd(disc);
  // DVD sessions follow one another on a 16-sector (ECC block) boundary.
  if (!isCd(disc.kind)) return (end + 15) / 16 * 16;
  return end + (disc.sessions.size() == 1 ? kCdFirstSessionGap : kCdLaterSessionGap);
}

DiscProblem discProblem(const Disc& disc) {
  if (disc.capacity == 0) return {"a disc needs a capacity of at least one sector"};
  if (disc.status == DiscStatus::Blank && !disc.sessions.empty())
    return {"a blank disc has no sessions"};
  if (disc.status != DiscStatus::Blank && disc.sessions.empty() && !isOverwritable(disc.kind))
    return {"a disc that is not blank needs a session"};
  if (disc.kind == DiscKind::CdRom && disc.status != DiscStatus::Closed)
    return {"a pressed cd-rom is closed"};
  if (isOverwritable(disc.kind) && disc.sessions.size() > 1) return {"a dvd+rw holds one session"};
  if (isOverwritable(disc.kind) && disc.status == DiscStatus::Appendable)
    return {"a dvd+rw is blank (unformatted) or closed (formatted)"};
  uint64_t minimumStart = 0;
  for (size_t i = 0; i < disc.sessions.size(); ++i) {
    const DiscSession& session = disc.sessions[i];
    const std::string name = "session " + std::to_string(i + 1);
    if (session.sectors == 0) return {name + " has no sectors", i + 1};
    if (session.start < minimumStart)
      return {name + " starts before the end of the one before it", i + 1};
    if (uint64_t(session.start) + session.sectors > disc.capacity)
      return {name + " ends beyond the capacity", i + 1};
    minimumStart = uint64_t(session.start) + session.sectors;
  }
  return {};
}

}  // namespace platform::scsi
