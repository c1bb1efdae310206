#include "core/cli/card_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <new>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/alarm/alarm_times.h"
#include "core/panels/display_settings.h"
#include "core/panels/panel_surface.h"
#include "core/presets/preset_file.h"
#include "core/presets/preset_store.h"
#include "core/radio/privileges.h"
#include "core/radio/radio_card.h"
#include "core/schedule/sched_rec.h"
#include "support/fake_port_system.h"
#include "support/manual_timer_host.h"
#include "support/recording_port.h"
#include "support/temp_folder.h"

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

// Orvaltic.CFG as the radio saves `presets`, with line `line` (1 to 231) replaced by `text`.
std::string PresetsFile(PresetStore presets, int line = 0, std::string_view text = {}) {
  std::string current;
  DisplaySettings display;
  AlarmTimes alarm;
  SchedPrograms schedule;
  std::string file =
      BuildOrvalticCFG({presets, current, display, alarm, schedule}, DesignedSurface(1));
  if (line > 0) {
    std::size_t start = 0;
    for (int k = 1; k < line; ++k) {
      start = file.find("\r\n", start) + 2;
    }
    file.replace(start, file.find("\r\n", start) - start, text);
  }
  return file;
}

class CardCommandTest : public ::testing::Test {
 protected:
  int Run(const Args& args) {
    const CardCommandHost host{
        *out_stream,
        err,
        [this](const std::vector<std::uint16_t>& ports) {
          opened_with.push_back(ports);
          if (open_backend) {
            return open_backend(ports);
          }
          if (!open_error.empty()) {
            return OpenedCard{nullptr, open_exit, open_error};
          }
          return OpenedCard{std::make_unique<RecordingBackend>(recorded, fail_writes), 0, {}};
        },
        [this](int ms) { pauses.push_back(ms); },
        settings.path(),
        open_first,
        [this](const Args& offered) -> std::optional<HandedCommand> {
          handed.push_back(offered);
          const ParsedCardCommand parsed = ParseCardCommand(offered);
          if (!radio_port || !parsed.command || parsed.command->port != radio_port) {
            return std::nullopt;
          }
          return radio_answer;
        },
    };
    recorded.Clear();
    return RunCardCommand(args, host);
  }

  Bytes Values() const { return recorded.Values(); }

  std::string OptionsPath() const { return settings.File("Orvaltic.opt"); }
  std::string PresetsPath() const { return settings.File("Orvaltic.CFG"); }
  void WriteOptions(std::string_view bytes) const { testing::WriteFileBytes(OptionsPath(), bytes); }

  testing::TempFolder settings;  // the command's working directory

  std::ostringstream out;
  std::ostream* out_stream = &out;
  std::ostringstream err;
  std::vector<std::vector<std::uint16_t>> opened_with;
  std::vector<int> pauses;
  std::string open_error;
  int open_exit = 1;
  bool fail_writes = false;
  bool open_first = false;
  // A radio running with its card at this port takes what is handed to it, answering this.
  std::optional<std::uint16_t> radio_port;
  HandedCommand radio_answer;
  std::vector<Args> handed;
  // When set, builds the card in place of the recording backend.
  std::function<OpenedCard(const std::vector<std::uint16_t>&)> open_backend;
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
  EXPECT_NE(out.str().find("preset N"), std::string::npos);
  EXPECT_NE(out.str().find("station TEXT"), std::string::npos);
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
        BadInput{{"preset"}, "preset needs one preset number from 1 to 100"},
        BadInput{{"preset", "1", "2"}, "preset needs one preset number from 1 to 100"},
        BadInput{{"preset", "0"}, "'0' is not a preset number from 1 to 100"},
        BadInput{{"preset", "101"}, "'101' is not a preset number from 1 to 100"},
        BadInput{{"preset", "one"}, "'one' is not a preset number from 1 to 100"},
        BadInput{{"station"}, "station needs one text (quote a name with blanks)"},
        BadInput{{"station", "Jazz", "FM"}, "station needs one text (quote a name with blanks)"},
        BadInput{{"tuen", "99.5"}, "unknown command 'tuen'"},
        // Control bytes of an argument are shown as escapes, never sent to the terminal.
        BadInput{{"tune", "\x1B\n120"}, "\\x1B\\n120 MHz is outside the band (88 to 108 MHz)"},
        BadInput{{"tune", "9\n9"}, "'9\\n9' is not a valid floating point value"},
        BadInput{{"--verbose\r\n", "mute"}, "unknown option '--verbose\\r\\n'"},
        BadInput{{"--port=0x30C\t", "mute"},
                 "'0x30C\\t' is not a port address (decimal, $ hex or 0x hex, up to 0xFFFF)"},
        BadInput{{"tu\x7F\\ne", "99.5"}, "unknown command 'tu\\x7F\\\\ne'"},
        BadInput{{"preset",
                  "\xC2\x9B"
                  "1m"},
                 "'\\xC2\\x9B1m' is not a preset number from 1 to 100"},
        BadInput{{"volume", "up", "\xFF\xE9t\xC3\xA9"},
                 "'\\xFF\\xE9t\xC3\xA9' is not a number of steps from 1 to 100"}));

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

// The bytes SetFrequency writes for `mhz`.
Bytes SetFrequencyBytes(double mhz) {
  testing::RecordingPort port;
  testing::ManualTimerHost timers;
  const std::int32_t card_port = 0x30C;
  RadioCard card(port, timers, card_port);
  card.SetFrequency(mhz);
  return port.Values();
}

struct OptionsPortCase {
  const char* name;
  const char* options;  // null: no Orvaltic.opt
  Args args;
  std::uint16_t port;
};

class CardCommandOptionsTest : public CardCommandTest,
                               public ::testing::WithParamInterface<OptionsPortCase> {};

TEST_P(CardCommandOptionsTest, TheOptionsFileGivesTheDefaultPort) {
  if (GetParam().options != nullptr) {
    WriteOptions(GetParam().options);
  }
  EXPECT_EQ(Run(GetParam().args), 0) << err.str();
  EXPECT_EQ(Values(), (Bytes{0x00, 0xC0}));
  for (const auto& w : written) {
    EXPECT_EQ(w.port, GetParam().port);
  }
  EXPECT_EQ(opened_with, (std::vector<std::vector<std::uint16_t>>{{GetParam().port}}));
  EXPECT_EQ(err.str(), "");
}

constexpr char kOptions524[] =
    "524\r\nStyle 1\r\n 1.00000000000000E-0001\r\n 1.00000000000000E-0002\r\n400\r\n"
    "Tune Rate\r\nTRUE\r\n\r\nFALSE\r\n";

INSTANTIATE_TEST_SUITE_P(
    Ports, CardCommandOptionsTest,
    ::testing::Values(
        OptionsPortCase{"NoFile", nullptr, {"mute"}, 0x30C},
        OptionsPortCase{"WholeFile", kOptions524, {"mute"}, 0x20C},
        OptionsPortCase{"OnlyTheFirstLine", "800", {"mute"}, 800},
        OptionsPortCase{"Low16Bits", "66316\r\n", {"mute"}, 0x30C},
        OptionsPortCase{"Negative", "-1\r\n", {"mute"}, 0xFFFF},
        OptionsPortCase{"EmptyFileReadsAsZero", "", {"mute"}, 0},
        OptionsPortCase{"PortOptionWins", kOptions524, {"--port", "0x30C", "mute"}, 0x30C},
        OptionsPortCase{"PortOptionSkipsABadFile", "$30C;\r\n", {"--port", "524", "mute"}, 0x20C}),
    [](const ::testing::TestParamInfo<OptionsPortCase>& param_info) {
      return std::string(param_info.param.name);
    });

TEST_F(CardCommandTest, AnOptionsFileTheReaderRefusesStopsTheCommand) {
  for (const char* options : {"Style 1\r\n",                    // not a number in line 1
                              "524\r\nStyle 1\r\nfast\r\n"}) {  // nor in line 3
    err.str({});
    WriteOptions(options);
    EXPECT_EQ(Run({"tune", "99.5"}), 2) << options;
    EXPECT_EQ(err.str(), "orvaltic-card: " + OptionsPath() + ": Invalid numeric input\n");
    EXPECT_TRUE(opened_with.empty());
  }
}

TEST_F(CardCommandTest, AFolderInPlaceOfTheOptionsFileCountsAsNoFile) {
  std::filesystem::create_directory(OptionsPath());
  EXPECT_EQ(Run({"mute"}), 0) << err.str();
  EXPECT_EQ(opened_with, (std::vector<std::vector<std::uint16_t>>{{0x30C}}));
}

struct HandOffCase {
  const char* name;
  const char* options;  // null: no Orvaltic.opt
  bool presets_file;
  Args args;
  std::vector<Args> handed;  // what was offered to the radio at 0x30C
  int exit_code;
  std::uint16_t written_to;  // 0: the card was left to the radio or nothing was written
};

class CardCommandHandOffTest : public CardCommandTest,
                               public ::testing::WithParamInterface<HandOffCase> {};

// Only a command that would drive the radio's own card, with its files read and valid, goes to
// the radio; any other ends exactly as without one.
TEST_P(CardCommandHandOffTest, OnlyTheRadiosOwnCardIsHandedOff) {
  const HandOffCase& c = GetParam();
  if (c.options != nullptr) {
    WriteOptions(c.options);
  }
  if (c.presets_file) {
    PresetStore presets;
    presets.PresetFreq(99) = 0.0;
    testing::WriteFileBytes(PresetsPath(), PresetsFile(presets));
  }
  radio_port = 0x30C;
  radio_answer = {kCardExitUsage, "the radio is switched off"};
  const int code = Run(c.args);
  EXPECT_EQ(code, c.exit_code) << err.str();
  EXPECT_EQ(handed, c.handed);
  if (c.written_to == 0) {
    EXPECT_TRUE(written.empty());
  } else {
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.front().port, c.written_to);
    EXPECT_EQ(err.str(), "");
  }
  if (c.handed.empty() || c.written_to != 0) {
    return;
  }
  EXPECT_EQ(err.str(), "orvaltic-card: the radio is switched off\n");
}

INSTANTIATE_TEST_SUITE_P(
    Radio, CardCommandHandOffTest,
    ::testing::Values(
        HandOffCase{"NoOptionsFile",
                    nullptr,
                    false,
                    {"tune", "99.5"},
                    {{"--port=780", "tune", "99.5"}},
                    kCardExitUsage,
                    0},
        HandOffCase{"PortOptionOfTheRadio",
                    kOptions524,
                    true,
                    {"--port", "0x30C", "preset", "3"},
                    {{"--port=780", "--port", "0x30C", "preset", "3"}},
                    kCardExitUsage,
                    0},
        HandOffCase{"AnotherPortInTheOptionsFile",
                    kOptions524,
                    false,
                    {"tune", "99.5"},
                    {{"--port=524", "tune", "99.5"}},
                    kCardExitOk,
                    0x20C},
        HandOffCase{"AnotherPortOption",
                    nullptr,
                    false,
                    {"--port=800", "mute"},
                    {{"--port=800", "--port=800", "mute"}},
                    kCardExitOk,
                    800},
        HandOffCase{
            "RejectedOptionsFile", "Style 1\r\n", true, {"tune", "99.5"}, {}, kCardExitUsage, 0},
        HandOffCase{"NoPresetsFile", nullptr, false, {"preset", "3"}, {}, kCardExitUsage, 0},
        HandOffCase{"EmptyPresetInTheFile", nullptr, true, {"preset", "99"}, {}, kCardExitUsage, 0},
        HandOffCase{"HelpStaysHere", nullptr, false, {"--help"}, {}, kCardExitOk, 0},
        HandOffCase{
            "BadUsageStaysHere", nullptr, false, {"volume", "up", "0"}, {}, kCardExitUsage, 0}),
    [](const ::testing::TestParamInfo<HandOffCase>& param_info) {
      return std::string(param_info.param.name);
    });

struct PresetTuneCase {
  const char* stored;  // preset 42's line, as a hand-edited file may hold it
  double sent;         // what the display shows: the value to three decimals
};

class CardCommandPresetTest : public CardCommandTest,
                              public ::testing::WithParamInterface<PresetTuneCase> {};

TEST_P(CardCommandPresetTest, SendsThePresetAsTheDisplayShowsIt) {
  testing::WriteFileBytes(PresetsPath(), PresetsFile(PresetStore{}, 83, GetParam().stored));
  EXPECT_EQ(Run({"preset", "42"}), 0) << err.str();
  EXPECT_EQ(Values(), SetFrequencyBytes(GetParam().sent));
  EXPECT_EQ(written.size(), 97u);
}

INSTANTIATE_TEST_SUITE_P(
    Frequencies, CardCommandPresetTest,
    ::testing::Values(PresetTuneCase{"99.500", 99.5}, PresetTuneCase{"99.5004", 99.5},
                      PresetTuneCase{"107.9996", 108.0}, PresetTuneCase{"  8.81E1 junk", 88.1},
                      PresetTuneCase{"88", 88.0}, PresetTuneCase{"108.000", 108.0}));

TEST_F(CardCommandTest, RoundingToThreeDecimalsChangesTheTuningWord) {
  // Keeps the table above honest: sending the stored value itself would be caught.
  EXPECT_NE(SetFrequencyBytes(99.5004), SetFrequencyBytes(99.5));
}

TEST_F(CardCommandTest, APresetGoesToThePortOfTheOptionsFile) {
  WriteOptions(kOptions524);
  testing::WriteFileBytes(PresetsPath(), PresetsFile(PresetStore{}));
  EXPECT_EQ(Run({"preset", "100"}), 0) << err.str();
  EXPECT_EQ(Values(), SetFrequencyBytes(107.8));
  for (const auto& w : written) {
    EXPECT_EQ(w.port, 0x20C);
  }
}

struct StationCase {
  std::string text;
  double sent;
};

class CardCommandStationTest : public CardCommandTest,
                               public ::testing::WithParamInterface<StationCase> {};

TEST_P(CardCommandStationTest, TunesTheFirstPresetWhoseNameContainsTheText) {
  PresetStore presets;
  presets.StationName(3) = "Jazz FM 88";
  presets.PresetFreq(3) = 97.3;
  presets.StationName(9) = "Classic fm";
  presets.PresetFreq(9) = 101.1;
  presets.StationName(60) = "News, \"Talk\" & Sport";
  presets.PresetFreq(60) = 93.45;
  testing::WriteFileBytes(PresetsPath(), PresetsFile(presets));
  EXPECT_EQ(Run({"station", GetParam().text}), 0) << err.str();
  EXPECT_EQ(Values(), SetFrequencyBytes(GetParam().sent));
}

INSTANTIATE_TEST_SUITE_P(Names, CardCommandStationTest,
                         ::testing::Values(StationCase{"fm", 97.3}, StationCase{"jAzZ", 97.3},
                                           StationCase{"CLASSIC", 101.1},
                                           StationCase{"\"talk\" &", 93.45},
                                           StationCase{"z f", 97.3}));

// What a failure case finds in the settings folder.
struct SettingsFolder {
  std::string path;
  PresetStore presets;  // preset 2 "Talk Radio" empty, preset 5 "Far Away" at 120 MHz

  std::string Options() const { return path + "/Orvaltic.opt"; }
  std::string Presets() const { return path + "/Orvaltic.CFG"; }
  void Save(int line = 0, std::string_view text = {}) const {
    testing::WriteFileBytes(Presets(), PresetsFile(presets, line, text));
  }
};

struct SettingsFailure {
  const char* name;
  Args args;
  // Fills the folder; returns the message after "orvaltic-card: ".
  std::string (*prepare)(SettingsFolder& folder);
};

class CardCommandSettingsFailureTest : public CardCommandTest,
                                       public ::testing::WithParamInterface<SettingsFailure> {};

TEST_P(CardCommandSettingsFailureTest, ExitsWithTwoOneLineAndNothingWritten) {
  SettingsFolder folder{settings.path(), {}};
  folder.presets.StationName(2) = "Talk Radio";
  folder.presets.PresetFreq(2) = 0.0;
  folder.presets.StationName(5) = "Far Away";
  folder.presets.PresetFreq(5) = 120.0;
  const std::string message = GetParam().prepare(folder);
  EXPECT_EQ(Run(GetParam().args), 2);
  EXPECT_EQ(err.str(), "orvaltic-card: " + message + "\n");
  EXPECT_TRUE(opened_with.empty()) << "the card is not even opened";
  EXPECT_EQ(out.str(), "");
}

constexpr char kOutOfBand[] = " MHz, outside the band (88 to 108 MHz)";

INSTANTIATE_TEST_SUITE_P(
    Files, CardCommandSettingsFailureTest,
    ::testing::Values(
        SettingsFailure{"NoPresetsFile",
                        {"preset", "1"},
                        [](SettingsFolder& f) { return "cannot read " + f.Presets(); }},
        SettingsFailure{"PresetsFileIsAFolder",
                        {"station", "talk"},
                        [](SettingsFolder& f) {
                          std::filesystem::create_directory(f.Presets());
                          return "cannot read " + f.Presets();
                        }},
        SettingsFailure{"BadNumberInLineOne",
                        {"preset", "1"},
                        [](SettingsFolder& f) {
                          f.Save(1, "ninety");
                          return f.Presets() + ": Invalid numeric input";
                        }},
        SettingsFailure{"BadNumberAfterThePresets",
                        {"preset", "1"},
                        [](SettingsFolder& f) {
                          f.Save(207, "top");  // PanelTop: preset 1 has been read by then
                          return f.Presets() + ": Invalid numeric input";
                        }},
        SettingsFailure{"BadOptionsFile",
                        {"preset", "1"},
                        [](SettingsFolder& f) {
                          f.Save();
                          testing::WriteFileBytes(f.Options(), "port\r\n");
                          return f.Options() + ": Invalid numeric input";
                        }},
        SettingsFailure{"EmptyPreset",
                        {"preset", "2"},
                        [](SettingsFolder& f) {
                          f.Save();
                          return std::string("preset 2 is empty");
                        }},
        SettingsFailure{"PresetAboveTheBand",
                        {"preset", "5"},
                        [](SettingsFolder& f) {
                          f.Save();
                          return "preset 5 holds 120" + std::string(kOutOfBand);
                        }},
        SettingsFailure{"PresetJustBelowTheBand",
                        {"preset", "7"},
                        [](SettingsFolder& f) {
                          f.Save(13, "87.9996");  // shown as 88.000, but refused as well
                          return "preset 7 holds 87.9996" + std::string(kOutOfBand);
                        }},
        SettingsFailure{"StationOfAnEmptyPreset",
                        {"station", "talk"},
                        [](SettingsFolder& f) {
                          f.Save();
                          return std::string(
                              "preset 2, the first whose station name contains 'talk', is empty");
                        }},
        SettingsFailure{"StationOutsideTheBand",
                        {"station", "AWAY"},
                        [](SettingsFolder& f) {
                          f.Save();
                          return "preset 5, the first whose station name contains 'AWAY', holds "
                                 "120" +
                                 std::string(kOutOfBand);
                        }},
        SettingsFailure{"UnknownStation",
                        {"station", "BBC"},
                        [](SettingsFolder& f) {
                          f.Save();
                          return "no station name in " + f.Presets() + " contains 'BBC'";
                        }},
        SettingsFailure{"UnknownStationWithControlBytes",
                        {"station", "BBC\n\x1B]0;x\x07"},
                        [](SettingsFolder& f) {
                          f.Save();
                          return "no station name in " + f.Presets() +
                                 " contains 'BBC\\n\\x1B]0;x\\x07'";
                        }},
        SettingsFailure{"EmptyStationText",
                        {"station", ""},
                        [](SettingsFolder& f) {
                          f.Save();
                          return "no station name in " + f.Presets() + " contains ''";
                        }}),
    [](const ::testing::TestParamInfo<SettingsFailure>& param_info) {
      return std::string(param_info.param.name);
    });

TEST_F(CardCommandTest, AFailedWriteOfTheUsageIsNoSuccess) {
  // As stdout on a full disk: the text is taken into the buffer, the flush fails.
  class FullDevice : public std::streambuf {
   protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    int sync() override { return -1; }
  } device;
  std::ostream full(&device);
  out_stream = &full;
  EXPECT_EQ(Run({"--help"}), 2);
  EXPECT_EQ(err.str(), "orvaltic-card: cannot write to standard output\n");
}

TEST_F(CardCommandTest, EveryFailureEndsWithOneLineAndExitTwo) {
  const std::vector<std::pair<std::function<void()>, std::string>> failures = {
      {[] { throw std::bad_alloc(); }, "orvaltic-card: out of memory\n"},
      {[] { throw std::runtime_error("lost\n\x1B[2J"); }, "orvaltic-card: lost\\n\\x1B[2J\n"}};
  for (const auto& [fail, message] : failures) {
    err.str({});
    open_backend = [&fail](const std::vector<std::uint16_t>&) -> OpenedCard {
      fail();
      return {};
    };
    EXPECT_EQ(Run({"mute"}), 2);
    EXPECT_EQ(err.str(), message);
  }
}

enum class Process { kSetUserId, kCapability, kRealRoot };

// The real port backend behind the system-call seam, wired as orvaltic-card wires it.
class CardCommandPrivilegeTest : public CardCommandTest {
 protected:
  int RunAs(Process process, const Args& args) {
    system.users = process == Process::kSetUserId  ? IdTriple{1000, 0, 0}
                   : process == Process::kRealRoot ? IdTriple{0, 0, 0}
                                                   : IdTriple{1000, 1000, 1000};
    system.capabilities = true;
    open_first = MustDropPrivilegesBeforeReading(system);
    open_backend = [this](const std::vector<std::uint16_t>& ports) {
      return OpenCardBackend("orvaltic-card", "port", ports, system, err);
    };
    return Run(args);
  }

  testing::FakePortSystem system;
};

struct PrivilegeCase {
  const char* name;
  Process process;
  const char* options;  // null: no Orvaltic.opt
  Args args;            // a mute
  std::uint16_t port;   // where the options or --port put the card
};

class CardCommandPortRightsTest : public CardCommandPrivilegeTest,
                                  public ::testing::WithParamInterface<PrivilegeCase> {};

// Whatever the user names, a privileged command opens only 0x30C and 0x20C and refuses, with
// nothing written, a card elsewhere; a real root may put it anywhere.
TEST_P(CardCommandPortRightsTest, APrivilegedCommandReachesOnlyTheCardAddresses) {
  const PrivilegeCase& c = GetParam();
  if (c.options != nullptr) {
    WriteOptions(c.options);
  }
  const bool root = c.process == Process::kRealRoot;
  const bool card_address = c.port == 0x30C || c.port == 0x20C;
  const std::string port = testing::FakePortSystem::Hex(c.port);
  std::vector<std::string> calls = {"grant 30C", "grant 20C"};
  if (root && !card_address) {
    calls.push_back("grant " + port);
  }
  if (c.process == Process::kSetUserId) {
    calls.push_back("setresuid 1000");
  }
  calls.push_back("clear capabilities");
  if (root || card_address) {
    calls.insert(calls.end(), {"out " + port + " 0", "out " + port + " C0"});
  }

  EXPECT_EQ(RunAs(c.process, c.args), root || card_address ? 0 : 1);
  EXPECT_EQ(system.calls, calls);
  EXPECT_EQ(err.str(), root || card_address
                           ? ""
                           : "orvaltic-card: I/O port 0x" + port +
                                 " is refused: the card is at 0x30C or 0x20C, and only a program "
                                 "run by root itself may write another port\n");
}

INSTANTIATE_TEST_SUITE_P(
    Processes, CardCommandPortRightsTest,
    ::testing::Values(
        PrivilegeCase{
            "SetUserIdCom2", Process::kSetUserId, nullptr, {"--port", "0x2F8", "mute"}, 0x2F8},
        PrivilegeCase{
            "CapabilityReset", Process::kCapability, nullptr, {"--port", "0xCF9", "mute"}, 0xCF9},
        PrivilegeCase{"CapabilityCom2InOptions", Process::kCapability, "$2F8\r\n", {"mute"}, 0x2F8},
        PrivilegeCase{"SetUserIdCmosInOptions", Process::kSetUserId, "112\r\n", {"mute"}, 0x70},
        PrivilegeCase{"CapabilityAlternative", Process::kCapability, "524\r\n", {"mute"}, 0x20C},
        PrivilegeCase{
            "RealRootCom2", Process::kRealRoot, nullptr, {"--port", "0x2F8", "mute"}, 0x2F8},
        PrivilegeCase{"RealRootCom2InOptions", Process::kRealRoot, "$2F8\r\n", {"mute"}, 0x2F8}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(CardCommandPrivilegeTest, ASetUserIdCommandReadsTheSettingsOnlyAsItsUser) {
  // The options file turns up the moment the privileges go: only a read after the drop sees it.
  system.on_clear_capabilities = [this] { WriteOptions("524\r\n"); };
  EXPECT_EQ(RunAs(Process::kSetUserId, {"mute"}), 0) << err.str();
  EXPECT_EQ(system.calls,
            (std::vector<std::string>{"grant 30C", "grant 20C", "setresuid 1000",
                                      "clear capabilities", "out 20C 0", "out 20C C0"}));

  // A file that cannot be used still stops the command before anything is written.
  system.calls.clear();
  system.on_clear_capabilities = [this] { WriteOptions("port\r\n"); };
  EXPECT_EQ(RunAs(Process::kSetUserId, {"mute"}), 2);
  EXPECT_EQ(err.str(), "orvaltic-card: " + OptionsPath() + ": Invalid numeric input\n");
  EXPECT_EQ(system.calls, (std::vector<std::string>{"grant 30C", "grant 20C", "setresuid 1000",
                                                    "clear capabilities"}));
}

}  // namespace
}  // namespace orvaltic
