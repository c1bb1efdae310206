#include "core/radio/radio_card.h"

#include <cmath>

#include "core/radio/radio_limits.h"

namespace orvaltic {

namespace {

constexpr int kTimer2InitialInterval = 500;

}  // namespace

std::uint16_t TuningWord(double frequency) {
  const double offset = frequency - kBandLow;
  // 39.999999 is held as an x87 extended value and the product is rounded to a double, so the
  // truncation below lands where the card expects it (90.000 -> 4027, 99.512 -> 4408).
  // On a target whose long double is not the x87 type the factor and the product are rounded
  // differently: a plain double (MSVC, 32-bit ARM) or IEEE quad (AArch64 Linux). The word changes
  // only when the product lies within a rounding step of a whole number; no three-decimal
  // frequency from 0 to 200 MHz does, so the words agree there, but not bit for bit in general.
  constexpr long double kFactor = 39.999999L;
  const double product = static_cast<double>(static_cast<long double>(offset) * kFactor);
  if (!std::isfinite(product)) {
    // No word exists for it; send the band's bottom rather than convert an infinity.
    return kBandLowWord;
  }
  // Truncation toward zero; only the low 16 bits reach the card. fmod keeps huge values defined.
  const auto low = static_cast<std::int32_t>(std::fmod(std::trunc(product), 65536.0));
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(low + kBandLowWord) & 0xFFFFu);
}

RadioCard::RadioCard(IoPort& port, TimerHost& timers, const std::int32_t& card_port)
    : port_(port),
      owned_timer2_(timers.CreateTimer("Timer2")),
      timer2_(*owned_timer2_),
      card_port_(card_port) {
  SetUpTimer2();
}

RadioCard::RadioCard(IoPort& port, Timer& timer2, const std::int32_t& card_port)
    : port_(port), timer2_(timer2), card_port_(card_port) {
  SetUpTimer2();
}

RadioCard::~RadioCard() {
  if (!owned_timer2_) {
    timer2_.SetOnTimer(nullptr);
  }
}

void RadioCard::SetUpTimer2() {
  timer2_.SetEnabled(false);
  timer2_.SetInterval(kTimer2InitialInterval);
  timer2_.SetOnTimer([this] { Timer2Timer(); });
}

void RadioCard::Write(std::uint8_t value) {
  port_.WritePort(static_cast<std::uint16_t>(static_cast<std::uint32_t>(card_port_) & 0xFFFFu),
                  value);
}

void RadioCard::Mute() {
  Write(0x00);
  Write(kRestingMuted);
}

void RadioCard::UnMute() {
  Write(0x00);
  Write(kRestingOn);
}

void RadioCard::StartPulse(std::uint8_t pulse_byte) {
  Write(pulse_byte);
  // Equal values do nothing: a press during a running pulse does not lengthen it.
  timer2_.SetInterval(kPulseMs);
  timer2_.SetEnabled(true);
}

void RadioCard::VolumeUpPulse() {
  StartPulse(static_cast<std::uint8_t>(kRestingOn & ~kVolumeUpLine));
}

void RadioCard::VolumeDownPulse() {
  StartPulse(static_cast<std::uint8_t>(kRestingOn & ~kVolumeDownLine));
}

void RadioCard::Timer2Timer() {
  timer2_.SetEnabled(false);
  Write(kRestingOn);
}

void RadioCard::SetFrequency(double frequency) {
  const std::uint16_t word = TuningWord(frequency);
  port_.AnnounceTransfer(
      static_cast<std::uint16_t>(static_cast<std::uint32_t>(card_port_) & 0xFFFFu), frequency);
  std::uint8_t level = kRestingOn | kTransferLine;
  // The data line changes in the same write that drops the clock; each level is written twice.
  const auto send_bit = [&](bool bit) {
    level = static_cast<std::uint8_t>((level & ~(kDataLine | kClockLine)) | (bit ? kDataLine : 0));
    Write(level);
    Write(level);
    level = static_cast<std::uint8_t>(level | kClockLine);
    Write(level);
    Write(level);
  };
  for (int i = 0; i < 16; ++i) {  // tuning word, least significant bit first
    send_bit(((word >> i) & 1u) != 0);
  }
  for (int i = 7; i >= 0; --i) {  // control word, most significant bit first
    send_bit(((kControlWord >> i) & 1) != 0);
  }
  level = static_cast<std::uint8_t>(level & ~(kTransferLine | kClockLine | kDataLine));
  Write(level);
}

}  // namespace orvaltic
