// The schedule on Qt's own timers and boxes: what a box does to a running timer is Qt's, and no
// fake shows it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include "core/platform/platform.h"
#include "gui/panels/panel_widgets.h"
#include "gui/platform/modal_driver.h"
#include "gui/platform/qt_dialogs.h"
#include "gui/platform/qt_timer_host.h"
#include "gui/radio_windows.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace orvaltic::gui {
namespace {

TEST(ScheduleOnQtTimersTest, ABoxOfTheScheduleLetsItEndTheProgramAndThePanelsFollow) {
  orvaltic::testing::TempFolder folder;
  orvaltic::testing::FakePlatform fake;
  QtTimerHost timers;
  QtDialogs dialogs({});
  const Platform platform{fake.port,  timers,    fake.clock, dialogs,
                          fake.sound, fake.help, fake.app,   fake.forms};
  RadioWindows windows(platform, folder.path());
  RadioController& radio = windows.controller();
  auto& prog_label = *windows.main_panel().findChild<QLabel*>(QStringLiteral("ProgLabel"));
  auto& mute_light = *windows.main_panel().findChild<BevelPanel*>(QStringLiteral("MuteBtnLight"));

  windows.ShowMainPanel();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !radio.life_cycle().FirstPaintPending(); }, 5000));
  // No preset's name holds the station any more.
  radio.schedule().Program(1) = {"jazz", "WEEK", "09:30 AM", "09:31 AM"};
  fake.clock.Set({2026, 12, 10, 9, 30, 0, 0});

  bool answered = false;
  testing::ModalDriver driver({[&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "Station ID was not found.");
    EXPECT_EQ(prog_label.text(), "P1");
    // The user leaves the box open past the program's end.
    fake.clock.Set({2026, 12, 10, 9, 31, 0, 0});
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !radio.program_schedule().ProgramRunning() && prog_label.text() == "P"; },
        3000));
    EXPECT_EQ(mute_light.FillColor(), QColor(0, 255, 0));
    box->accept();
    answered = true;
  }});
  radio.dispatcher().Run([&] {
    radio.power().PwrBtnClick();
    radio.program_schedule().Activate3Click();
  });
  EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }, 5000));
  windows.main_panel().hide();
}

}  // namespace
}  // namespace orvaltic::gui
