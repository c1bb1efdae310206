#include "core/platform/dispatcher.h"

#include <exception>
#include <utility>

#include "core/platform/errors.h"

namespace orvaltic {

void EventDispatcher::Run(const std::function<void()>& handler) {
  // Events of a nested loop (a modal box inside a handler) come through here too, so the views
  // also follow timers that fire while a box is open.
  Dispatch(handler);
  if (after_) {
    after_();
  }
}

void EventDispatcher::Dispatch(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const ConvertError& e) {
    dialogs_.MessageBox(e.what(), MessageKind::kError, MessageButtons::kOk);
  } catch (const InOutError& e) {
    dialogs_.MessageBox(e.what(), MessageKind::kError, MessageButtons::kOk);
  } catch (const std::exception& e) {
    // Nothing else is expected to escape a handler; if it does, the user still gets the
    // message and keeps a running radio instead of a crash.
    dialogs_.MessageBox(e.what(), MessageKind::kError, MessageButtons::kOk);
  }
}

std::function<void()> EventDispatcher::Wrap(std::function<void()> handler) {
  return [this, h = std::move(handler)] { Run(h); };
}

}  // namespace orvaltic
