#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/sdr/iq_source.h"

namespace orvaltic {

// The calls of librtlsdr the receiver makes, so that tests can stand in for a stick. Results are
// the library's: 0 or more for success, a negative libusb error otherwise.
class RtlSdrCalls {
 public:
  virtual ~RtlSdrCalls() = default;
  virtual std::uint32_t DeviceCount() = 0;
  virtual int IndexBySerial(const std::string& serial) = 0;
  // Opens stick `index`; the calls below then act on it.
  virtual int Open(std::uint32_t index) = 0;
  virtual void Close() = 0;
  virtual int SetSampleRate(std::uint32_t hz) = 0;
  virtual int SetCentreFrequency(std::uint32_t hz) = 0;
  virtual int SetFrequencyCorrection(int ppm) = 0;
  // Tenths of a dB; empty when the tuner says nothing.
  virtual std::vector<int> TunerGains() = 0;
  virtual int SetTunerGainMode(bool manual) = 0;
  virtual int SetTunerGain(int tenths_db) = 0;
  virtual int ResetBuffer() = 0;
  virtual int ReadSync(unsigned char* buffer, int length, int& read) = 0;
};

// The calls through librtlsdr itself; null where the program was built without it.
std::unique_ptr<RtlSdrCalls> MakeLibRtlSdrCalls();

// An RTL-SDR stick as an IQ source: 8-bit samples at the setting's rate (1.2 MS/s unless given),
// tuned 250 kHz below the station so that the stick's own centre spike stays out of the channel,
// with the setting's gain (automatic without) and frequency correction. A stick that stops
// answering is closed and opened again at the next start.
class RtlSdrSource : public IqSource {
 public:
  static constexpr double kDefaultRate = 1.2e6;
  static constexpr double kStationOffsetHz = 250'000;

  RtlSdrSource(std::unique_ptr<RtlSdrCalls> calls, std::uint32_t index, const SdrSetting& setting);
  ~RtlSdrSource() override;
  RtlSdrSource(const RtlSdrSource&) = delete;
  RtlSdrSource& operator=(const RtlSdrSource&) = delete;

  double Rate() const override { return rate_; }
  double CentreHz() const override { return centre_; }
  double Tune(double hz) override;
  std::optional<std::string> Start() override;
  std::size_t Read(IqSample* out, std::size_t count, std::string& error) override;

  // Opens the stick and sets it up; the line that says what to do when it cannot.
  std::optional<std::string> OpenDevice();

 private:
  std::unique_ptr<RtlSdrCalls> calls_;
  std::uint32_t index_;
  SdrSetting setting_;
  double rate_;
  double centre_ = 99.5e6;
  bool open_ = false;
  std::vector<unsigned char> bytes_;
};

// Finds and opens the stick `setting` names (its index, its serial, or the first), or says in one
// line why not and what to do.
std::variant<std::unique_ptr<IqSource>, std::string> OpenRtlSdr(const SdrSetting& setting,
                                                                std::unique_ptr<RtlSdrCalls> calls);

}  // namespace orvaltic
