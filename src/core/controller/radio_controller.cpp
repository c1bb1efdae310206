#include "core/controller/radio_controller.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/options/options_file.h"
#include "core/presets/preset_file_commands.h"

namespace orvaltic {

namespace {

struct TimerDesign {
  int interval;
  bool enabled;
};

// Timer1 .. Timer7 as the main form holds them when it is created.
constexpr std::array<TimerDesign, 7> kTimerDesigns = {{
    {3000, true},   // Timer1: ends the preset-memory window
    {500, false},   // Timer2: ends a volume pulse (100 ms per pulse)
    {1000, false},  // Timer3: scan steps
    {100, false},   // Timer4: alarm check
    {100, false},   // Timer5: snooze check
    {100, false},   // Timer6: schedule check
    {100, false},   // Timer7: the program status clock
}};

// The small labels inside a display, in the order their colour is set.
std::vector<LabelModel*> SmallDisplayLabels(PanelSurface& panel) {
  std::vector<LabelModel*> labels = {&panel.AlarmDisplayLabel, &panel.SnoozeDisplayLabel,
                                     &panel.PresetDisplay, &panel.Label1};
  if (panel.StationIDLabel) {
    labels.push_back(&*panel.StationIDLabel);
  }
  labels.push_back(&panel.ProgLabel);
  return labels;
}

// A font style is a set: the stored word replaces all of it. Any other word leaves the font as
// it is.
void ApplyFontStyleWord(FontSpec& font, const std::string& word) {
  bool bold = false;
  bool italic = false;
  if (word == "Bold+Italic") {
    bold = italic = true;
  } else if (word == "Bold") {
    bold = true;
  } else if (word == "Italic") {
    italic = true;
  } else if (word != "Regular") {
    return;
  }
  font.bold = bold;
  font.italic = italic;
  font.underline = false;
  font.strike_out = false;
}

}  // namespace

RadioController::RadioController(const Platform& platform, std::string working_folder,
                                 std::ostream& settings_report)
    : platform_(platform),
      working_folder_(std::move(working_folder)),
      dispatcher_(platform.dialogs),
      settings_reads_(settings_report),
      options_form_(options_, panels_, platform.sound, SettingsPath(kOptionsFileName),
                    &settings_reads_),
      router_(*this) {
  help_files_.SetApplicationHelpFile(kApplicationHelpFile);

  for (std::size_t i = 0; i < timers_.size(); ++i) {
    timers_[i] = platform_.timers.CreateTimer("Timer" + std::to_string(i + 1));
    timers_[i]->SetInterval(kTimerDesigns[i].interval);
    timers_[i]->SetEnabled(kTimerDesigns[i].enabled);
  }
  card_ = std::make_unique<RadioCard>(platform_.port, TimerN(2), options_.CardPort);
  SetTimerHandler(1, &RadioController::Timer1Timer);
  SetTimerHandler(2, &RadioController::Timer2Timer);
  SetTimerHandler(3, &RadioController::Timer3Timer);
}

RadioController::~RadioController() = default;

void RadioController::SetTimerHandler(int n, void (RadioController::*handler)()) {
  TimerN(n).SetOnTimer(dispatcher_.Wrap([this, handler] { (this->*handler)(); }));
}

Timer& RadioController::TimerN(int n) {
  if (n < 1 || n > static_cast<int>(timers_.size())) {
    throw std::out_of_range("Timer" + std::to_string(n));
  }
  return *timers_[static_cast<std::size_t>(n - 1)];
}

std::string RadioController::SettingsPath(const std::string& file_name) const {
  if (working_folder_.empty() || std::filesystem::path(file_name).is_absolute()) {
    return file_name;
  }
  return (std::filesystem::path(working_folder_) / file_name).string();
}

PresetFileFields RadioController::FileFields() {
  return PresetFileFields{presets_, current_freq_text_, display_, alarm_, schedule_};
}

// --- Life cycle ---------------------------------------------------------------------------

void RadioController::FormCreate() {
  for (int style = 1; style <= 5; ++style) {
    panels_.Style(style).FreqPanel.font.color = kBlack;
  }
}

void RadioController::ReadSettingsFiles() {
  // Each reader on its own: an error in the presets file must not keep the options unread.
  dispatcher_.Run([this] {
    ReadOrvalticCFGFile(SettingsPath(kDefaultPresetFileName), FileFields(), platform_.dialogs,
                        &settings_reads_);
  });
  dispatcher_.Run([this] {
    ReadOrvalticOptionsFile(options_, panels_, platform_.dialogs, SettingsPath(kOptionsFileName),
                            &settings_reads_);
  });
  PlacePanels();
}

void RadioController::PlacePanels() {
  panels_.ForEach([this](PanelSurface& panel) {
    panel.top = display_.PanelTop;
    panel.left = display_.PanelLeft;
  });
}

void RadioController::StorePanelPosition() {
  // The check mark is the record of which panel is shown.
  for (int style = 1; style <= kPanelCount; ++style) {
    if (menu_.Item("Style" + std::to_string(style)).checked) {
      display_.PanelTop = panels_.Style(style).top;
      display_.PanelLeft = panels_.Style(style).left;
      return;
    }
  }
}

void RadioController::FormActivate() {
  StorePanelPosition();
}

void RadioController::FormPaint() {
  if (!first_paint_) {
    return;
  }
  first_paint_ = false;
  preset_page_ = 1;
  panels_.SetFreqCaption(current_freq_text_);
  ApplyBorderStyle();
  // Only the main panel has a window so far, so no switch is made: for "Style 2" to "Style 7"
  // the main panel stays shown with no item checked, as for a start-up style that names none.
  if (options_.StartupStyle == "Style 1") {
    UncheckStyles();
    menu_.Item("Style1").checked = true;
  }
}

void RadioController::ApplyBorderStyle() {
  PanelSurface& main = panels_.Main();
  main.border = display_.BorderStyleText == "bsSingle" ? BorderStyle::kSingle : BorderStyle::kNone;
  // The main panel's client area follows its frame, whichever the border.
  const FramePanel& frame = main.Frame("Panel1");
  main.client_width = frame.width - 4;
  main.client_height = frame.height - 4;
}

void RadioController::UncheckStyles() {
  for (int style = 1; style <= kPanelCount; ++style) {
    menu_.Item("Style" + std::to_string(style)).checked = false;
  }
}

bool RadioController::CloseRadio() {
  if (panels_.Main().PwrBtnLight == kRed) {
    StorePanelPosition();
    // Throws on failure: the close ends here, the radio stays on.
    SaveOrvalticCFGFile(SettingsPath(presets_.PresetFileName), FileFields(), panels_.Main(),
                        &settings_reads_);
    const MessageResult answer = platform_.dialogs.MessageBox(
        kKeepRadioOnQuestion, MessageKind::kConfirmation, MessageButtons::kYesNoCancel);
    switch (answer) {
      case MessageResult::kNo:
        card_->Mute();
        break;
      case MessageResult::kYes:
        card_->UnMute();
        break;
      case MessageResult::kCancel:
      case MessageResult::kOk:
        return false;
    }
    power_on_ = false;
    panels_.ForEach([](PanelSurface& panel) { panel.PwrBtnLight = kMaroon; });
  }
  platform_.app.Terminate();
  return true;
}

bool RadioController::FormCloseQuery() {
  return CloseRadio();
}

// --- Power, mute and volume -----------------------------------------------------------------

void RadioController::PwrBtnClick() {
  if (panels_.Main().PwrBtnLight == kRed) {
    CloseRadio();
    return;
  }
  card_->UnMute();
  power_on_ = true;
  for (const std::string& item : PopupMenuModel::PowerOnItems()) {
    menu_.Item(item).enabled = true;
  }
  // A saved text that is no number throws here: switching on stops with the light still off.
  AccessPreset(current_freq_text_);
  panels_.ForEach([](PanelSurface& panel) { panel.PwrBtnLight = kRed; });
  ApplyDisplaySettings();
}

void RadioController::ApplyDisplaySettings() {
  PanelSurface& main = panels_.Main();
  FontSpec& main_font = main.FreqPanel.font;
  main_font.color = display_.DisplayFontColor;
  main.FreqPanel.color = display_.DisplayColor;
  main_font.name = display_.DisplayFontName;
  main_font.color = display_.DisplayFontColor;
  main_font.size = display_.DisplayFontSize;
  ApplyFontStyleWord(main_font, display_.DisplayFontStyle);
  for (LabelModel* label : SmallDisplayLabels(main)) {
    label->font_color = display_.DisplayFontColor;
  }

  for (int style = 2; style <= kPanelCount; ++style) {
    PanelSurface& panel = panels_.Style(style);
    FontSpec& font = panel.FreqPanel.font;
    font.name = display_.DisplayFontName;
    font.size = display_.DisplayFontSize;
    font.bold = main_font.bold;
    font.italic = main_font.italic;
    font.underline = main_font.underline;
    font.strike_out = main_font.strike_out;
    font.color = display_.DisplayFontColor;
    panel.FreqPanel.color = display_.DisplayColor;
    for (LabelModel* label : SmallDisplayLabels(panel)) {
      label->font_color = display_.DisplayFontColor;
    }
  }
}

void RadioController::MuteBtnClick() {
  if (!power_on_) {
    return;
  }
  if (panels_.Main().MuteBtnLight == kLime) {
    card_->UnMute();
    panels_.ForEach([](PanelSurface& panel) { panel.MuteBtnLight = kGreen; });
  } else {
    card_->Mute();
    panels_.ForEach([](PanelSurface& panel) { panel.MuteBtnLight = kLime; });
  }
}

void RadioController::IncVolumeBtnClick() {
  if (panels_.Main().MuteBtnLight == kLime || !power_on_) {
    return;
  }
  card_->VolumeUpPulse();
}

void RadioController::DecVolumeBtnClick() {
  if (panels_.Main().MuteBtnLight == kLime || !power_on_) {
    return;
  }
  card_->VolumeDownPulse();
}

// --- Panel and menu -------------------------------------------------------------------------

void RadioController::Label3Click() {
  platform_.app.MinimizeApplication();
}

void RadioController::OpenPresetFile1Click() {
  orvaltic::OpenPresetFile1Click(FileFields(), platform_.dialogs, &settings_reads_);
}

void RadioController::SavePresetFile1Click() {
  orvaltic::SavePresetFile1Click(FileFields(), panels_.Main(), platform_.dialogs, &settings_reads_);
}

void RadioController::Options1Click() {
  platform_.forms.ShowModal(ModalForm::kOptionsForm);
}

void RadioController::Label1MouseMove(int style) {
  orvaltic::Label1MouseMove(panels_.Style(style), presets_.PresetFileName);
}

void RadioController::AlarmPanelClick(int style) {
  panels_.Style(style).AlarmPanel.visible = false;
}

void RadioController::SnoozePanelClick(int style) {
  panels_.Style(style).SnoozePanel.visible = false;
}

void RadioController::Timer1Timer() {
  panels_.ForEach([](PanelSurface& panel) { panel.PresetMemoryLight = kGreen; });
  TimerN(1).SetEnabled(false);
}

}  // namespace orvaltic
