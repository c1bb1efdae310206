#include "core/radio/card_decoder.h"

#include <cmath>

#include "core/platform/numbers.h"
#include "core/radio/radio_card.h"
#include "core/radio/radio_limits.h"

namespace orvaltic {

namespace {

constexpr std::uint8_t kTransfer = 0x01;
constexpr std::uint8_t kClock = 0x02;
constexpr std::uint8_t kData = 0x04;
constexpr std::uint8_t kAudio = 0x08;
constexpr std::uint8_t kUp = 0x40;
constexpr std::uint8_t kDown = 0x80;

constexpr int kWordBits = 16;
constexpr int kControlBits = 8;
constexpr int kFrameBits = kWordBits + kControlBits;
constexpr std::uint8_t kExpectedControl = 0x85;

constexpr std::int64_t kBandLowKHz = static_cast<std::int64_t>(kBandLow * 1000.0);
constexpr std::int64_t kWordStepKHz = 25;

std::string Hex2(unsigned value) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[(value >> 4) & 0xFu], kDigits[value & 0xFu]};
}

std::string Bits(int count) {
  return FormatInt(count) + (count == 1 ? " bit" : " bits");
}

}  // namespace

bool CardDecoder::Settled() const {
  return (lines_ & kTransfer) == 0 && (lines_ & (kUp | kDown)) != 0;
}

std::optional<std::string> CardDecoder::Feed(std::uint8_t value) {
  const std::uint8_t before = lines_;
  lines_ = value;
  const auto high = [](std::uint8_t lines, std::uint8_t line) { return (lines & line) != 0; };
  const auto fell = [&](std::uint8_t line) { return high(before, line) && !high(value, line); };
  const bool clock_rose = !high(before, kClock) && high(value, kClock);

  state_.audio_on = high(value, kAudio);

  // A volume button counts when its line goes low while the other stays high; both low at once
  // is not a press of either.
  if (fell(kUp) && high(value, kDown)) {
    ++state_.volume_steps;
    state_.volume_moved = true;
  }
  if (fell(kDown) && high(value, kUp)) {
    --state_.volume_steps;
    state_.volume_moved = true;
  }

  const bool was_transfer = high(before, kTransfer);
  const bool is_transfer = high(value, kTransfer);
  if (!was_transfer && is_transfer) {
    bits_ = 0;
    bit_count_ = 0;
    broken_ = false;
    if (clock_rose) {
      return Break("clock rose with the transfer line");
    }
    return std::nullopt;
  }
  if (was_transfer && !is_transfer) {
    if (clock_rose) {
      return Break("clock rose as the transfer line dropped");
    }
    return FinishTransfer();
  }
  if (!is_transfer) {
    return std::nullopt;  // clock and data are ignored outside a transfer
  }

  const bool data_changed = ((before ^ value) & kData) != 0;
  if (data_changed && high(before, kClock) && high(value, kClock)) {
    return Break("data changed while the clock was high");
  }
  if (clock_rose) {
    if (data_changed) {
      return Break("data changed on the rising clock edge");
    }
    if (bit_count_ < kFrameBits && high(value, kData)) {
      bits_ |= 1u << bit_count_;
    }
    if (bit_count_ <= kFrameBits) {
      ++bit_count_;  // stops one past a frame: enough to know it was too long
    }
  }
  return std::nullopt;
}

std::optional<std::string> CardDecoder::Break(const std::string& reason) {
  if (broken_) {
    return std::nullopt;
  }
  broken_ = true;
  return "malformed transfer: " + reason + " after " + Bits(bit_count_);
}

std::optional<std::string> CardDecoder::FinishTransfer() {
  if (broken_) {
    return std::nullopt;  // already reported when it broke
  }
  if (bit_count_ != kFrameBits) {
    broken_ = true;
    if (bit_count_ > kFrameBits) {
      return "malformed transfer: more than 24 bits";
    }
    return "malformed transfer: " + Bits(bit_count_) + " instead of 24";
  }
  std::uint16_t word = 0;
  for (int i = 0; i < kWordBits; ++i) {
    if ((bits_ >> i) & 1u) {
      word = static_cast<std::uint16_t>(word | (1u << i));
    }
  }
  unsigned control = 0;
  for (int i = kWordBits; i < kFrameBits; ++i) {
    control = (control << 1) | ((bits_ >> i) & 1u);
  }
  if (control != kExpectedControl) {
    return "malformed transfer: control word " + Hex2(control) + " instead of 85";
  }
  state_.tuning_word = word;
  ++good_transfers_;
  return std::nullopt;
}

std::int64_t CardDecoder::FrequencyKHz(std::uint16_t word) {
  return kBandLowKHz + (static_cast<std::int64_t>(word) - kBandLowWord) * kWordStepKHz;
}

std::int64_t CardDecoder::ReceiverFrequencyKHz(std::uint16_t word,
                                               std::optional<double> announced) {
  if (announced && std::isfinite(*announced) && std::abs(*announced) < 1e6 &&
      TuningWord(*announced) == word) {
    return std::llround(*announced * 1000.0);
  }
  return FrequencyKHz(word) + (word > kBandLowWord ? kWordStepKHz : 0);
}

std::string CardDecoder::FormatMHz(std::int64_t khz) {
  std::string sign;
  if (khz < 0) {
    sign = "-";
    khz = -khz;
  }
  const std::int64_t fraction = khz % 1000;
  std::string text = sign + FormatInt(khz / 1000) + '.';
  text += static_cast<char>('0' + fraction / 100);
  text += static_cast<char>('0' + fraction / 10 % 10);
  text += static_cast<char>('0' + fraction % 10);
  return text + " MHz";
}

}  // namespace orvaltic
