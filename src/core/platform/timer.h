#pragma once

#include <functional>
#include <memory>
#include <string>

namespace orvaltic {

// What a timer host provides for one timer: start a periodic countdown of `ms`, or stop it.
// Start() while running restarts the period from now.
class TimerBackend {
 public:
  virtual ~TimerBackend() = default;
  virtual void Start(int ms) = 0;
  virtual void Stop() = 0;
};

// A named periodic timer on the GUI thread.
//
// Setting the interval or the enabled state to the value it already has does nothing, so a
// running timer is not restarted; a changed interval restarts a running timer; enabling a
// disabled timer starts a fresh period. A timer runs only while it is enabled, its interval is
// above zero and it has a handler. The semantics live here, once, so that every host (Qt,
// manual test clock) behaves alike.
class Timer {
 public:
  Timer(std::string name, std::unique_ptr<TimerBackend> backend);
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer();

  const std::string& Name() const { return name_; }
  int Interval() const { return interval_; }
  bool Enabled() const { return enabled_; }
  bool Running() const { return running_; }

  void SetInterval(int ms);
  void SetEnabled(bool enabled);
  void SetOnTimer(std::function<void()> handler);

  // Called by the backend when a period has elapsed.
  void Fire();

 private:
  void Update(bool restart);

  std::string name_;
  std::unique_ptr<TimerBackend> backend_;
  std::function<void()> on_timer_;
  int interval_ = 1000;
  bool enabled_ = true;
  bool running_ = false;
};

// Makes timers. The host keeps nothing the timer needs after creation; a timer may be
// destroyed before its host is.
class TimerHost {
 public:
  virtual ~TimerHost() = default;
  // A new timer: enabled, interval 1000 ms and no handler, like a freshly placed timer component;
  // callers set what they need.
  virtual std::unique_ptr<Timer> CreateTimer(const std::string& name) = 0;
};

}  // namespace orvaltic
