#include "core/presets/preset_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "core/platform/errors.h"
#include "core/platform/numbers.h"
#include "core/platform/text_file.h"
#include "preset_fields.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace orvaltic {
namespace {

using testing::ChangedState;
using testing::CrLfLines;
using testing::DefaultMainPanel;
using testing::PresetFileState;
using testing::ReadFileBytes;
using testing::ScriptedDialogs;
using testing::TempFolder;
using testing::WriteFileBytes;

const std::string kDefaultsFile = std::string(ORVALTIC_TEST_DATA_DIR) + "/presets/defaults.CFG";

// Reads `contents` into `state`; the message of the InOutError, or "" when the read completed.
std::string ReadInto(PresetFileState& state, std::string contents) {
  TextFileReader reader(std::move(contents));
  try {
    ReadOrvalticCFGFile(reader, state.Fields());
    return "";
  } catch (const InOutError& error) {
    EXPECT_EQ(error.code(), 106);
    return error.what();
  }
}

// The defaults file with some lines (1-based) replaced.
std::string DefaultsWithLines(const std::map<int, std::string>& replaced) {
  std::vector<std::string> lines = CrLfLines(ReadFileBytes(kDefaultsFile));
  for (const auto& [line, text] : replaced) {
    lines.at(static_cast<std::size_t>(line - 1)) = text;
  }
  std::string contents;
  for (const std::string& l : lines) {
    contents += l + "\r\n";
  }
  return contents;
}

std::string DefaultsWithLine(int line, const std::string& text) {
  return DefaultsWithLines({{line, text}});
}

TEST(PresetStoreTest, DefaultsAreTheBandInFifthsOfAMegahertz) {
  const PresetStore store;
  for (int n = 1; n <= kPresetCount; ++n) {
    const int tenths = 880 + 2 * (n - 1);
    const std::string expected =
        std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + "00";
    EXPECT_EQ(FormatFixed3(store.PresetFreq(n)), expected) << n;
    // The same double the reader makes of that text, so a read-back compares equal.
    EXPECT_EQ(store.PresetFreq(n), TryStrToFloat(expected)) << n;
    EXPECT_EQ(store.StationName(n), "") << n;
  }
  EXPECT_EQ(store.PresetFileName, "Orvaltic.CFG");
  EXPECT_THROW(store.PresetFreq(0), std::out_of_range);
  EXPECT_THROW(store.StationName(101), std::out_of_range);
}

TEST(PresetFileWriteTest, DefaultsGiveTheGoldenFile) {
  PresetFileState state;
  const std::string golden = ReadFileBytes(kDefaultsFile);
  ASSERT_FALSE(golden.empty()) << kDefaultsFile;

  TempFolder folder;
  SaveOrvalticCFGFile(folder.File("Orvaltic.CFG"), state.Fields(), DefaultMainPanel());

  const std::string written = ReadFileBytes(folder.File("Orvaltic.CFG"));
  EXPECT_EQ(written, golden);
  const std::vector<std::string> lines = CrLfLines(written);
  ASSERT_EQ(lines.size(), 231u);
  EXPECT_EQ(lines[0], "88.000");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[198], "107.800");
  EXPECT_EQ(state, PresetFileState{}) << "the panel showed the default display settings";
}

TEST(PresetFileReadTest, DefaultsFileReadsBackIntoDefaults) {
  PresetFileState state = ChangedState();
  ScriptedDialogs dialogs;
  EXPECT_TRUE(ReadOrvalticCFGFile(kDefaultsFile, state.Fields(), dialogs));

  PresetFileState expected;
  expected.CurrentFreqText = "88.000";
  expected.display.BorderStyleText = "bsNone";
  EXPECT_EQ(state, expected);
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_EQ(dialogs.beeps, 0);
}

TEST(PresetFileReadTest, FileThatCannotBeOpenedShowsNotFoundOnceAndChangesNothing) {
  TempFolder folder;
  ASSERT_EQ(::mkdir(folder.File("folder.CFG").c_str(), 0755), 0);
  for (const std::string name : {"missing.CFG", "folder.CFG"}) {
    SCOPED_TRACE(name);
    PresetFileState state;
    ScriptedDialogs dialogs;
    dialogs.AnswerMessage(MessageResult::kOk);

    EXPECT_FALSE(ReadOrvalticCFGFile(folder.File(name), state.Fields(), dialogs));

    EXPECT_EQ(state, PresetFileState{});
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(dialogs.boxes, (std::vector<ScriptedDialogs::Box>{
                                 {"File 'Orvaltic.CFG' not found.\r\nUsing default values.",
                                  MessageKind::kInformation, MessageButtons::kOk, 0}}));
  }
}

TEST(PresetFileReadTest, FileEndingEarlyLeavesZerosAndEmptyTextsWithoutMessage) {
  PresetFileState state = ChangedState();
  EXPECT_EQ(ReadInto(state, "90.100\r\nOne\r\n90.300"), "");

  EXPECT_EQ(state.presets.PresetFreq(1), 90.1);
  EXPECT_EQ(state.presets.StationName(1), "One");
  EXPECT_EQ(state.presets.PresetFreq(2), 90.3);
  EXPECT_EQ(state.presets.StationName(2), "");
  EXPECT_EQ(state.presets.PresetFreq(100), 0.0);
  EXPECT_EQ(state.CurrentFreqText, "");
  EXPECT_EQ(state.display, (DisplaySettings{"", 0, 0, "", 0, "", 0, 0}));
  EXPECT_EQ(state.alarm, AlarmTimes{});
  EXPECT_EQ(state.schedule, SchedPrograms{});
}

TEST(PresetFileReadTest, BlankLineBeforeAFrequencyIsSkipped) {
  PresetFileState state = ChangedState();
  EXPECT_EQ(ReadInto(state, "88.000\r\nOne\r\n\r\n \t88.200\r\nTwo\r\n"), "");
  EXPECT_EQ(state.presets.PresetFreq(2), 88.2);
  EXPECT_EQ(state.presets.StationName(2), "Two");
}

// With preset 2's frequency line emptied, the reader takes preset 3's line for it: every later
// field moves up two lines, until the font name lands in the font colour's number.
TEST(PresetFileReadTest, EmptiedFrequencyLineShiftsLaterFieldsUntilANumberFails) {
  PresetFileState state = ChangedState();
  const PresetFileState old = state;
  EXPECT_EQ(ReadInto(state, DefaultsWithLine(3, "")), "Invalid numeric input");

  EXPECT_EQ(state.presets.PresetFreq(1), 88.0);
  for (int n = 2; n <= 99; ++n) {
    EXPECT_EQ(state.presets.PresetFreq(n), DefaultPresetFreq(n + 1)) << n;
  }
  EXPECT_EQ(state.presets.PresetFreq(100), 88.0);  // the frequency shown, line 201
  EXPECT_EQ(state.presets.StationName(100), "Arial");
  EXPECT_EQ(state.CurrentFreqText, "65280");
  EXPECT_EQ(state.display.DisplayFontName, "20");
  // "Regular" is not a colour: from there on the old values stay.
  EXPECT_EQ(state.display.DisplayFontColor, old.display.DisplayFontColor);
  EXPECT_EQ(state.display.PanelTop, old.display.PanelTop);
  EXPECT_EQ(state.alarm, old.alarm);
  EXPECT_EQ(state.schedule, old.schedule);
}

struct BadNumberCase {
  const char* name;
  int line;                   // the line that holds words
  int presets_read;           // presets 1..presets_read take the file's values
  bool current_freq_read;     // line 201 was read before the failure
  bool font_name_and_colour;  // lines 202 and 203 were read before the failure
};

class PresetFileBadNumberTest : public ::testing::TestWithParam<BadNumberCase> {};

TEST_P(PresetFileBadNumberTest, KeepsEarlierFieldsNewAndLaterOnesOld) {
  const BadNumberCase& c = GetParam();
  PresetFileState state = ChangedState();
  const PresetFileState old = state;

  EXPECT_EQ(ReadInto(state, DefaultsWithLine(c.line, "Hello world")), "Invalid numeric input");

  for (int n = 1; n <= kPresetCount; ++n) {
    const bool read = n <= c.presets_read;
    EXPECT_EQ(state.presets.PresetFreq(n), read ? DefaultPresetFreq(n) : old.presets.PresetFreq(n))
        << n;
    EXPECT_EQ(state.presets.StationName(n), read ? "" : old.presets.StationName(n)) << n;
  }
  EXPECT_EQ(state.CurrentFreqText, c.current_freq_read ? "88.000" : old.CurrentFreqText);
  EXPECT_EQ(state.display.DisplayFontName,
            c.font_name_and_colour ? "Arial" : old.display.DisplayFontName);
  EXPECT_EQ(state.display.DisplayFontColor,
            c.font_name_and_colour ? kLime : old.display.DisplayFontColor);
  EXPECT_EQ(state.display.DisplayFontSize, old.display.DisplayFontSize);
  EXPECT_EQ(state.display.BorderStyleText, old.display.BorderStyleText);
  EXPECT_EQ(state.alarm, old.alarm) << "the include-date flags are set only after a full read";
  EXPECT_EQ(state.schedule, old.schedule);
}

INSTANTIATE_TEST_SUITE_P(Lines, PresetFileBadNumberTest,
                         ::testing::Values(BadNumberCase{"WordsInLineOne", 1, 0, false, false},
                                           BadNumberCase{"WordsInPresetFifty", 99, 49, false,
                                                         false},
                                           BadNumberCase{"WordsInFontSize", 204, 100, true, true}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

struct IncludesDateCase {
  std::string time;
  bool includes_date;
};

void PrintTo(const IncludesDateCase& c, std::ostream* os) {
  *os << '"' << c.time << '"';
}

class PresetFileIncludesDateTest : public ::testing::TestWithParam<IncludesDateCase> {};

TEST_P(PresetFileIncludesDateTest, FollowsTheLengthOfEachTimeRead) {
  const IncludesDateCase& c = GetParam();
  // Alarm and snooze get opposite texts, so that neither flag can follow the other.
  const std::string other = c.includes_date ? "07:30:00 AM" : "12/25/2026 07:30:00 AM";
  PresetFileState state;
  state.alarm.AlarmIncludesDate = !c.includes_date;
  state.alarm.SnoozeIncludesDate = c.includes_date;

  ASSERT_EQ(ReadInto(state, DefaultsWithLines({{210, c.time}, {211, other}})), "");

  EXPECT_EQ(state.alarm.AlarmTime, c.time);
  EXPECT_EQ(state.alarm.AlarmIncludesDate, c.includes_date);
  EXPECT_EQ(state.alarm.SnoozeTime, other);
  EXPECT_EQ(state.alarm.SnoozeIncludesDate, !c.includes_date);
}

INSTANTIATE_TEST_SUITE_P(Lengths, PresetFileIncludesDateTest,
                         ::testing::Values(IncludesDateCase{"", false},
                                           IncludesDateCase{"07:30:00 AM", false},
                                           IncludesDateCase{"07:30:00 AMX", true},
                                           IncludesDateCase{"12/25/2026 07:30:00 AM", true}));

struct FontStyleCase {
  bool bold, italic, underline, strike_out;
  std::string stored;  // with "Italic" stored before
};

void PrintTo(const FontStyleCase& c, std::ostream* os) {
  *os << (c.bold ? "bold " : "") << (c.italic ? "italic " : "") << (c.underline ? "underline " : "")
      << (c.strike_out ? "strike-out " : "") << "-> " << c.stored;
}

class PresetFileFontStyleTest : public ::testing::TestWithParam<FontStyleCase> {};

TEST_P(PresetFileFontStyleTest, StoresTheStyleWordOfTheMainDisplay) {
  const FontStyleCase& c = GetParam();
  PresetFileState state;
  state.display.DisplayFontStyle = "Italic";
  PanelSurface main = DefaultMainPanel();
  main.FreqPanel.font.bold = c.bold;
  main.FreqPanel.font.italic = c.italic;
  main.FreqPanel.font.underline = c.underline;
  main.FreqPanel.font.strike_out = c.strike_out;

  const std::vector<std::string> lines = CrLfLines(BuildOrvalticCFG(state.Fields(), main));

  EXPECT_EQ(lines.at(204), c.stored);
  EXPECT_EQ(state.display.DisplayFontStyle, c.stored);
}

INSTANTIATE_TEST_SUITE_P(Styles, PresetFileFontStyleTest,
                         ::testing::Values(FontStyleCase{false, false, false, false, "Regular"},
                                           FontStyleCase{true, false, false, false, "Bold"},
                                           FontStyleCase{true, false, true, false, "Bold"},
                                           FontStyleCase{false, true, false, true, "Italic"},
                                           FontStyleCase{true, true, true, true, "Bold+Italic"},
                                           // Only underline or strike-out: the stored word stays.
                                           FontStyleCase{false, false, true, false, "Italic"},
                                           FontStyleCase{false, false, false, true, "Italic"}));

TEST(PresetFileWriteTest, TakesDisplayFromTheMainPanelAndWritesPositionAsItStands) {
  PresetFileState state;
  state.display.PanelTop = -12;
  state.display.PanelLeft = 1900;
  state.display.BorderStyleText = "whatever was read";
  PanelSurface main = DefaultMainPanel();
  main.FreqPanel.caption = "101.700";
  main.FreqPanel.font = {"DejaVu Sans Mono", 0, true, false, false, false, kRed};
  main.FreqPanel.color = kBlue;
  main.border = BorderStyle::kSingle;

  const std::vector<std::string> lines = CrLfLines(BuildOrvalticCFG(state.Fields(), main));

  EXPECT_EQ(std::vector<std::string>(lines.begin() + 200, lines.begin() + 209),
            (std::vector<std::string>{"101.700", "DejaVu Sans Mono", "255", "0", "Bold", "16711680",
                                      "-12", "1900", "bsSingle"}));
  EXPECT_EQ(state.display, (DisplaySettings{"DejaVu Sans Mono", kRed, 0, "Bold", kBlue,
                                            "whatever was read", -12, 1900}));
}

// With the radio off the display is blacked out; a save then keeps the stored look, or the
// next power-on would show black on black.
TEST(PresetFileWriteTest, WithTheRadioOffKeepsTheStoredDisplaySettings) {
  PresetFileState state = ChangedState();
  const DisplaySettings stored = state.display;
  PanelSurface main = DefaultMainPanel();
  main.PwrBtnLight = kMaroon;
  main.FreqPanel.font.color = kBlack;
  main.FreqPanel.color = kBlack;

  const std::vector<std::string> lines = CrLfLines(BuildOrvalticCFG(state.Fields(), main));

  EXPECT_EQ(std::vector<std::string>(lines.begin() + 201, lines.begin() + 206),
            (std::vector<std::string>{"Courier", "255", "14", "Italic", "16711680"}));
  EXPECT_EQ(state.display, stored);
}

// Colours are 32-bit patterns; those with the top bit set are negative in the file.
TEST(PresetFileRoundTripTest, NegativeColoursComeBackAsTheSameText) {
  PresetFileState state;
  ASSERT_EQ(ReadInto(state, DefaultsWithLine(203, "-16777201")), "");
  PanelSurface main = DefaultMainPanel();
  main.FreqPanel.font.color = state.display.DisplayFontColor;
  main.FreqPanel.color = 0x80000000u;

  const std::vector<std::string> lines = CrLfLines(BuildOrvalticCFG(state.Fields(), main));

  EXPECT_EQ(lines.at(202), "-16777201");
  EXPECT_EQ(lines.at(205), "-2147483648");
  PresetFileState again;
  EXPECT_EQ(ReadInto(again, BuildOrvalticCFG(state.Fields(), main)), "");
  EXPECT_EQ(again.display.DisplayColor, 0x80000000u);
}

// Text fields are bytes: whatever the reader can give back is written unchanged.
TEST(PresetFileRoundTripTest, TextFieldsComeBackByteForByte) {
  const std::vector<std::string> texts = {
      "",
      "  Jazz FM, \"the best\" 'radio'  ",
      "Caf\xE9 M\xFCnchen \x80\xFF\xC3",  // Windows-1252 and broken UTF-8
      "R\xC3\xA4"
      "dio Z\xC3\xBC"
      "rich",  // UTF-8
      "tab\there",
      "ends in a blank ",
      "\xEF\xBB\xBF"
      "byte order mark inside",
      std::string("nul\0inside", 10),
      std::string(kMaxSettingsLineLength, 'x'),
  };
  PresetFileState state;
  for (int n = 1; n <= kPresetCount; ++n) {
    state.presets.StationName(n) = texts[static_cast<std::size_t>(n) % texts.size()];
    state.presets.PresetFreq(n) = n % 7 == 0 ? 0.0 : 87.5 + 0.05 * n;
  }
  state.alarm.AlarmTime = texts[1];
  state.alarm.SnoozeTime = texts[2];
  for (int k = 1; k <= kSchedProgramCount; ++k) {
    state.schedule.Program(k) = {
        texts[static_cast<std::size_t>(k)], texts[static_cast<std::size_t>(k + 1)],
        texts[static_cast<std::size_t>(k + 2)], texts[static_cast<std::size_t>(k + 3)]};
  }
  PanelSurface main = DefaultMainPanel();
  main.FreqPanel.caption = texts[2];
  main.FreqPanel.font.name = texts[3];

  TempFolder folder;
  const std::string file = folder.File("custom.CFG");
  SaveOrvalticCFGFile(file, state.Fields(), main);
  ASSERT_EQ(CrLfLines(ReadFileBytes(file)).size(), 231u);

  PresetFileState back = ChangedState();
  ScriptedDialogs dialogs;
  ASSERT_TRUE(ReadOrvalticCFGFile(file, back.Fields(), dialogs));
  for (int n = 1; n <= kPresetCount; ++n) {
    EXPECT_EQ(back.presets.StationName(n), state.presets.StationName(n)) << n;
    EXPECT_EQ(FormatFixed3(back.presets.PresetFreq(n)), FormatFixed3(state.presets.PresetFreq(n)))
        << n;
  }
  EXPECT_EQ(back.CurrentFreqText, texts[2]);
  EXPECT_EQ(back.display.DisplayFontName, texts[3]);
  EXPECT_EQ(back.alarm.AlarmTime, state.alarm.AlarmTime);
  EXPECT_EQ(back.alarm.SnoozeTime, state.alarm.SnoozeTime);
  EXPECT_EQ(back.schedule, state.schedule);

  // Saving what was read gives the same bytes again.
  const std::string first = ReadFileBytes(file);
  SaveOrvalticCFGFile(file, back.Fields(), main);
  EXPECT_EQ(ReadFileBytes(file), first);
}

// A CR or LF would end the line early and a Ctrl-Z the file, moving or losing every later field;
// the writer keeps such a text only up to that byte.
TEST(PresetFileRoundTripTest, TextWithLineOrFileEndIsCutThereAndLaterFieldsStayInPlace) {
  PresetFileState state;
  state.presets.StationName(1) = "Jazz\r\nFM";
  state.presets.StationName(2) = "Rock\rFM";
  state.presets.StationName(3) =
      "Pop\x1A"
      "FM";
  state.presets.StationName(5) = "Lone\nFM";
  state.alarm.AlarmTime = "\r07:30:00 AM";
  state.schedule.Program(5).TimeEnd = "11:00 PM\x1A\r\n";
  PanelSurface main = DefaultMainPanel();
  main.FreqPanel.caption = "99.500\r\n";

  const std::string contents = BuildOrvalticCFG(state.Fields(), main);
  ASSERT_EQ(CrLfLines(contents).size(), 231u);

  PresetFileState back;
  ASSERT_EQ(ReadInto(back, contents), "");
  EXPECT_EQ(back.presets.StationName(1), "Jazz");
  EXPECT_EQ(back.presets.StationName(2), "Rock");
  EXPECT_EQ(back.presets.StationName(3), "Pop");
  EXPECT_EQ(back.presets.StationName(5), "Lone");
  EXPECT_EQ(back.presets.PresetFreq(4), DefaultPresetFreq(4));
  EXPECT_EQ(back.CurrentFreqText, "99.500");
  EXPECT_EQ(back.display.DisplayFontName, "Arial");
  EXPECT_EQ(back.display.BorderStyleText, "bsNone");
  EXPECT_EQ(back.alarm.AlarmTime, "");
  EXPECT_EQ(back.schedule.Program(5).TimeEnd, "11:00 PM");
  // Memory keeps the texts as they were; only the file gets the cut form.
  EXPECT_EQ(state.presets.StationName(1), "Jazz\r\nFM");
}

}  // namespace
}  // namespace orvaltic
