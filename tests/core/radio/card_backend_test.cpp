#include "core/radio/card_backend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/radio/hardware_port.h"
#include "core/radio/radio_card.h"
#include "core/radio/simulated_card.h"
#include "core/radio/v4l2_tuner.h"
#include "support/fake_port_system.h"
#include "support/fake_v4l2_system.h"
#include "support/manual_timer_host.h"
#include "support/temp_folder.h"

namespace orvaltic {
namespace {

enum class Kind { kSim, kPort, kTuner, kNone };

struct Selection {
  const char* setting;
  Kind kind;
  int exit_code;
  std::string error;
};

class BackendSelectionTest : public ::testing::TestWithParam<Selection> {};

TEST_P(BackendSelectionTest, PicksTheBackendOrRefuses) {
  testing::FakePortSystem system;
  testing::FakeV4l2System tuners;
  std::ostringstream report;
  const OpenedCard opened =
      OpenCardBackend("orvaltic", GetParam().setting, {}, system, report, &tuners);
  EXPECT_EQ(opened.exit_code, GetParam().exit_code);
  EXPECT_EQ(opened.error, GetParam().error);
  switch (GetParam().kind) {
    case Kind::kSim:
      EXPECT_NE(dynamic_cast<SimulatedCard*>(opened.card.get()), nullptr);
      break;
    case Kind::kPort:
      EXPECT_NE(dynamic_cast<HardwarePort*>(opened.card.get()), nullptr);
      break;
    case Kind::kTuner:
      ASSERT_NE(opened.tuner, nullptr);
      EXPECT_EQ(static_cast<CardBackend*>(opened.tuner), opened.card.get());
      EXPECT_EQ(tuners.calls.front(), "open /dev/radio0");
      break;
    case Kind::kNone:
      EXPECT_EQ(opened.card, nullptr);
      EXPECT_TRUE(system.calls.empty()) << "refused before touching anything";
      EXPECT_TRUE(tuners.calls.empty());
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, BackendSelectionTest,
    ::testing::Values(
        Selection{nullptr, Kind::kSim, 0, ""}, Selection{"", Kind::kSim, 0, ""},
        Selection{"sim", Kind::kSim, 0, ""}, Selection{"port", Kind::kPort, 0, ""},
        Selection{"sim:", Kind::kNone, 2,
                  "orvaltic: ORVALTIC_CARD=sim: needs a file name, as in sim:FILE"},
        Selection{"SIM", Kind::kNone, 2,
                  "orvaltic: ORVALTIC_CARD=SIM is not a card backend; use sim, sim:FILE, port, "
                  "v4l2, v4l2:DEVICE or iq:FILE"},
        Selection{"port ", Kind::kNone, 2,
                  "orvaltic: ORVALTIC_CARD=port  is not a card backend; use sim, sim:FILE, "
                  "port, v4l2, v4l2:DEVICE or iq:FILE"},
        Selection{"hardware", Kind::kNone, 2,
                  "orvaltic: ORVALTIC_CARD=hardware is not a card backend; use sim, sim:FILE, "
                  "port, v4l2, v4l2:DEVICE or iq:FILE"},
        // The value's control bytes stay out of the terminal.
        Selection{"sim\n\x1B[2J\\", Kind::kNone, 2,
                  "orvaltic: ORVALTIC_CARD=sim\\n\\x1B[2J\\\\ is not a card backend; use sim, "
                  "sim:FILE, port, v4l2, v4l2:DEVICE or iq:FILE"},
        Selection{"v4l2", Kind::kTuner, 0, ""}, Selection{"v4l2:/dev/radio0", Kind::kTuner, 0, ""},
        Selection{"v4l2:", Kind::kNone, 2,
                  "orvaltic: ORVALTIC_CARD=v4l2: needs a device, as in v4l2:/dev/radio0"}));

TEST(SimBackend, GivesUpPrivilegesAndTakesNoPort) {
  testing::FakePortSystem system;
  system.users = {1000, 0, 0};
  system.capabilities = true;
  std::ostringstream report;
  ASSERT_NE(OpenCardBackend("orvaltic", "sim", {0x2F8}, system, report).card, nullptr);
  EXPECT_EQ(system.calls, (std::vector<std::string>{"setresuid 1000", "clear capabilities"}));
}

TEST(TunerBackend, GivesUpPrivilegesBeforeItOpensTheDevice) {
  testing::FakePortSystem system;
  system.users = {1000, 0, 0};
  system.capabilities = true;
  testing::FakeV4l2System tuners;
  // The device is opened only once no privilege is left.
  system.on_clear_capabilities = [&] { EXPECT_TRUE(tuners.calls.empty()); };
  std::ostringstream report;
  ASSERT_NE(OpenCardBackend("orvaltic", "v4l2", {}, system, report, &tuners).card, nullptr);
  EXPECT_EQ(system.calls, (std::vector<std::string>{"setresuid 1000", "clear capabilities"}));

  // A privilege that cannot be given up stops it before the device is touched.
  system.users = {1000, 0, 0};
  system.set_uid_error = EPERM;
  tuners.calls.clear();
  const OpenedCard refused = OpenCardBackend("orvaltic", "v4l2", {}, system, report, &tuners);
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_TRUE(tuners.calls.empty());
}

TEST(SimFileBackend, AppendsEveryWriteAtOnceAndOpensTheFileOnlyWhenUnprivileged) {
  testing::TempFolder folder;
  const std::string path = folder.File("card.log");
  testing::FakePortSystem system;
  system.users = {1000, 0, 0};
  bool existed_while_privileged = true;
  system.on_clear_capabilities = [&] { existed_while_privileged = std::filesystem::exists(path); };
  std::ostringstream report;

  OpenedCard opened = OpenCardBackend("orvaltic", ("sim:" + path).c_str(), {}, system, report);
  ASSERT_NE(opened.card, nullptr) << opened.error;
  EXPECT_FALSE(existed_while_privileged);

  testing::ManualTimerHost timers;
  std::int32_t card_port = 0x30C;
  RadioCard card(*opened.card, timers, card_port);
  card.UnMute();
  card_port = 0x20C;
  card.Mute();
  // Still open: what is in the file was flushed.
  EXPECT_EQ(testing::ReadFileBytes(path), "030C 00\n030C C8\n020C 00\n020C C0\n");
  EXPECT_EQ(report.str(), "card 030C: not tuned, audio on\ncard 020C: not tuned, audio muted\n");

  card.SetFrequency(99.5);
  const std::string log = testing::ReadFileBytes(path);
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4 + 97);
  EXPECT_TRUE(log.ends_with("020C CD\n020C CF\n020C CF\n020C C8\n"));
  EXPECT_FALSE(opened.card->WriteFailed());
}

TEST(SimFileBackend, AppendsToWhatIsThere) {
  testing::TempFolder folder;
  const std::string path = folder.File("card.log");
  testing::WriteFileBytes(path, "030C C8\n");
  testing::FakePortSystem system;
  std::ostringstream report;
  OpenedCard opened = OpenCardBackend("orvaltic", ("sim:" + path).c_str(), {}, system, report);
  ASSERT_NE(opened.card, nullptr);
  opened.card->WritePort(0x30C, 0xC0);
  EXPECT_EQ(testing::ReadFileBytes(path), "030C C8\n030C C0\n");
}

TEST(SimFileBackend, UnopenableFileIsReportedWithExitOne) {
  testing::TempFolder folder;
  const std::string path = folder.File("missing/card.log");
  testing::FakePortSystem system;
  std::ostringstream report;
  const OpenedCard opened =
      OpenCardBackend("orvaltic", ("sim:" + path).c_str(), {}, system, report);
  EXPECT_EQ(opened.card, nullptr);
  EXPECT_EQ(opened.exit_code, 1);
  EXPECT_EQ(opened.error, "orvaltic: cannot open the card log \"" + path + "\": error 2");
}

}  // namespace
}  // namespace orvaltic
