#include "app/MarqueeScroll.h"

namespace corvasta {
namespace {

constexpr int64_t kStepPixels = 2;

}  // namespace

MarqueeFrame MarqueeScroll::restart(int64_t panelWidth) {
  return showFrom(0, panelWidth);
}

MarqueeFrame MarqueeScroll::showFrom(int64_t leadWidth, int64_t panelWidth) {
  position_ = leadWidth + panelWidth;
  return {panelWidth - position_, false};
}

MarqueeFrame MarqueeScroll::step(int64_t loopWidth, int64_t panelWidth) {
  if (loopWidth < position_) position_ = 1;
  MarqueeFrame frame;
  if (position_ < panelWidth)
    frame = {panelWidth - loopWidth - position_, true};
  else
    frame = {panelWidth - position_, false};
  position_ += kStepPixels;
  return frame;
}

}  // namespace corvasta
