#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/platform/errors.h"
#include "core/platform/settings_reads.h"
#include "core/presets/preset_file.h"
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
using testing::ScriptedDialogs;
using testing::TempFolder;
using testing::WriteFileBytes;

// A presets file as the radio writes it, with every station named.
std::string SavedFile() {
  PresetFileState state = ChangedState();
  return BuildOrvalticCFG(state.Fields(), DefaultMainPanel());
}

std::string Replaced(std::string file, const std::string& from, const std::string& to) {
  file.replace(file.find(from), from.size(), to);
  return file;
}

struct BackupCase {
  const char* name;
  std::string file;
  bool names_read;  // all 100 station names came in
  bool backup;
};

void PrintTo(const BackupCase& c, std::ostream* os) {
  *os << c.name;
}

class PresetsBackupTest : public ::testing::TestWithParam<BackupCase> {};

// A file read in part is kept as .bak by the first save over it, with a line on the report;
// later saves replace it normally. A file read whole is just replaced.
TEST_P(PresetsBackupTest, FirstSaveKeepsAFileReadInPart) {
  const BackupCase& c = GetParam();
  TempFolder folder;
  const std::string path = folder.File("Orvaltic.CFG");
  WriteFileBytes(path, c.file);
  std::ostringstream report;
  SettingsReads reads(report);
  PresetFileState state;
  ScriptedDialogs dialogs;
  try {
    ReadOrvalticCFGFile(folder.path() + "/./Orvaltic.CFG", state.Fields(), dialogs, &reads);
  } catch (const InOutError& error) {
    EXPECT_STREQ(error.what(), "Invalid numeric input");
  }
  EXPECT_EQ(state.presets.StationName(100) == "Old 100", c.names_read);

  SaveOrvalticCFGFile(path, state.Fields(), DefaultMainPanel(), &reads);
  const std::string first_save = ReadFileBytes(path);
  SaveOrvalticCFGFile(path, state.Fields(), DefaultMainPanel(), &reads);

  EXPECT_EQ(ReadFileBytes(path), first_save);
  if (c.backup) {
    EXPECT_EQ(ReadFileBytes(path + ".bak"), c.file);
    EXPECT_EQ(report.str(),
              path + " could not be read completely; its previous contents are kept in " + path +
                  ".bak\n");
  } else {
    EXPECT_FALSE(std::filesystem::exists(path + ".bak"));
    EXPECT_EQ(report.str(), "");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, PresetsBackupTest,
    ::testing::Values(
        BackupCase{"Clean", SavedFile(), true, false},
        BackupCase{"LfLineEnds", Replaced(SavedFile(), "\r\n", "\n"), true, false},
        BackupCase{"ByteOrderMark", "\xEF\xBB\xBF" + SavedFile(), true, false},
        BackupCase{"CommaInPreset3", Replaced(SavedFile(), "100.075", "99,5"), false, true},
        BackupCase{"OverlongName",
                   Replaced(SavedFile(), "Old 7\r\n", std::string(5000, 'n') + "\r\n"), true, true},
        BackupCase{"TextAfterTheLastField", SavedFile() + "notes\r\n", true, true},
        BackupCase{"BlankLinesAfterTheLastField", SavedFile() + "\r\n\r\n", true, false}),
    [](const ::testing::TestParamInfo<BackupCase>& param_info) { return param_info.param.name; });

TEST(UnreadablePresetsFileTest, AFileThatExistsButCannotBeReadIsKeptBeforeItIsReplaced) {
  TempFolder folder;
  const std::string path = folder.File("Orvaltic.CFG");
  const std::string old = SavedFile();
  WriteFileBytes(path, old);
  ASSERT_EQ(::chmod(path.c_str(), 0200), 0);

  const std::optional<std::string> result = testing::RunUnprivileged(folder, [&] {
    std::ostringstream report;
    SettingsReads reads(report);
    PresetFileState state;
    ScriptedDialogs dialogs;
    dialogs.AnswerMessage(MessageResult::kOk);
    ReadOrvalticCFGFile(path, state.Fields(), dialogs, &reads);
    SaveOrvalticCFGFile(path, state.Fields(), DefaultMainPanel(), &reads);
    return dialogs.boxes.at(0).text + "|" + std::to_string(!report.str().empty());
  });
  if (!result) {
    GTEST_SKIP() << "cannot drop root privileges here";
  }
  EXPECT_EQ(*result, "File 'Orvaltic.CFG' not found.\r\nUsing default values.|1");
  ::chmod((path + ".bak").c_str(), 0600);
  EXPECT_EQ(ReadFileBytes(path + ".bak"), old);
}

}  // namespace
}  // namespace orvaltic
