#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <sstream>
#include <string>

#include "controller_fixture.h"

namespace orvaltic::testing {
namespace {

// The close with the radio on saves Orvaltic.CFG; when start-up could not read it completely
// (a bad number, or fields behind an end-of-file byte that the reader stops at), the old file is
// kept as Orvaltic.CFG.bak and standard error says so.
struct ReadInPartCase {
  const char* name;
  std::string contents;
  bool bad_number;
};

class ReadInPartCloseTest : public ControllerTest,
                            public ::testing::WithParamInterface<ReadInPartCase> {};

TEST_P(ReadInPartCloseTest, CloseKeepsAPresetsFileThatStartUpReadInPart) {
  const std::string bad = GetParam().contents;
  WriteFileBytes(PresetsPath(), bad);
  if (GetParam().bad_number) {
    dialogs_.AnswerMessage(MessageResult::kOk);  // "Invalid numeric input"
  }
  dialogs_
      .AnswerMessage(MessageResult::kOk)   // no options file
      .AnswerMessage(MessageResult::kNo);  // keep the radio on?
  radio_.life_cycle().ReadSettingsFiles();
  fake_.events().Painted(1);
  fake_.SwitchOn();

  std::ostringstream report;
  std::streambuf* const standard_error = std::cerr.rdbuf(report.rdbuf());
  const bool closed = fake_.events().CloseQuery(1);
  std::cerr.rdbuf(standard_error);

  EXPECT_TRUE(closed);
  EXPECT_EQ(ReadFileBytes(PresetsPath() + ".bak"), bad);
  EXPECT_EQ(report.str(), PresetsPath() +
                              " could not be read completely; its previous contents are kept in " +
                              PresetsPath() + ".bak\n");
  const std::string saved = ReadFileBytes(PresetsPath());
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), kPresetFileLineCount);
}

std::string FieldsBehindCtrlZ() {
  std::string contents;
  for (int n = 1; n <= kPresetCount; ++n) {
    contents += "88.000\r\nName\r\n";
  }
  return contents + "90.000\r\n\x1A" + "Arial\r\n65280\r\n20\r\nRegular\r\n0\r\n";
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadInPartCloseTest,
    ::testing::Values(ReadInPartCase{"BadNumber",
                                     "88.000\r\nOne\r\n88.200\r\nTwo\r\n99,5\r\nThree\r\n", true},
                      ReadInPartCase{"FieldsBehindCtrlZ", FieldsBehindCtrlZ(), false}),
    [](const ::testing::TestParamInfo<ReadInPartCase>& param_info) {
      return std::string(param_info.param.name);
    });

}  // namespace
}  // namespace orvaltic::testing
