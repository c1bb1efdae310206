#include "core/options/options_dialog.h"

#include <cstdint>
#include <string>
#include <utility>

#include "core/options/form_bevel.h"
#include "core/options/options_file.h"
#include "core/platform/numbers.h"
#include "core/radio/radio_limits.h"

namespace orvaltic {

namespace {

// "$" and the upper-case hexadecimal digits of the 32-bit pattern, as the OK conversion reads it.
std::string HexPortText(std::int32_t port) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  auto value = static_cast<std::uint32_t>(port);
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[value % 16]);
    value /= 16;
  } while (value != 0);
  return "$" + digits;
}

}  // namespace

OptionsDialog::OptionsDialog(Options& options, PanelSet& panels, Sound& sound,
                             std::string file_path, SettingsReads* reads)
    : options_(options),
      panels_(panels),
      sound_(sound),
      file_path_(std::move(file_path)),
      reads_(reads) {}

void OptionsDialog::FormActivate() {
  closed_ = false;
  if (options_.CardPort == kDefaultCardPort) {
    controls_.RTCardAddressComboBox = "$30C";
  } else if (options_.CardPort == kAlternativeCardPort) {
    controls_.RTCardAddressComboBox = "$20C";
  } else if (controls_.RTCardAddressComboBox.empty()) {
    // A port the box does not offer keeps the text the box had; on the first opening there is
    // none, and an empty box would make OK fail until the user typed the port again.
    controls_.RTCardAddressComboBox = HexPortText(options_.CardPort);
  }
  controls_.RadioFormComboBox = options_.StartupStyle;
  controls_.ScanMethodComboBox = options_.ScanMethod;
  controls_.TuneRateComboBox = FormatGeneral(options_.TuneRate);
  controls_.FineTuneRateComboBox = FormatGeneral(options_.FineTuneRate);
  controls_.ScanRateComboBox = FormatInt(options_.ScanRate);

  controls_.RaisedFormRadioBtn = options_.RaisedForm;
  controls_.RecessedFormRadioBtn = !options_.RaisedForm;

  controls_.RadioRadioBtn = options_.AlarmTypeRadio;
  controls_.WaveFileRadioBtn = !options_.AlarmTypeRadio;
  EnableWaveFileControls(!options_.AlarmTypeRadio);

  controls_.WaveFileNameEdit = options_.WaveFileName;
}

void OptionsDialog::OKButtonClick() {
  options_.CardPort = StrToInt(controls_.RTCardAddressComboBox);
  options_.StartupStyle = controls_.RadioFormComboBox;
  options_.TuneRate = StrToFloat(controls_.TuneRateComboBox);
  options_.FineTuneRate = StrToFloat(controls_.FineTuneRateComboBox);
  options_.ScanRate = StrToInt(controls_.ScanRateComboBox);
  options_.ScanMethod = controls_.ScanMethodComboBox;
  options_.RaisedForm = controls_.RaisedFormRadioBtn;
  ApplyFormBevel(panels_, options_.RaisedForm);
  options_.WaveFileName = controls_.WaveFileNameEdit;
  options_.AlarmTypeRadio = controls_.RadioRadioBtn;
  SaveOrvalticOptionsFile(options_, file_path_, reads_);
  closed_ = true;
}

void OptionsDialog::CancelButtonClick() {
  closed_ = true;
}

void OptionsDialog::RadioRadioBtnClick() {
  EnableWaveFileControls(false);
}

void OptionsDialog::WaveFileRadioBtnClick() {
  EnableWaveFileControls(true);
  controls_.focus = "WaveFileNameEdit";
}

void OptionsDialog::TestWaveFileBtnClick() {
  sound_.PlaySound(controls_.WaveFileNameEdit, kSndAsync);
}

void OptionsDialog::EnableWaveFileControls(bool enabled) {
  controls_.WaveFileNameLabelEnabled = enabled;
  controls_.WaveFileNameEditEnabled = enabled;
  controls_.TestWaveFileBtnEnabled = enabled;
}

}  // namespace orvaltic
