#pragma once

#include <cstdint>

namespace orvaltic {

// The FM band the card's synthesiser covers, in MHz. Tuning steps and scans are not held to
// it; recalls, direct entries and the command-line tool are.
inline constexpr double kBandLow = 88.0;
inline constexpr double kBandHigh = 108.0;

// False for NaN as well.
constexpr bool InBand(double mhz) {
  return mhz >= kBandLow && mhz <= kBandHigh;
}

// The synthesiser's tuning word for kBandLow; each word above it tunes 25 kHz higher.
inline constexpr std::uint16_t kBandLowWord = 3948;

// The card's two jumper addresses.
inline constexpr std::uint16_t kDefaultCardPort = 0x30C;
inline constexpr std::uint16_t kAlternativeCardPort = 0x20C;

}  // namespace orvaltic
