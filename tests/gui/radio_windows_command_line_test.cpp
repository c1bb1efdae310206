#include <gtest/gtest.h>

#include <QTest>

#include <string>
#include <vector>

#include "core/controller/command_line.h"
#include "panels/radio_window_fixture.h"

namespace orvaltic::gui::testing {
namespace {

class CommandLineWindowTest : public RadioWindowTest {
 protected:
  CommandLineOutcome Start(const std::vector<std::string>& parameters) {
    dialogs_.AnswerMessage(MessageResult::kOk).AnswerMessage(MessageResult::kOk);
    windows_.ReadSettingsFiles();
    const CommandLineOutcome outcome = windows_.ProcessCommandLine(parameters);
    if (app_.terminations == 0) {
      windows_.ShowMainPanel();
    }
    return outcome;
  }
};

TEST_F(CommandLineWindowTest, HShowsTheMainPanelMinimisedWithTheCommandLineFrequency) {
  EXPECT_EQ(Start({"/O", "/h", "/F:99.5"}), CommandLineOutcome::kApplied);
  EXPECT_TRUE(window_.isVisible());
  EXPECT_TRUE(window_.isMinimized());
  EXPECT_TRUE(radio_.panels().Main().minimized);
  EXPECT_EQ(radio_.panels().Main().FreqPanel.caption, "99.500");

  // Restored, the first paint leaves the display on the frequency the card plays.
  window_.showNormal();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  ASSERT_TRUE(QTest::qWaitFor([this] { return !radio_.life_cycle().FirstPaintPending(); }));
  EXPECT_EQ(radio_.panels().Main().FreqPanel.caption, "99.500");
  EXPECT_FALSE(window_.isMinimized());
}

TEST_F(CommandLineWindowTest, ABadParameterLeavesNoWindow) {
  dialogs_.AnswerMessage(MessageResult::kOk);
  EXPECT_EQ(Start({"/O", "/Q"}), CommandLineOutcome::kInvalidParameter);
  EXPECT_EQ(app_.terminations, 1);
  EXPECT_FALSE(window_.isVisible());
  EXPECT_FALSE(radio_.PowerOn());
}

}  // namespace
}  // namespace orvaltic::gui::testing
