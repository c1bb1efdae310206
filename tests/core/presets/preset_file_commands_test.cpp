#include "core/presets/preset_file_commands.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/errors.h"
#include "preset_fields.h"
#include "support/child_process.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace orvaltic {
namespace {

using testing::ChangedState;
using testing::DefaultMainPanel;
using testing::PresetFileState;
using testing::ReadFileBytes;
using testing::RunUnprivileged;
using testing::ScriptedDialogs;
using testing::TempFolder;
using testing::WriteFileBytes;

const std::string kDefaultsFile = std::string(ORVALTIC_TEST_DATA_DIR) + "/presets/defaults.CFG";

// The message of the InOutError that `action` throws, or "" when it throws none.
std::string InOutErrorOf(const std::function<void()>& action) {
  try {
    action();
    return "";
  } catch (const InOutError& error) {
    return error.what();
  }
}

class PresetFileCommandsTest : public ::testing::Test {
 protected:
  PresetFileState state_ = ChangedState();
  PanelSurface main_ = DefaultMainPanel();
  ScriptedDialogs dialogs_;
  TempFolder folder_;
};

TEST_F(PresetFileCommandsTest, DialogsOfferThePresetFileWithTheirOptions) {
  state_.presets.PresetFileName = "/home/radio/Mine.CFG";
  dialogs_.AnswerOpen(std::nullopt).AnswerSave(std::nullopt);
  OpenPresetFile1Click(state_.Fields(), dialogs_);
  SavePresetFile1Click(state_.Fields(), main_, dialogs_);

  ASSERT_EQ(dialogs_.open_dialogs.size(), 1u);
  ASSERT_EQ(dialogs_.save_dialogs.size(), 1u);
  const FileDialogOptions& open = dialogs_.open_dialogs[0];
  const FileDialogOptions& save = dialogs_.save_dialogs[0];
  EXPECT_EQ(open.title, "Open Custom File");
  EXPECT_EQ(save.title, "Save Custom File");
  for (const FileDialogOptions* options : {&open, &save}) {
    EXPECT_EQ(options->file_name, "/home/radio/Mine.CFG");
    EXPECT_EQ(options->filter, "Presets File (*.CFG)|*.CFG|All Files (*.*)|*.*");
    EXPECT_EQ(options->default_extension, "CFG");
  }
  EXPECT_TRUE(open.must_exist);
  EXPECT_FALSE(open.confirm_overwrite);
  EXPECT_FALSE(save.must_exist);
  EXPECT_TRUE(save.confirm_overwrite);
}

TEST_F(PresetFileCommandsTest, CancellingEitherDialogChangesNothing) {
  const PresetFileState before = state_;
  const PanelSurface main_before = main_;
  dialogs_.AnswerOpen(std::nullopt).AnswerSave(std::nullopt);

  OpenPresetFile1Click(state_.Fields(), dialogs_);
  SavePresetFile1Click(state_.Fields(), main_, dialogs_);

  EXPECT_EQ(state_, before);
  EXPECT_EQ(main_, main_before);
  EXPECT_TRUE(dialogs_.boxes.empty());
  EXPECT_TRUE(std::filesystem::is_empty(folder_.path()));
  EXPECT_TRUE(dialogs_.AllAnswered());
}

TEST_F(PresetFileCommandsTest, OpenReadsTheChosenFileAndLabelHintNamesIt) {
  const std::string custom = folder_.File("Custom Presets.CFG");
  WriteFileBytes(custom, ReadFileBytes(kDefaultsFile));
  dialogs_.AnswerOpen(custom);

  OpenPresetFile1Click(state_.Fields(), dialogs_);

  EXPECT_EQ(state_.presets.PresetFileName, custom);
  PresetStore expected;
  expected.PresetFileName = custom;
  EXPECT_EQ(state_.presets, expected);
  EXPECT_EQ(state_.CurrentFreqText, "88.000");
  EXPECT_TRUE(dialogs_.boxes.empty());

  Label1MouseMove(main_, state_.presets.PresetFileName);
  EXPECT_EQ(main_.Label1.hint, "Custom Presets.CFG");
}

TEST_F(PresetFileCommandsTest, OpenOfAFileGoneMeanwhileNamesOrvalticCfgAndKeepsEverything) {
  const PresetFileState before = state_;
  dialogs_.AnswerOpen(folder_.File("gone.CFG")).AnswerMessage(MessageResult::kOk);

  OpenPresetFile1Click(state_.Fields(), dialogs_);

  ASSERT_EQ(dialogs_.boxes.size(), 1u);
  EXPECT_EQ(dialogs_.boxes[0].text, "File 'Orvaltic.CFG' not found.\r\nUsing default values.");
  EXPECT_EQ(state_, before);  // PresetFileName included
}

// A file picked by mistake, or one with a bad number part-way, must neither become the file
// that the next close overwrites nor leave part of itself in the presets or any other field.
TEST_F(PresetFileCommandsTest, AFailedOpenKeepsEveryFieldAsItWas) {
  const PresetFileState before = state_;
  for (const char* contents :
       {"Shopping list\r\nmilk\r\n", "90.100\r\nOne\r\n90.300\r\nTwo\r\nbad\r\nThree\r\n"}) {
    const std::string custom = folder_.File("custom.CFG");
    WriteFileBytes(custom, contents);
    dialogs_.AnswerOpen(custom);

    EXPECT_EQ(InOutErrorOf([&] { OpenPresetFile1Click(state_.Fields(), dialogs_); }),
              "Invalid numeric input");

    EXPECT_EQ(state_, before);
  }
}

TEST_F(PresetFileCommandsTest, SaveWritesTheChosenFileAndMakesItThePresetFile) {
  const std::string custom = folder_.File("saved.CFG");
  dialogs_.AnswerSave(custom);

  SavePresetFile1Click(state_.Fields(), main_, dialogs_);

  EXPECT_EQ(state_.presets.PresetFileName, custom);
  EXPECT_EQ(ReadFileBytes(custom), BuildOrvalticCFG(state_.Fields(), main_));
  EXPECT_TRUE(dialogs_.boxes.empty());
}

TEST_F(PresetFileCommandsTest, SaveIntoAMissingFolderThrowsAndKeepsThePresetFile) {
  const std::string custom = folder_.File("no such folder/saved.CFG");
  dialogs_.AnswerSave(custom);

  EXPECT_EQ(InOutErrorOf([&] { SavePresetFile1Click(state_.Fields(), main_, dialogs_); }),
            "Invalid filename");
  EXPECT_EQ(state_.presets.PresetFileName, "Orvaltic.CFG");
}

TEST_F(PresetFileCommandsTest, SaveIntoAReadOnlyFileIsAccessDeniedAndKeepsTheOldFile) {
  const std::string target = folder_.File("Orvaltic.CFG");
  const std::string old = ReadFileBytes(kDefaultsFile);
  WriteFileBytes(target, old);
  ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
  dialogs_.AnswerSave(target);

  const std::optional<std::string> result = RunUnprivileged(folder_, [&] {
    return InOutErrorOf([&] { SavePresetFile1Click(state_.Fields(), main_, dialogs_); }) + "|" +
           state_.presets.PresetFileName;
  });
  if (!result) {
    GTEST_SKIP() << "cannot drop root privileges here";
  }

  EXPECT_EQ(*result, "File access denied|Orvaltic.CFG");
  EXPECT_EQ(ReadFileBytes(target), old);
  EXPECT_EQ(
      std::vector<std::filesystem::path>(std::filesystem::directory_iterator(folder_.path()), {}),
      std::vector<std::filesystem::path>{target});
}

struct HintCase {
  const char* path;
  const char* hint;
};

class Label1HintTest : public ::testing::TestWithParam<HintCase> {};

TEST_P(Label1HintTest, ShowsTheFileNameAfterTheLastSeparator) {
  PanelSurface main = DefaultMainPanel();
  main.Label1.hint = "before";
  Label1MouseMove(main, GetParam().path);
  EXPECT_EQ(main.Label1.hint, GetParam().hint);
}

INSTANTIATE_TEST_SUITE_P(Paths, Label1HintTest,
                         ::testing::Values(HintCase{"Orvaltic.CFG", "Orvaltic.CFG"},
                                           HintCase{"C:\\Orvaltic\\Rock.CFG", "Rock.CFG"},
                                           HintCase{"D:Jazz.CFG", "Jazz.CFG"},
                                           HintCase{"/home/radio/My Presets.CFG", "My Presets.CFG"},
                                           HintCase{"/home/radio\\odd:name/x.CFG", "x.CFG"},
                                           HintCase{"/srv/a\\b.CFG", "b.CFG"},
                                           HintCase{"/srv/cfg/", ""}));

}  // namespace
}  // namespace orvaltic
