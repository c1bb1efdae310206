#include "core/platform/dispatcher.h"

#include <exception>
#include <utility>

#include "core/platform/errors.h"

namespace orvaltic {

void EventDispatcher::Run(const std::function<void()>& handler) {
  // Events of a nested loop (a modal box inside a handler) come through here too, so the views
  // also follow timers that fire while a box is open.
  Dispatch(handler, [this](const std::string& message) {
    dialogs_.MessageBox(message, MessageKind::kError, MessageButtons::kOk);
  });
  After();
}

void EventDispatcher::Dispatch(const std::function<void()>& handler,
                               const std::function<void(const std::string&)>& report) {
  try {
    handler();
  } catch (const ConvertError& e) {
    report(e.what());
  } catch (const InOutError& e) {
    report(e.what());
  } catch (const std::exception& e) {
    // Nothing else is expected to escape a handler; if it does, the user still gets the
    // message and keeps a running radio instead of a crash.
    report(e.what());
  }
}

void EventDispatcher::After() {
  if (after_) {
    after_();
  }
}

std::function<void()> EventDispatcher::Wrap(std::function<void()> handler) {
  return [this, h = std::move(handler)] { Run(h); };
}

std::function<void()> EventDispatcher::WrapTick(std::function<void()> handler, PostedBoxes& boxes) {
  return [this, h = std::move(handler), &boxes] {
    Dispatch(h, [&boxes](const std::string& message) {
      boxes.Post(message, MessageKind::kError, /*beep=*/false);
    });
    After();
  };
}

}  // namespace orvaltic
