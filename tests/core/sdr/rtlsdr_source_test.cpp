#include "core/sdr/rtlsdr_source.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "support/fm_broadcast.h"

namespace orvaltic {
namespace {

// A stick as librtlsdr shows it: delivers the bytes it is given, fails to open as told, and is
// unplugged after a number of reads.
class FakeRtlSdr : public RtlSdrCalls {
 public:
  std::uint32_t DeviceCount() override { return count; }
  int IndexBySerial(const std::string& serial) override { return serial == "00000042" ? 1 : -3; }
  int Open(std::uint32_t index) override {
    calls.push_back("open " + std::to_string(index));
    return open_result;
  }
  void Close() override { calls.push_back("close"); }
  int SetSampleRate(std::uint32_t hz) override {
    calls.push_back("rate " + std::to_string(hz));
    return 0;
  }
  int SetCentreFrequency(std::uint32_t hz) override {
    calls.push_back("centre " + std::to_string(hz));
    return 0;
  }
  int SetFrequencyCorrection(int ppm) override {
    calls.push_back("ppm " + std::to_string(ppm));
    return 0;
  }
  std::vector<int> TunerGains() override { return {0, 90, 197, 297, 402, 496}; }
  int SetTunerGainMode(bool manual) override {
    calls.push_back(manual ? "manual gain" : "automatic gain");
    return 0;
  }
  int SetTunerGain(int tenths_db) override {
    calls.push_back("gain " + std::to_string(tenths_db));
    return 0;
  }
  int ResetBuffer() override { return 0; }
  int ReadSync(unsigned char* buffer, int length, int& read) override {
    if (reads_left-- <= 0) {
      read = 0;
      return -4;  // unplugged
    }
    for (int i = 0; i < length; ++i) {
      buffer[i] = static_cast<unsigned char>(i % 2 == 0 ? 255 : 0);
    }
    read = length;
    return 0;
  }

  std::uint32_t count = 2;
  int open_result = 0;
  int reads_left = 1000;
  std::vector<std::string> calls;
};

std::string OpenError(const std::string& value, std::unique_ptr<FakeRtlSdr> fake) {
  const SdrSetting setting = std::get<SdrSetting>(ParseSdrSetting(value));
  auto opened = OpenRtlSdr(setting, std::move(fake));
  return std::holds_alternative<std::string>(opened) ? std::get<std::string>(opened) : "";
}

TEST(RtlSdrSourceTest, SaysWhyAStickCannotBeOpenedAndWhatToDo) {
  struct Case {
    const char* setting;
    std::uint32_t count;
    int open_result;
    std::string starts;  // the message's start; empty: opened
  };
  const std::vector<Case> cases = {
      {"rtlsdr", 0, 0, "no RTL-SDR stick found: plug it in"},
      {"rtlsdr", 1, -3, "no permission to open the RTL-SDR stick: install Debian's rtl-sdr"},
      {"rtlsdr", 1, -6, "the RTL-SDR stick is in use: the kernel's DVB-T driver"},
      {"rtlsdr:5", 2, 0, "there is no RTL-SDR stick 5: 2 sticks are plugged in"},
      {"rtlsdr:SN\x1B", 2, 0, "no RTL-SDR stick has the serial \"SN\\x1B\""},
      {"rtlsdr:00000042", 2, 0, ""},
      {"rtlsdr:1", 2, 0, ""},
  };
  for (const Case& c : cases) {
    auto fake = std::make_unique<FakeRtlSdr>();
    fake->count = c.count;
    fake->open_result = c.open_result;
    const std::string error = OpenError(c.setting, std::move(fake));
    EXPECT_EQ(error.substr(0, c.starts.size()), c.starts) << c.setting;
    EXPECT_EQ(error.empty(), c.starts.empty()) << c.setting << ": " << error;
  }
}

// Set up as the setting says, tuned below the station, streaming until the stick is unplugged,
// then opened again at the next start.
TEST(RtlSdrSourceTest, StreamsUntilUnpluggedAndOpensAgainAtTheNextStart) {
  auto fake = std::make_unique<FakeRtlSdr>();
  FakeRtlSdr& stick = *fake;
  stick.reads_left = 2;
  const SdrSetting setting =
      std::get<SdrSetting>(ParseSdrSetting("rtlsdr:1,rate=2.4,gain=30,ppm=-12"));
  auto opened = OpenRtlSdr(setting, std::move(fake));
  ASSERT_TRUE(std::holds_alternative<std::unique_ptr<IqSource>>(opened));
  IqSource& source = *std::get<std::unique_ptr<IqSource>>(opened);
  EXPECT_EQ(source.Tune(99.5e6), 99.25e6);
  EXPECT_EQ(source.Rate(), 2.4e6);
  ASSERT_FALSE(source.Start());
  EXPECT_EQ(stick.calls,
            (std::vector<std::string>{"open 1", "rate 2400000", "ppm -12", "manual gain",
                                      "gain 297", "centre 99500000", "centre 99250000"}));
  std::vector<IqSample> samples(24'000);
  std::string error;
  EXPECT_EQ(source.Read(samples.data(), samples.size(), error), 23'808U);  // whole packets
  EXPECT_NEAR(samples[0].real(), 1.0F, 1e-6);
  EXPECT_NEAR(samples[0].imag(), -1.0F, 1e-6);
  EXPECT_EQ(source.Read(samples.data(), samples.size(), error), 23'808U);
  EXPECT_EQ(source.Read(samples.data(), samples.size(), error), 0U);
  EXPECT_EQ(error.substr(0, 46), "the RTL-SDR stick stopped answering (unplugged");

  stick.calls.clear();
  stick.reads_left = 1;
  ASSERT_FALSE(source.Start());
  EXPECT_EQ(stick.calls.front(), "open 1");
  EXPECT_EQ(stick.calls.back(), "centre 99250000");
  EXPECT_GT(source.Read(samples.data(), samples.size(), error), 0U);
}

}  // namespace
}  // namespace orvaltic
