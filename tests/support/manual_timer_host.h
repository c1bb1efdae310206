#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/platform/timer.h"

namespace orvaltic::testing {

// Virtual time for tests. Advance(ms) fires every due timer in time order (ties in the order the
// timers were armed), including timers armed or re-armed by a handler during the advance. A
// handler may advance time itself (a box that stays open); the other timers fire meanwhile, but,
// as with Qt's timers, its own timer skips the ticks that fall due before it returns.
class ManualTimerHost : public TimerHost {
 public:
  ManualTimerHost();
  ~ManualTimerHost() override;

  std::unique_ptr<Timer> CreateTimer(const std::string& name) override;

  void Advance(std::int64_t ms);
  std::int64_t Now() const { return now_; }
  // Milliseconds until the named timer fires next; -1 when it is not running.
  std::int64_t DueIn(const std::string& name) const;

  struct Slot {
    Timer* timer = nullptr;
    bool armed = false;
    std::int64_t due = 0;
    int period = 0;
    std::uint64_t armed_seq = 0;
    bool firing = false;
  };

 private:
  class Backend;
  friend class Backend;

  std::vector<std::shared_ptr<Slot>> slots_;
  std::int64_t now_ = 0;
  std::uint64_t seq_ = 0;
};

}  // namespace orvaltic::testing
