#pragma once
// What a page builder of a dialog over a logic form needs: the parent of its
// widgets, `press` to hand a user change to a handler (errors reported, the
// whole dialog refreshed afterwards), and the list of refreshers that show
// the form's state again after every handler.

#include <functional>
#include <vector>

class QWidget;

namespace corvasta {

struct BoundContext {
  QWidget* parent;
  // Runs a handler (errors reported) and refreshes the whole dialog.
  std::function<void(const std::function<void()>&)> press;
  std::vector<std::function<void()>>* refreshers;

  void onRefresh(std::function<void()> refresher) const {
    refreshers->push_back(std::move(refresher));
  }
};

}  // namespace corvasta
