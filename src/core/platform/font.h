#pragma once

#include <cstdint>
#include <string>

namespace orvaltic {

// A colour value 0x00BBGGRR.
using Color = std::uint32_t;

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kGreen = 0x008000;
inline constexpr Color kLime = 0x00FF00;
inline constexpr Color kMaroon = 0x000080;
inline constexpr Color kRed = 0x0000FF;
inline constexpr Color kBlue = 0xFF0000;

struct FontSpec {
  std::string name = "Arial";
  int size = 20;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  Color color = kBlack;

  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

}  // namespace orvaltic
