#include "core/platform/posted_boxes.h"

#include <algorithm>

namespace orvaltic {

namespace {
// Soon after the tick that posted: the next turn of the event loop.
constexpr int kPostDelayMs = 1;
}  // namespace

PostedBoxes::PostedBoxes(Timer& timer, Dialogs& dialogs) : timer_(timer), dialogs_(dialogs) {
  timer_.SetEnabled(false);
  timer_.SetInterval(kPostDelayMs);
}

void PostedBoxes::Post(const std::string& text, MessageKind kind, bool beep) {
  const bool known = open_ == text || std::any_of(waiting_.begin(), waiting_.end(),
                                                  [&](const Box& box) { return box.text == text; });
  if (known) {
    return;
  }
  waiting_.push_back({text, kind, beep});
  timer_.SetEnabled(true);
}

void PostedBoxes::ShowWaiting() {
  while (!waiting_.empty()) {
    const Box box = waiting_.front();
    waiting_.pop_front();
    open_ = box.text;
    if (box.beep) {
      dialogs_.Beep();
    }
    dialogs_.MessageBox(box.text, box.kind, MessageButtons::kOk);
    open_.reset();
  }
  timer_.SetEnabled(false);
}

}  // namespace orvaltic
