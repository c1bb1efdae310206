#pragma once

#include <functional>

#include "core/platform/dialogs.h"

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

 private:
  Dialogs& dialogs_;
};

}  // namespace orvaltic
