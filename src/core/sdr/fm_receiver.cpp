#include "core/sdr/fm_receiver.h"

#include <complex>
// liquid-dsp takes std::complex for its complex type once <complex> is seen.
#include <liquid/liquid.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "core/sdr/low_pass.h"

namespace orvaltic {

namespace {

constexpr double kPi = std::numbers::pi;
// The multiplex needs 57 kHz (RDS) and a little more. The channel keeps +-120 kHz, most of a
// stereo signal's spectrum: a narrower filter cuts the 38 kHz sidebands and with them the
// separation of the channels; the rate leaves room for the filter's slope above that.
constexpr double kMinMultiplexRate = 285'000;
constexpr double kChannelPassHz = 120'000;
constexpr double kAudioPassHz = 15'000;
constexpr double kPilotHz = 19'000;
// The generator's and the air's share of the pilot, and of the programme, in the multiplex.
constexpr float kProgrammeShare = 0.9F;
// Stereo comes in above this pilot level and goes below the lower one, fading over about
// 100 ms, so that a pilot at the edge neither flickers nor bursts noise.
constexpr float kPilotOn = 0.03F;
constexpr float kPilotOff = 0.015F;
constexpr double kBlendSeconds = 0.1;

// atan2 within 1e-5 rad, a few times faster than the library's: the discriminator takes one
// for every multiplex sample. An odd minimax polynomial for atan on [0, 1], then the octants.
float FastAtan2(float y, float x) {
  const float ax = std::fabs(x);
  const float ay = std::fabs(y);
  const float big = std::max(ax, ay);
  if (big == 0) {
    return 0;
  }
  const float t = std::min(ax, ay) / big;
  const float t2 = t * t;
  float r = ((((-0.0117212F * t2 + 0.05265332F) * t2 - 0.11643287F) * t2 + 0.19354346F) * t2 -
             0.33262347F) *
                t2 +
            0.99997726F;
  r *= t;
  if (ay > ax) {
    r = static_cast<float>(kPi / 2) - r;
  }
  if (x < 0) {
    r = static_cast<float>(kPi) - r;
  }
  return y < 0 ? -r : r;
}

// A one-pole low-pass of time constant tau, by impulse invariance: within 0.05 dB of the
// analogue curve up to 15 kHz at the multiplex rate.
class Deemphasis {
 public:
  Deemphasis(double tau_seconds, double rate)
      : a_(static_cast<float>(std::exp(-1.0 / (tau_seconds * rate)))) {}
  float Step(float x) {
    y_ = x + a_ * (y_ - x);
    return y_;
  }
  void Reset() { y_ = 0; }

 private:
  float a_;
  float y_ = 0;
};

}  // namespace

struct FmReceiver::Impl {
  explicit Impl(const FmReceiverSettings& s);
  ~Impl();
  void MakeResamplers(double ratio);

  FmReceiverSettings settings;
  unsigned int channel_decimation;
  double multiplex_rate;
  unsigned int audio_decimation;
  double audio_rate0;  // after the audio decimators, before the resampler

  // The channel's mixer: a rotator, renormalised now and then.
  IqSample rotator{1, 0};
  IqSample rotator_step{1, 0};
  // The channel filter in one or two decimating stages: a short one with a wide slope, then
  // one by 2 with the steep slope at the lower rate, which costs far less than one long filter
  // at the input rate.
  struct Stage {
    firdecim_crcf filter;
    unsigned int decimation;
    std::vector<IqSample> input;
  };
  std::vector<Stage> channel;
  std::vector<IqSample> baseband;
  IqSample last{1, 0};

  std::vector<float> multiplex;
  // The pilot's phase-locked loop: an oscillator on 19 kHz, its phase error taken from the
  // multiplex mixed down by it and smoothed. The oscillator turns in double precision: the loop's
  // frequency steps are far below what a float phase could hold.
  std::complex<double> oscillator{1, 0};
  std::complex<double> oscillator_step{1, 0};
  double pilot_omega = 0;
  int samples_since_step = 0;
  void SetPilotFrequency(double omega) {
    pilot_omega = omega;
    oscillator_step = std::polar(1.0, omega);
  }
  void StepPilotLoop(float error) {
    pilot_omega += loop_integral * error;
    // The frequency moves slowly: its step is worked out anew every 32 samples.
    if (++samples_since_step == 32) {
      samples_since_step = 0;
      oscillator_step = std::polar(1.0, pilot_omega);
    }
    oscillator *= oscillator_step * std::complex<double>(1, loop_proportional * error);
    oscillator *= 1.5 - 0.5 * std::norm(oscillator);
  }
  std::complex<float> pilot_iq{0, 0};
  float pilot_smoothing;
  // A second-order loop of about 5 Hz, damped at 0.7, well inside the detector's 100 Hz.
  double loop_proportional;
  double loop_integral;
  float lock = 0;  // the smoothed cosine of the phase error: near 1 when locked
  float blend = 0;
  float blend_step;
  bool stereo_wanted = false;

  Deemphasis sum_deemphasis;
  Deemphasis difference_deemphasis;
  firdecim_rrrf sum_filter;
  firdecim_rrrf difference_filter;
  std::vector<float> sum_in;
  std::vector<float> difference_in;
  std::vector<float> sum;
  std::vector<float> difference;
  resamp_rrrf left_resampler = nullptr;
  resamp_rrrf right_resampler = nullptr;
  std::vector<float> left_in;
  std::vector<float> right_in;
  std::vector<float> left_out;
  std::vector<float> right_out;
  double correction = 1.0;
};

FmReceiver::Impl::Impl(const FmReceiverSettings& s)
    : settings(s),
      channel_decimation(std::max(1U, static_cast<unsigned int>(s.input_rate / kMinMultiplexRate))),
      multiplex_rate(s.input_rate / channel_decimation),
      audio_decimation(std::max(1U, static_cast<unsigned int>(multiplex_rate / 48'000))),
      audio_rate0(multiplex_rate / audio_decimation),
      pilot_smoothing(static_cast<float>(1 - std::exp(-2 * kPi * 100 / multiplex_rate))),
      loop_proportional(2 * 0.7 * 2 * kPi * 5 / multiplex_rate),
      loop_integral(std::pow(2 * kPi * 5 / multiplex_rate, 2)),
      blend_step(static_cast<float>(1 / (kBlendSeconds * multiplex_rate))),
      sum_deemphasis(s.deemphasis_us * 1e-6, multiplex_rate),
      difference_deemphasis(s.deemphasis_us * 1e-6, multiplex_rate),
      sum_filter(nullptr),
      difference_filter(nullptr) {
  if (!(s.input_rate >= 200'000 && s.input_rate <= 20e6) ||
      !(s.audio_rate >= 8'000 && s.audio_rate <= 384'000)) {
    throw std::invalid_argument("sample rate out of range");
  }
  const unsigned int second = channel_decimation % 2 == 0 && channel_decimation >= 4 ? 2 : 1;
  const unsigned int first = channel_decimation / second;
  double rate = s.input_rate;
  for (const unsigned int m : {first, second}) {
    if (m == 1 && !channel.empty()) {
      continue;
    }
    const double out_rate = rate / m;
    const std::vector<float> stage =
        KaiserLowPass(rate, kChannelPassHz, out_rate - kChannelPassHz, 2 * m + 1);
    channel.push_back({firdecim_crcf_create(m, const_cast<float*>(stage.data()),
                                            static_cast<unsigned int>(stage.size())),
                       m,
                       {}});
    rate = out_rate;
  }
  std::vector<float> taps =
      KaiserLowPass(multiplex_rate, kAudioPassHz, kPilotHz, 2 * audio_decimation + 1);
  sum_filter =
      firdecim_rrrf_create(audio_decimation, taps.data(), static_cast<unsigned int>(taps.size()));
  difference_filter =
      firdecim_rrrf_create(audio_decimation, taps.data(), static_cast<unsigned int>(taps.size()));
  SetPilotFrequency(2 * kPi * kPilotHz / multiplex_rate);
  MakeResamplers(1.0);
}

FmReceiver::Impl::~Impl() {
  for (Stage& stage : channel) {
    firdecim_crcf_destroy(stage.filter);
  }
  firdecim_rrrf_destroy(sum_filter);
  firdecim_rrrf_destroy(difference_filter);
  resamp_rrrf_destroy(left_resampler);
  resamp_rrrf_destroy(right_resampler);
}

void FmReceiver::Impl::MakeResamplers(double ratio) {
  const float rate = static_cast<float>(settings.audio_rate / audio_rate0 * ratio);
  if (left_resampler == nullptr) {
    const float cutoff = std::min(0.45F, 0.45F * rate);
    left_resampler = resamp_rrrf_create(rate, 12, cutoff, kReceiverStopBandDb, 64);
    right_resampler = resamp_rrrf_create(rate, 12, cutoff, kReceiverStopBandDb, 64);
  } else {
    resamp_rrrf_set_rate(left_resampler, rate);
    resamp_rrrf_set_rate(right_resampler, rate);
  }
  correction = ratio;
}

FmReceiver::FmReceiver(const FmReceiverSettings& settings)
    : impl_(std::make_unique<Impl>(settings)) {}

FmReceiver::~FmReceiver() = default;

void FmReceiver::SetOffset(double hz) {
  impl_->rotator_step =
      std::polar(1.0F, static_cast<float>(-2 * kPi * hz / impl_->settings.input_rate));
}

void FmReceiver::SetRateCorrection(double ratio) {
  if (ratio > 0.99 && ratio < 1.01 && ratio != impl_->correction) {
    impl_->MakeResamplers(ratio);
  }
}

void FmReceiver::Reset() {
  Impl& d = *impl_;
  for (Impl::Stage& stage : d.channel) {
    firdecim_crcf_reset(stage.filter);
    stage.input.clear();
  }
  firdecim_rrrf_reset(d.sum_filter);
  firdecim_rrrf_reset(d.difference_filter);
  resamp_rrrf_reset(d.left_resampler);
  resamp_rrrf_reset(d.right_resampler);
  d.sum_deemphasis.Reset();
  d.difference_deemphasis.Reset();
  d.pilot_iq = {0, 0};
  d.lock = 0;
  d.blend = 0;
  d.stereo_wanted = false;
  d.sum_in.clear();
  d.difference_in.clear();
  d.last = {1, 0};
}

void FmReceiver::Process(const IqSample* iq, std::size_t count, std::vector<float>& audio) {
  Impl& d = *impl_;
  // Mix down, then decimate whole blocks stage by stage; a rest waits for the next call.
  {
    std::vector<IqSample>& mixed = d.channel.front().input;
    const std::size_t kept = mixed.size();
    mixed.resize(kept + count);
    IqSample rotator = d.rotator;
    for (std::size_t i = 0; i < count; ++i) {
      mixed[kept + i] = iq[i] * rotator;
      rotator *= d.rotator_step;
      if ((i & 255U) == 255U) {
        rotator /= std::abs(rotator);
      }
    }
    d.rotator = rotator / std::abs(rotator);
  }
  for (std::size_t k = 0; k < d.channel.size(); ++k) {
    Impl::Stage& stage = d.channel[k];
    std::vector<IqSample>& out = k + 1 < d.channel.size() ? d.channel[k + 1].input : d.baseband;
    const std::size_t produced = stage.input.size() / stage.decimation;
    const std::size_t kept = k + 1 < d.channel.size() ? out.size() : 0;
    out.resize(kept + produced);
    if (produced > 0) {
      firdecim_crcf_execute_block(stage.filter, stage.input.data(),
                                  static_cast<unsigned int>(produced), out.data() + kept);
    }
    stage.input.erase(stage.input.begin(), stage.input.begin() + static_cast<std::ptrdiff_t>(
                                                                     produced * stage.decimation));
  }
  const std::size_t outputs = d.baseband.size();

  // FM discriminator: the phase step between samples, scaled so that full deviation is 1.
  const float scale = static_cast<float>(d.multiplex_rate / (2 * kPi * kBroadcastDeviationHz));
  d.multiplex.resize(outputs);
  for (std::size_t i = 0; i < outputs; ++i) {
    const IqSample y = d.baseband[i];
    const IqSample step = y * std::conj(d.last);
    d.multiplex[i] = FastAtan2(step.imag(), step.real()) * scale;
    d.last = std::norm(y) > 0 ? y : d.last;
  }

  for (std::size_t i = 0; i < outputs; ++i) {
    const float m = d.multiplex[i];
    // The pilot's phase error: the multiplex mixed down by the oscillator, smoothed, turned by
    // a quarter (the pilot is a sine) is the pilot's phase against the oscillator's.
    const IqSample oscillator(static_cast<float>(d.oscillator.real()),
                              static_cast<float>(d.oscillator.imag()));
    d.pilot_iq += d.pilot_smoothing * (m * std::conj(oscillator) - d.pilot_iq);
    const IqSample turned = d.pilot_iq * IqSample(0, 2);
    const float level = std::abs(turned);
    d.StepPilotLoop(FastAtan2(turned.imag(), turned.real()));
    d.lock += d.pilot_smoothing * ((level > 0 ? turned.real() / level : 0.0F) - d.lock);

    if (level > kPilotOn && d.lock > 0.9F) {
      d.stereo_wanted = true;
    } else if (level < kPilotOff || d.lock < 0.7F) {
      d.stereo_wanted = false;
    }
    d.blend = std::clamp(d.blend + (d.stereo_wanted ? d.blend_step : -d.blend_step), 0.0F, 1.0F);

    // 38 kHz in phase with the pilot's second harmonic: sin(2 phi) = 2 sin(phi) cos(phi).
    const float carrier = 2 * oscillator.real() * oscillator.imag();
    d.sum_in.push_back(d.sum_deemphasis.Step(m));
    d.difference_in.push_back(d.difference_deemphasis.Step(2 * m * carrier * d.blend));
  }

  const unsigned int m2 = d.audio_decimation;
  const std::size_t frames = d.sum_in.size() / m2;
  d.sum.resize(frames);
  d.difference.resize(frames);
  if (frames > 0) {
    firdecim_rrrf_execute_block(d.sum_filter, d.sum_in.data(), static_cast<unsigned int>(frames),
                                d.sum.data());
    firdecim_rrrf_execute_block(d.difference_filter, d.difference_in.data(),
                                static_cast<unsigned int>(frames), d.difference.data());
  }
  d.sum_in.erase(d.sum_in.begin(), d.sum_in.begin() + static_cast<std::ptrdiff_t>(frames * m2));
  d.difference_in.erase(d.difference_in.begin(),
                        d.difference_in.begin() + static_cast<std::ptrdiff_t>(frames * m2));

  d.left_in.resize(frames);
  d.right_in.resize(frames);
  for (std::size_t i = 0; i < frames; ++i) {
    d.left_in[i] = (d.sum[i] + d.difference[i]) / kProgrammeShare;
    d.right_in[i] = (d.sum[i] - d.difference[i]) / kProgrammeShare;
  }
  const std::size_t room = frames * 2 + 8;
  d.left_out.resize(room);
  d.right_out.resize(room);
  unsigned int left_count = 0;
  unsigned int right_count = 0;
  if (frames > 0) {
    resamp_rrrf_execute_block(d.left_resampler, d.left_in.data(), static_cast<unsigned int>(frames),
                              d.left_out.data(), &left_count);
    resamp_rrrf_execute_block(d.right_resampler, d.right_in.data(),
                              static_cast<unsigned int>(frames), d.right_out.data(), &right_count);
  }
  const std::size_t produced = std::min(left_count, right_count);
  audio.reserve(audio.size() + 2 * produced);
  for (std::size_t i = 0; i < produced; ++i) {
    audio.push_back(d.left_out[i]);
    audio.push_back(d.right_out[i]);
  }
}

float FmReceiver::StereoBlend() const {
  return impl_->blend;
}

double FmReceiver::MultiplexRate() const {
  return impl_->multiplex_rate;
}

const std::vector<float>& FmReceiver::LastMultiplex() const {
  return impl_->multiplex;
}

}  // namespace orvaltic
