#pragma once

#include <array>
#include <string>

namespace orvaltic {

inline constexpr int kPresetCount = 100;
inline constexpr char kDefaultPresetFileName[] = "Orvaltic.CFG";

// Preset n's frequency before any file is read: 88.0 + 0.2 * (n - 1) MHz, held as the double
// nearest to that decimal, so it equals what reading its "%.3f" text gives.
double DefaultPresetFreq(int n);

// The 100 station presets, numbered 1 to 100, and the presets file in use.
struct PresetStore {
  PresetStore();

  // n = 1..100; anything else throws std::out_of_range.
  double& PresetFreq(int n);
  double PresetFreq(int n) const;
  std::string& StationName(int n);
  const std::string& StationName(int n) const;

  // The file the custom-file dialogs offer first and the close sequence and the editor write.
  std::string PresetFileName = kDefaultPresetFileName;

  friend bool operator==(const PresetStore&, const PresetStore&) = default;

 private:
  std::array<double, kPresetCount> freq_{};
  std::array<std::string, kPresetCount> names_;
};

}  // namespace orvaltic
