// Writes a recording of FM broadcast stations, as a receiver would record the air, for trying
// the radio without a receiver and for the end-to-end tests:
//   fm_iq_generator FILE [rate=MS/s] [seconds=S] [centre=MHz] [snr=dB] STATION...
// FILE's extension picks the format (.cu8, .cs16, .cf32, .wav); each STATION is
// MHz[:LEFT_HZ[:RIGHT_HZ[:mono]]], tones of half deviation in each channel (0: none).
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/platform/numbers.h"
#include "support/fm_broadcast.h"

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at - start));
    if (at == std::string::npos) {
      return parts;
    }
    start = at + 1;
  }
}

double Number(const std::string& text) {
  return orvaltic::TryStrToFloat(text).value_or(0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs(
        "usage: fm_iq_generator FILE [rate=2.4] [seconds=10] [centre=MHz] [snr=60] "
        "MHz[:LEFT_HZ[:RIGHT_HZ[:mono]]]...\n",
        stderr);
    return 2;
  }
  const std::string file = argv[1];
  orvaltic::testing::FmBroadcast broadcast;
  broadcast.rate = 2.4e6;
  broadcast.seconds = 10;
  double centre = 0;
  std::vector<double> frequencies;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    const std::size_t equals = arg.find('=');
    if (equals != std::string::npos) {
      const std::string key = arg.substr(0, equals);
      const double value = Number(arg.substr(equals + 1));
      if (key == "rate") {
        broadcast.rate = value * 1e6;
      } else if (key == "seconds") {
        broadcast.seconds = value;
      } else if (key == "centre") {
        centre = value;
      } else if (key == "snr") {
        broadcast.snr_db = value;
      }
      continue;
    }
    const std::vector<std::string> parts = Split(arg, ':');
    orvaltic::testing::FmStation station;
    frequencies.push_back(Number(parts[0]));
    station.left_hz = parts.size() > 1 ? Number(parts[1]) : 1000;
    station.right_hz = parts.size() > 2 ? Number(parts[2]) : station.left_hz;
    station.pilot = !(parts.size() > 3 && parts[3] == "mono");
    broadcast.stations.push_back(station);
  }
  if (centre == 0 && !frequencies.empty()) {
    centre = frequencies.front();
  }
  for (std::size_t i = 0; i < frequencies.size(); ++i) {
    broadcast.stations[i].offset_hz = (frequencies[i] - centre) * 1e6;
  }
  const std::string format = file.substr(file.rfind('.') + 1);
  std::ofstream out(file, std::ios::binary);
  out << orvaltic::testing::IqFileBytes(orvaltic::testing::GenerateFmIq(broadcast), format,
                                        broadcast.rate);
  return out ? 0 : 1;
}
