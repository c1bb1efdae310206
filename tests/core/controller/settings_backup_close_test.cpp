#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <sstream>
#include <string>

#include "controller_fixture.h"

namespace orvaltic::testing {
namespace {

// The close with the radio on saves Orvaltic.CFG; when start-up could not read it completely,
// the old file is kept as Orvaltic.CFG.bak and standard error says so.
TEST_F(ControllerTest, CloseKeepsAPresetsFileThatStartUpReadInPart) {
  const std::string bad = "88.000\r\nOne\r\n88.200\r\nTwo\r\n99,5\r\nThree\r\n";
  WriteFileBytes(PresetsPath(), bad);
  dialogs_
      .AnswerMessage(MessageResult::kOk)   // "Invalid numeric input"
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

}  // namespace
}  // namespace orvaltic::testing
