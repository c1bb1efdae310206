#include "core/platform/timer.h"

#include <utility>

namespace orvaltic {

Timer::Timer(std::string name, std::unique_ptr<TimerBackend> backend)
    : name_(std::move(name)), backend_(std::move(backend)) {}

Timer::~Timer() {
  if (running_) {
    backend_->Stop();
  }
}

void Timer::SetInterval(int ms) {
  if (ms == interval_) {
    return;
  }
  interval_ = ms;
  Update(/*restart=*/true);
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) {
    return;
  }
  enabled_ = enabled;
  Update(/*restart=*/false);
}

void Timer::SetOnTimer(std::function<void()> handler) {
  const bool had = static_cast<bool>(on_timer_);
  on_timer_ = std::move(handler);
  if (had != static_cast<bool>(on_timer_)) {
    Update(/*restart=*/false);
  }
}

void Timer::Update(bool restart) {
  const bool should_run = enabled_ && interval_ > 0 && on_timer_;
  if (!should_run) {
    if (running_) {
      backend_->Stop();
      running_ = false;
    }
    return;
  }
  if (!running_ || restart) {
    backend_->Start(interval_);
    running_ = true;
  }
}

void Timer::Fire() {
  if (!running_ || !on_timer_) {
    return;
  }
  // Copy: the handler may replace itself or destroy nothing else we touch afterwards.
  auto handler = on_timer_;
  handler();
}

}  // namespace orvaltic
