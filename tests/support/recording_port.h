#pragma once

#include <cstdint>
#include <vector>

#include "core/platform/io_port.h"

namespace orvaltic::testing {

struct PortWrite {
  std::uint16_t port;
  std::uint8_t value;
  friend bool operator==(const PortWrite&, const PortWrite&) = default;
};

// Records every byte written, in order.
class RecordingPort : public IoPort {
 public:
  void WritePort(std::uint16_t port, std::uint8_t value) override {
    writes.push_back({port, value});
  }
  std::vector<std::uint8_t> Values() const;
  void Clear() { writes.clear(); }

  std::vector<PortWrite> writes;
};

}  // namespace orvaltic::testing
