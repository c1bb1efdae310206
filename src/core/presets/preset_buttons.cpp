// The preset buttons, their pages and memory, and the tuning of a frequency given as text.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/presets/preset_buttons.h"

#include "core/platform/numbers.h"
#include "core/radio/radio_limits.h"

namespace orvaltic {

namespace {

bool OutOfBand(double frequency) {
  return frequency < kBandLow || frequency > kBandHigh;
}

std::size_t Index(int n) {
  return static_cast<std::size_t>(n - 1);
}

// The length in bytes of the UTF-8 sequence starting at `text[at]`, or 0 when none starts
// there.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  if (lead < 0x80) {
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
  } else {
    return 0;
  }
  if (at + length > text.size()) {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) {
      return 0;
    }
  }
  // Overlong forms, surrogates and values above U+10FFFF.
  const unsigned char second = byte(at + 1);
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
      (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
    return 0;
  }
  return length;
}

// The first `count` characters of a station name, or one blank for an empty name. A name
// typed in this program is UTF-8 and is cut between characters, never inside one; a name
// from a file written elsewhere is a single-byte text and is cut by bytes.
std::string StationIdText(const std::string& name, std::size_t count) {
  if (name.empty()) {
    return " ";
  }
  std::size_t end = 0;
  std::size_t characters = 0;
  bool utf8 = true;
  std::size_t cut = std::string::npos;
  while (end < name.size()) {
    const std::size_t length = Utf8SequenceLength(name, end);
    if (length == 0) {
      utf8 = false;
      break;
    }
    if (characters == count) {
      cut = end;
    }
    end += length;
    ++characters;
  }
  if (!utf8) {
    return name.substr(0, count);
  }
  return cut == std::string::npos ? name : name.substr(0, cut);
}

// A preset button's caption on panel `style` for preset k.
std::string PresetCaption(int style, int k) {
  const std::string number = std::to_string(k);
  if (style == 7) {
    return number;
  }
  return (k == 100 ? std::string(" ") : std::string("  ")).append(number);
}

}  // namespace

PresetButtons::PresetButtons(PresetStore& presets, PanelSet& panels, RadioCard& card,
                             Dialogs& dialogs, Timer& memory_timer, const bool& power_on)
    : presets_(presets),
      panels_(panels),
      card_(card),
      dialogs_(dialogs),
      memory_timer_(memory_timer),
      power_on_(power_on) {}

void PresetButtons::PresetMouseMove(int n) {
  const std::string& name = presets_.StationName(n + preset_offset_);
  panels_.ForEach([&](PanelSurface& panel) { panel.Presets[Index(n)].hint = name; });
}

void PresetButtons::ActivatePresetButton(int n) {
  PressPresetButton(n, true);
}

void PresetButtons::PressPresetButton(int n, bool may_store) {
  if (!power_on_) {
    return;
  }
  const int i = n + preset_offset_;
  const bool store = may_store && panels_.Main().PresetMemoryLight == kLime;
  if (!store && OutOfBand(presets_.PresetFreq(i))) {
    return;
  }
  current_preset_ = i;
  DeactivatePresetButtons();
  if (store) {
    // The memory stays armed: every preset button pressed in the window stores.
    const std::string shown = panels_.Main().FreqPanel.caption;
    presets_.PresetFreq(i) = StrToFloat(shown);
    presets_.StationName(i) = shown;
  }
  const std::string& name = presets_.StationName(i);
  panels_.SetFreqHint(name);
  const std::string number = std::to_string(i);
  panels_.ForEach([&](PanelSurface& panel) { panel.PresetDisplay.caption = number; });
  panels_.SetFreqCaption(FormatFixed3(presets_.PresetFreq(i)));
  // The card gets the value as shown, rounded to three decimals.
  card_.SetFrequency(StrToFloat(panels_.Main().FreqPanel.caption));
  panels_.Style(6).StationIDLabel->caption = StationIdText(name, 40);
  panels_.Style(7).StationIDLabel->caption = StationIdText(name, 55);
  // Programming a frequency switches the card's audio on.
  if (panels_.Main().MuteBtnLight == kLime) {
    card_.Mute();
  }
  panels_.ForEach([&](PanelSurface& panel) { panel.Presets[Index(n)].light = kLime; });
}

void PresetButtons::DeactivatePresetButtons() {
  panels_.ForEach([](PanelSurface& panel) {
    for (PresetButtonModel& button : panel.Presets) {
      button.light = kGreen;
    }
  });
}

void PresetButtons::RefreshPresetLights() {
  const int shown = TryStrToInt(panels_.Main().PresetDisplay.caption).value_or(0);
  if (page_presets_.contains(shown)) {
    const int button = shown - 10 * (preset_page_ - 1);
    panels_.ForEach([&](PanelSurface& panel) { panel.Presets[Index(button)].light = kLime; });
  } else {
    DeactivatePresetButtons();
  }
}

void PresetButtons::Prev10BtnClick() {
  if (!power_on_) {
    return;
  }
  preset_offset_ -= 10;
  if (preset_offset_ < 0) {
    preset_offset_ = 90;
  }
  ShowPresetPage();
}

void PresetButtons::Next10BtnClick() {
  if (!power_on_) {
    return;
  }
  preset_offset_ += 10;
  if (preset_offset_ > 90) {
    preset_offset_ = 0;
  }
  ShowPresetPage();
}

void PresetButtons::ShowPresetPage() {
  preset_page_ = preset_offset_ / 10 + 1;
  page_presets_.clear();
  for (int k = preset_offset_ + 1; k <= preset_offset_ + 10; ++k) {
    page_presets_.insert(k);
  }
  RefreshPresetLights();
  panels_.ForEach([this](PanelSurface& panel) {
    for (int n = 1; n <= 10; ++n) {
      panel.Presets[Index(n)].caption = PresetCaption(panel.style, n + preset_offset_);
    }
  });
}

void PresetButtons::MemoryBtnClick() {
  if (!power_on_) {
    return;
  }
  // An enabled timer is not restarted: a second press does not lengthen the window.
  memory_timer_.SetEnabled(true);
  const Color light = panels_.Main().PresetMemoryLight == kLime ? kGreen : kLime;
  panels_.ForEach([light](PanelSurface& panel) { panel.PresetMemoryLight = light; });
}

void PresetButtons::EndMemoryWindow() {
  panels_.ForEach([](PanelSurface& panel) { panel.PresetMemoryLight = kGreen; });
  memory_timer_.SetEnabled(false);
}

void PresetButtons::AccessPreset(const std::string& text) {
  int found = 0;
  for (int i = 1; i <= kPresetCount; ++i) {
    if (FormatFixed3(presets_.PresetFreq(i)) == text) {
      found = i;
      break;
    }
  }

  if (found != 0) {
    const double frequency = presets_.PresetFreq(found);
    if (OutOfBand(frequency)) {
      return;
    }
    // With the radio off the page handlers change nothing, so this just runs out.
    const int pages_back = preset_page_ - ((found - 1) / 10 + 1);
    for (int k = 0; k < pages_back; ++k) {
      Prev10BtnClick();
    }
    for (int k = 0; k < -pages_back; ++k) {
      Next10BtnClick();
    }
    card_.SetFrequency(frequency);
    panels_.SetFreqCaption(text);
    // A recall, never a store: an armed memory must not rename the preset after its own
    // frequency just because a scan, the schedule or the editor reached it.
    RecallPresetButton(found - 10 * ((found - 1) / 10));
    return;
  }

  const double frequency = StrToFloat(text);
  if (OutOfBand(frequency)) {
    dialogs_.Beep();
    return;
  }
  card_.SetFrequency(frequency);
  // A named string: GCC 12 warns falsely when a literal is assigned inside the lambda.
  const std::string direct(kDirectMark);
  panels_.ForEach([&](PanelSurface& panel) { panel.PresetDisplay.caption = direct; });
  panels_.SetFreqCaption(text);
  DeactivatePresetButtons();
  panels_.Style(6).StationIDLabel->caption.clear();
  panels_.Style(7).StationIDLabel->caption.clear();
}

}  // namespace orvaltic
