#include "core/controller/remote_control.h"

#include "core/controller/radio_controller.h"
#include "core/platform/numbers.h"
#include "core/platform/printable_text.h"
#include "core/presets/station_lookup.h"
#include "core/radio/radio_limits.h"

namespace orvaltic {

namespace {

constexpr int kPageCount = 10;
// How much of a user's text a refusal repeats. orvaltic-card escapes what it prints.
constexpr std::size_t kShownArgumentBytes = 60;

}  // namespace

bool RemoteControl::Muted() const {
  return radio_.panels().Main().MuteBtnLight == kLime;
}

PlaybackStatus RemoteControl::Status() const {
  if (!radio_.PowerOn()) {
    return PlaybackStatus::kStopped;
  }
  return Muted() ? PlaybackStatus::kPaused : PlaybackStatus::kPlaying;
}

NowPlaying RemoteControl::Playing() const {
  NowPlaying playing;
  const PanelSurface& main = radio_.panels().Main();
  playing.frequency = main.FreqPanel.caption;
  playing.title = playing.frequency;
  const int preset = radio_.preset_buttons().CurrentPreset();
  // The preset last recalled is what plays only while the display still shows it: a direct
  // tuning or a tuning step since has left it.
  if (preset >= 1 && preset <= kPresetCount && main.PresetDisplay.caption != kDirectMark &&
      FormatFixed3(radio_.presets().PresetFreq(preset)) == playing.frequency) {
    playing.preset = preset;
    if (!radio_.presets().StationName(preset).empty()) {
      playing.title = radio_.presets().StationName(preset);
    }
  }
  return playing;
}

void RemoteControl::Press(ControlAction action) {
  radio_.dispatcher().Run([&] { radio_.Perform(action, 1); });
}

void RemoteControl::Play() {
  if (!radio_.PowerOn()) {
    Press({PanelAction::kPower, 0});
  } else if (Muted()) {
    Press({PanelAction::kMute, 0});
  }
}

void RemoteControl::Pause() {
  if (Status() == PlaybackStatus::kPlaying) {
    Press({PanelAction::kMute, 0});
  }
}

void RemoteControl::PlayPause() {
  if (Status() == PlaybackStatus::kPlaying) {
    Pause();
  } else {
    Play();
  }
}

bool RemoteControl::Stored(int n) const {
  return InBand(radio_.presets().PresetFreq(n));
}

int RemoteControl::FindStored(int from, int direction) const {
  int n = from;
  for (int i = 0; i < kPresetCount; ++i) {
    n += direction;
    if (n > kPresetCount) {
      n = 1;
    } else if (n < 1) {
      n = kPresetCount;
    }
    if (Stored(n)) {
      return n;
    }
  }
  return 0;
}

void RemoteControl::Step(int direction) {
  if (!radio_.PowerOn()) {
    return;
  }
  if (const int n = FindStored(radio_.preset_buttons().CurrentPreset(), direction); n != 0) {
    RecallPreset(n);
  }
}

void RemoteControl::Next() {
  Step(+1);
}
void RemoteControl::Previous() {
  Step(-1);
}

void RemoteControl::RecallPreset(int n) {
  const PresetButtons& buttons = radio_.preset_buttons();
  const int forward =
      ((n - 1) / kPageCount - buttons.PresetOffset() / kPageCount + kPageCount) % kPageCount;
  // The shorter way round, as a user would page.
  const bool ahead = forward <= kPageCount / 2;
  for (int i = 0; i < (ahead ? forward : kPageCount - forward); ++i) {
    const int offset = buttons.PresetOffset();
    Press({ahead ? PanelAction::kNextPage : PanelAction::kPreviousPage, 0});
    if (buttons.PresetOffset() == offset) {
      return;  // the page buttons did nothing (the radio is off)
    }
  }
  Press({PanelAction::kPreset, n - buttons.PresetOffset()});
}

RemoteControl::Reply RemoteControl::RunCardCommand(const std::vector<std::string>& args,
                                                   int& volume_steps, PanelAction& volume_button) {
  volume_steps = 0;
  const ParsedCardCommand parsed = ParseCardCommand(args);
  if (!parsed.command) {
    return {kCardExitUsage, parsed.error};
  }
  const CardCommand& command = *parsed.command;
  if (command.port && *command.port != radio_.options().CardPort) {
    return {kOtherCard, "the radio drives another port"};
  }
  using Action = CardCommand::Action;
  if (command.action == Action::kHelp) {
    return {kOtherCard, ""};
  }
  if (!radio_.PowerOn()) {
    return {kCardExitUsage, "the radio is switched off"};
  }
  switch (command.action) {
    case Action::kTune: {
      const std::string text = FormatFixed3(command.mhz);
      radio_.dispatcher().Run([&] { radio_.preset_buttons().AccessPreset(text); });
      break;
    }
    case Action::kPreset:
      if (!Stored(command.preset)) {
        return {kCardExitUsage, "preset " + FormatInt(command.preset) + " is empty or out of band"};
      }
      RecallPreset(command.preset);
      break;
    case Action::kStation: {
      const std::optional<int> preset = FindStationPreset(radio_.presets(), command.station);
      if (!preset) {
        return {kCardExitUsage, "no station name of the running radio contains '" +
                                    CutText(command.station, kShownArgumentBytes) + "'"};
      }
      if (!Stored(*preset)) {
        return {kCardExitUsage, "preset " + FormatInt(*preset) + " is empty or out of band"};
      }
      RecallPreset(*preset);
      break;
    }
    case Action::kMute:
      if (!Muted()) {
        Press({PanelAction::kMute, 0});
      }
      break;
    case Action::kUnMute:
      if (Muted()) {
        Press({PanelAction::kMute, 0});
      }
      break;
    case Action::kVolumeUp:
    case Action::kVolumeDown:
      if (Muted()) {
        return {kCardExitUsage, "the radio is muted"};
      }
      volume_button =
          command.action == Action::kVolumeUp ? PanelAction::kVolumeUp : PanelAction::kVolumeDown;
      volume_steps = command.steps;
      break;
    case Action::kHelp:
      break;
  }
  return {};
}

}  // namespace orvaltic
