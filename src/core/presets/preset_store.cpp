#include "core/presets/preset_store.h"

#include <stdexcept>
#include <string>

namespace orvaltic {
namespace {

std::size_t Index(int n) {
  if (n < 1 || n > kPresetCount) {
    throw std::out_of_range("preset " + std::to_string(n));
  }
  return static_cast<std::size_t>(n - 1);
}

}  // namespace

double DefaultPresetFreq(int n) {
  // Tenths of a MHz as an integer first: 88.0 + 0.2 * k in doubles drifts away from the decimal.
  return static_cast<double>(880 + 2 * (n - 1)) / 10.0;
}

PresetStore::PresetStore() {
  for (int n = 1; n <= kPresetCount; ++n) {
    freq_[Index(n)] = DefaultPresetFreq(n);
  }
}

double& PresetStore::PresetFreq(int n) {
  return freq_[Index(n)];
}

double PresetStore::PresetFreq(int n) const {
  return freq_[Index(n)];
}

std::string& PresetStore::StationName(int n) {
  return names_[Index(n)];
}

const std::string& PresetStore::StationName(int n) const {
  return names_[Index(n)];
}

}  // namespace orvaltic
