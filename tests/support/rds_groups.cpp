#include "support/rds_groups.h"

#include "core/sdr/rds_decoder.h"

namespace orvaltic::testing {

void AddRdsBlock(RdsBits& bits, std::uint16_t data, int offset) {
  const std::uint32_t block =
      (static_cast<std::uint32_t>(data) << 10) | RdsDecoder::Checkword(data, offset);
  for (int i = 25; i >= 0; --i) {
    bits.push_back(((block >> i) & 1U) != 0);
  }
}

void AddRdsGroup(RdsBits& bits, int type, bool version_b, std::uint16_t low, std::uint16_t c,
                 std::uint16_t d, int pty, bool tp) {
  const auto block_b = static_cast<std::uint16_t>((type << 12) | (version_b ? 0x800 : 0) |
                                                  (tp ? 0x400 : 0) | (pty << 5) | (low & 0x1F));
  AddRdsBlock(bits, kRdsTestPi, 0);
  AddRdsBlock(bits, block_b, 1);
  AddRdsBlock(bits, version_b ? kRdsTestPi : c, version_b ? 3 : 2);
  AddRdsBlock(bits, d, 4);
}

std::uint16_t RdsChars(const char* two) {
  return static_cast<std::uint16_t>((static_cast<unsigned char>(two[0]) << 8) |
                                    static_cast<unsigned char>(two[1]));
}

void AddRdsPs(RdsBits& bits, const char* name, const std::vector<int>& segments, bool ta) {
  for (const int s : segments) {
    AddRdsGroup(bits, 0, false, static_cast<std::uint16_t>((ta ? 0x10 : 0) | s), 0xE0CD,
                RdsChars(name + 2 * s));
  }
}

void AddRdsText(RdsBits& bits, const std::string& text, int flag) {
  for (std::size_t s = 0; s * 4 < text.size(); ++s) {
    const std::string part = (text + "    ").substr(s * 4, 4);
    AddRdsGroup(bits, 2, false, static_cast<std::uint16_t>((flag << 4) | static_cast<int>(s)),
                RdsChars(part.c_str()), RdsChars(part.c_str() + 2));
  }
}

}  // namespace orvaltic::testing
