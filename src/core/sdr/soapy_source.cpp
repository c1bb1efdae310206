#include "core/sdr/soapy_source.h"

#if __has_include(<SoapySDR/Device.h>) && defined(ORVALTIC_HAS_SOAPY)
#include <SoapySDR/Constants.h>
#include <SoapySDR/Device.h>
#include <SoapySDR/Formats.h>

#include <algorithm>

#include "core/platform/printable_text.h"

namespace orvaltic {

namespace {

constexpr double kDefaultRate = 2.4e6;
constexpr double kStationOffsetHz = 250'000;
constexpr long kReadTimeoutUs = 500'000;
// Timeouts and overflows are passing troubles; this many in a row mean the receiver is gone.
constexpr int kMaxFailures = 10;

std::string LastError() {
  const char* error = SoapySDRDevice_lastError();
  return error != nullptr && *error != '\0' ? PrintableText(error) : "no reason given";
}

class SoapySource : public IqSource {
 public:
  SoapySource(SoapySDRDevice* device, const SdrSetting& setting)
      : device_(device), setting_(setting), rate_(setting.rate_hz.value_or(kDefaultRate)) {}
  ~SoapySource() override {
    Stop();
    if (stream_ != nullptr) {
      SoapySDRDevice_closeStream(device_, stream_);
    }
    SoapySDRDevice_unmake(device_);
  }
  SoapySource(const SoapySource&) = delete;
  SoapySource& operator=(const SoapySource&) = delete;

  std::optional<std::string> SetUp() {
    if (SoapySDRDevice_setSampleRate(device_, SOAPY_SDR_RX, 0, rate_) != 0) {
      return "the receiver refused the sample rate: " + LastError();
    }
    if (setting_.gain_db) {
      SoapySDRDevice_setGainMode(device_, SOAPY_SDR_RX, 0, false);
      SoapySDRDevice_setGain(device_, SOAPY_SDR_RX, 0, *setting_.gain_db);
    } else {
      SoapySDRDevice_setGainMode(device_, SOAPY_SDR_RX, 0, true);
    }
    stream_ =
        SoapySDRDevice_setupStream(device_, SOAPY_SDR_RX, SOAPY_SDR_CF32, nullptr, 0, nullptr);
    if (stream_ == nullptr) {
      return "the receiver cannot stream: " + LastError();
    }
    return std::nullopt;
  }

  double Rate() const override { return rate_; }
  double CentreHz() const override { return centre_; }
  double Tune(double hz) override {
    centre_ = hz - kStationOffsetHz;
    SoapySDRDevice_setFrequency(device_, SOAPY_SDR_RX, 0, centre_ * (1 + setting_.ppm * 1e-6),
                                nullptr);
    return centre_;
  }
  std::optional<std::string> Start() override {
    if (!active_ && SoapySDRDevice_activateStream(device_, stream_, 0, 0, 0) != 0) {
      return "the receiver does not start its stream: " + LastError();
    }
    active_ = true;
    failures_ = 0;
    return std::nullopt;
  }
  void Stop() override {
    if (active_) {
      SoapySDRDevice_deactivateStream(device_, stream_, 0, 0);
      active_ = false;
    }
  }
  std::size_t Read(IqSample* out, std::size_t count, std::string& error) override {
    std::size_t got = 0;
    while (got < count) {
      void* buffers[] = {out + got};
      int flags = 0;
      long long time_ns = 0;
      const int n = SoapySDRDevice_readStream(device_, stream_, buffers, count - got, &flags,
                                              &time_ns, kReadTimeoutUs);
      if (n > 0) {
        got += static_cast<std::size_t>(n);
        failures_ = 0;
      } else if (++failures_ > kMaxFailures) {
        Stop();
        error =
            "the receiver stopped answering (unplugged?); plug it in and press the power "
            "button to play again";
        return 0;
      }
    }
    return got;
  }

 private:
  SoapySDRDevice* device_;
  SoapySDRStream* stream_ = nullptr;
  SdrSetting setting_;
  double rate_;
  double centre_ = 99.5e6;
  bool active_ = false;
  int failures_ = 0;
};

}  // namespace

std::variant<std::unique_ptr<IqSource>, std::string> OpenSoapy(const SdrSetting& setting) {
  SoapySDRDevice* device = SoapySDRDevice_makeStrArgs(setting.target.c_str());
  if (device == nullptr) {
    return "no receiver found for soapy:" + PrintableText(setting.target) + " (" + LastError() +
           "): plug it in, install its SoapySDR module (soapysdr0.8-module-...) and check with "
           "SoapySDRUtil --find";
  }
  auto source = std::make_unique<SoapySource>(device, setting);
  if (auto error = source->SetUp()) {
    return *error;
  }
  return std::unique_ptr<IqSource>(std::move(source));
}

}  // namespace orvaltic

#else

namespace orvaltic {

std::variant<std::unique_ptr<IqSource>, std::string> OpenSoapy(const SdrSetting& /*setting*/) {
  return std::string("this build has no SoapySDR support");
}

}  // namespace orvaltic

#endif
