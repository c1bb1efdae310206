#include "core/sdr/rds_demodulator.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/sdr/fm_receiver.h"
#include "support/fm_broadcast.h"
#include "support/rds_groups.h"

namespace orvaltic {
namespace {

// From the air: a stereo station's PS, radio text and PI through the receiver's multiplex,
// with single wrong bits on the way corrected; and the same on a mono station without pilot.
TEST(RdsDemodulatorTest, DecodesTheNameFromTheAir) {
  for (const bool pilot : {true, false}) {
    testing::RdsBits bits;
    testing::AddRdsPs(bits, "ORVALTIC");
    testing::AddRdsText(bits, "Hello\r", 0);
    testing::FmBroadcast broadcast;
    broadcast.rate = 1.2e6;
    broadcast.seconds = 1.6;
    broadcast.stations.resize(1);
    broadcast.stations[0].pilot = pilot;
    broadcast.stations[0].rds_bits = bits;
    broadcast.stations[0].rds_errors = {700, 1000, 1300};
    broadcast.snr_db = 40;
    const std::vector<IqSample> iq = testing::GenerateFmIq(broadcast);

    FmReceiver receiver({broadcast.rate, 48'000, 50});
    RdsDemodulator rds(receiver.MultiplexRate());
    std::vector<float> audio;
    for (std::size_t at = 0; at < iq.size(); at += 12'000) {
      audio.clear();
      receiver.Process(iq.data() + at, std::min<std::size_t>(12'000, iq.size() - at), audio);
      rds.Process(receiver.LastMultiplex().data(), receiver.LastMultiplex().size());
    }
    const RdsStation& station = rds.decoder().Station();
    EXPECT_EQ(station.ps, "ORVALTIC") << pilot;
    EXPECT_EQ(station.radio_text, "Hello") << pilot;
    EXPECT_EQ(station.pi, testing::kRdsTestPi) << pilot;
    EXPECT_GE(rds.decoder().counts().corrected, 2) << pilot;
  }
}

}  // namespace
}  // namespace orvaltic
