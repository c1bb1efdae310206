#pragma once

#include <functional>
#include <string>
#include <utility>

#include "core/platform/dialogs.h"
#include "core/platform/posted_boxes.h"

namespace orvaltic {

// Every user and timer event enters the core through here. A conversion or file error thrown
// by a handler has already ended that handler where it happened; the dispatcher shows its
// message in an error box and the program goes on.
class EventDispatcher {
 public:
  explicit EventDispatcher(Dialogs& dialogs) : dialogs_(dialogs) {}

  void Run(const std::function<void()>& handler);
  // A function that runs `handler` through this dispatcher.
  std::function<void()> Wrap(std::function<void()> handler);
  // The same for a timer's tick: an error's box is posted to `boxes` instead of being shown
  // inside the tick, which would hold that timer until the box is answered.
  std::function<void()> WrapTick(std::function<void()> handler, PostedBoxes& boxes);

  // Runs after every event, also after one that failed: the views re-render what changed.
  void SetAfterEvent(std::function<void()> after) { after_ = std::move(after); }

 private:
  void Dispatch(const std::function<void()>& handler,
                const std::function<void(const std::string&)>& report);
  void After();

  Dialogs& dialogs_;
  std::function<void()> after_;
};

}  // namespace orvaltic
