#pragma once

#include <string>
#include <vector>

#include "core/cli/card_command.h"
#include "core/panels/panel_actions.h"

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
  explicit RemoteControl(RadioController& radio) : radio_(radio) {}

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

  struct Reply {
    int exit_code = kCardExitOk;  // as orvaltic-card would exit
    std::string message;          // why it was refused
  };
  // Exit code of a command meant for another port than this radio's card: the caller drives
  // that card itself.
  static constexpr int kOtherCard = 3;
  // An orvaltic-card command (its arguments after the program name) done by this radio. Volume
  // steps are left to the caller, which spaces the presses in time: `volume_steps` says how
  // many presses of which button are still to be made (0 for other commands).
  Reply RunCardCommand(const std::vector<std::string>& args, int& volume_steps,
                       PanelAction& volume_button);
  // One press of a volume button.
  void PressVolume(PanelAction button) { Press({button, 0}); }

 private:
  void Press(ControlAction action);
  bool Muted() const;
  bool Stored(int n) const;
  // The next stored preset from `from` in `direction` (+1, -1), 0 when none is stored.
  int FindStored(int from, int direction) const;
  void Step(int direction);

  RadioController& radio_;
};

}  // namespace orvaltic
