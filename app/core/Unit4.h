#pragma once
// TForm4: the progress window's logic ("Please Wait"): the state its view
// shows. The show/hide routine and the button handlers are Core's
// (ShowProgressForm, CancelClick, MinimizeClick), since they act on the main
// window's flags.

#include "app/core/Ui.h"

namespace corvasta {

struct TForm4 {
  ProgressView view;
  bool cancelUnderWay = false;  // a cancel of the running operation was already handled
};

}  // namespace corvasta
