#include "core/controller/remote_control.h"

#include <cstdint>
#include <utility>

#include "core/controller/radio_controller.h"
#include "core/platform/numbers.h"
#include "core/platform/printable_text.h"
#include "core/presets/station_lookup.h"
#include "core/radio/radio_limits.h"

namespace orvaltic {

namespace {

constexpr int kPageCount = 10;
constexpr char kWindowOpen[] = "the radio has a window open that waits for an answer";
// How much of a user's text a refusal repeats. orvaltic-card escapes what it prints.
constexpr std::size_t kShownArgumentBytes = 60;

}  // namespace

RemoteControl::RemoteControl(RadioController& radio, std::function<bool()> accepting)
    : radio_(radio),
      accepting_(std::move(accepting)),
      volume_timer_(radio.timers().CreateTimer("RemoteVolumeTimer")) {
  volume_timer_->SetEnabled(false);
  volume_timer_->SetInterval(kVolumePressSpacingMs);
  volume_timer_->SetOnTimer([this] { NextVolumePress(); });
}

RemoteControl::~RemoteControl() {
  volume_timer_->SetEnabled(false);
  // The callers learn at once that their commands were not done.
  if (stepping_) {
    stepping_->answer({kCardExitUnreachable, "the radio closed after " +
                                                 FormatInt(stepping_->made) + " of " +
                                                 FormatInt(stepping_->steps) + " volume steps"});
  }
  for (const Queued& queued : queue_) {
    queued.answer({kCardExitUnreachable, "the radio closed before the command's turn came"});
  }
}

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
  // A recall, never a store: the memory light may be lit from the user's "M", and a media key
  // or a command must not overwrite the preset it names with the frequency shown.
  radio_.dispatcher().Run(
      [&] { radio_.preset_buttons().RecallPresetButton(n - buttons.PresetOffset()); });
}

void RemoteControl::RunCardCommand(const std::vector<std::string>& args, Answer answer) {
  queue_.push_back({args, std::move(answer)});
  RunQueue();
}

void RemoteControl::RunQueue() {
  // A press that opens a box runs a nested event loop, in which further commands may arrive:
  // they wait for the loop below.
  if (running_queue_) {
    return;
  }
  running_queue_ = true;
  while (!stepping_ && !queue_.empty()) {
    Queued next = std::move(queue_.front());
    queue_.pop_front();
    if (!accepting_()) {
      next.answer({kCardExitUsage, kWindowOpen});
      continue;
    }
    if (const std::optional<Reply> reply = Start(next.args, next.answer)) {
      next.answer(*reply);
    }
  }
  running_queue_ = false;
}

void RemoteControl::NextVolumePress() {
  if (!stepping_) {
    volume_timer_->SetEnabled(false);
    return;
  }
  Stepping& stepping = *stepping_;
  if (stepping.made == stepping.steps) {
    FinishStepping({});
    return;
  }
  std::string why;
  if (!accepting_()) {
    why = kWindowOpen;
  } else if (!radio_.PowerOn()) {
    why = "the radio was switched off";
  } else if (Muted()) {
    why = "the radio was muted";
  }
  if (!why.empty()) {
    FinishStepping({kCardExitUnreachable, "stopped after " + FormatInt(stepping.made) + " of " +
                                              FormatInt(stepping.steps) + " volume steps: " + why});
    return;
  }
  ++stepping.made;
  Press({stepping.button, 0});
}

void RemoteControl::FinishStepping(const Reply& reply) {
  volume_timer_->SetEnabled(false);
  const Answer answer = std::move(stepping_->answer);
  stepping_.reset();
  answer(reply);
  RunQueue();
}

std::optional<RemoteControl::Reply> RemoteControl::Start(const std::vector<std::string>& args,
                                                         Answer& answer) {
  const ParsedCardCommand parsed = ParseCardCommand(args);
  if (!parsed.command) {
    return Reply{kCardExitUsage, parsed.error};
  }
  const CardCommand& command = *parsed.command;
  // Only the low 16 bits of CardPort address the card.
  const auto card_port =
      static_cast<std::uint16_t>(static_cast<std::uint32_t>(radio_.options().CardPort) & 0xFFFFu);
  if (command.port && *command.port != card_port) {
    return Reply{kOtherCard, "the radio drives another port"};
  }
  using Action = CardCommand::Action;
  if (command.action == Action::kHelp) {
    return Reply{kOtherCard, ""};
  }
  if (!radio_.PowerOn()) {
    return Reply{kCardExitUsage, "the radio is switched off"};
  }
  switch (command.action) {
    case Action::kTune: {
      const std::string text = FormatFixed3(command.mhz);
      radio_.dispatcher().Run([&] { radio_.preset_buttons().AccessPreset(text); });
      break;
    }
    case Action::kPreset:
      if (!Stored(command.preset)) {
        return Reply{kCardExitUsage,
                     "preset " + FormatInt(command.preset) + " is empty or out of band"};
      }
      RecallPreset(command.preset);
      break;
    case Action::kStation: {
      const std::optional<int> preset = FindStationPreset(radio_.presets(), command.station);
      if (!preset) {
        return Reply{kCardExitUsage, "no station name of the running radio contains '" +
                                         CutText(command.station, kShownArgumentBytes) + "'"};
      }
      if (!Stored(*preset)) {
        return Reply{kCardExitUsage, "preset " + FormatInt(*preset) + " is empty or out of band"};
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
        return Reply{kCardExitUsage, "the radio is muted"};
      }
      // The first press now, the others one spacing apart; the answer comes a spacing after
      // the last, when its pulse has long ended.
      stepping_ = Stepping{
          std::move(answer),
          command.action == Action::kVolumeUp ? PanelAction::kVolumeUp : PanelAction::kVolumeDown,
          1, command.steps};
      volume_timer_->SetEnabled(true);
      Press({stepping_->button, 0});
      return std::nullopt;
    case Action::kHelp:
      break;
  }
  return Reply{};
}

}  // namespace orvaltic
