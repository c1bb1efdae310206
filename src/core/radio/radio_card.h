#pragma once

#include <cstdint>
#include <memory>

#include "core/platform/io_port.h"
#include "core/platform/timer.h"

namespace orvaltic {

// The tuning word the synthesiser gets for a frequency in MHz: (f - kBandLow) times 39.999999
// held as an 80-bit extended value, the product rounded to a double, truncated toward zero, plus
// kBandLowWord; only the low 16 bits are kept. On the 25 kHz grid this is the word of the grid
// point below.
std::uint16_t TuningWord(double frequency);

// The card's byte protocol. Every operation is a fixed sequence of byte writes to the low 16 bits
// of `CardPort`, which is read at every write so that a changed option takes effect at once.
// Nothing is read back and nothing can fail here.
class RadioCard {
 public:
  // Port byte lines as the program drives them.
  static constexpr std::uint8_t kTransferLine = 0x01;
  static constexpr std::uint8_t kClockLine = 0x02;
  static constexpr std::uint8_t kDataLine = 0x04;
  static constexpr std::uint8_t kAudioLine = 0x08;
  static constexpr std::uint8_t kVolumeUpLine = 0x40;    // low during a volume-up pulse
  static constexpr std::uint8_t kVolumeDownLine = 0x80;  // low during a volume-down pulse

  static constexpr std::uint8_t kRestingOn = 0xC8;
  static constexpr std::uint8_t kRestingMuted = 0xC0;
  static constexpr std::uint8_t kControlWord = 0x85;
  static constexpr int kPulseMs = 100;

  // Creates and owns the timer "Timer2" that ends a volume pulse.
  RadioCard(IoPort& port, TimerHost& timers, const std::int32_t& card_port);
  // Uses a timer owned elsewhere (the main form's Timer2); its handler becomes Timer2Timer for
  // the lifetime of this object.
  RadioCard(IoPort& port, Timer& timer2, const std::int32_t& card_port);
  RadioCard(const RadioCard&) = delete;
  RadioCard& operator=(const RadioCard&) = delete;
  ~RadioCard();

  void Mute();
  void UnMute();
  void VolumeUpPulse();
  void VolumeDownPulse();
  void Timer2Timer();
  // Sends the 24-bit transfer: 97 writes, back to back, ending on 0xC8 (audio on). The band is
  // not checked here.
  void SetFrequency(double frequency);

  Timer& Timer2() { return timer2_; }

 private:
  void Write(std::uint8_t value);
  void StartPulse(std::uint8_t pulse_byte);
  void SetUpTimer2();

  IoPort& port_;
  std::unique_ptr<Timer> owned_timer2_;
  Timer& timer2_;
  const std::int32_t& card_port_;
};

}  // namespace orvaltic
