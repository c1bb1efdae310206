#include "support/manual_timer_host.h"

#include <algorithm>

namespace orvaltic::testing {

class ManualTimerHost::Backend : public TimerBackend {
 public:
  Backend(ManualTimerHost& host, std::shared_ptr<Slot> slot)
      : host_(host), slot_(std::move(slot)) {}
  ~Backend() override { slot_->timer = nullptr; }

  void Start(int ms) override {
    slot_->armed = true;
    slot_->period = ms;
    slot_->due = host_.now_ + ms;
    slot_->armed_seq = ++host_.seq_;
  }
  void Stop() override { slot_->armed = false; }

 private:
  ManualTimerHost& host_;
  std::shared_ptr<Slot> slot_;
};

ManualTimerHost::ManualTimerHost() = default;
ManualTimerHost::~ManualTimerHost() = default;

std::unique_ptr<Timer> ManualTimerHost::CreateTimer(const std::string& name) {
  auto slot = std::make_shared<Slot>();
  auto timer = std::make_unique<Timer>(name, std::make_unique<Backend>(*this, slot));
  slot->timer = timer.get();
  slots_.push_back(slot);
  return timer;
}

void ManualTimerHost::Advance(std::int64_t ms) {
  const std::int64_t target = now_ + ms;
  for (;;) {
    std::shared_ptr<Slot> next;
    for (const auto& slot : slots_) {
      if (slot->timer == nullptr || !slot->armed || slot->due > target) {
        continue;
      }
      if (!next || slot->due < next->due ||
          (slot->due == next->due && slot->armed_seq < next->armed_seq)) {
        next = slot;
      }
    }
    if (!next) {
      break;
    }
    now_ = next->due;
    // The next period counts from this tick; a handler that re-arms the timer overrides it.
    next->due = now_ + next->period;
    next->armed_seq = ++seq_;
    if (next->firing) {
      // As on the GUI's event loop: a timer whose handler is still running (it opened a box that
      // advances time) misses its ticks until the handler returns.
      continue;
    }
    next->firing = true;
    next->timer->Fire();
    next->firing = false;
  }
  // A handler that advanced time itself may have gone past the target: time never runs back.
  now_ = std::max(now_, target);
  std::erase_if(slots_, [](const auto& slot) { return slot->timer == nullptr; });
}

std::int64_t ManualTimerHost::DueIn(const std::string& name) const {
  for (const auto& slot : slots_) {
    if (slot->timer != nullptr && slot->timer->Name() == name) {
      return slot->armed ? slot->due - now_ : -1;
    }
  }
  return -1;
}

}  // namespace orvaltic::testing
