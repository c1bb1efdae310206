#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "core/radio/card_backend.h"
#include "core/radio/card_decoder.h"

namespace orvaltic {

// A card in the process: every port gets its own decoder, and each change of what a card plays
// is reported as one line ("card 030C: 99.475 MHz, audio on") once the card has settled, so an
// operation gives at most one line. Malformed transfers are reported as they break.
//
// With a log stream, every write is also appended to it as "PPPP VV" (upper-case hex) and
// flushed at once; a log that stops taking lines is reported once.
class SimulatedCard : public CardBackend {
 public:
  explicit SimulatedCard(std::ostream& report, std::unique_ptr<std::ostream> log = nullptr,
                         std::string log_name = {});

  void WritePort(std::uint16_t port, std::uint8_t value) override;
  bool WriteFailed() const override { return log_failed_; }

  // The decoder of the card at `port`, if anything was written there.
  const CardDecoder* Card(std::uint16_t port) const;

  // "PPPP VV" without the line end.
  static std::string LogLine(std::uint16_t port, std::uint8_t value);
  // "card PPPP: <frequency or 'not tuned'>, audio on|muted[, volume +N]".
  static std::string StateLine(std::uint16_t port, const CardState& state);

 private:
  struct Slot {
    CardDecoder decoder;
    std::optional<CardState> reported;
  };

  std::ostream& report_;
  std::unique_ptr<std::ostream> log_;
  std::string log_name_;
  bool log_failed_ = false;
  std::map<std::uint16_t, Slot> cards_;
};

}  // namespace orvaltic
