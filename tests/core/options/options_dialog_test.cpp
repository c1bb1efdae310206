#include "core/options/options_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/options/form_bevel.h"
#include "core/options/options_file.h"
#include "core/platform/errors.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace orvaltic {
namespace {

using testing::ReadFileBytes;
using testing::RecordingSound;
using testing::TempFolder;
using testing::WriteFileBytes;

class OptionsDialogTest : public ::testing::Test {
 protected:
  std::string FilePath() const { return folder_.File("Orvaltic.opt"); }
  bool FileExists() const { return std::filesystem::exists(FilePath()); }

  TempFolder folder_;
  Options options_;
  PanelSet panels_;
  RecordingSound sound_;
  OptionsDialog dialog_{options_, panels_, sound_, FilePath()};
  OptionsDialogControls& controls_ = dialog_.controls();
};

TEST_F(OptionsDialogTest, FormActivateShowsTheOptions) {
  dialog_.FormActivate();
  OptionsDialogControls expected;
  expected.RTCardAddressComboBox = "$30C";
  expected.RadioFormComboBox = "Style 1";
  expected.TuneRateComboBox = "0.1";
  expected.FineTuneRateComboBox = "0.01";
  expected.ScanRateComboBox = "400";
  expected.ScanMethodComboBox = "Tune Rate";
  EXPECT_EQ(controls_, expected);

  options_.CardPort = 524;
  options_.StartupStyle = "Style 6";
  options_.TuneRate = 0.05;
  options_.FineTuneRate = 0.02;
  options_.ScanRate = 6000;
  options_.ScanMethod = "Presets";
  options_.RaisedForm = false;
  options_.WaveFileName = "/home/me/wake.wav";
  options_.AlarmTypeRadio = true;
  dialog_.FormActivate();
  expected = {};
  expected.RTCardAddressComboBox = "$20C";
  expected.RadioFormComboBox = "Style 6";
  expected.TuneRateComboBox = "0.05";
  expected.FineTuneRateComboBox = "0.02";
  expected.ScanRateComboBox = "6000";
  expected.ScanMethodComboBox = "Presets";
  expected.RaisedFormRadioBtn = false;
  expected.RecessedFormRadioBtn = true;
  expected.RadioRadioBtn = true;
  expected.WaveFileRadioBtn = false;
  expected.WaveFileNameEdit = "/home/me/wake.wav";
  expected.WaveFileNameLabelEnabled = false;
  expected.WaveFileNameEditEnabled = false;
  expected.TestWaveFileBtnEnabled = false;
  EXPECT_EQ(controls_, expected);
}

TEST_F(OptionsDialogTest, OkWithTheDefaultsWritesTheGoldenFileAndCloses) {
  ApplyFormBevel(panels_, false);
  dialog_.FormActivate();
  dialog_.OKButtonClick();
  EXPECT_TRUE(dialog_.closed());
  EXPECT_EQ(options_, Options{});
  EXPECT_EQ(ReadFileBytes(FilePath()),
            ReadFileBytes(std::string(ORVALTIC_TEST_DATA_DIR) + "/options/defaults.opt"));
  EXPECT_EQ(panels_.Style(5).Frame("Panel2").bevel_inner, Bevel::kRaised);
}

TEST_F(OptionsDialogTest, OkCommitsEveryFieldAndSaves) {
  dialog_.FormActivate();
  controls_.RTCardAddressComboBox = "$20C";
  controls_.RadioFormComboBox = "Style 7";
  controls_.TuneRateComboBox = "0.250";
  controls_.FineTuneRateComboBox = "0.03";
  controls_.ScanRateComboBox = "900";
  controls_.ScanMethodComboBox = "Fine Tune";
  controls_.RaisedFormRadioBtn = false;
  controls_.RecessedFormRadioBtn = true;
  controls_.RadioRadioBtn = true;
  controls_.WaveFileRadioBtn = false;
  controls_.WaveFileNameEdit = "ring.wav";
  dialog_.OKButtonClick();

  EXPECT_TRUE(dialog_.closed());
  EXPECT_EQ(options_.CardPort, 524);
  EXPECT_EQ(ReadFileBytes(FilePath()),
            "524\r\nStyle 7\r\n 2.50000000000000E-0001\r\n 3.00000000000000E-0002\r\n900\r\n"
            "Fine Tune\r\nFALSE\r\nring.wav\r\nTRUE\r\n");
  EXPECT_EQ(panels_.Style(7).Frame("Panel1").bevel_inner, Bevel::kLowered);
  EXPECT_EQ(panels_.Style(7).Frame("Panel1").bevel_width, 3);
}

TEST_F(OptionsDialogTest, PlainRateFromTheFileIsRewrittenInExponentForm) {
  WriteFileBytes(FilePath(),
                 "780\r\nStyle 1\r\n0.15\r\n0.01\r\n400\r\nTune Rate\r\nTRUE\r\n\r\nFALSE\r\n");
  TextFileReader reader = *TextFileReader::Open(FilePath());
  ReadOrvalticOptionsFile(options_, panels_, reader);
  dialog_.FormActivate();
  EXPECT_EQ(controls_.TuneRateComboBox, "0.15");
  dialog_.OKButtonClick();
  EXPECT_EQ(ReadFileBytes(FilePath()),
            "780\r\nStyle 1\r\n 1.50000000000000E-0001\r\n 1.00000000000000E-0002\r\n400\r\n"
            "Tune Rate\r\nTRUE\r\n\r\nFALSE\r\n");
}

struct ConversionCase {
  const char* name;
  std::function<void(OptionsDialogControls&)> spoil;
  const char* message;
  int committed;  // fields committed before the failing one
};

TEST_F(OptionsDialogTest, ConversionErrorStopsOkAfterTheEarlierFields) {
  const std::vector<ConversionCase> cases = {
      {"empty card address", [](auto& c) { c.RTCardAddressComboBox = ""; },
       "'' is not a valid integer value", 0},
      {"tune rate", [](auto& c) { c.TuneRateComboBox = "abc"; },
       "'abc' is not a valid floating point value", 2},
      {"decimal comma", [](auto& c) { c.FineTuneRateComboBox = "0,05"; },
       "'0,05' is not a valid floating point value", 3},
      {"scan rate", [](auto& c) { c.ScanRateComboBox = "1e3"; },
       "'1e3' is not a valid integer value", 4},
  };
  // The value each field gets from the controls below, in the order OK commits them.
  const std::vector<std::function<void(Options&)>> commits = {
      [](Options& o) { o.CardPort = 0x20C; }, [](Options& o) { o.StartupStyle = "Style 4"; },
      [](Options& o) { o.TuneRate = 0.3; },   [](Options& o) { o.FineTuneRate = 0.05; },
      [](Options& o) { o.ScanRate = 100; },
  };
  for (const ConversionCase& c : cases) {
    SCOPED_TRACE(c.name);
    options_ = Options{};
    dialog_.FormActivate();
    controls_.RTCardAddressComboBox = "$20C";
    controls_.RadioFormComboBox = "Style 4";
    controls_.TuneRateComboBox = "0.3";
    controls_.FineTuneRateComboBox = "0.05";
    controls_.ScanRateComboBox = "100";
    controls_.ScanMethodComboBox = "Presets";
    controls_.RaisedFormRadioBtn = false;
    controls_.RecessedFormRadioBtn = true;
    c.spoil(controls_);
    try {
      dialog_.OKButtonClick();
      FAIL() << "no error";
    } catch (const ConvertError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    Options expected;
    for (int i = 0; i < c.committed; ++i) {
      commits[static_cast<std::size_t>(i)](expected);
    }
    EXPECT_EQ(options_, expected);
    EXPECT_FALSE(dialog_.closed());
    EXPECT_FALSE(FileExists());
    EXPECT_EQ(panels_.Main().Frame("Panel1").bevel_inner, Bevel::kRaised);
  }
}

TEST_F(OptionsDialogTest, OtherPortKeepsTheCardAddressText) {
  // Never shown yet: the box shows the port itself, so OK keeps it.
  options_.CardPort = 800;
  dialog_.FormActivate();
  EXPECT_EQ(controls_.RTCardAddressComboBox, "$320") << "first opening: the port itself";
  dialog_.CancelButtonClick();

  options_.CardPort = 524;
  dialog_.FormActivate();
  dialog_.CancelButtonClick();
  options_.CardPort = 800;
  dialog_.FormActivate();
  EXPECT_EQ(controls_.RTCardAddressComboBox, "$20C");
  dialog_.OKButtonClick();
  EXPECT_EQ(options_.CardPort, 524);

  options_.CardPort = 800;
  dialog_.FormActivate();
  controls_.RTCardAddressComboBox = "$320";
  dialog_.OKButtonClick();
  EXPECT_EQ(options_.CardPort, 800);

  EXPECT_TRUE(ReadFileBytes(FilePath()).starts_with("800\r\n"));

  options_.CardPort = -1;
  OptionsDialog fresh(options_, panels_, sound_, FilePath());
  fresh.FormActivate();
  EXPECT_EQ(fresh.controls().RTCardAddressComboBox, "$FFFFFFFF");
  fresh.OKButtonClick();
  EXPECT_EQ(options_.CardPort, -1);
}

TEST_F(OptionsDialogTest, FailedSaveLeavesTheDialogOpen) {
  // A folder where the file should be: refused even when the tests run as root.
  std::filesystem::create_directory(FilePath());
  dialog_.FormActivate();
  controls_.ScanRateComboBox = "200";
  try {
    dialog_.OKButtonClick();
    FAIL() << "no error";
  } catch (const InOutError& e) {
    EXPECT_STREQ(e.what(), "File access denied");
  }
  EXPECT_FALSE(dialog_.closed());
  EXPECT_EQ(options_.ScanRate, 200);
  EXPECT_TRUE(std::filesystem::is_directory(FilePath()));
}

}  // namespace
}  // namespace orvaltic
