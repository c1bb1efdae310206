#include "core/controller/radio_power.h"

#include <utility>

namespace orvaltic {

RadioPower::RadioPower(RadioCard& card, PanelSet& panels, PopupMenuModel& menu, DisplayLook& look,
                       const std::string& current_freq_text,
                       std::function<void(const std::string&)> tune_text,
                       std::function<void()> close_radio)
    : card_(card),
      panels_(panels),
      menu_(menu),
      look_(look),
      current_freq_text_(current_freq_text),
      tune_text_(std::move(tune_text)),
      close_radio_(std::move(close_radio)) {}

void RadioPower::PwrBtnClick() {
  if (panels_.Main().PwrBtnLight == kRed) {
    close_radio_();
    return;
  }
  card_.UnMute();
  power_on_ = true;
  for (const std::string& item : PopupMenuModel::PowerOnItems()) {
    menu_.Item(item).enabled = true;
  }
  // A saved text that is no number throws here: switching on stops with the light still off.
  tune_text_(current_freq_text_);
  panels_.ForEach([](PanelSurface& panel) { panel.PwrBtnLight = kRed; });
  look_.ApplyDisplaySettings();
}

void RadioPower::MuteBtnClick() {
  if (!power_on_) {
    return;
  }
  if (panels_.Main().MuteBtnLight == kLime) {
    card_.UnMute();
    panels_.ForEach([](PanelSurface& panel) { panel.MuteBtnLight = kGreen; });
  } else {
    card_.Mute();
    panels_.ForEach([](PanelSurface& panel) { panel.MuteBtnLight = kLime; });
  }
}

void RadioPower::IncVolumeBtnClick() {
  if (panels_.Main().MuteBtnLight == kLime || !power_on_) {
    return;
  }
  card_.VolumeUpPulse();
}

void RadioPower::DecVolumeBtnClick() {
  if (panels_.Main().MuteBtnLight == kLime || !power_on_) {
    return;
  }
  card_.VolumeDownPulse();
}

void RadioPower::SwitchOff(bool keep_playing) {
  if (keep_playing) {
    card_.UnMute();
  } else {
    card_.Mute();
  }
  power_on_ = false;
  panels_.ForEach([](PanelSurface& panel) { panel.PwrBtnLight = kMaroon; });
}

}  // namespace orvaltic
