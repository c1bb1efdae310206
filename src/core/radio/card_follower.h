#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "core/radio/card_decoder.h"

namespace orvaltic {

// For a backend that plays the card's part itself (a tuner, a software receiver): follows the
// bytes written to each port as the card would latch them, and says what changed once the card
// has settled: its state before and now, whether a new transfer came (the card latches each
// one, also one of the frequency it has), and the frequency that transfer was announced for.
class CardFollower {
 public:
  struct Change {
    std::optional<CardState> before;
    CardState now;
    bool new_transfer = false;
    std::optional<double> announced;
  };

  // One written byte. `fault` gets the line of a transfer this byte made malformed.
  std::optional<Change> Feed(std::uint16_t port, std::uint8_t value,
                             std::optional<std::string>& fault);
  void Announce(std::uint16_t port, double mhz) { ports_[port].announced = mhz; }
  // The audio of the card last changed, once any card state is known.
  std::optional<bool> AudioOn() const { return audio_on_; }

 private:
  struct Port {
    CardDecoder decoder;
    std::optional<CardState> applied;
    int transfers = 0;
    std::optional<double> announced;
  };
  std::map<std::uint16_t, Port> ports_;
  std::optional<bool> audio_on_;
};

}  // namespace orvaltic
