#include "core/sdr/rds_decoder.h"

#include <algorithm>
#include <vector>

namespace orvaltic {

namespace {

// The block code: g(x) = x^10 + x^8 + x^7 + x^5 + x^4 + x^3 + 1, and the offset words that mark
// a block's place in the group (A, B, C, C', D).
constexpr std::uint32_t kGenerator = 0x5B9;
constexpr std::array<std::uint16_t, 5> kOffsetWords = {0x0FC, 0x198, 0x168, 0x350, 0x1B4};
constexpr std::uint32_t kBlockMask = (1U << 26) - 1;
// Blocks in a row that cannot be corrected before synchronisation counts as lost.
constexpr int kMaxBadRun = 10;

// The remainder of data * x^10 divided by g(x).
std::uint16_t Remainder(std::uint32_t data) {
  std::uint32_t r = data << 10;
  for (int bit = 25; bit >= 10; --bit) {
    if ((r >> bit) & 1U) {
      r ^= kGenerator << (bit - 10);
    }
  }
  return static_cast<std::uint16_t>(r & 0x3FFU);
}

// What a block's check says against no offset: the offset word itself when the block is whole.
std::uint16_t Syndrome(std::uint32_t block) {
  return static_cast<std::uint16_t>(Remainder(block >> 10) ^ (block & 0x3FFU));
}

struct Burst {
  std::uint16_t syndrome;
  std::uint32_t pattern;
};

// Every burst of one or two wrong bits in a block, by the syndrome it leaves: all distinct, and
// none the same as a three-bit burst's, so correcting them never miscorrects a longer burst.
const std::vector<Burst>& Bursts() {
  static const std::vector<Burst> bursts = [] {
    std::vector<Burst> all;
    for (const std::uint32_t burst : {1U, 3U}) {
      for (int at = 0; (burst << at) <= kBlockMask; ++at) {
        all.push_back({Syndrome(burst << at), burst << at});
      }
    }
    return all;
  }();
  return bursts;
}

}  // namespace

std::uint16_t RdsDecoder::Checkword(std::uint16_t data, int offset) {
  return static_cast<std::uint16_t>(Remainder(data) ^
                                    kOffsetWords.at(static_cast<std::size_t>(offset)));
}

RdsDecoder::Offset RdsDecoder::OffsetOf(std::uint32_t block) {
  const std::uint16_t syndrome = Syndrome(block);
  for (std::size_t i = 0; i < kOffsetWords.size(); ++i) {
    if (kOffsetWords[i] == syndrome) {
      return static_cast<Offset>(i);
    }
  }
  return kNone;
}

std::optional<std::uint16_t> RdsDecoder::Correct(std::uint32_t block, Offset offset,
                                                 bool& corrected) {
  const std::uint16_t syndrome =
      static_cast<std::uint16_t>(Syndrome(block) ^ kOffsetWords[static_cast<std::size_t>(offset)]);
  corrected = false;
  if (syndrome == 0) {
    return static_cast<std::uint16_t>(block >> 10);
  }
  for (const Burst& burst : Bursts()) {
    if (burst.syndrome == syndrome) {
      corrected = true;
      return static_cast<std::uint16_t>((block ^ burst.pattern) >> 10);
    }
  }
  return std::nullopt;
}

void RdsDecoder::Reset() {
  *this = RdsDecoder();
}

void RdsDecoder::PushBit(bool bit) {
  shift_ = ((shift_ << 1) | (bit ? 1U : 0U)) & kBlockMask;
  if (bits_ < 26) {
    ++bits_;
  }
  if (!synced_) {
    if (bits_ < 26) {
      return;
    }
    if (candidate_ != kNone) {
      ++since_candidate_;
    }
    const Offset offset = OffsetOf(shift_);
    const auto follows = [](Offset before, Offset now) {
      switch (before) {
        case kA:
          return now == kB;
        case kB:
          return now == kC || now == kCPrime;
        case kC:
        case kCPrime:
          return now == kD;
        case kD:
          return now == kA;
        case kNone:
          return false;
      }
      return false;
    };
    if (candidate_ != kNone && since_candidate_ == 26 && follows(candidate_, offset)) {
      synced_ = true;
      bad_run_ = 0;
      bits_in_block_ = 0;
      group_ = {};
      TakeBlock(static_cast<std::uint16_t>(shift_ >> 10), offset);
      expected_ = offset == kD ? kA : offset == kA ? kB : offset == kB ? kC : kD;
      ++counts_.good;
      return;
    }
    if (offset != kNone) {
      candidate_ = offset;
      since_candidate_ = 0;
    } else if (since_candidate_ > 26) {
      candidate_ = kNone;
    }
    return;
  }

  if (++bits_in_block_ < 26) {
    return;
  }
  bits_in_block_ = 0;
  bool corrected = false;
  Offset offset = expected_;
  std::optional<std::uint16_t> data = Correct(shift_, offset, corrected);
  if (!data && expected_ == kC) {
    offset = kCPrime;
    data = Correct(shift_, offset, corrected);
  }
  if (data) {
    bad_run_ = 0;
    ++(corrected ? counts_.corrected : counts_.good);
    TakeBlock(*data, offset);
  } else {
    ++counts_.dropped;
    group_[expected_ == kD ? 3 : expected_ == kA ? 0 : expected_ == kB ? 1 : 2].reset();
    if (++bad_run_ >= kMaxBadRun) {
      synced_ = false;
      candidate_ = kNone;
      group_ = {};
    }
  }
  expected_ = expected_ == kD ? kA : expected_ == kA ? kB : expected_ == kB ? kC : kD;
}

void RdsDecoder::TakeBlock(std::uint16_t data, Offset offset) {
  switch (offset) {
    case kA:
      group_ = {};
      group_[0] = data;
      break;
    case kB:
      group_[1] = data;
      break;
    case kC:
    case kCPrime:
      group_[2] = data;
      c_prime_ = offset == kCPrime;
      break;
    case kD:
      group_[3] = data;
      TakeGroup();
      group_ = {};
      break;
    case kNone:
      break;
  }
}

void RdsDecoder::TakePs(int segment, std::uint16_t chars) {
  ps_chars_[static_cast<std::size_t>(2 * segment)] = static_cast<char>(chars >> 8);
  ps_chars_[static_cast<std::size_t>(2 * segment + 1)] = static_cast<char>(chars & 0xFFU);
  ps_segments_ |= 1 << segment;
  if (ps_segments_ != 0xF) {
    return;
  }
  ps_segments_ = 0;
  const std::string whole(ps_chars_.begin(), ps_chars_.end());
  if (whole == ps_last_whole_) {
    station_.ps = whole;
  }
  ps_last_whole_ = whole;
}

void RdsDecoder::TakeGroup() {
  if (!group_[1]) {
    return;
  }
  ++counts_.groups;
  const std::uint16_t b = *group_[1];
  const int type = b >> 12;
  const bool version_b = ((b >> 11) & 1U) != 0;
  if (group_[0]) {
    station_.pi = *group_[0];
  } else if (version_b && c_prime_ && group_[2]) {
    station_.pi = *group_[2];
  }
  station_.tp = ((b >> 10) & 1U) != 0;
  station_.pty = (b >> 5) & 0x1F;
  const std::optional<std::uint16_t>& c = group_[2];
  const std::optional<std::uint16_t>& d = group_[3];

  if (type == 0) {
    station_.ta = ((b >> 4) & 1U) != 0;
    if (d) {
      TakePs(b & 3, *d);
    }
  } else if (type == 2) {
    const int flag = (b >> 4) & 1;
    if (flag != text_flag_ || version_b != text_b_) {
      // A new text: the old one goes at once rather than mix with it.
      text_.fill('\0');
      station_.radio_text.clear();
      text_flag_ = flag;
      text_b_ = version_b;
    }
    const int segment = b & 0xF;
    const auto put = [this](int at, std::uint16_t chars) {
      text_[static_cast<std::size_t>(at)] = static_cast<char>(chars >> 8);
      text_[static_cast<std::size_t>(at + 1)] = static_cast<char>(chars & 0xFFU);
    };
    if (!version_b && c && d) {
      put(4 * segment, *c);
      put(4 * segment + 2, *d);
    } else if (version_b && d) {
      put(2 * segment, *d);
    }
    // The text as far as it has come without a gap, up to its carriage return.
    const std::size_t limit = version_b ? 32 : 64;
    std::string text;
    for (std::size_t i = 0; i < limit && text_[i] != '\0' && text_[i] != '\r'; ++i) {
      text.push_back(text_[i]);
    }
    station_.radio_text = text;
  } else if (type == 4 && !version_b && c && d) {
    RdsClockTime clock;
    clock.modified_julian_day = (static_cast<std::uint32_t>(b & 3U) << 15) | (*c >> 1);
    clock.hour = ((*c & 1) << 4) | (*d >> 12);
    clock.minute = (*d >> 6) & 0x3F;
    clock.offset_half_hours = (*d & 0x1F) * (((*d >> 5) & 1U) != 0 ? -1 : 1);
    if (clock.hour < 24 && clock.minute < 60) {
      station_.clock = clock;
    }
  }
}

}  // namespace orvaltic
