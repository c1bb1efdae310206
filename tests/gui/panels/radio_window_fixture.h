#pragma once

#include <gtest/gtest.h>

#include <QTest>

#include <stdexcept>
#include <string>

#include "core/controller/radio_controller.h"
#include "gui/panels/main_panel_window.h"
#include "gui/panels/panel_widgets.h"
#include "gui/radio_windows.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace orvaltic::gui::testing {

// The radio's windows as the program wires them, on the fake platform in an empty working
// folder.
class RadioWindowTest : public ::testing::Test {
 protected:
  // Start-up as the program runs it: both settings files (missing here, so one box for each),
  // the window shown.
  void StartRadio() {
    dialogs_.AnswerMessage(MessageResult::kOk).AnswerMessage(MessageResult::kOk);
    windows_.ReadSettingsFiles();
    windows_.ShowMainPanel();
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
  orvaltic::testing::FakePlatform fake_;
  RadioWindows windows_{fake_.platform(), folder_.path()};
  RadioController& radio_ = windows_.controller();
  TMainFrmRadio& window_ = windows_.main_panel();
  orvaltic::testing::RecordingPort& port_ = fake_.port;
  orvaltic::testing::ScriptedDialogs& dialogs_ = fake_.dialogs;
  orvaltic::testing::RecordingAppHost& app_ = fake_.app;
};

}  // namespace orvaltic::gui::testing
