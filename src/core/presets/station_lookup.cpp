#include "core/presets/station_lookup.h"

#include "core/platform/numbers.h"

namespace orvaltic {

std::string UpperText(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - ('a' - 'A'));
    }
  }
  return upper;
}

std::optional<int> FindStationPreset(const PresetStore& presets, std::string_view station_id) {
  if (station_id.empty()) {
    return std::nullopt;
  }
  const std::string key = UpperText(station_id);
  for (int n = 1; n <= kPresetCount; ++n) {
    if (UpperText(presets.StationName(n)).find(key) != std::string::npos) {
      return n;
    }
  }
  return std::nullopt;
}

std::string FindStationFrequency(const PresetStore& presets, std::string_view station_id) {
  const std::optional<int> n = FindStationPreset(presets, station_id);
  return n ? FormatFixed3(presets.PresetFreq(*n)) : std::string();
}

}  // namespace orvaltic
