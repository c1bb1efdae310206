#pragma once

#include <cstdint>

namespace orvaltic {

// The one way out to the radio card: a byte written to a 16-bit I/O port address. There is no
// read-back and no error result; backends that can fail report it their own way.
class IoPort {
 public:
  virtual ~IoPort() = default;
  virtual void WritePort(std::uint16_t port, std::uint8_t value) = 0;
};

}  // namespace orvaltic
