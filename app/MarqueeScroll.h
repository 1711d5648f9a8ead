#pragma once
// The marquee's scroll arithmetic, in pixels: the text runs from right to
// left through the status panel in an endless loop, three blanks between
// its repetitions. The view measures the texts and draws where this says.

#include <cstdint>

namespace corvasta {

// Where to draw: the text once, or the text, three blanks and the text again.
struct MarqueeFrame {
  int64_t x = 0;
  bool twice = false;
  friend bool operator==(const MarqueeFrame&, const MarqueeFrame&) = default;
};

class MarqueeScroll {
 public:
  int64_t position() const { return position_; }

  // A new text, or the Backup tab: starts over with the text's beginning at
  // the panel's left edge.
  MarqueeFrame restart(int64_t panelWidth);
  // Shows the text from the pixel offset `leadWidth` on at the panel's left
  // edge (the RegPack tab brings the RegPack status into view so).
  MarqueeFrame showFrom(int64_t leadWidth, int64_t panelWidth);
  // One step of the timer. `loopWidth`: the width of the text and three
  // blanks.
  MarqueeFrame step(int64_t loopWidth, int64_t panelWidth);

 private:
  int64_t position_ = 0;
};

}  // namespace corvasta
