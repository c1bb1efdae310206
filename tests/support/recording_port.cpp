#include "support/recording_port.h"

namespace orvaltic::testing {

std::vector<std::uint8_t> RecordingPort::Values() const {
  std::vector<std::uint8_t> values;
  values.reserve(writes.size());
  for (const auto& w : writes) {
    values.push_back(w.value);
  }
  return values;
}

}  // namespace orvaltic::testing
