#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orvaltic {

// What a card plays, as far as the byte stream tells.
struct CardState {
  bool audio_on = false;
  std::optional<std::uint16_t> tuning_word;  // none until a good transfer arrived
  int volume_steps = 0;                      // up pulses minus down pulses
  bool volume_moved = false;                 // any pulse seen at all
  friend bool operator==(const CardState&, const CardState&) = default;
};

// The card's side of the port: decodes the written bytes the way the hardware latches them,
// without knowing how the program builds them. Lines (bit 0 first): transfer enable, clock,
// data, audio, two unused, volume up (active low), volume down (active low).
//
// While the transfer line is held, a bit is taken from the data line at each rising clock edge;
// when the line drops, 24 bits must have arrived: a 16-bit tuning word sent least significant bit
// first, then the 8-bit control word 0x85 sent most significant bit first. A transfer that breaks
// the clocking is reported once and discarded; the card keeps its previous frequency.
class CardDecoder {
 public:
  // Feeds one written byte. Returns a one-line description when this byte made the current
  // transfer malformed ("malformed transfer: ..."), otherwise nothing.
  std::optional<std::string> Feed(std::uint8_t value);

  const CardState& State() const { return state_; }
  // False in the middle of an operation: during a transfer, or while both volume lines are low
  // (the first byte of a mute or unmute pair), so a report can wait for the card to settle.
  bool Settled() const;
  int GoodTransfers() const { return good_transfers_; }

  // The frequency a tuning word selects, in kHz: 25 kHz per step, kBandLowWord at kBandLow.
  static std::int64_t FrequencyKHz(std::uint16_t word);
  // The frequency in kHz a receiver plays for a transfer of `word`: `announced`, the frequency
  // the display shows, when the word was made from it (to the kHz, which is all the display
  // holds); else the top of the 25 kHz step the word stands for, since the word of a frequency
  // on the grid is that of the grid point below (88.000 alone has its own word).
  static std::int64_t ReceiverFrequencyKHz(std::uint16_t word, std::optional<double> announced);
  // "99.475 MHz" style text of a frequency in kHz, without floating point.
  static std::string FormatMHz(std::int64_t khz);

 private:
  std::optional<std::string> Break(const std::string& reason);
  std::optional<std::string> FinishTransfer();

  // Idle lines before the first write: no transfer, clock low, both volume lines high.
  std::uint8_t lines_ = 0xC0;
  CardState state_;
  std::uint32_t bits_ = 0;  // the first 24 bits, bit i = i-th bit received
  int bit_count_ = 0;
  bool broken_ = false;
  int good_transfers_ = 0;
};

}  // namespace orvaltic
