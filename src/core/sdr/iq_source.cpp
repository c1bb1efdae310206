#include "core/sdr/iq_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>

#include "core/platform/numbers.h"
#include "core/platform/printable_text.h"

namespace orvaltic {

namespace {

constexpr std::string_view kSdrNames =
    "use rtlsdr, rtlsdr:INDEX, rtlsdr:SERIAL, iq:FILE or soapy:ARGS";

std::vector<std::string_view> SplitCommas(std::string_view text) {
  std::vector<std::string_view> pieces;
  for (;;) {
    const std::size_t comma = text.find(',');
    pieces.push_back(text.substr(0, comma));
    if (comma == std::string_view::npos) {
      return pieces;
    }
    text.remove_prefix(comma + 1);
  }
}

std::optional<IqFormat> FormatNamed(std::string_view name) {
  if (name == "cu8") {
    return IqFormat::kCu8;
  }
  if (name == "cs16") {
    return IqFormat::kCs16;
  }
  if (name == "cf32") {
    return IqFormat::kCf32;
  }
  if (name == "wav") {
    return IqFormat::kWav;
  }
  return std::nullopt;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return lower;
}

std::optional<IqFormat> FormatOfName(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) {
    return std::nullopt;
  }
  return FormatNamed(Lower(std::string_view(path).substr(dot + 1)));
}

// Applies one option; false when `piece` is no option at all; `error` set when it is a bad one.
bool ApplyOption(std::string_view piece, SdrSetting& setting, std::string& error) {
  const std::size_t equals = piece.find('=');
  const std::string_view key = piece.substr(0, equals);
  if (equals == std::string_view::npos) {
    if (piece == "loop") {
      setting.loop = true;
      return true;
    }
    return false;
  }
  const std::string_view value = piece.substr(equals + 1);
  const std::optional<double> number = TryStrToFloat(value);
  const auto bad = [&](const char* what) {
    error = "ORVALTIC_CARD: " + std::string(key) + "=" + PrintableText(value) + " is not " + what;
    return true;
  };
  if (key == "rate") {
    if (!number || *number < 0.2 || *number > 20) {
      return bad("a sample rate in MS/s from 0.2 to 20, as in rate=2.4");
    }
    setting.rate_hz = *number * 1e6;
  } else if (key == "centre" || key == "center") {
    if (!number || *number < 1 || *number > 6000) {
      return bad("a centre frequency in MHz, as in centre=99.5");
    }
    setting.centre_hz = *number * 1e6;
  } else if (key == "gain") {
    if (!number || *number < 0 || *number > 100) {
      return bad("a gain in dB from 0 to 100, as in gain=30");
    }
    setting.gain_db = *number;
  } else if (key == "ppm") {
    const std::optional<std::int32_t> ppm = TryStrToInt(value);
    if (!ppm || *ppm < -1000 || *ppm > 1000) {
      return bad("a whole number of ppm from -1000 to 1000");
    }
    setting.ppm = *ppm;
  } else if (key == "deemph") {
    if (!number || (*number != 50 && *number != 75)) {
      return bad("50 or 75 (microseconds)");
    }
    setting.deemphasis_us = *number;
  } else if (key == "format") {
    const std::optional<IqFormat> format = FormatNamed(value);
    if (!format) {
      return bad("cu8, cs16, cf32 or wav");
    }
    setting.format = format;
  } else {
    return false;
  }
  return true;
}

std::uint32_t Le(const unsigned char* p, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) {
    value = (value << 8) | p[i];
  }
  return value;
}

class IqFile : public IqSource {
 public:
  IqFile(int fd, IqFormat format, double rate, double centre, off_t data_start, off_t data_end,
         bool loop, bool paced)
      : fd_(fd),
        format_(format),
        rate_(rate),
        centre_(centre),
        data_start_(data_start),
        data_end_(data_end),
        position_(data_start),
        loop_(loop),
        paced_(paced) {}
  ~IqFile() override { ::close(fd_); }
  IqFile(const IqFile&) = delete;
  IqFile& operator=(const IqFile&) = delete;

  double Rate() const override { return rate_; }
  double CentreHz() const override { return centre_; }
  double Tune(double /*hz*/) override { return centre_; }

  std::optional<std::string> Start() override {
    // A recording that ended plays again from its start.
    if (position_ >= data_end_) {
      position_ = data_start_;
    }
    started_ = std::chrono::steady_clock::now();
    delivered_ = 0;
    return std::nullopt;
  }

  std::size_t Read(IqSample* out, std::size_t count, std::string& error) override {
    const std::size_t pair = BytesPerPair(format_);
    bytes_.resize(count * pair);
    std::size_t got = 0;
    while (got < bytes_.size()) {
      if (position_ >= data_end_) {
        if (!loop_ || wrapped_empty_) {
          break;
        }
        position_ = data_start_;
      }
      const auto want = static_cast<std::size_t>(
          std::min<off_t>(static_cast<off_t>(bytes_.size() - got), data_end_ - position_));
      const ssize_t n = ::pread(fd_, bytes_.data() + got, want, position_);
      if (n < 0 && errno == EINTR) {
        continue;
      }
      if (n < 0) {
        error = "cannot read the recording: " + std::string(std::strerror(errno));
        return 0;
      }
      if (n == 0) {
        data_end_ = position_;  // shorter than its header said
        wrapped_empty_ = position_ == data_start_;
        continue;
      }
      got += static_cast<std::size_t>(n);
      position_ += n;
    }
    const std::size_t pairs = got / pair;
    if (pairs == 0) {
      error = "the recording has ended";
      return 0;
    }
    ConvertIq(format_, bytes_.data(), pairs, out);
    if (paced_) {
      // As fast as the air: the samples are due at their time since the stream started.
      delivered_ += pairs;
      std::this_thread::sleep_until(
          started_ + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                         std::chrono::duration<double>(static_cast<double>(delivered_) / rate_)));
    }
    return pairs;
  }

 private:
  int fd_;
  IqFormat format_;
  double rate_;
  double centre_;
  off_t data_start_;
  off_t data_end_;
  off_t position_;
  bool loop_;
  bool paced_;
  bool wrapped_empty_ = false;
  std::vector<unsigned char> bytes_;
  std::chrono::steady_clock::time_point started_;
  std::uint64_t delivered_ = 0;
};

}  // namespace

bool IsSdrSetting(std::string_view value) {
  return value == "rtlsdr" || value.starts_with("rtlsdr:") || value.starts_with("rtlsdr,") ||
         value.starts_with("iq:") || value.starts_with("soapy:") || value == "soapy";
}

std::variant<SdrSetting, std::string> ParseSdrSetting(std::string_view value) {
  SdrSetting setting;
  std::string_view rest;
  if (value.starts_with("iq:")) {
    setting.kind = SdrSetting::Kind::kIqFile;
    rest = value.substr(3);
  } else if (value.starts_with("soapy")) {
    setting.kind = SdrSetting::Kind::kSoapy;
    rest = value.substr(value.starts_with("soapy:") ? 6 : 5);
  } else if (value.starts_with("rtlsdr")) {
    setting.kind = SdrSetting::Kind::kRtlSdr;
    rest = value.substr(6);
    if (rest.starts_with(':')) {
      rest.remove_prefix(1);
    } else if (rest.starts_with(',')) {
      rest.remove_prefix(1);
      rest = std::string_view(rest.data() - 1, rest.size() + 1);  // no name, options follow
    }
  } else {
    return "ORVALTIC_CARD=" + PrintableText(value) + " is not a receiver; " +
           std::string(kSdrNames);
  }
  std::string error;
  std::string target;
  bool first = true;
  for (const std::string_view piece : SplitCommas(rest)) {
    if (!first && ApplyOption(piece, setting, error)) {
      if (!error.empty()) {
        return error;
      }
      continue;
    }
    if (!first) {
      target += ',';
    }
    target += piece;
    first = false;
  }
  setting.target = target;
  if (setting.kind == SdrSetting::Kind::kIqFile && setting.target.empty()) {
    return std::string("ORVALTIC_CARD=iq: needs a file, as in iq:morning.cu8,rate=2.4,centre=99.5");
  }
  return setting;
}

std::size_t BytesPerPair(IqFormat format) {
  switch (format) {
    case IqFormat::kCu8:
      return 2;
    case IqFormat::kCs16:
    case IqFormat::kWav:
      return 4;
    case IqFormat::kCf32:
      return 8;
  }
  return 4;
}

void ConvertIq(IqFormat format, const unsigned char* bytes, std::size_t pairs, IqSample* out) {
  switch (format) {
    case IqFormat::kCu8:
      for (std::size_t i = 0; i < pairs; ++i) {
        out[i] = {(static_cast<float>(bytes[2 * i]) - 127.5F) / 127.5F,
                  (static_cast<float>(bytes[2 * i + 1]) - 127.5F) / 127.5F};
      }
      break;
    case IqFormat::kCs16:
    case IqFormat::kWav:
      for (std::size_t i = 0; i < pairs; ++i) {
        const auto re = static_cast<std::int16_t>(Le(bytes + 4 * i, 2));
        const auto im = static_cast<std::int16_t>(Le(bytes + 4 * i + 2, 2));
        out[i] = {static_cast<float>(re) / 32768.0F, static_cast<float>(im) / 32768.0F};
      }
      break;
    case IqFormat::kCf32:
      for (std::size_t i = 0; i < pairs; ++i) {
        float re = 0;
        float im = 0;
        std::memcpy(&re, bytes + 8 * i, 4);
        std::memcpy(&im, bytes + 8 * i + 4, 4);
        // A damaged file must not put infinities into the filters.
        out[i] = {std::isfinite(re) ? re : 0.0F, std::isfinite(im) ? im : 0.0F};
      }
      break;
  }
}

std::variant<std::unique_ptr<IqSource>, std::string> OpenIqFile(const SdrSetting& setting,
                                                                bool paced) {
  const std::string shown = "\"" + PrintableText(setting.target) + "\"";
  const int fd = ::open(setting.target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    return "cannot open the recording " + shown + ": " + std::strerror(errno);
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return shown + " is not a recording (not a regular file)";
  }
  std::optional<IqFormat> format = setting.format ? setting.format : FormatOfName(setting.target);
  if (!format) {
    ::close(fd);
    return "cannot tell the format of " + shown +
           ": name it .cu8, .cs16, .cf32 or .wav, or add format=cu8 (cs16, cf32, wav)";
  }
  std::optional<double> rate = setting.rate_hz;
  std::optional<double> centre = setting.centre_hz;
  off_t data_start = 0;
  off_t data_end = st.st_size;
  IqFormat samples = *format;
  if (*format == IqFormat::kWav) {
    unsigned char header[12];
    if (::pread(fd, header, sizeof header, 0) != sizeof header ||
        std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0) {
      ::close(fd);
      return shown + " is not a WAV file";
    }
    off_t at = 12;
    bool have_format = false;
    bool have_data = false;
    // The chunks, to the data; a damaged size ends the search rather than loop.
    for (int chunks = 0; chunks < 64 && !have_data; ++chunks) {
      unsigned char chunk[8];
      if (::pread(fd, chunk, 8, at) != 8) {
        break;
      }
      const std::uint32_t size = Le(chunk + 4, 4);
      if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
        unsigned char fmt[16];
        if (::pread(fd, fmt, 16, at + 8) != 16) {
          break;
        }
        const std::uint32_t tag = Le(fmt, 2);
        const std::uint32_t channels = Le(fmt + 2, 2);
        const std::uint32_t bits = Le(fmt + 14, 2);
        if (channels != 2) {
          ::close(fd);
          return shown + " is not IQ: it has " + FormatInt(static_cast<int>(channels)) +
                 " channels, not the two of I and Q";
        }
        if (tag == 1 && bits == 16) {
          samples = IqFormat::kCs16;
        } else if (tag == 1 && bits == 8) {
          samples = IqFormat::kCu8;
        } else if (tag == 3 && bits == 32) {
          samples = IqFormat::kCf32;
        } else {
          ::close(fd);
          return shown +
                 " holds samples of a kind this radio cannot read (8- or 16-bit PCM or "
                 "32-bit float)";
        }
        if (!rate) {
          rate = Le(fmt + 4, 4);
        }
        have_format = true;
      } else if (std::memcmp(chunk, "auxi", 4) == 0 && size >= 36 && !centre) {
        // Recorders put the centre frequency after the start and stop times.
        unsigned char aux[4];
        if (::pread(fd, aux, 4, at + 8 + 32) == 4 && Le(aux, 4) != 0) {
          centre = Le(aux, 4);
        }
      } else if (std::memcmp(chunk, "data", 4) == 0) {
        data_start = at + 8;
        if (size != 0 && size != 0xFFFFFFFFU) {
          data_end = std::min<off_t>(st.st_size, data_start + static_cast<off_t>(size));
        }
        have_data = true;
        break;
      }
      at += 8 + static_cast<off_t>(size) + (size & 1U);
    }
    if (!have_format || !have_data) {
      ::close(fd);
      return shown + " is not an IQ recording: its WAV header has no format or no data";
    }
  }
  if (!rate || *rate < 200'000 || *rate > 20e6) {
    ::close(fd);
    return rate ? shown + " has a sample rate this radio cannot use (0.2 to 20 MS/s)"
                : "the sample rate of " + shown + " is not known: add rate=, as in rate=2.4";
  }
  if (!centre) {
    ::close(fd);
    return "the centre frequency of " + shown + " is not known: add centre=, as in centre=99.5";
  }
  if (data_end - data_start < static_cast<off_t>(BytesPerPair(samples))) {
    ::close(fd);
    return shown + " holds no samples";
  }
  return std::unique_ptr<IqSource>(std::make_unique<IqFile>(fd, samples, *rate, *centre, data_start,
                                                            data_end, setting.loop, paced));
}

}  // namespace orvaltic
