#include "core/platform/sound.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <optional>
#include <utility>

namespace orvaltic {
namespace {

std::uint16_t ReadU16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

std::uint32_t ReadU32(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(ReadU16(bytes, at)) |
         (static_cast<std::uint32_t>(ReadU16(bytes, at + 2)) << 16);
}

void AppendU16(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void AppendU32(std::string& out, std::uint32_t value) {
  AppendU16(out, static_cast<std::uint16_t>(value & 0xFFFF));
  AppendU16(out, static_cast<std::uint16_t>(value >> 16));
}

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

// The PCM sub-format GUID of WAVE_FORMAT_EXTENSIBLE, as stored in the file.
constexpr std::array<unsigned char, 16> kPcmSubFormat = {
    0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

// Checks a "fmt " chunk body: integer PCM with a layout a sound device can take.
bool IsPcmFormat(std::string_view fmt) {
  if (fmt.size() < 16) {
    return false;
  }
  const std::uint16_t format = ReadU16(fmt, 0);
  const std::uint16_t channels = ReadU16(fmt, 2);
  const std::uint32_t rate = ReadU32(fmt, 4);
  const std::uint16_t block_align = ReadU16(fmt, 12);
  const std::uint16_t bits = ReadU16(fmt, 14);

  if (format == kFormatExtensible) {
    // cbSize (2), valid bits (2), channel mask (4), sub-format GUID (16).
    if (fmt.size() < 40 || ReadU16(fmt, 16) < 22) {
      return false;
    }
    for (std::size_t i = 0; i < kPcmSubFormat.size(); ++i) {
      if (static_cast<unsigned char>(fmt[24 + i]) != kPcmSubFormat[i]) {
        return false;
      }
    }
  } else if (format != kFormatPcm) {
    return false;
  }

  if (channels < 1 || channels > 8) {
    return false;
  }
  if (rate < 1000 || rate > 384000) {
    return false;
  }
  if (bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return false;
  }
  const std::uint32_t frame = static_cast<std::uint32_t>(channels) * bits / 8;
  // Decoders step through the data by the block alignment; a wrong one means garbage. The
  // bytes-per-second field is advisory and often wrong in the wild, so it is not checked.
  return block_align == frame;
}

// A file larger than this is judged by its first part; the chunk walk accepts a data chunk
// that runs past the end of what it was given.
constexpr std::size_t kProbeBytes = std::size_t{4} << 20;

// Only a regular file is read. The open does not wait: a FIFO or a device named as the wave
// file would otherwise block the GUI thread, and its timers with it, until someone writes to
// it; like a missing file, it plays the default sound instead.
std::optional<std::string> ReadPrefix(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    return std::nullopt;
  }
  struct stat info {};
  std::optional<std::string> bytes;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    std::string prefix(kProbeBytes, '\0');
    std::size_t have = 0;
    bool failed = false;
    while (have < prefix.size()) {
      const ssize_t got = ::read(fd, prefix.data() + have, prefix.size() - have);
      if (got < 0 && errno == EINTR) {
        continue;
      }
      failed = got < 0;
      if (got <= 0) {
        break;
      }
      have += static_cast<std::size_t>(got);
    }
    if (!failed) {
      prefix.resize(have);
      bytes = std::move(prefix);
    }
  }
  ::close(fd);
  return bytes;
}

}  // namespace

bool IsPlayableWave(std::string_view bytes) {
  if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
    return false;
  }
  // The RIFF size field is ignored: writers that stream leave it 0 or wrong, and players
  // go by the chunks.
  bool have_format = false;
  std::size_t block_align = 0;
  std::size_t pos = 12;
  while (bytes.size() - pos >= 8) {
    const std::string_view id = bytes.substr(pos, 4);
    const std::size_t size = ReadU32(bytes, pos + 4);
    const std::size_t body = pos + 8;
    const std::size_t available = bytes.size() - body;

    if (id == "data") {
      // A format must come first. The data may be cut short, but must hold one sample frame.
      const std::size_t data_size = size < available ? size : available;
      return have_format && data_size >= block_align;
    }
    if (size > available) {
      return false;
    }
    if (id == "fmt ") {
      if (have_format || !IsPcmFormat(bytes.substr(body, size))) {
        return false;
      }
      have_format = true;
      block_align = ReadU16(bytes, body + 12);
    }
    // Chunks are padded to an even length.
    const std::size_t padded = size + (size & 1U);
    if (padded > available) {
      return false;
    }
    pos = body + padded;
  }
  return false;
}

std::string DefaultChimeWave() {
  constexpr std::uint32_t kRate = 22050;
  constexpr double kPi = std::numbers::pi;
  // Two bell-like tones, high then low, each with a soft attack and an exponential decay,
  // the whole sound fading to silence at its end.
  struct Tone {
    double start;   // seconds
    double length;  // seconds
    double freq;    // Hz
    double decay;   // per second
  };
  constexpr std::array<Tone, 2> kTones = {{{0.0, 0.25, 880.0, 9.0}, {0.22, 0.38, 659.25, 6.0}}};
  constexpr double kTotal = 0.6;
  constexpr double kAttack = 0.005;
  constexpr double kAmplitude = 0.45;
  constexpr auto kSamples = static_cast<std::uint32_t>(kTotal * kRate);

  std::string pcm;
  pcm.reserve(std::size_t{kSamples} * 2);
  for (std::uint32_t i = 0; i < kSamples; ++i) {
    const double t = static_cast<double>(i) / kRate;
    double value = 0.0;
    for (const Tone& tone : kTones) {
      const double local = t - tone.start;
      if (local < 0.0 || local >= tone.length) {
        continue;
      }
      double envelope = std::exp(-tone.decay * local);
      envelope *= std::min(1.0, local / kAttack);
      // Each tone ends at zero so that cutting it off does not click.
      envelope *= std::min(1.0, (tone.length - local) / 0.02);
      // A quiet octave partial makes it sound like a chime rather than a beep.
      value += envelope * (std::sin(2.0 * kPi * tone.freq * local) +
                           0.25 * std::sin(4.0 * kPi * tone.freq * local));
    }
    const double fade = 1.0 - t / kTotal;
    const double sample = std::clamp(value * kAmplitude * fade, -1.0, 1.0) * 32767.0;
    AppendU16(pcm, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(sample))));
  }

  std::string wave;
  wave.reserve(44 + pcm.size());
  wave += "RIFF";
  AppendU32(wave, static_cast<std::uint32_t>(36 + pcm.size()));
  wave += "WAVE";
  wave += "fmt ";
  AppendU32(wave, 16);
  AppendU16(wave, kFormatPcm);
  AppendU16(wave, 1);  // mono
  AppendU32(wave, kRate);
  AppendU32(wave, kRate * 2);  // bytes per second
  AppendU16(wave, 2);          // block alignment
  AppendU16(wave, 16);         // bits per sample
  wave += "data";
  AppendU32(wave, static_cast<std::uint32_t>(pcm.size()));
  wave += pcm;
  return wave;
}

bool SoundPlayer::PlaySound(const std::string& name, unsigned flags) {
  output_.Stop();
  if (name.empty()) {
    return true;
  }
  // Looping is only defined for asynchronous play; everything plays asynchronously here, so
  // the synchronous form of the call never blocks the GUI thread.
  const bool loop = (flags & kSndLoop) != 0 && (flags & kSndAsync) != 0;
  const std::optional<std::string> bytes = ReadPrefix(name);
  if (bytes && IsPlayableWave(*bytes) && output_.PlayFile(name, loop)) {
    return true;
  }
  output_.PlayDefault(loop);
  return false;
}

}  // namespace orvaltic
