#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace orvaltic {

// The clock time of group 4A: the date as a modified Julian day, the time in UTC and the local
// offset in half hours. Shown for what it is; it never sets a clock.
struct RdsClockTime {
  std::uint32_t modified_julian_day = 0;
  int hour = 0;
  int minute = 0;
  int offset_half_hours = 0;  // local time = UTC + this * 30 minutes
  friend bool operator==(const RdsClockTime&, const RdsClockTime&) = default;
};

// What a station has said of itself so far.
struct RdsStation {
  std::optional<std::uint16_t> pi;  // programme identification
  std::optional<int> pty;           // programme type, 0..31
  bool tp = false;                  // traffic programme
  bool ta = false;                  // traffic announcement now
  // The programme service name, 8 characters as sent, once the same whole name came twice in
  // a row: half-received names never show.
  std::string ps;
  // The radio text, up to 64 characters (32 in version B), up to its carriage return; empty
  // until its first segment, and emptied when the station flips its A/B flag.
  std::string radio_text;
  std::optional<RdsClockTime> clock;
};

// The group layer of RDS: a stream of data bits (already differentially decoded) is cut into
// blocks of 26 bits by their offset words, each block checked by its 10-bit checkword; a burst
// of one or two wrong bits is corrected, a longer one detected and its block dropped. Groups
// 0A/0B (PS, TP, TA), 2A/2B (radio text with its A/B flag), PI and PTY, and 4A (clock time)
// are decoded. Synchronisation is found when two blocks in a row carry offsets in the right
// order, and given up after a run of blocks that cannot be corrected.
class RdsDecoder {
 public:
  void PushBit(bool bit);
  // Forgets the station and the synchronisation (after a retune).
  void Reset();

  const RdsStation& Station() const { return station_; }
  bool Synced() const { return synced_; }

  struct Counts {
    int good = 0;
    int corrected = 0;
    int dropped = 0;
    int groups = 0;
  };
  const Counts& counts() const { return counts_; }

  // The 10-bit checkword of a 16-bit block with offset `offset` (0 A, 1 B, 2 C, 3 C', 4 D): for
  // building test signals as much as for checking.
  static std::uint16_t Checkword(std::uint16_t data, int offset);

 private:
  enum Offset { kA, kB, kC, kCPrime, kD, kNone };
  // The offset word a received block carries, or kNone.
  static Offset OffsetOf(std::uint32_t block);
  // The block's data after correcting up to a two-bit burst, expecting `offset`.
  static std::optional<std::uint16_t> Correct(std::uint32_t block, Offset offset, bool& corrected);
  void TakeBlock(std::uint16_t data, Offset offset);
  void TakeGroup();
  void TakePs(int segment, std::uint16_t chars);

  std::uint32_t shift_ = 0;
  int bits_ = 0;
  bool synced_ = false;
  int bits_in_block_ = 0;
  Offset expected_ = kA;
  Offset candidate_ = kNone;  // offset of the block that may start synchronisation
  int since_candidate_ = 0;
  int bad_run_ = 0;

  std::array<std::optional<std::uint16_t>, 4> group_{};
  bool c_prime_ = false;

  std::array<char, 8> ps_chars_{};
  int ps_segments_ = 0;  // bit k: segment k received for the name in progress
  std::string ps_last_whole_;
  std::array<char, 64> text_{};
  int text_flag_ = -1;
  bool text_b_ = false;

  RdsStation station_;
  Counts counts_;
};

}  // namespace orvaltic
