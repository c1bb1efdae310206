#include "core/sdr/rtlsdr_source.h"

#if __has_include(<rtl-sdr.h>) && defined(ORVALTIC_HAS_RTLSDR)
#include <rtl-sdr.h>

namespace orvaltic {

namespace {

class LibRtlSdrCalls : public RtlSdrCalls {
 public:
  ~LibRtlSdrCalls() override { Close(); }
  std::uint32_t DeviceCount() override { return rtlsdr_get_device_count(); }
  int IndexBySerial(const std::string& serial) override {
    return rtlsdr_get_index_by_serial(serial.c_str());
  }
  int Open(std::uint32_t index) override {
    Close();
    const int result = rtlsdr_open(&device_, index);
    if (result < 0) {
      device_ = nullptr;
    }
    return result;
  }
  void Close() override {
    if (device_ != nullptr) {
      rtlsdr_close(device_);
      device_ = nullptr;
    }
  }
  int SetSampleRate(std::uint32_t hz) override { return rtlsdr_set_sample_rate(device_, hz); }
  int SetCentreFrequency(std::uint32_t hz) override { return rtlsdr_set_center_freq(device_, hz); }
  int SetFrequencyCorrection(int ppm) override { return rtlsdr_set_freq_correction(device_, ppm); }
  std::vector<int> TunerGains() override {
    const int count = rtlsdr_get_tuner_gains(device_, nullptr);
    if (count <= 0) {
      return {};
    }
    std::vector<int> gains(static_cast<std::size_t>(count));
    rtlsdr_get_tuner_gains(device_, gains.data());
    return gains;
  }
  int SetTunerGainMode(bool manual) override {
    return rtlsdr_set_tuner_gain_mode(device_, manual ? 1 : 0);
  }
  int SetTunerGain(int tenths_db) override { return rtlsdr_set_tuner_gain(device_, tenths_db); }
  int ResetBuffer() override { return rtlsdr_reset_buffer(device_); }
  int ReadSync(unsigned char* buffer, int length, int& read) override {
    return rtlsdr_read_sync(device_, buffer, length, &read);
  }

 private:
  rtlsdr_dev_t* device_ = nullptr;
};

}  // namespace

std::unique_ptr<RtlSdrCalls> MakeLibRtlSdrCalls() {
  return std::make_unique<LibRtlSdrCalls>();
}

}  // namespace orvaltic

#else

namespace orvaltic {

std::unique_ptr<RtlSdrCalls> MakeLibRtlSdrCalls() {
  return nullptr;
}

}  // namespace orvaltic

#endif
