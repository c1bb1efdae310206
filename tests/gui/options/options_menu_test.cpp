#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <stdexcept>
#include <string>

#include "core/controller/radio_controller.h"
#include "core/options/options.h"
#include "gui/options/options_form.h"
#include "gui/panels/main_panel_window.h"
#include "gui/panels/panel_widgets.h"
#include "gui/platform/modal_driver.h"
#include "gui/platform/qt_modal_forms.h"
#include "gui/radio_windows.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace orvaltic::gui {
namespace {

using orvaltic::testing::ReadFileBytes;
using testing::ModalDriver;

// The radio's windows as the program wires them, with the real options dialog behind the Qt
// modal forms and the fakes for the rest.
class OptionsMenuTest : public ::testing::Test {
 protected:
  OptionsMenuTest() { windows_.RegisterForms(forms_); }

  void TearDown() override { EXPECT_TRUE(fake_.dialogs.AllAnswered()); }

  template <typename W>
  W& Named(const QWidget& parent, const char* name) {
    auto* widget = parent.findChild<W*>(QString::fromLatin1(name));
    if (widget == nullptr) {
      throw std::runtime_error(std::string("no widget ") + name);
    }
    return *widget;
  }

  orvaltic::testing::TempFolder folder_;
  orvaltic::testing::FakePlatform fake_;
  QtModalForms forms_;
  RadioWindows windows_{fake_.platform(fake_.port, forms_), folder_.path()};
  RadioController& radio_ = windows_.controller();
  TMainFrmRadio& window_ = windows_.main_panel();
  TOptionsForm& options_form_ = windows_.options_form();
};

TEST_F(OptionsMenuTest, TheMenuItemOpensTheDialogWhoseOkChangesTheOptionsAndWritesTheFile) {
  window_.Render();
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !radio_.life_cycle().FirstPaintPending(); }, 5000));
  QWidget& power = Named<QWidget>(window_, "PwrBtn");
  QTest::mouseClick(&power, Qt::LeftButton, {}, power.rect().center());
  ASSERT_TRUE(radio_.PowerOn());

  bool was_modal = false;
  ModalDriver driver({[&](QWidget* modal) {
    was_modal = modal == &options_form_;
    QLineEdit* tune_rate = Named<QComboBox>(options_form_, "TuneRateComboBox").lineEdit();
    tune_rate->selectAll();
    QTest::keyClicks(tune_rate, "0.25");
    auto& recessed = Named<QAbstractButton>(options_form_, "RecessedFormRadioBtn");
    QTest::mouseClick(&recessed, Qt::LeftButton, {}, QPoint(8, recessed.height() / 2));
    auto& ok = Named<QAbstractButton>(options_form_, "OKButton");
    QTest::mouseClick(&ok, Qt::LeftButton, {}, ok.rect().center());
  }});
  QTimer::singleShot(0, &window_, [&] {
    QMenu* menu = window_.OpenPopupMenu();
    ASSERT_NE(menu, nullptr);
    QAction* options = menu->findChild<QAction*>(QStringLiteral("Options1"));
    ASSERT_NE(options, nullptr);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(options).center());
  });
  QWidget& preset = Named<QWidget>(window_, "Preset4");
  QContextMenuEvent right_click(QContextMenuEvent::Mouse, {5, 5}, preset.mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(&preset, &right_click);

  EXPECT_TRUE(was_modal);
  EXPECT_FALSE(options_form_.isVisible());
  EXPECT_EQ(radio_.options().TuneRate, 0.25);
  EXPECT_FALSE(radio_.options().RaisedForm);
  EXPECT_EQ(ReadFileBytes(folder_.File(kOptionsFileName)),
            "780\r\nStyle 1\r\n 2.50000000000000E-0001\r\n 1.00000000000000E-0002\r\n400\r\n"
            "Tune Rate\r\nFALSE\r\n\r\nFALSE\r\n");
  // The recessed display is on the main panel as soon as the dialog has closed.
  EXPECT_EQ(Named<BevelPanel>(window_, "Panel1").InnerBevel(), Bevel::kLowered);
}

}  // namespace
}  // namespace orvaltic::gui
