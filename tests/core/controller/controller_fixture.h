#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/controller/radio_controller.h"
#include "support/fake_platform.h"
#include "support/fakes.h"
#include "support/manual_timer_host.h"
#include "support/recording_app_host.h"
#include "support/recording_port.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_forms.h"
#include "support/temp_folder.h"

namespace orvaltic::testing {

// The whole fake platform and a controller on it, with its files in `folder`.
struct FakeRadio : FakePlatform {
  explicit FakeRadio(const std::string& folder) : radio(platform(), folder) {}

  RadioController radio;  // goes before the fakes it uses

  PanelEvents& events() { return radio.events(); }
  PanelSet& panels() { return radio.panels(); }

  // Power on and forget the bytes it wrote.
  void SwitchOn() {
    events().Click(1, "PwrBtn");
    port.Clear();
  }

  // One value per panel, main first.
  template <typename Get>
  auto OnEveryPanel(Get get) {
    std::vector<decltype(get(panels().Main()))> values;
    for (int style = 1; style <= kPanelCount; ++style) {
      values.push_back(get(panels().Style(style)));
    }
    return values;
  }
};

template <typename T>
std::vector<T> Seven(const T& value) {
  return std::vector<T>(kPanelCount, value);
}

class ControllerTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_TRUE(fake_.dialogs.AllAnswered());
    EXPECT_TRUE(fake_.forms.AllShown());
  }

  std::string PresetsPath() const { return folder_.File("Orvaltic.CFG"); }

  TempFolder folder_;
  FakeRadio fake_{folder_.path()};
  RadioController& radio_ = fake_.radio;
  RecordingPort& port_ = fake_.port;
  ScriptedDialogs& dialogs_ = fake_.dialogs;
  RecordingAppHost& app_ = fake_.app;
};

}  // namespace orvaltic::testing

// Decoding the card's side of the port, independently of how the controller builds the bytes.
#include "core/radio/card_decoder.h"

namespace orvaltic::testing {

// The frequency (kHz, on the card's 25 kHz grid) of every complete transfer in `writes`, in
// order. A malformed transfer fails the test.
inline std::vector<std::int64_t> DecodedTransfersKHz(const std::vector<PortWrite>& writes) {
  CardDecoder decoder;
  std::vector<std::int64_t> khz;
  for (const PortWrite& write : writes) {
    if (auto problem = decoder.Feed(write.value)) {
      ADD_FAILURE() << *problem;
    }
    if (decoder.GoodTransfers() > static_cast<int>(khz.size())) {
      khz.push_back(CardDecoder::FrequencyKHz(*decoder.State().tuning_word));
    }
  }
  return khz;
}

}  // namespace orvaltic::testing

#include "core/radio/radio_card.h"

namespace orvaltic::testing {

// The bytes one frequency transfer writes, as a card of its own produces them.
inline std::vector<std::uint8_t> TransferBytes(double frequency) {
  RecordingPort port;
  ManualTimerHost timers;
  const std::int32_t card_port = 0x30C;
  RadioCard card(port, timers, card_port);
  card.SetFrequency(frequency);
  return port.Values();
}

}  // namespace orvaltic::testing
