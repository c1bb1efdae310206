#pragma once

#include <QObject>

#include <memory>
#include <string>

#include "core/platform/timer.h"

namespace orvaltic::gui {

// Timers on the Qt event loop. Each timer is a periodic, precise QTimer, a child of this
// host's object and named after the timer, so a view or a test can find it with findChild.
// The equal-value rules are the core Timer's: a QTimer restarts even when set to the interval
// it already has, so only the core decides when to start it.
class QtTimerHost : public TimerHost {
 public:
  QtTimerHost();
  QtTimerHost(const QtTimerHost&) = delete;
  QtTimerHost& operator=(const QtTimerHost&) = delete;
  ~QtTimerHost() override;

  std::unique_ptr<Timer> CreateTimer(const std::string& name) override;

  // The parent of every QTimer made here.
  QObject* TimerParent() const { return parent_.get(); }

 private:
  std::unique_ptr<QObject> parent_;
};

}  // namespace orvaltic::gui
