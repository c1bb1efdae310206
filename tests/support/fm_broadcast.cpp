#include "support/fm_broadcast.h"

#include <cmath>
#include <cstring>
#include <numbers>
#include <random>

namespace orvaltic::testing {

namespace {

constexpr double kPi = std::numbers::pi;

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFU));
  }
}

}  // namespace

std::vector<std::complex<float>> GenerateFmIq(const FmBroadcast& b) {
  const auto count = static_cast<std::size_t>(b.rate * b.seconds);
  std::vector<std::complex<float>> iq(count);
  for (const FmStation& s : b.stations) {
    double phase = 0;
    const double deviation = 2 * kPi * 75'000 / b.rate;
    const double amplitude = std::sqrt(s.power);
    std::size_t rds_bit = 0;
    bool rds_symbol = false;
    std::size_t next_error = 0;
    for (std::size_t n = 0; n < count; ++n) {
      const double t = static_cast<double>(n) / b.rate;
      const double left = s.left_hz > 0 ? s.left_level * std::sin(2 * kPi * s.left_hz * t) : 0;
      const double right = s.right_hz > 0 ? s.right_level * std::sin(2 * kPi * s.right_hz * t) : 0;
      const double pilot = 2 * kPi * 19'000 * t;
      const double multiplex =
          s.pilot ? 0.9 * ((left + right) / 2 + (left - right) / 2 * std::sin(2 * pilot)) +
                        0.1 * std::sin(pilot)
                  : (left + right) / 2;
      double rds = 0;
      if (!s.rds_bits.empty()) {
        const double position = t * 1187.5;
        const auto bit = static_cast<std::size_t>(position);
        while (rds_bit <= bit) {
          bool data = s.rds_bits[rds_bit % s.rds_bits.size()];
          if (next_error < s.rds_errors.size() && s.rds_errors[next_error] == rds_bit) {
            data = !data;
            ++next_error;
          }
          rds_symbol = rds_symbol != data;  // differential coding
          ++rds_bit;
        }
        // Biphase: each bit a whole sine cycle, its sign the coded symbol.
        rds = s.rds_level * (rds_symbol ? 1 : -1) *
              std::sin(2 * kPi * (position - static_cast<double>(bit))) * std::sin(3 * pilot);
      }
      phase += deviation * (multiplex + rds);
      const double carrier = phase + 2 * kPi * s.offset_hz * t;
      iq[n] += std::complex<float>(static_cast<float>(amplitude * std::cos(carrier)),
                                   static_cast<float>(amplitude * std::sin(carrier)));
    }
  }
  if (!b.stations.empty()) {
    // Noise of the given SNR in 200 kHz, spread over the whole band.
    const double noise_power =
        b.stations.front().power / std::pow(10.0, b.snr_db / 10) * (b.rate / 200'000);
    std::mt19937 engine(b.seed);
    std::normal_distribution<float> gauss(0.0F, static_cast<float>(std::sqrt(noise_power / 2)));
    for (std::complex<float>& x : iq) {
      x += std::complex<float>(gauss(engine), gauss(engine));
    }
  }
  return iq;
}

std::string IqFileBytes(const std::vector<std::complex<float>>& iq, const std::string& format,
                        double rate) {
  std::string out;
  const auto clamp = [](double v, double lo, double hi) { return v < lo ? lo : v > hi ? hi : v; };
  if (format == "cu8") {
    for (const std::complex<float>& x : iq) {
      out.push_back(static_cast<char>(std::lround(clamp(x.real() * 127.5 + 127.5, 0, 255))));
      out.push_back(static_cast<char>(std::lround(clamp(x.imag() * 127.5 + 127.5, 0, 255))));
    }
  } else if (format == "cs16" || format == "wav") {
    std::string data;
    for (const std::complex<float>& x : iq) {
      for (const float v : {x.real(), x.imag()}) {
        const long s = std::lround(clamp(v * 32767.0, -32768, 32767));
        PutLe(data, static_cast<std::uint32_t>(s) & 0xFFFFU, 2);
      }
    }
    if (format == "cs16") {
      return data;
    }
    const auto rate_hz = static_cast<std::uint32_t>(std::lround(rate));
    out = "RIFF";
    PutLe(out, static_cast<std::uint32_t>(36 + data.size()), 4);
    out += "WAVEfmt ";
    PutLe(out, 16, 4);
    PutLe(out, 1, 2);  // PCM
    PutLe(out, 2, 2);  // two channels: I and Q
    PutLe(out, rate_hz, 4);
    PutLe(out, rate_hz * 4, 4);
    PutLe(out, 4, 2);
    PutLe(out, 16, 2);
    out += "data";
    PutLe(out, static_cast<std::uint32_t>(data.size()), 4);
    out += data;
  } else if (format == "cf32") {
    out.resize(iq.size() * sizeof(std::complex<float>));
    std::memcpy(out.data(), iq.data(), out.size());
  }
  return out;
}

double ToneAmplitude(const std::vector<float>& samples, std::size_t first, std::size_t stride,
                     double rate, double hz) {
  std::complex<double> sum = 0;
  double weight = 0;
  std::size_t count = 0;
  for (std::size_t i = first; i < samples.size(); i += stride) {
    ++count;
  }
  for (std::size_t k = 0; k < count; ++k) {
    const double window =
        0.5 - 0.5 * std::cos(2 * kPi * static_cast<double>(k) / static_cast<double>(count));
    const double t = static_cast<double>(k) / rate;
    sum += window * samples[first + k * stride] * std::polar(1.0, -2 * kPi * hz * t);
    weight += window;
  }
  return weight > 0 ? 2 * std::abs(sum) / weight : 0;
}

}  // namespace orvaltic::testing
