#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/clock.h"
#include "core/platform/help.h"
#include "core/platform/sound.h"

namespace orvaltic::testing {

// A clock that shows what the test sets.
class FixedClock : public Clock {
 public:
  explicit FixedClock(DateTime now = {2026, 12, 8, 15, 30, 0, 0}) : now_(now) {}
  DateTime Now() const override { return now_; }
  DateLocale Locale() const override { return locale_; }
  void Set(const DateTime& now) { now_ = now; }
  void SetLocale(DateLocale locale) { locale_ = std::move(locale); }

 private:
  DateTime now_;
  DateLocale locale_;
};

// Records help requests.
class RecordingHelp : public Help {
 public:
  struct Call {
    std::string file;
    unsigned command;
    std::uint32_t data;
    friend bool operator==(const Call&, const Call&) = default;
  };
  bool WinHelp(const std::string& help_file, unsigned command, std::uint32_t data) override {
    calls.push_back({help_file, command, data});
    return true;
  }
  std::vector<Call> calls;
};

// Records PlaySound calls without playing anything.
class RecordingSound : public Sound {
 public:
  struct Call {
    std::string name;
    unsigned flags;
    friend bool operator==(const Call&, const Call&) = default;
  };
  bool PlaySound(const std::string& name, unsigned flags) override {
    calls.push_back({name, flags});
    return true;
  }
  std::vector<Call> calls;
};

// An audio device that records what it was asked to play.
class RecordingAudioOutput : public AudioOutput {
 public:
  bool PlayFile(const std::string& path, bool loop) override {
    events.push_back((loop ? "loop " : "once ") + path);
    return accept_files;
  }
  void PlayDefault(bool loop) override { events.push_back(loop ? "loop default" : "once default"); }
  void Stop() override { events.push_back("stop"); }

  bool accept_files = true;
  std::vector<std::string> events;
};

}  // namespace orvaltic::testing
