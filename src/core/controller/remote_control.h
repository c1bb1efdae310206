#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/cli/card_command.h"
#include "core/panels/panel_actions.h"
#include "core/platform/timer.h"
#include "core/radio/radio_card.h"

namespace orvaltic {

class RadioController;

// Where a running radio is found on the session bus: the media player's name and object, and
// our own interface on it through which orvaltic-card hands its commands to the radio.
inline constexpr char kMprisService[] = "org.mpris.MediaPlayer2.orvaltic";
inline constexpr char kMprisPath[] = "/org/mpris/MediaPlayer2";
inline constexpr char kCardInterface[] = "org.orvaltic.Card";

enum class PlaybackStatus { kStopped, kPlaying, kPaused };

// What the radio plays, as a media player's track.
struct NowPlaying {
  std::string frequency;  // FreqPanel's "%.3f" text
  std::string title;      // the station name of the preset tuned, else the frequency text
  int preset = 0;         // that preset (1..100), 0 when the frequency is no recalled preset's
  friend bool operator==(const NowPlaying&, const NowPlaying&) = default;
};

// What a remote (the desktop's media keys, a command handed over by orvaltic-card) may do with
// the radio. Every change presses the panel's buttons through the dispatcher, one event per
// press as the user's clicks would be, so the card gets the same bytes, errors show the same
// boxes and the panels show what the card plays.
class RemoteControl {
 public:
  struct Reply {
    int exit_code = kCardExitOk;  // as orvaltic-card would exit
    std::string message;          // why it was refused or stopped
    friend bool operator==(const Reply&, const Reply&) = default;
  };
  using Answer = std::function<void(const Reply&)>;

  // `accepting` tells whether the radio takes a remote's press now: not while a modal window
  // waits for the user's answer, as a click on a panel cannot reach it then either.
  RemoteControl(RadioController& radio, std::function<bool()> accepting);
  RemoteControl(const RemoteControl&) = delete;
  RemoteControl& operator=(const RemoteControl&) = delete;
  // Commands still waiting or under way are answered as not done.
  ~RemoteControl();

  // Stopped while the radio is off; on, Playing or Paused by the mute light.
  PlaybackStatus Status() const;
  NowPlaying Playing() const;

  // Power on when off, else unmute when muted.
  void Play();
  // Mutes a playing radio; nothing when off or muted.
  void Pause();
  void PlayPause();
  // The next / previous stored preset after CurrentPreset, wrapping over all 100 and skipping
  // empty and out-of-band ones; nothing while the radio is off.
  void Next();
  void Previous();
  // Turns the panels to preset n's page with the page buttons, then recalls it as its button
  // does; an armed memory does not make this a store.
  void RecallPreset(int n);

  // Exit code of a command meant for another port than this radio's card: the caller drives
  // that card itself.
  static constexpr int kOtherCard = 3;
  // Time between two volume presses: a 100 ms pulse, then as long again before the next.
  static constexpr int kVolumePressSpacingMs = 2 * RadioCard::kPulseMs;
  // An orvaltic-card command (its arguments after the program name), done by this radio after
  // the commands handed over before it. `answer` is called once the command is done, refused or
  // stopped, which may be before this returns: a volume command answers when the pulse of its
  // last press is over. Its presses are spaced in time; one that comes while a modal window is
  // open, the radio is muted or switched off stops the command there, and a command whose turn
  // comes while a modal window is open is refused. Nothing waits to run past a modal window.
  void RunCardCommand(const std::vector<std::string>& args, Answer answer);

 private:
  struct Queued {
    std::vector<std::string> args;
    Answer answer;
  };
  // The volume command whose presses are under way.
  struct Stepping {
    Answer answer;
    PanelAction button = PanelAction::kNone;
    int made = 0;
    int steps = 0;
  };

  void Press(ControlAction action);
  bool Muted() const;
  bool Stored(int n) const;
  // The next stored preset from `from` in `direction` (+1, -1), 0 when none is stored.
  int FindStored(int from, int direction) const;
  void Step(int direction);
  // Runs the queued commands until one starts volume presses or none is left.
  void RunQueue();
  // Starts `args`: the reply of a command that is done at once, nothing for volume presses
  // begun (stepping_ holds the answer then).
  std::optional<Reply> Start(const std::vector<std::string>& args, Answer& answer);
  // One tick of the volume presses: the next press, or the answer.
  void NextVolumePress();
  void FinishStepping(const Reply& reply);

  RadioController& radio_;
  std::function<bool()> accepting_;
  std::unique_ptr<Timer> volume_timer_;
  std::deque<Queued> queue_;
  std::optional<Stepping> stepping_;
  bool running_queue_ = false;
};

}  // namespace orvaltic
