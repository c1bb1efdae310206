#include "core/sdr/rds_demodulator.h"

#include <complex>
// liquid-dsp takes std::complex for its complex type once <complex> is seen.
#include <liquid/liquid.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/sdr/low_pass.h"

namespace orvaltic {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kSubcarrierHz = 57'000;
constexpr double kBitRate = 1187.5;
constexpr int kSamplesPerBit = 16;
constexpr double kSymbolRate = kBitRate * kSamplesPerBit;  // 19 kHz
// The subcarrier's sidebands reach about 2.4 kHz.
constexpr double kBandHz = 2'400;

using Complex = std::complex<float>;

}  // namespace

struct RdsDemodulator::Impl {
  explicit Impl(double rate);
  ~Impl() {
    firdecim_crcf_destroy(decimator);
    firfilt_crcf_destroy(band);
    resamp_rrrf_destroy(resampler);
  }
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  double rate;
  unsigned int decimation;
  double narrow_rate;
  Complex mixer{1, 0};
  Complex mixer_step;
  int mixer_count = 0;
  firdecim_crcf decimator;
  std::vector<Complex> mixed;
  std::vector<Complex> narrow;
  firfilt_crcf band;
  // The Costas loop: the carrier's phase and frequency against the mixer's, in the narrow band.
  double carrier_phase = 0;
  double carrier_step = 0;
  double loop_proportional;
  double loop_integral;
  resamp_rrrf resampler;
  std::vector<float> baseband;
  std::vector<float> symbols;
  // Bit timing: the last 16 samples, and for each of the 16 phases how strong the biphase
  // shape has been there lately.
  std::array<float, kSamplesPerBit> window{};
  int at = 0;
  std::array<float, kSamplesPerBit> strength{};
  int phase = 0;
  int best = 0;
  bool last_symbol = false;
};

RdsDemodulator::Impl::Impl(double r)
    : rate(r),
      // Down to just above the symbol rate (about 20 kHz), where the band filter is short.
      decimation(std::max(1U, static_cast<unsigned int>(r / kSymbolRate))),
      narrow_rate(r / decimation),
      mixer_step(std::polar(1.0F, static_cast<float>(-2 * kPi * kSubcarrierHz / r))),
      decimator(nullptr),
      band(nullptr),
      loop_proportional(2 * 0.7 * 2 * kPi * 20 / narrow_rate),
      loop_integral(std::pow(2 * kPi * 20 / narrow_rate, 2)),
      resampler(nullptr) {
  std::vector<float> taps = KaiserLowPass(rate, kBandHz, narrow_rate - kBandHz, 2 * decimation + 1);
  decimator = firdecim_crcf_create(decimation, taps.data(), static_cast<unsigned int>(taps.size()));
  taps = KaiserLowPass(narrow_rate, kBandHz, 4'000);
  band = firfilt_crcf_create(taps.data(), static_cast<unsigned int>(taps.size()));
  const auto ratio = static_cast<float>(kSymbolRate / narrow_rate);
  resampler = resamp_rrrf_create(ratio, 8, std::min(0.45F, 0.45F * ratio), kReceiverStopBandDb, 32);
}

RdsDemodulator::RdsDemodulator(double multiplex_rate)
    : impl_(std::make_unique<Impl>(multiplex_rate)) {}

RdsDemodulator::~RdsDemodulator() = default;

void RdsDemodulator::Reset() {
  Impl& d = *impl_;
  firdecim_crcf_reset(d.decimator);
  firfilt_crcf_reset(d.band);
  resamp_rrrf_reset(d.resampler);
  d.mixed.clear();
  d.carrier_phase = 0;
  d.carrier_step = 0;
  d.window.fill(0);
  d.strength.fill(0);
  decoder_.Reset();
}

void RdsDemodulator::Process(const float* multiplex, std::size_t count) {
  Impl& d = *impl_;
  // Down from 57 kHz and into the narrow rate.
  const std::size_t kept = d.mixed.size();
  d.mixed.resize(kept + count);
  Complex mixer = d.mixer;
  for (std::size_t i = 0; i < count; ++i) {
    d.mixed[kept + i] = multiplex[i] * mixer;
    mixer *= d.mixer_step;
    if (++d.mixer_count == 256) {
      d.mixer_count = 0;
      mixer /= std::abs(mixer);
    }
  }
  d.mixer = mixer;
  const std::size_t outputs = d.mixed.size() / d.decimation;
  d.narrow.resize(outputs);
  if (outputs > 0) {
    firdecim_crcf_execute_block(d.decimator, d.mixed.data(), static_cast<unsigned int>(outputs),
                                d.narrow.data());
  }
  d.mixed.erase(d.mixed.begin(),
                d.mixed.begin() + static_cast<std::ptrdiff_t>(outputs * d.decimation));

  // The carrier: a binary signal squared has no sign, so I * Q says how far the phase is off.
  d.baseband.resize(outputs);
  for (std::size_t i = 0; i < outputs; ++i) {
    Complex y;
    firfilt_crcf_push(d.band, d.narrow[i]);
    firfilt_crcf_execute(d.band, &y);
    const Complex z = y * std::polar(1.0F, static_cast<float>(-d.carrier_phase));
    const float power = std::norm(z);
    const float error = power > 0 ? z.real() * z.imag() / power : 0.0F;
    d.carrier_step += d.loop_integral * error;
    d.carrier_phase += d.carrier_step + d.loop_proportional * error;
    d.carrier_phase = std::remainder(d.carrier_phase, 2 * kPi);
    d.baseband[i] = z.real();
  }

  d.symbols.resize(outputs * 2 + 8);
  unsigned int produced = 0;
  if (outputs > 0) {
    resamp_rrrf_execute_block(d.resampler, d.baseband.data(), static_cast<unsigned int>(outputs),
                              d.symbols.data(), &produced);
  }

  // Biphase bits: the first half against the second. Each phase's strength decays over about
  // 20 bits, so the timing follows a drifting clock.
  for (unsigned int i = 0; i < produced; ++i) {
    d.window[static_cast<std::size_t>(d.at)] = d.symbols[i];
    d.at = (d.at + 1) % kSamplesPerBit;
    float first = 0;
    float second = 0;
    for (int k = 0; k < kSamplesPerBit; ++k) {
      const float v = d.window[static_cast<std::size_t>((d.at + k) % kSamplesPerBit)];
      (k < kSamplesPerBit / 2 ? first : second) += v;
    }
    const float shape = first - second;
    float& strength = d.strength[static_cast<std::size_t>(d.phase)];
    strength += 0.05F * (shape * shape - strength);
    if (d.phase == d.best) {
      const bool symbol = shape > 0;
      decoder_.PushBit(symbol != d.last_symbol);
      d.last_symbol = symbol;
    }
    d.phase = (d.phase + 1) % kSamplesPerBit;
    if (d.phase == 0) {
      d.best = static_cast<int>(std::max_element(d.strength.begin(), d.strength.end()) -
                                d.strength.begin());
    }
  }
}

}  // namespace orvaltic
