#pragma once

#include <cstddef>
#include <memory>

#include "core/sdr/rds_decoder.h"

namespace orvaltic {

// The bit layer of RDS on an FM multiplex: the 57 kHz subcarrier is mixed down and its carrier
// recovered by a Costas loop (it is suppressed, and on a mono station there is no pilot to
// take it from), the baseband resampled to 16 samples a bit, each biphase bit of 1/1187.5 s
// taken at the timing where the bits are strongest, and the bits differentially decoded into
// the group decoder.
class RdsDemodulator {
 public:
  explicit RdsDemodulator(double multiplex_rate);
  ~RdsDemodulator();
  RdsDemodulator(const RdsDemodulator&) = delete;
  RdsDemodulator& operator=(const RdsDemodulator&) = delete;

  void Process(const float* multiplex, std::size_t count);
  void Reset();

  const RdsDecoder& decoder() const { return decoder_; }

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  RdsDecoder decoder_;
};

}  // namespace orvaltic
