#include "core/radio/card_command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/radio/radio_card.h"
#include "support/recording_port.h"

namespace orvaltic {
namespace {

using Args = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

// A card backend that records into the test's port (it dies with the command) and can be told
// to count as unreachable.
class RecordingBackend : public CardBackend {
 public:
  RecordingBackend(testing::RecordingPort& recorded, bool fail)
      : recorded_(recorded), fail_(fail) {}
  void WritePort(std::uint16_t port, std::uint8_t value) override {
    recorded_.WritePort(port, value);
  }
  bool WriteFailed() const override { return fail_; }

 private:
  testing::RecordingPort& recorded_;
  bool fail_;
};

class CardCommandTest : public ::testing::Test {
 protected:
  int Run(const Args& args) {
    const CardCommandHost host{
        out,
        err,
        [this](const std::vector<std::uint16_t>& ports) {
          opened_with.push_back(ports);
          if (!open_error.empty()) {
            return OpenedCard{nullptr, open_exit, open_error};
          }
          return OpenedCard{std::make_unique<RecordingBackend>(recorded, fail_writes), 0, {}};
        },
        [this](int ms) { pauses.push_back(ms); },
    };
    recorded.Clear();
    return RunCardCommand(args, host);
  }

  Bytes Values() const { return recorded.Values(); }

  std::ostringstream out;
  std::ostringstream err;
  std::vector<std::vector<std::uint16_t>> opened_with;
  std::vector<int> pauses;
  std::string open_error;
  int open_exit = 1;
  bool fail_writes = false;
  testing::RecordingPort recorded;
  const std::vector<testing::PortWrite>& written = recorded.writes;
};

TEST_F(CardCommandTest, TuneWritesTheNinetySevenBytesToTheDefaultPort) {
  EXPECT_EQ(Run({"tune", "99.5"}), 0);
  ASSERT_EQ(written.size(), 97u);
  EXPECT_EQ(written.back().value, 0xC8);
  for (const auto& w : written) {
    EXPECT_EQ(w.port, 0x30C);
  }
  EXPECT_EQ(opened_with, (std::vector<std::vector<std::uint16_t>>{{0x30C}}));
  EXPECT_EQ(err.str(), "");
}

struct PortCase {
  Args args;
  std::uint16_t port;
  Bytes bytes;
};

class CardCommandPortTest : public CardCommandTest,
                            public ::testing::WithParamInterface<PortCase> {};

TEST_P(CardCommandPortTest, WritesExactlyItsBytesToThePortGiven) {
  EXPECT_EQ(Run(GetParam().args), 0) << err.str();
  EXPECT_EQ(Values(), GetParam().bytes);
  for (const auto& w : written) {
    EXPECT_EQ(w.port, GetParam().port);
  }
  ASSERT_EQ(opened_with.size(), 1u);
  EXPECT_EQ(opened_with[0], std::vector<std::uint16_t>{GetParam().port});
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CardCommandPortTest,
    ::testing::Values(PortCase{{"mute"}, 0x30C, {0x00, 0xC0}},
                      PortCase{{"--port", "$20C", "unmute"}, 0x20C, {0x00, 0xC8}},
                      PortCase{{"--port", "0x20c", "mute"}, 0x20C, {0x00, 0xC0}},
                      PortCase{{"--port=524", "mute"}, 0x20C, {0x00, 0xC0}},
                      PortCase{{"--port", "65535", "volume", "up"}, 0xFFFF, {0x88, 0xC8}},
                      PortCase{{"volume", "down", "2"}, 0x30C, {0x48, 0xC8, 0x48, 0xC8}},
                      PortCase{
                          {"volume", "up", "3"}, 0x30C, {0x88, 0xC8, 0x88, 0xC8, 0x88, 0xC8}}));

TEST_F(CardCommandTest, VolumeStepsAreHundredMillisecondPulsesAHundredMillisecondsApart) {
  EXPECT_EQ(Run({"volume", "up", "3"}), 0);
  EXPECT_EQ(pauses, (std::vector<int>{100, 100, 100, 100, 100}));
}

TEST_F(CardCommandTest, HelpPrintsTheUsage) {
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_EQ(out.str(), CardCommandUsage());
  EXPECT_NE(out.str().find("volume up|down [STEPS]"), std::string::npos);
  EXPECT_TRUE(opened_with.empty());
  EXPECT_EQ(Run({"tune", "99.5", "-h"}), 0);
  EXPECT_TRUE(opened_with.empty());
}

struct BadInput {
  Args args;
  std::string message;
};

class CardCommandBadInputTest : public CardCommandTest,
                                public ::testing::WithParamInterface<BadInput> {};

TEST_P(CardCommandBadInputTest, ExitsWithTwoOneLineAndNothingWritten) {
  EXPECT_EQ(Run(GetParam().args), 2);
  EXPECT_TRUE(opened_with.empty()) << "the card is not even opened";
  EXPECT_EQ(err.str(), "orvaltic-card: " + GetParam().message + " (see orvaltic-card --help)\n");
  EXPECT_EQ(out.str(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Args, CardCommandBadInputTest,
    ::testing::Values(
        BadInput{{}, "no command given"}, BadInput{{"tune"}, "tune needs one frequency in MHz"},
        BadInput{{"tune", "99,5"}, "'99,5' is not a valid floating point value"},
        BadInput{{"tune", "99.5 "}, "'99.5 ' is not a valid floating point value"},
        BadInput{{"tune", "87.999"}, "87.999 MHz is outside the band (88 to 108 MHz)"},
        BadInput{{"tune", "108.001"}, "108.001 MHz is outside the band (88 to 108 MHz)"},
        BadInput{{"mute", "now"}, "mute takes no arguments"},
        BadInput{{"volume"}, "volume needs up or down, and optionally a number of steps"},
        BadInput{{"volume", "loud"}, "volume needs up or down, and optionally a number of steps"},
        BadInput{{"volume", "up", "0"}, "'0' is not a number of steps from 1 to 100"},
        BadInput{{"volume", "up", "101"}, "'101' is not a number of steps from 1 to 100"},
        BadInput{{"volume", "up", "1.5"}, "'1.5' is not a number of steps from 1 to 100"},
        BadInput{{"volume", "up", "1", "2"},
                 "volume needs up or down, and optionally a number of steps"},
        BadInput{{"--port"}, "--port needs a port address"},
        BadInput{{"--port", "0x10000", "mute"},
                 "'0x10000' is not a port address (decimal, $ hex or 0x hex, up to 0xFFFF)"},
        BadInput{{"--port", "-1", "mute"},
                 "'-1' is not a port address (decimal, $ hex or 0x hex, up to 0xFFFF)"},
        BadInput{{"--port", "0x", "mute"},
                 "'0x' is not a port address (decimal, $ hex or 0x hex, up to 0xFFFF)"},
        BadInput{{"--port", "0x-5", "mute"},
                 "'0x-5' is not a port address (decimal, $ hex or 0x hex, up to 0xFFFF)"},
        BadInput{{"--verbose", "mute"}, "unknown option '--verbose'"},
        BadInput{{"mute", "--port", "524"}, "mute takes no arguments"},
        BadInput{{"tuen", "99.5"}, "unknown command 'tuen'"}));

TEST_F(CardCommandTest, TheBandEdgesAreAccepted) {
  EXPECT_EQ(Run({"tune", "88"}), 0);
  EXPECT_EQ(Run({"tune", "108.000"}), 0);
  EXPECT_EQ(written.size(), 97u);
}

TEST_F(CardCommandTest, AnUnreachableCardExitsWithItsCodeAndMessage) {
  open_error = "orvaltic-card: no permission to write I/O port 0x30C";
  EXPECT_EQ(Run({"mute"}), 1);
  EXPECT_EQ(err.str(), open_error + "\n");

  err.str({});
  open_error = "orvaltic-card: ORVALTIC_CARD=x is not a card backend; use sim, sim:FILE or port";
  open_exit = 2;
  EXPECT_EQ(Run({"mute"}), 2);
  EXPECT_EQ(err.str(), open_error + "\n");
}

TEST_F(CardCommandTest, AWriteTheBackendCouldNotCarryOutExitsWithOne) {
  fail_writes = true;
  EXPECT_EQ(Run({"unmute"}), 1);
}

}  // namespace
}  // namespace orvaltic
