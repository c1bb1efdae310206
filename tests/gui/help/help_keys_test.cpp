#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

#include "../panels/radio_window_fixture.h"
#include "core/platform/help.h"

namespace orvaltic::gui::testing {
namespace {

using Call = orvaltic::testing::RecordingHelp::Call;

class HelpKeysTest : public RadioWindowTest {
 protected:
  // F1 on `item` highlighted in the popup menu of `panel`; "" presses F1 on the panel itself.
  void PressF1(PanelWindow& panel, const std::string& item) {
    // The controller shows and hides the panels: the keys go to the window all the same.
    if (item.empty()) {
      QTest::keyClick(&panel, Qt::Key_F1);
      return;
    }
    QTimer::singleShot(0, &panel, [&] {
      QMenu* menu = panel.OpenPopupMenu();
      ASSERT_NE(menu, nullptr);
      auto* action = menu->findChild<QAction*>(QString::fromStdString(item));
      ASSERT_NE(action, nullptr);
      menu->setActiveAction(action);
      QTest::keyClick(menu, Qt::Key_F1);
    });
    panel.PopupMenuAt(panel.mapToGlobal(QPoint(10, 10)));
    EXPECT_EQ(panel.OpenPopupMenu(), nullptr);  // F1 closed the menu
    QCoreApplication::processEvents();
  }
};

TEST_F(HelpKeysTest, F1OnTheMainPanelAndOnHighlightedItemsOfEachPanelsMenu) {
  PressF1(window_, "");
  PressF1(window_, "FormStyle1");
  PressF1(*windows_.style_panel(2), "PresetFile1");
  PressF1(*windows_.style_panel(2), "");  // a style panel carries no topic
  EXPECT_EQ(fake_.help.calls,
            (std::vector<Call>{{"Orvaltic.HLP", kHelpContext, 1},
                               {"Orvaltic.HLP", kHelpContext, 13},
                               {"C:\\Orvaltic\\Orvaltic.HLP", kHelpContext, 23}}));
}

TEST_F(HelpKeysTest, TheHelpButtonOfEveryPanelOpensTopicOneWhileTheRadioIsOff) {
  Click("HelpBtn");
  EXPECT_EQ(fake_.help.calls, (std::vector<Call>{{"Orvaltic.HLP", kHelpContext, 1}}));
}

}  // namespace
}  // namespace orvaltic::gui::testing
