#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvaltic::testing {

using RdsBits = std::vector<bool>;

inline constexpr std::uint16_t kRdsTestPi = 0xD3C2;

// One RDS block of 26 bits, most significant first, with its checkword for `offset` (0 A,
// 1 B, 2 C, 3 C', 4 D).
void AddRdsBlock(RdsBits& bits, std::uint16_t data, int offset);
// A group of `type` (version A unless `version_b`) with block B's low five bits and blocks C
// and D; PI kRdsTestPi.
void AddRdsGroup(RdsBits& bits, int type, bool version_b, std::uint16_t low, std::uint16_t c,
                 std::uint16_t d, int pty = 10, bool tp = true);
// Two characters as a block.
std::uint16_t RdsChars(const char* two);
// The four 0A groups of a programme service name, in the order `segments` gives.
void AddRdsPs(RdsBits& bits, const char* name, const std::vector<int>& segments = {0, 1, 2, 3},
              bool ta = false);
// A 2A radio text, four characters a segment.
void AddRdsText(RdsBits& bits, const std::string& text, int flag);

}  // namespace orvaltic::testing
