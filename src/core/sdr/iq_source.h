#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/sdr/fm_receiver.h"

namespace orvaltic {

enum class IqFormat { kCu8, kCs16, kCf32, kWav };

// What ORVALTIC_CARD names for a software receiver, with its options after commas:
//   rtlsdr, rtlsdr:INDEX, rtlsdr:SERIAL   an RTL-SDR stick
//   iq:FILE                               a recording of the air, played in real time
//   soapy:ARGS                            any receiver with a SoapySDR module
// Options: rate= (MS/s), centre= (MHz), loop, gain= (dB; automatic without), ppm=, deemph=50|75
// (us), format=cu8|cs16|cf32|wav. A piece between commas that is no option belongs to the name,
// so a file name may hold commas.
struct SdrSetting {
  enum class Kind { kRtlSdr, kIqFile, kSoapy };
  Kind kind = Kind::kRtlSdr;
  std::string target;  // the stick's index or serial, the file, the SoapySDR arguments
  std::optional<IqFormat> format;
  std::optional<double> rate_hz;
  std::optional<double> centre_hz;
  bool loop = false;
  std::optional<double> gain_db;
  int ppm = 0;
  double deemphasis_us = 50;
};

// Whether `value` names a software receiver at all (rtlsdr..., iq:..., soapy:...).
bool IsSdrSetting(std::string_view value);
// The setting, or the line that says what is wrong with it.
std::variant<SdrSetting, std::string> ParseSdrSetting(std::string_view value);

// A source of IQ samples at a fixed rate around a centre frequency. Read runs on the receiver's
// thread; the rest is called before it starts.
class IqSource {
 public:
  virtual ~IqSource() = default;
  virtual double Rate() const = 0;
  // The centre frequency the samples are taken around now.
  virtual double CentreHz() const = 0;
  // Asks for `hz` to be receivable; returns the centre the source now has (a file keeps its own).
  virtual double Tune(double hz) = 0;
  // The half-width around the centre in which a channel can be received.
  virtual double ReachHz() const { return Rate() / 2 - 120'000; }
  // Starts and stops the stream (a stick streams only while it is heard).
  virtual std::optional<std::string> Start() { return std::nullopt; }
  virtual void Stop() {}
  // Fills `out` with the next samples (blocking as long as the source needs, paced in real time
  // for a file). Returns the number read; 0 with `error` set when the source failed or ended.
  virtual std::size_t Read(IqSample* out, std::size_t count, std::string& error) = 0;
};

// Converts raw sample bytes of `format` (not WAV: its samples are cs16 or cu8 or cf32 after the
// header) to complex floats of full scale 1.
void ConvertIq(IqFormat format, const unsigned char* bytes, std::size_t pairs, IqSample* out);
std::size_t BytesPerPair(IqFormat format);

// A recording on disk, as if it were the air: its rate and centre from the setting or its WAV
// header, read in blocks and paced by the clock, from the start again at its end with `loop`.
// Opening checks that it holds IQ at all; the messages say what is wrong and what to give.
std::variant<std::unique_ptr<IqSource>, std::string> OpenIqFile(const SdrSetting& setting,
                                                                bool paced = true);

}  // namespace orvaltic
