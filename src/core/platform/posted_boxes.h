#pragma once

#include <deque>
#include <optional>
#include <string>

#include "core/platform/dialogs.h"
#include "core/platform/timer.h"

namespace orvaltic {

// Message boxes raised by a timer's tick. A box is modal: it runs a nested event loop until the
// user answers it, and the timers keep firing in that loop, all but the one whose handler opened
// the box, which waits for its handler to return. So a tick that has to go on (the schedule
// watching for a program's end) never shows a box itself: it posts it here, and the box opens
// from a timer of its own once the tick has returned.
//
// Boxes open one after another, in the order posted. A box whose text is already waiting or open
// is not posted again, so that a fault met on every tick raises one box, not ten a second.
class PostedBoxes {
 public:
  // `timer` is the queue's own; its handler is to call ShowWaiting (through the dispatcher).
  PostedBoxes(Timer& timer, Dialogs& dialogs);
  PostedBoxes(const PostedBoxes&) = delete;
  PostedBoxes& operator=(const PostedBoxes&) = delete;

  // The box opens shortly after the present event; `beep` sounds the default beep first.
  void Post(const std::string& text, MessageKind kind, bool beep);
  // Shows every box waiting, including those posted while one is open.
  void ShowWaiting();
  bool Waiting() const { return !waiting_.empty(); }

 private:
  struct Box {
    std::string text;
    MessageKind kind;
    bool beep;
  };

  Timer& timer_;
  Dialogs& dialogs_;
  std::deque<Box> waiting_;
  std::optional<std::string> open_;
};

}  // namespace orvaltic
