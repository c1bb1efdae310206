#include "core/platform/dispatcher.h"

#include <exception>
#include <utility>

#include "core/platform/errors.h"

namespace orvaltic {

void EventDispatcher::Run(const std::function<void()>& handler) {
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
