#pragma once

#include <gtest/gtest.h>

#include <QTest>

#include <stdexcept>
#include <string>

#include "core/controller/radio_controller.h"
#include "gui/panels/main_panel_window.h"
#include "gui/panels/panel_widgets.h"
#include "support/fakes.h"
#include "support/manual_timer_host.h"
#include "support/recording_app_host.h"
#include "support/recording_port.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_forms.h"
#include "support/temp_folder.h"

namespace orvaltic::gui::testing {

// The real controller on the fake platform, in an empty working folder, with the real main
// panel window rendering it after every event.
class RadioWindowTest : public ::testing::Test {
 protected:
  // Start-up as the program runs it: creation, both settings files (missing here, so one box
  // for each), the window shown.
  void StartRadio() {
    radio_.FormCreate();
    radio_.Dispatcher().SetAfterEvent([this] { window_.Render(); });
    dialogs_.AnswerMessage(MessageResult::kOk).AnswerMessage(MessageResult::kOk);
    radio_.ReadSettingsFiles();
    window_.Render();
    window_.show();
  }

  void TearDown() override { EXPECT_TRUE(dialogs_.AllAnswered()); }

  template <typename W = QWidget>
  W& Named(const std::string& name) {
    auto* widget = window_.findChild<W*>(QString::fromStdString(name));
    if (widget == nullptr) {
      // Ends the test as failed.
      throw std::runtime_error("no widget " + name);
    }
    return *widget;
  }
  void Click(const std::string& name) {
    QWidget& widget = Named(name);
    QTest::mouseClick(&widget, Qt::LeftButton, {}, widget.rect().center());
  }

  orvaltic::testing::TempFolder folder_;
  orvaltic::testing::RecordingPort port_;
  orvaltic::testing::ManualTimerHost timers_;
  orvaltic::testing::FixedClock clock_;
  orvaltic::testing::ScriptedDialogs dialogs_;
  orvaltic::testing::RecordingSound sound_;
  orvaltic::testing::RecordingHelp help_;
  orvaltic::testing::RecordingAppHost app_;
  orvaltic::testing::ScriptedForms forms_;
  RadioController radio_{Platform{port_, timers_, clock_, dialogs_, sound_, help_, app_, forms_},
                         folder_.path()};
  TMainFrmRadio window_{radio_.Panels().Main(), radio_.Menu(), radio_.Events()};
};

}  // namespace orvaltic::gui::testing
