#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/presets/preset_store.h"

namespace orvaltic {

// A copy of `text` with the bytes "a" to "z" turned into capitals; every other byte (accented
// letters and UTF-8 sequences included) is copied unchanged, so the length stays the same.
std::string UpperText(std::string_view text);

// The number (1 to 100) of the first preset whose station name contains `station_id`, both
// compared after UpperText; nullopt when none does. An empty ID matches no preset.
std::optional<int> FindStationPreset(const PresetStore& presets, std::string_view station_id);

// That preset's frequency as "%.3f" text (an empty preset gives "0.000"), or an empty text when
// no station name contains `station_id`.
std::string FindStationFrequency(const PresetStore& presets, std::string_view station_id);

}  // namespace orvaltic
