#include "core/options/options_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/options/form_bevel.h"
#include "core/platform/errors.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace orvaltic {
namespace {

using testing::ReadFileBytes;
using testing::ScriptedDialogs;
using testing::TempFolder;
using testing::WriteFileBytes;

const std::string kGoldenDefaults = std::string(ORVALTIC_TEST_DATA_DIR) + "/options/defaults.opt";

// Options that differ from the defaults in every field, to see which ones a read replaced.
Options OldOptions() {
  Options o;
  o.CardPort = 1;
  o.StartupStyle = "old style";
  o.TuneRate = 9.0;
  o.FineTuneRate = 8.0;
  o.ScanRate = 7;
  o.ScanMethod = "old method";
  o.RaisedForm = true;
  o.WaveFileName = "old.wav";
  o.AlarmTypeRadio = true;
  return o;
}

Options Read(const std::string& bytes, PanelSet& panels) {
  Options options = OldOptions();
  TextFileReader reader(bytes);
  ReadOrvalticOptionsFile(options, panels, reader);
  return options;
}

TEST(OptionsFileTest, DefaultsAreWrittenByteForByte) {
  TempFolder folder;
  SaveOrvalticOptionsFile(Options{}, folder.File("Orvaltic.opt"));
  const std::string golden = ReadFileBytes(kGoldenDefaults);
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(ReadFileBytes(folder.File("Orvaltic.opt")), golden);
}

TEST(OptionsFileTest, GoldenFileReadsBackAsDefaults) {
  Options options = OldOptions();
  PanelSet panels;
  ApplyFormBevel(panels, false);
  ScriptedDialogs dialogs;
  ReadOrvalticOptionsFile(options, panels, dialogs, kGoldenDefaults);
  EXPECT_EQ(options, Options{});
  EXPECT_EQ(panels.Main().Frame("Panel1").bevel_inner, Bevel::kRaised);
  EXPECT_TRUE(dialogs.boxes.empty());
}

struct ReadCase {
  const char* name;
  std::string bytes;
  Options expected;
};

Options With(const std::function<void(Options&)>& change) {
  Options o;
  change(o);
  return o;
}

const std::string kLines1To6 = "780\r\nStyle 1\r\n0.1\r\n0.01\r\n400\r\nTune Rate\r\n";

TEST(OptionsFileTest, ReadsEachLineByItsRule) {
  const std::vector<ReadCase> cases = {
      {"flag in lower case", kLines1To6 + "true\r\n\r\nFALSE\r\n",
       With([](Options& o) { o.RaisedForm = false; })},
      {"flag with a trailing blank", kLines1To6 + "TRUE \r\n\r\nTRUE\r\n", With([](Options& o) {
         o.RaisedForm = false;
         o.AlarmTypeRadio = true;
       })},
      {"plain decimal rates, blanks and rest of numeric lines skipped",
       "  524 junk\r\nStyle 3\r\n0.15\r\n\t5E-2 x\r\n 6000\r\nPresets\r\nTRUE\r\n"
       " C:\\Wave\\al\xE4rm.wav \r\nFALSE\r\n",
       With([](Options& o) {
         o.CardPort = 524;
         o.StartupStyle = "Style 3";
         o.TuneRate = 0.15;
         o.FineTuneRate = 0.05;
         o.ScanRate = 6000;
         o.ScanMethod = "Presets";
         o.WaveFileName = " C:\\Wave\\al\xE4rm.wav ";
       })},
      {"values outside the offered choices kept", "800\r\nStyle 9\r\n-1\r\n0\r\n-5\r\nLoop\r\n",
       With([](Options& o) {
         o.CardPort = 800;
         o.StartupStyle = "Style 9";
         o.TuneRate = -1;
         o.FineTuneRate = 0;
         o.ScanRate = -5;
         o.ScanMethod = "Loop";
         o.RaisedForm = false;
       })},
      {"missing lines", "524\r\nStyle 2\r\n", With([](Options& o) {
         o.CardPort = 524;
         o.StartupStyle = "Style 2";
         o.TuneRate = 0;
         o.FineTuneRate = 0;
         o.ScanRate = 0;
         o.ScanMethod = "";
         o.RaisedForm = false;
       })},
      {"Ctrl-Z ends the file",
       kLines1To6 + "TRUE\r\n\x1A"
                    "a.wav\r\nTRUE\r\n",
       With([](Options&) {})},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    PanelSet panels;
    EXPECT_EQ(Read(c.bytes, panels), c.expected);
    EXPECT_EQ(panels.Style(3).Frame("Panel6").bevel_inner,
              c.expected.RaisedForm ? Bevel::kRaised : Bevel::kLowered);
  }
}

TEST(OptionsFileTest, BadNumberStopsTheReadKeepingEarlierValuesAndSkippingTheBevel) {
  PanelSet panels;
  ApplyFormBevel(panels, true);
  const PanelSet before = panels;
  Options options = OldOptions();
  TextFileReader reader(
      "524\r\nStyle 5\r\n0,15\r\n0.05\r\n100\r\nPresets\r\nFALSE\r\nx\r\nFALSE\r\n");
  try {
    ReadOrvalticOptionsFile(options, panels, reader);
    FAIL() << "no error";
  } catch (const InOutError& e) {
    EXPECT_STREQ(e.what(), "Invalid numeric input");
  }
  Options expected = OldOptions();
  expected.CardPort = 524;
  expected.StartupStyle = "Style 5";
  EXPECT_EQ(options, expected);
  for (int style = 1; style <= kPanelCount; ++style) {
    EXPECT_EQ(panels.Style(style), before.Style(style)) << "style " << style;
  }
}

// An options file edited with a Linux editor reads as the same file with CR LF; one that did not
// read cleanly is kept as .bak by the first save (the dialog's OK) over it.
TEST(OptionsFileTest, LfFileReadsLikeCrLfAndABadFileIsKeptByTheFirstSave) {
  const std::string lf = "524\nStyle 5\n0.15\n0.05\n100\nPresets\nFALSE\nw.wav\nTRUE\n";
  const std::string bad = "524\r\nStyle 5\r\n0,15\r\n";
  Options expected = OldOptions();
  expected.CardPort = 524;
  expected.StartupStyle = "Style 5";
  const Options from_bad = expected;
  expected.TuneRate = 0.15;
  expected.FineTuneRate = 0.05;
  expected.ScanRate = 100;
  expected.ScanMethod = "Presets";
  expected.RaisedForm = false;
  expected.WaveFileName = "w.wav";
  expected.AlarmTypeRadio = true;
  for (const auto& [file, read, backup] :
       {std::tuple{lf, expected, false}, std::tuple{bad, from_bad, true}}) {
    TempFolder folder;
    const std::string path = folder.File("Orvaltic.opt");
    WriteFileBytes(path, file);
    std::ostringstream report;
    SettingsReads reads(report);
    Options options = OldOptions();
    PanelSet panels;
    ScriptedDialogs dialogs;
    try {
      ReadOrvalticOptionsFile(options, panels, dialogs, path, &reads);
    } catch (const InOutError&) {
    }
    EXPECT_EQ(options, read);
    SaveOrvalticOptionsFile(options, path, &reads);
    EXPECT_EQ(ReadFileBytes(path + ".bak"), backup ? file : "");
    EXPECT_EQ(report.str().empty(), !backup);
  }
}

TEST(OptionsFileTest, MissingOrUnreadableFileBeepsShowsTheBoxAndKeepsEverything) {
  TempFolder folder;
  std::filesystem::create_directory(folder.File("folder.opt"));
  for (const std::string& path : {folder.File("Orvaltic.opt"), folder.File("folder.opt")}) {
    SCOPED_TRACE(path);
    PanelSet panels;
    ApplyFormBevel(panels, false);
    const PanelSet before = panels;
    Options options = OldOptions();
    ScriptedDialogs dialogs;
    dialogs.AnswerMessage(MessageResult::kOk);
    ReadOrvalticOptionsFile(options, panels, dialogs, path);
    EXPECT_EQ(dialogs.beeps, 1);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "File 'Orvaltic.OPT' not found.\r\nUsing default values.");
    EXPECT_EQ(dialogs.boxes[0].kind, MessageKind::kInformation);
    EXPECT_EQ(dialogs.boxes[0].buttons, MessageButtons::kOk);
    EXPECT_EQ(options, OldOptions());
    EXPECT_EQ(panels.Main(), before.Main());
  }
}

TEST(OptionsFileTest, EveryWrittenFileHasNineLinesThatReadBack) {
  Options options;
  options.StartupStyle = "Style\r\n2";  // a pasted line break must not shift later lines
  options.WaveFileName = "alarm.wav\x1A rest";
  options.TuneRate = 1.7976931348623157e308;  // rounds up past the double range
  options.FineTuneRate = -0.05;
  options.AlarmTypeRadio = true;
  TextFileWriter writer;
  WriteOrvalticOptions(options, writer);
  EXPECT_EQ(writer.Contents(),
            "780\r\nStyle\r\n 1.79769313486231E+0308\r\n-5.00000000000000E-0002\r\n400\r\n"
            "Tune Rate\r\nTRUE\r\nalarm.wav\r\nTRUE\r\n");

  PanelSet panels;
  Options expected = options;
  expected.StartupStyle = "Style";
  expected.WaveFileName = "alarm.wav";
  expected.TuneRate = 1.79769313486231e308;
  EXPECT_EQ(Read(writer.Contents(), panels), expected);
}

// The frames each style's bevel rule touches, with the widths it sets (0 = left alone).
struct BevelExpectation {
  int style;
  const char* frame;
  int bevel_width_raised, bevel_width_recessed;
  int border_width_raised, border_width_recessed;
};

TEST(FormBevelTest, SetsTheDisplayFramesOfAllSevenPanels) {
  const std::vector<BevelExpectation> table = {
      {1, "Panel1", 0, 0, 0, 0}, {2, "Panel1", 2, 4, 1, 0}, {3, "Panel2", 0, 0, 0, 0},
      {3, "Panel3", 0, 0, 0, 0}, {3, "Panel6", 0, 0, 0, 0}, {4, "Panel1", 2, 3, 0, 0},
      {5, "Panel2", 0, 0, 0, 0}, {5, "Panel3", 0, 0, 0, 0}, {5, "Panel6", 0, 0, 0, 0},
      {6, "Panel1", 0, 0, 0, 0}, {7, "Panel1", 2, 3, 0, 0},
  };
  PanelSet panels;
  const PanelSet designed = panels;
  // Recessed first, then back to raised: the widths must return as well.
  for (const bool raised : {false, true}) {
    SCOPED_TRACE(raised ? "raised" : "recessed");
    ApplyFormBevel(panels, raised);
    for (const BevelExpectation& e : table) {
      SCOPED_TRACE(std::string("style ") + std::to_string(e.style) + " " + e.frame);
      const FramePanel& frame = panels.Style(e.style).Frame(e.frame);
      FramePanel expected = designed.Style(e.style).Frame(e.frame);
      expected.bevel_inner = raised ? Bevel::kRaised : Bevel::kLowered;
      if (e.bevel_width_raised != 0) {
        expected.bevel_width = raised ? e.bevel_width_raised : e.bevel_width_recessed;
      }
      if (e.border_width_raised != 0) {
        expected.border_width = raised ? e.border_width_raised : e.border_width_recessed;
      }
      EXPECT_EQ(frame, expected);
    }
    // Frames outside the table are not display frames and keep their design.
    EXPECT_EQ(panels.Style(1).Frame("Panel3"), designed.Style(1).Frame("Panel3"));
    EXPECT_EQ(panels.Style(2).Frame("Panel2"), designed.Style(2).Frame("Panel2"));
  }
}

}  // namespace
}  // namespace orvaltic
