#include "cdengine/MmcReplies.h"

namespace cdengine {

TrackInformation parseTrackInformation(const Reply& reply) {
  TrackInformation track;
  track.session = reply.at(3);
  track.trackStart = reply.be32(8);
  track.nextWritable = reply.be32(12);
  track.freeBlocks = reply.be32(16);
  track.fixedPacketSize = reply.be32(20);
  track.trackSize = reply.be32(24);
  track.lastRecorded = reply.be32(28);
  return track;
}

int DiscInformation::sessionCount() const {
  if (status == DiscStatus::Empty) return 0;
  return lastSessionState == 0 ? sessions - 1 : sessions;
}

DiscInformation parseDiscInformation(const Reply& reply) {
  DiscInformation disc;
  const uint8_t flags = reply.at(2);
  disc.status = static_cast<DiscStatus>(flags & 3);
  disc.lastSessionState = (flags >> 2) & 3;
  disc.erasable = (flags & 0x10) != 0;
  disc.sessions = static_cast<uint16_t>(reply.at(9) << 8 | reply.at(4));
  return disc;
}

std::optional<Atip> parseAtip(const Reply& reply) {
  // The data length must cover the lead-out start at bytes 12 to 14.
  if (reply.be16(0) + 2u < 15u || reply.size() < 15) return std::nullopt;
  if ((reply.at(6) & 0x80) == 0) return std::nullopt;
  Atip atip;
  atip.rewritable = (reply.at(6) & 0x40) != 0;
  atip.leadOutStart = reply.at(12) * 4500u + reply.at(13) * 75u + reply.at(14);
  return atip;
}

std::optional<uint32_t> parseFormatCapacity(const Reply& reply) {
  if (reply.at(3) < 8 || reply.size() < 12) return std::nullopt;
  return reply.be32(4);
}

uint16_t currentProfile(const Reply& reply) {
  if (reply.be32(0) < 4) return 0;
  return reply.be16(6);
}

FeatureState firstFeature(const Reply& reply, uint16_t feature) {
  FeatureState state;
  if (reply.be32(0) < 8 || reply.size() < 12 || reply.be16(8) != feature) return state;
  state.reported = true;
  state.current = (reply.at(10) & 1) != 0;
  return state;
}

size_t modePageOffset(const Reply& reply, uint8_t code) {
  const auto is = [&](size_t offset) { return (reply.at(offset) & 0x3F) == code; };
  if (is(16)) return 16;
  if (!is(8) && is(7)) return 7;
  return 8;
}

}  // namespace cdengine
