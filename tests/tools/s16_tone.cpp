// Prints the amplitude (full scale 1) of a tone in each channel of raw 16-bit stereo sound, as a
// sound server's monitor records it: s16_tone FILE RATE HZ [SKIP_SECONDS]
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/platform/numbers.h"
#include "support/fm_broadcast.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fputs("usage: s16_tone FILE RATE HZ [SKIP_SECONDS]\n", stderr);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary | std::ios::ate);
  std::string bytes(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  const double rate = orvaltic::TryStrToFloat(argv[2]).value_or(48000);
  const double hz = orvaltic::TryStrToFloat(argv[3]).value_or(1000);
  const double skip = argc > 4 ? orvaltic::TryStrToFloat(argv[4]).value_or(0) : 0;
  std::vector<float> samples;
  for (std::size_t i = static_cast<std::size_t>(skip * rate) * 4; i + 1 < bytes.size(); i += 2) {
    const auto low = static_cast<unsigned char>(bytes[i]);
    const auto high = static_cast<unsigned char>(bytes[i + 1]);
    samples.push_back(static_cast<float>(static_cast<short>(low | (high << 8))) / 32768.0F);
  }
  std::printf("%.4f %.4f\n", orvaltic::testing::ToneAmplitude(samples, 0, 2, rate, hz),
              orvaltic::testing::ToneAmplitude(samples, 1, 2, rate, hz));
  return 0;
}
