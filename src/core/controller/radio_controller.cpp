#include "core/controller/radio_controller.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/options/options_file.h"

namespace orvaltic {

namespace {

constexpr int kTimerCount = 7;

// Timer1 .. Timer7 as the main form holds them when it is created. Each has one owner, which
// handles its ticks; the card sets up Timer2 itself.
struct TimerDesign {
  int interval;
  bool enabled;
};
constexpr std::array<std::optional<TimerDesign>, kTimerCount> kTimerDesigns = {{
    TimerDesign{3000, true},   // Timer1: PresetButtons, ends the preset-memory window
    std::nullopt,              // Timer2: RadioCard, ends a volume pulse
    TimerDesign{1000, false},  // Timer3: Tuner, scan steps
    TimerDesign{100, false},   // Timer4: AlarmSnooze, alarm check
    TimerDesign{100, false},   // Timer5: AlarmSnooze, snooze check
    TimerDesign{100, false},   // Timer6: ProgramSchedule, schedule check
    TimerDesign{100, false},   // Timer7: ProgramSchedule, the program status clock
}};

std::array<std::unique_ptr<Timer>, kTimerCount> CreateTimers(TimerHost& host) {
  std::array<std::unique_ptr<Timer>, kTimerCount> timers;
  for (std::size_t i = 0; i < timers.size(); ++i) {
    timers[i] = host.CreateTimer("Timer" + std::to_string(i + 1));
    if (const auto& design = kTimerDesigns[i]) {
      timers[i]->SetInterval(design->interval);
      timers[i]->SetEnabled(design->enabled);
    }
  }
  return timers;
}

}  // namespace

RadioController::RadioController(const Platform& platform, std::string working_folder,
                                 std::ostream& settings_report)
    : platform_(platform),
      dispatcher_(platform.dialogs),
      timers_(CreateTimers(platform.timers)),
      box_timer_(platform.timers.CreateTimer("PostedBoxTimer")),
      posted_boxes_(*box_timer_, platform.dialogs),
      card_(platform.port, *timers_[1], options_.CardPort),
      settings_files_(PresetFileFields{presets_, current_freq_text_, display_, alarm_, schedule_},
                      options_, panels_, platform.dialogs, std::move(working_folder),
                      settings_report),
      options_form_(options_, panels_, platform.sound,
                    settings_files_.SettingsPath(kOptionsFileName), &settings_files_.reads()),
      preset_form_(
          presets_, panels_, platform.dialogs, [this] { settings_files_.SavePresetsFile(); },
          [this](const std::string& text) { preset_buttons_.AccessPreset(text); }),
      display_look_(display_, panels_, platform.dialogs, dispatcher_),
      border_toggle_(panels_, display_),
      style5_drawers_(panels_.Style(5)),
      style_switcher_(panels_, menu_, display_,
                      [this](int style) {
                        if (style == 1) {
                          command_line_.FormShow();
                        } else if (style == 5) {
                          style5_drawers_.FormShow();
                        }
                      }),
      power_(
          card_, panels_, menu_, display_look_, current_freq_text_,
          [this](const std::string& text) { preset_buttons_.AccessPreset(text); },
          [this] { life_cycle_.CloseRadio(); }),
      preset_buttons_(presets_, panels_, card_, platform.dialogs, TimerN(1), power_.PowerOnState()),
      tuner_(card_, panels_, options_, presets_, preset_buttons_, platform.dialogs, TimerN(3),
             power_.PowerOnState()),
      alarm_snooze_(alarm_, options_, panels_, menu_,
                    {platform.clock, platform.dialogs, platform.sound, platform.forms, TimerN(4),
                     TimerN(5), power_.PowerOnState(), [this] { power_.MuteBtnClick(); }}),
      program_schedule_(schedule_, presets_, panels_, menu_,
                        {platform.clock, platform.dialogs, posted_boxes_, platform.help,
                         help_files_, platform.forms, TimerN(6), TimerN(7), power_.PowerOnState(),
                         [this] { power_.MuteBtnClick(); },
                         [this](const std::string& text) { preset_buttons_.AccessPreset(text); }}),
      life_cycle_(settings_files_, dispatcher_, panels_, style_switcher_, display_look_,
                  border_toggle_, options_, power_, platform.dialogs, platform.app,
                  current_freq_text_),
      command_line_(presets_, panels_, platform.dialogs, platform.app, current_freq_text_,
                    {[this] { power_.PwrBtnClick(); }, [this] { power_.MuteBtnClick(); },
                     [this](const std::string& text) { preset_buttons_.AccessPreset(text); },
                     [this](std::string_view item) {
                       const MenuRouteTable& items = PanelRouter::MenuItems();
                       if (auto it = items.find(item); it != items.end()) {
                         it->second(*this);
                       }
                     }}),
      help_(platform.help, help_files_, menu_, platform.forms),
      router_(*this) {
  help_files_.SetApplicationHelpFile(kApplicationHelpFile);
  // A tick never shows a box itself: its timer would stand still until the box is answered.
  const auto tick = [this](std::function<void()> handler) {
    return dispatcher_.WrapTick(std::move(handler), posted_boxes_);
  };
  TimerN(1).SetOnTimer(tick([this] { preset_buttons_.Timer1Timer(); }));
  TimerN(3).SetOnTimer(tick([this] { tuner_.Timer3Timer(); }));
  TimerN(4).SetOnTimer(tick([this] { alarm_snooze_.Timer4Timer(); }));
  TimerN(5).SetOnTimer(tick([this] { alarm_snooze_.Timer5Timer(); }));
  TimerN(6).SetOnTimer(tick([this] { program_schedule_.Timer6Timer(); }));
  TimerN(7).SetOnTimer(tick([this] { program_schedule_.list().Timer7Timer(); }));
  box_timer_->SetOnTimer(dispatcher_.Wrap([this] { posted_boxes_.ShowWaiting(); }));
}

RadioController::~RadioController() = default;

Timer& RadioController::TimerN(int n) {
  if (n < 1 || n > kTimerCount) {
    throw std::out_of_range("Timer" + std::to_string(n));
  }
  return *timers_[static_cast<std::size_t>(n - 1)];
}

void RadioController::Perform(const ControlAction& action, int style) {
  switch (action.action) {
    case PanelAction::kNone:
      break;
    case PanelAction::kPower:
      power_.PwrBtnClick();
      break;
    case PanelAction::kMute:
      power_.MuteBtnClick();
      break;
    case PanelAction::kVolumeDown:
      power_.DecVolumeBtnClick();
      break;
    case PanelAction::kVolumeUp:
      power_.IncVolumeBtnClick();
      break;
    case PanelAction::kPreset:
      preset_buttons_.ActivatePresetButton(action.n);
      break;
    case PanelAction::kMemory:
      preset_buttons_.MemoryBtnClick();
      break;
    case PanelAction::kPreviousPage:
      preset_buttons_.Prev10BtnClick();
      break;
    case PanelAction::kNextPage:
      preset_buttons_.Next10BtnClick();
      break;
    case PanelAction::kTuneDown:
      tuner_.TuneDownBtnClick();
      break;
    case PanelAction::kTuneUp:
      tuner_.TuneUpBtnClick();
      break;
    case PanelAction::kFineTuneDown:
      tuner_.FineTuneDownBtnClick();
      break;
    case PanelAction::kFineTuneUp:
      tuner_.FineTuneUpBtnClick();
      break;
    case PanelAction::kScanDown:
      tuner_.ScanDownBtnClick();
      break;
    case PanelAction::kScanUp:
      tuner_.ScanUpBtnClick();
      break;
    case PanelAction::kDirectAccess:
      tuner_.DirectAccessBtnClick();
      break;
    case PanelAction::kBorder:
      border_toggle_.BorderBtnClick();
      break;
    case PanelAction::kMinimize:  // Label3Click
      platform_.app.MinimizeApplication();
      break;
    // The overlays are each panel's own.
    case PanelAction::kCloseAlarmStatus:
      alarm_snooze_.AlarmPanelClick(style);
      break;
    case PanelAction::kCloseSnoozeStatus:
      alarm_snooze_.SnoozePanelClick(style);
      break;
    case PanelAction::kShowAlarmStatus:
      alarm_snooze_.AlarmDisplayLabelClick(style);
      break;
    case PanelAction::kShowSnoozeStatus:
      alarm_snooze_.SnoozeDisplayLabelClick(style);
      break;
    case PanelAction::kShowProgramStatus:
      program_schedule_.ProgLabelClick();
      break;
    case PanelAction::kAlarm:
      alarm_snooze_.AlarmBtnClick();
      break;
    case PanelAction::kSnooze:
      alarm_snooze_.SnoozeBtnClick();
      break;
    case PanelAction::kShowFileName:
      settings_files_.Label1MouseMove(style);
      break;
    case PanelAction::kShowStationName:
      preset_buttons_.PresetMouseMove(action.n);
      break;
    case PanelAction::kHelp:
      help_.HelpBtnClick();
      break;
    // Style 5's own.
    case PanelAction::kPresetDrawer:
      style5_drawers_.DownLeftBtnClick();
      break;
    case PanelAction::kControlsDrawer:
      style5_drawers_.DownRightBtnClick();
      break;
  }
}

void RadioController::Options1Click() {
  platform_.forms.ShowModal(ModalForm::kOptionsForm);
}

void RadioController::Presets1Click() {
  platform_.forms.ShowModal(ModalForm::kPresetForm);
}

}  // namespace orvaltic
