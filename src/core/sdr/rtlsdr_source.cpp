#include "core/sdr/rtlsdr_source.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/platform/numbers.h"
#include "core/platform/printable_text.h"

namespace orvaltic {

namespace {

// libusb's errors as librtlsdr passes them on.
constexpr int kUsbAccess = -3;
constexpr int kUsbNoDevice = -4;
constexpr int kUsbBusy = -6;

std::string OpenFailure(int error) {
  switch (error) {
    case kUsbAccess:
      return "no permission to open the RTL-SDR stick: install Debian's rtl-sdr package (its "
             "udev rule lets the plugdev group use the stick), add yourself to that group (sudo "
             "adduser $USER plugdev), log out and in again and plug the stick in again";
    case kUsbBusy:
      return "the RTL-SDR stick is in use: the kernel's DVB-T driver or another program holds "
             "it; close that program, or unload the driver (sudo modprobe -r dvb_usb_rtl28xxu) "
             "and keep it from loading (echo blacklist dvb_usb_rtl28xxu | sudo tee "
             "/etc/modprobe.d/no-dvb-rtl.conf)";
    case kUsbNoDevice:
      return "the RTL-SDR stick went away while it was opened: plug it in again";
    default:
      return "cannot open the RTL-SDR stick (libusb error " + FormatInt(error) + ")";
  }
}

}  // namespace

RtlSdrSource::RtlSdrSource(std::unique_ptr<RtlSdrCalls> calls, std::uint32_t index,
                           const SdrSetting& setting)
    : calls_(std::move(calls)),
      index_(index),
      setting_(setting),
      rate_(setting.rate_hz.value_or(kDefaultRate)) {}

RtlSdrSource::~RtlSdrSource() {
  if (open_) {
    calls_->Close();
  }
}

std::optional<std::string> RtlSdrSource::OpenDevice() {
  if (open_) {
    return std::nullopt;
  }
  if (const int error = calls_->Open(index_); error < 0) {
    return OpenFailure(error);
  }
  open_ = true;
  const auto fail = [this](const std::string& what) {
    calls_->Close();
    open_ = false;
    return std::optional<std::string>("the RTL-SDR stick refused " + what);
  };
  if (calls_->SetSampleRate(static_cast<std::uint32_t>(std::lround(rate_))) < 0) {
    return fail("the sample rate " + FormatFixed3(rate_ / 1e6) + " MS/s (it takes 0.9 to 3.2)");
  }
  if (setting_.ppm != 0) {
    calls_->SetFrequencyCorrection(setting_.ppm);  // refused when it is already set: no matter
  }
  if (setting_.gain_db) {
    // The nearest gain the tuner has.
    const std::vector<int> gains = calls_->TunerGains();
    const int wanted = static_cast<int>(std::lround(*setting_.gain_db * 10));
    int best = wanted;
    if (!gains.empty()) {
      best = *std::min_element(gains.begin(), gains.end(), [wanted](int a, int b) {
        return std::abs(a - wanted) < std::abs(b - wanted);
      });
    }
    calls_->SetTunerGainMode(true);
    calls_->SetTunerGain(best);
  } else {
    calls_->SetTunerGainMode(false);
  }
  calls_->SetCentreFrequency(static_cast<std::uint32_t>(std::lround(centre_)));
  return std::nullopt;
}

double RtlSdrSource::Tune(double hz) {
  centre_ = hz - kStationOffsetHz;
  if (open_) {
    calls_->SetCentreFrequency(static_cast<std::uint32_t>(std::lround(centre_)));
  }
  return centre_;
}

std::optional<std::string> RtlSdrSource::Start() {
  if (auto error = OpenDevice()) {
    return error;
  }
  calls_->ResetBuffer();
  return std::nullopt;
}

std::size_t RtlSdrSource::Read(IqSample* out, std::size_t count, std::string& error) {
  // Whole USB packets of 512 bytes, as the library asks.
  const std::size_t length = (count * 2) / 512 * 512;
  bytes_.resize(std::max<std::size_t>(length, 512));
  int read = 0;
  const int result = calls_->ReadSync(bytes_.data(), static_cast<int>(bytes_.size()), read);
  if (result < 0 || read <= 0) {
    calls_->Close();
    open_ = false;
    error =
        "the RTL-SDR stick stopped answering (unplugged?); plug it in and press the power "
        "button to play again";
    return 0;
  }
  const std::size_t pairs = std::min(count, static_cast<std::size_t>(read) / 2);
  ConvertIq(IqFormat::kCu8, bytes_.data(), pairs, out);
  return pairs;
}

std::variant<std::unique_ptr<IqSource>, std::string> OpenRtlSdr(
    const SdrSetting& setting, std::unique_ptr<RtlSdrCalls> calls) {
  if (calls == nullptr) {
    return std::string("this build has no RTL-SDR support (librtlsdr)");
  }
  const std::uint32_t count = calls->DeviceCount();
  if (count == 0) {
    return std::string(
        "no RTL-SDR stick found: plug it in (lsusb lists it, often as RTL2838), or play a "
        "recording with ORVALTIC_CARD=iq:FILE");
  }
  std::uint32_t index = 0;
  if (!setting.target.empty()) {
    const std::optional<std::int32_t> number = TryStrToInt(setting.target);
    if (number && *number >= 0 && setting.target.size() < 4) {
      if (static_cast<std::uint32_t>(*number) >= count) {
        return "there is no RTL-SDR stick " + setting.target + ": " +
               FormatInt(static_cast<int>(count)) + (count == 1 ? " stick is" : " sticks are") +
               " plugged in, numbered from 0";
      }
      index = static_cast<std::uint32_t>(*number);
    } else {
      const int found = calls->IndexBySerial(setting.target);
      if (found < 0) {
        return "no RTL-SDR stick has the serial \"" + PrintableText(setting.target) +
               "\" (rtl_test lists the sticks)";
      }
      index = static_cast<std::uint32_t>(found);
    }
  }
  auto source = std::make_unique<RtlSdrSource>(std::move(calls), index, setting);
  if (auto error = source->OpenDevice()) {
    return *error;
  }
  return std::unique_ptr<IqSource>(std::move(source));
}

}  // namespace orvaltic
