#pragma once

#include <functional>
#include <string>

#include "core/panels/display_look.h"
#include "core/panels/panel_set.h"
#include "core/panels/popup_menu.h"
#include "core/radio/radio_card.h"

namespace orvaltic {

// The radio's power, mute and volume buttons. PowerOn is true from power-on until the close
// sequence switches the radio off; every control handler of the radio does nothing while it is
// false. The mute light of the main panel is the mute state.
class RadioPower {
 public:
  // `tune_text` tunes a frequency given as text (AccessPreset); `close_radio` runs the close
  // sequence, which the power button of a switched-on radio starts.
  RadioPower(RadioCard& card, PanelSet& panels, PopupMenuModel& menu, DisplayLook& look,
             const std::string& current_freq_text,
             std::function<void(const std::string&)> tune_text, std::function<void()> close_radio);
  RadioPower(const RadioPower&) = delete;
  RadioPower& operator=(const RadioPower&) = delete;

  // Power on, tuning CurrentFreqText through AccessPreset before the power light goes red; or,
  // with the power light red, the close sequence.
  void PwrBtnClick();
  // Toggles the card between muted and playing; nothing while the radio is off.
  void MuteBtnClick();
  void IncVolumeBtnClick();
  void DecVolumeBtnClick();
  // The end of the close sequence: the card keeps playing after the program (true) or goes
  // silent, and the radio is off.
  void SwitchOff(bool keep_playing);

  bool PowerOn() const { return power_on_; }
  // For the subsystems that read PowerOn at every press.
  const bool& PowerOnState() const { return power_on_; }

 private:
  RadioCard& card_;
  PanelSet& panels_;
  PopupMenuModel& menu_;
  DisplayLook& look_;
  const std::string& current_freq_text_;
  std::function<void(const std::string&)> tune_text_;
  std::function<void()> close_radio_;
  bool power_on_ = false;
};

}  // namespace orvaltic
