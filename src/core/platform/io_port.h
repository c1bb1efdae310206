#pragma once

#include <cstdint>

namespace orvaltic {

// The one way out to the radio card: a byte written to a 16-bit I/O port address. There is no
// read-back and no error result; backends that can fail report it their own way.
class IoPort {
 public:
  virtual ~IoPort() = default;
  virtual void WritePort(std::uint16_t port, std::uint8_t value) = 0;
  // Said just before the frequency transfer to `port` that stands for `mhz`, the frequency the
  // display shows. The card's 25 kHz tuning word cannot carry it exactly; a receiver that plays
  // the frequency itself tunes this one when the transfer that follows encodes it. A card
  // ignores it: what it plays is what the bytes say.
  virtual void AnnounceTransfer(std::uint16_t /*port*/, double /*mhz*/) {}
};

}  // namespace orvaltic
