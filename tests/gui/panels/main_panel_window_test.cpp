#include "gui/panels/main_panel_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/panels/main_panel_layout.h"
#include "gui/panels/panel_widgets.h"
#include "gui/panels/popup_menu_view.h"
#include "gui/platform/qt_convert.h"
#include "gui/platform/text_codec.h"
#include "recording_panel_events.h"

namespace orvaltic::gui {
namespace {

using testing::RecordingPanelEvents;

QString Caption(const QWidget& widget) {
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    return label->text();
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
    return button->text();
  }
  if (const auto* panel = qobject_cast<const BevelPanel*>(&widget)) {
    return panel->Caption();
  }
  return {};
}

class MainPanelWindowTest : public ::testing::Test {
 protected:
  QWidget& Named(const char* name) {
    auto* widget = window_.findChild<QWidget*>(QString::fromLatin1(name));
    if (widget == nullptr) {
      ADD_FAILURE() << "no control " << name;
      return window_;
    }
    return *widget;
  }
  BevelPanel& Panel(const char* name) {
    auto* panel = qobject_cast<BevelPanel*>(&Named(name));
    EXPECT_NE(panel, nullptr) << name;
    return panel != nullptr ? *panel : dummy_panel_;
  }
  void ClickOn(const char* name, QPoint at = {}) {
    QWidget& widget = Named(name);
    QTest::mouseClick(&widget, Qt::LeftButton, {}, at.isNull() ? widget.rect().center() : at);
  }
  // Through the window, which finds the control under the mouse as a real click does.
  void ClickOnScreen(const char* name) {
    QWidget& widget = Named(name);
    const QPoint at = widget.mapTo(&window_, widget.rect().center());
    QTest::mouseClick(window_.windowHandle(), Qt::LeftButton, {}, at);
  }
  std::vector<std::string> Reports(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const auto& e : events_.events) {
      if (e.rfind(prefix, 0) == 0) {
        found.push_back(e);
      }
    }
    return found;
  }

  PanelSurface surface_ = DesignedSurface(1);
  PopupMenuModel menu_;
  RecordingPanelEvents events_;
  TMainFrmRadio window_{surface_, menu_, events_};
  BevelPanel dummy_panel_;
};

struct ControlRow {
  const char* name;
  const char* parent;
  const char* caption;
  const char* hint;
};

// Every control of the panel by group, in the order of its group.
const ControlRow kControls[] = {
    {"Panel1", "MainFrmRadio", "", ""},
    {"Panel2", "Panel1", "", ""},
    {"FreqPanel", "Panel2", "", ""},
    {"Label1", "FreqPanel", " FM", ""},
    {"PresetDisplay", "FreqPanel", "", ""},
    {"AlarmDisplayLabel", "FreqPanel", "", "Click to show Alarm status"},
    {"SnoozeDisplayLabel", "FreqPanel", "", "Click to show Snooze status"},
    {"ProgLabel", "FreqPanel", "", "Click to show program status"},
    {"Label3", "Panel2", "Orvaltic", "Minimize window"},
    {"AlarmBtn", "Panel2", "A", "Activate/deactivate Alarm"},
    {"SnoozeBtn", "Panel2", "S", "Activate/deactivate Snooze"},
    {"DirectAccessBtn", "Panel2", "D", "Direct frequency access"},
    {"BorderBtn", "Panel2", "B", "Turn border on/off"},
    {"HelpBtn", "Panel2", "H", "Help"},
    {"Panel6", "Panel1", "", ""},
    {"Preset1", "Panel6", "  1", "Preset 1"},
    {"Preset2", "Panel6", "  2", "Preset 2"},
    {"Preset3", "Panel6", "  3", "Preset 3"},
    {"Preset4", "Panel6", "  4", "Preset 4"},
    {"Preset5", "Panel6", "  5", "Preset 5"},
    {"Preset6", "Panel6", "  6", "Preset 6"},
    {"Preset7", "Panel6", "  7", "Preset 7"},
    {"Preset8", "Panel6", "  8", "Preset 8"},
    {"Preset9", "Panel6", "  9", "Preset 9"},
    {"Preset10", "Panel6", "  10", "Preset 10"},
    {"Preset1Light", "Preset1", "", ""},
    {"Preset10Light", "Preset10", "", ""},
    {"MemoryBtn", "Panel6", "M", "Preset memory"},
    {"PresetMemoryLight", "MemoryBtn", "", ""},
    {"Prev10Btn", "Panel6", "-", "Previous 10 presets"},
    {"Next10Btn", "Panel6", "+", "Next 10 presets"},
    {"Panel3", "Panel1", "", ""},
    {"DecVolumeBtn", "Panel3", " -", "Decrease volume"},
    {"IncVolumeBtn", "Panel3", "  +", "Increase volume"},
    {"MuteBtn", "Panel3", "", "Turn audio on/off"},
    {"MuteBtnLight", "MuteBtn", "", ""},
    {"TuneDownBtn", "Panel3", "  <", "Tune down"},
    {"TuneUpBtn", "Panel3", "   >", "Tune up"},
    {"FineTuneDownBtn", "Panel3", "<<", "Fine tune down"},
    {"FineTuneUpBtn", "Panel3", "  >>", "Fine tune up"},
    {"ScanDownBtn", "Panel3", " <", "Scan down"},
    {"ScanUpBtn", "Panel3", "   >", "Scan up"},
    {"PwrBtn", "Panel3", "", "On/Off"},
    {"PwrBtnLight", "PwrBtn", "", ""},
    {"AlarmPanel", "Panel1", "", "Click to close"},
    {"AlarmCurrentLabel", "AlarmPanel", "", ""},
    {"AlarmLabel", "AlarmPanel", "", ""},
    {"SnoozePanel", "Panel1", "", "Click to close"},
    {"SnoozeCurrentLabel", "SnoozePanel", "", ""},
    {"SnoozeLabel", "SnoozePanel", "", ""},
};

TEST_F(MainPanelWindowTest, HasEveryControlInItsGroupWithCaptionHintAndAccessibleText) {
  for (const ControlRow& row : kControls) {
    SCOPED_TRACE(row.name);
    QWidget& widget = Named(row.name);
    ASSERT_NE(&widget, &window_);
    EXPECT_EQ(widget.parentWidget()->objectName(), QString::fromLatin1(row.parent));
    EXPECT_EQ(Caption(widget), QString::fromLatin1(row.caption));
    EXPECT_EQ(widget.toolTip(), PlainToolTip(QString::fromLatin1(row.hint)));
    EXPECT_FALSE(widget.accessibleName().isEmpty());
  }
}

// A caption label says by its text what lies around it ("Volume" under its buttons, "Alarm:" in
// its overlay) and does nothing of its own.
bool IsCaptionLabel(const PanelLayout& layout, const ControlSpec& control) {
  if (control.kind != ControlKind::kLabel || control.caption.empty() || control.caption_is_value ||
      control.on_mouse_move.action != PanelAction::kNone) {
    return false;
  }
  const ControlSpec* parent = layout.Find(control.parent);
  return control.on_click.action == PanelAction::kNone ||
         (parent != nullptr && parent->on_click == control.on_click);
}

// A screen reader tells the controls apart by their names alone: every control the user can
// act on, and every light, has its own name in words, never a bare caption such as "-", "<" or "A".
// The panel itself is a window named by its caption.
TEST_F(MainPanelWindowTest, EveryInteractiveControlHasADistinctNameInWords) {
  std::map<QString, std::string> seen;
  const PanelLayout& layout = MainPanelLayout();
  for (const ControlSpec& control : layout.controls) {
    if (control.kind == ControlKind::kFrame || control.kind == ControlKind::kDisplay ||
        IsCaptionLabel(layout, control)) {
      continue;
    }
    SCOPED_TRACE(control.name);
    QAccessibleInterface* iface =
        QAccessible::queryAccessibleInterface(&Named(control.name.c_str()));
    ASSERT_NE(iface, nullptr);
    const QString name = iface->text(QAccessible::Name);
    static const QRegularExpression kWord(QStringLiteral("[A-Za-z]{2,}"));
    EXPECT_TRUE(name.contains(kWord)) << name.toStdString();
    EXPECT_NE(name, QString::fromStdString(control.caption).trimmed());
    const auto [other, inserted] = seen.emplace(name, control.name);
    EXPECT_TRUE(inserted) << name.toStdString() << " also names " << other->second;
  }
  EXPECT_GE(seen.size(), 40U);
  for (const char* name :
       {"Volume down", "Volume up", "Previous 10 presets", "Next 10 presets", "Tune down",
        "Fine tune up", "Scan up", "Alarm status", "Snooze status", "Power", "Mute", "Memory",
        "Direct frequency access", "Preset 3", "Power light"}) {
    EXPECT_TRUE(seen.contains(QString::fromLatin1(name))) << name;
  }

  QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(&window_);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->role(), QAccessible::Window);
  EXPECT_EQ(panel->text(QAccessible::Name), "S1");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(&Named("ScanUpBtn"))->role(),
            QAccessible::Button);
}

TEST_F(MainPanelWindowTest, CaptionLabelsSitUnderTheirButtonsAndTheOverlaysHoldTheirCaptions) {
  const std::vector<std::pair<const char*, QStringList>> groups = {
      {"Panel3", {"Volume", "Mute", "Tune", "Fine", "Scan", "Power"}},
      {"AlarmPanel", {"Current:", "", "Alarm:", ""}},
      {"SnoozePanel", {"Current:", "", "Snooze:", ""}},
  };
  for (const auto& [group, captions] : groups) {
    QStringList found;
    for (const QLabel* label : Named(group).findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
      found << label->text();
    }
    EXPECT_EQ(found, captions) << group;
  }
  // "Volume" under the volume pair, "Power" under the power button.
  EXPECT_TRUE(Named("Label4").geometry().intersects(QRect(Named("DecVolumeBtn").x(), 0, 64, 100)));
  EXPECT_GT(Named("Label9").y(), Named("PwrBtn").geometry().bottom());
}

TEST_F(MainPanelWindowTest, WindowIsTheFixedS1PanelWithMinimiseOnly) {
  EXPECT_EQ(window_.objectName(), "MainFrmRadio");
  EXPECT_EQ(window_.windowTitle(), "S1");
  EXPECT_EQ(window_.size(), QSize(443, 140));
  EXPECT_EQ(window_.minimumSize(), window_.maximumSize());
  const Qt::WindowFlags flags = window_.windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::FramelessWindowHint));

  EXPECT_EQ(Named("FreqPanel").size(), QSize(187, 37));
  EXPECT_EQ(Panel("FreqPanel").FillColor(), QColor(Qt::black));
  EXPECT_EQ(Panel("FreqPanel").OuterBevel(), Bevel::kLowered);
  EXPECT_EQ(Panel("FreqPanel").InnerBevel(), Bevel::kLowered);
  EXPECT_EQ(Named("FreqPanel").font().family(), "Arial");
  EXPECT_EQ(Named("FreqPanel").font().pointSize(), 20);
  EXPECT_EQ(TextColor(Named("Label3")), ToQColor(kBlue));
  EXPECT_EQ(Named("AlarmPanel").size(), QSize(158, 73));
  EXPECT_FALSE(Named("AlarmPanel").isVisibleTo(&window_));
  EXPECT_FALSE(Named("SnoozePanel").isVisibleTo(&window_));
  EXPECT_EQ(Panel("AlarmPanel").OuterBevel(), Bevel::kRaised);
}

TEST_F(MainPanelWindowTest, ButtonsTakeNoFocusAndLightsStartOff) {
  for (QAbstractButton* button : window_.findChildren<QAbstractButton*>()) {
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << button->objectName().toStdString();
  }
  const std::vector<std::pair<const char*, Color>> lights = {
      {"Preset1Light", kGreen},      {"Preset5Light", kGreen}, {"Preset10Light", kGreen},
      {"PresetMemoryLight", kGreen}, {"MuteBtnLight", kGreen}, {"PwrBtnLight", kMaroon}};
  for (const auto& [name, color] : lights) {
    BevelPanel& light = Panel(name);
    EXPECT_EQ(light.size(), QSize(6, 6)) << name;
    EXPECT_EQ(light.pos(), QPoint(3, 3)) << name;
    EXPECT_EQ(light.FillColor(), ToQColor(color)) << name;
    EXPECT_EQ(light.OuterBevel(), Bevel::kNone) << name;
    EXPECT_EQ(light.InnerBevel(), Bevel::kLowered) << name;
    EXPECT_EQ(light.accessibleDescription(), "off") << name;
  }
}

TEST_F(MainPanelWindowTest, ClicksReportTheControlsByName) {
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  ClickOn("PwrBtn");
  ClickOnScreen("PwrBtnLight");  // the light belongs to its button
  ClickOn("MuteBtn");
  ClickOn("IncVolumeBtn");
  ClickOn("DecVolumeBtn");
  ClickOn("Label3");
  ClickOn("Preset3");
  ClickOnScreen("Preset10Light");
  ClickOn("Panel3");  // a frame is no control of its own
  ClickOn("Label4");  // nor is the caption "Volume"
  surface_.AlarmPanel.visible = true;
  window_.Render();
  ClickOn("AlarmPanel", {150, 68});
  ClickOn("AlarmLabel");
  ClickOn("Label11");  // "Alarm:" closes its overlay too

  EXPECT_EQ(Reports("Click"),
            (std::vector<std::string>{
                "Click 1 PwrBtn", "Click 1 PwrBtn", "Click 1 MuteBtn", "Click 1 IncVolumeBtn",
                "Click 1 DecVolumeBtn", "Click 1 Label3", "Click 1 Preset3", "Click 1 Preset10",
                "Click 1 AlarmPanel", "Click 1 AlarmLabel", "Click 1 Label11"}));
}

// The layout is the one home of the window's controls: the controller finds what each
// reported control does there.
TEST_F(MainPanelWindowTest, EveryWidgetIsAControlOfTheLayout) {
  std::set<std::string> widgets;
  for (const QWidget* widget : window_.findChildren<QWidget*>()) {
    if (!widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_")) {
      widgets.insert(widget->objectName().toStdString());
    }
  }
  std::set<std::string> controls;
  for (const ControlSpec& control : MainPanelLayout().controls) {
    controls.insert(control.name);
  }
  EXPECT_EQ(widgets, controls);
}

TEST_F(MainPanelWindowTest, AClickIsAReleaseOverTheControlThatWasPressed) {
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  QWidget& power = Named("PwrBtn");
  QTest::mousePress(&power, Qt::LeftButton, {}, {5, 5});
  QTest::mouseRelease(&power, Qt::LeftButton, {}, {200, 5});  // released outside
  QTest::mouseClick(&power, Qt::RightButton, {}, {5, 5});
  EXPECT_TRUE(Reports("Click").empty());
}

TEST_F(MainPanelWindowTest, MouseMovesOverLabel1AndThePresetsAreReported) {
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  QTest::mouseMove(&Named("Label1"), {5, 5});
  QTest::mouseMove(&Named("Preset7"), {20, 20});
  QTest::mouseMove(&Named("PwrBtn"), {20, 20});
  const auto moves = Reports("MouseMove");
  EXPECT_GE(std::count(moves.begin(), moves.end(), "MouseMove 1 Label1"), 1);
  EXPECT_GE(std::count(moves.begin(), moves.end(), "MouseMove 1 Preset7"), 1);
  EXPECT_EQ(std::count(moves.begin(), moves.end(), "MouseMove 1 PwrBtn"), 0);
}

TEST_F(MainPanelWindowTest, RenderingShowsTheSurfaceOnTheWidgets) {
  window_.Render();
  surface_.PwrBtnLight = kRed;
  surface_.MuteBtnLight = kLime;
  surface_.Presets[2].light = kLime;
  surface_.Presets[2].caption = "  23";
  surface_.Presets[2].hint = "Caf\xC3\xA9 FM";  // UTF-8
  surface_.Presets[4].hint = "Caf\xE9 Radio";   // Windows-1252
  surface_.FreqPanel.caption = "98.500";
  surface_.FreqPanel.hint = "<h1>Jazz</h1><img src=\"a.png\">";
  surface_.FreqPanel.font = {"Times New Roman", 24, true, true, false, false, kLime};
  surface_.FreqPanel.color = 0x800000;  // navy
  surface_.PresetDisplay = {"3", "", kLime, true};
  surface_.AlarmPanel.visible = true;
  surface_.AlarmPanel.current.caption = "03:30:00 PM";
  surface_.AlarmPanel.value.caption = "07:00 AM";
  surface_.caption = "S1 radio";
  window_.Render();

  EXPECT_EQ(Panel("PwrBtnLight").FillColor(), QColor(255, 0, 0));
  EXPECT_EQ(Panel("PwrBtnLight").accessibleDescription(), "on");
  EXPECT_EQ(Panel("MuteBtnLight").FillColor(), QColor(0, 255, 0));
  EXPECT_EQ(Panel("MuteBtnLight").accessibleDescription(), "on");
  EXPECT_EQ(Panel("Preset3Light").accessibleDescription(), "on");
  EXPECT_EQ(Panel("Preset4Light").accessibleDescription(), "off");
  EXPECT_EQ(Caption(Named("Preset3")), "  23");
  EXPECT_EQ(Named("Preset3").accessibleName(), "Preset 3");
  EXPECT_EQ(Named("Preset3").accessibleDescription(), QString::fromUtf8("23, Caf\xC3\xA9 FM"));
  EXPECT_EQ(Named("Preset3").toolTip(), PlainToolTip(QString::fromUtf8("Caf\xC3\xA9 FM")));
  EXPECT_EQ(Named("Preset5").toolTip(), PlainToolTip(QString::fromUtf8("Caf\xC3\xA9 Radio")));

  // A station name that looks like markup is shown as typed.
  BevelPanel& display = Panel("FreqPanel");
  EXPECT_EQ(display.Caption(), "98.500");
  EXPECT_EQ(display.toolTip(), PlainToolTip(QStringLiteral("<h1>Jazz</h1><img src=\"a.png\">")));
  EXPECT_EQ(display.accessibleName(), "Frequency display");
  EXPECT_EQ(display.accessibleDescription(), "98.500, <h1>Jazz</h1><img src=\"a.png\">");
  EXPECT_EQ(display.font().family(), "Times New Roman");
  EXPECT_EQ(display.font().pointSize(), 24);
  EXPECT_TRUE(display.font().bold());
  EXPECT_TRUE(display.font().italic());
  EXPECT_EQ(display.CaptionColor(), QColor(0, 255, 0));
  EXPECT_EQ(display.FillColor(), QColor(0, 0, 128));
  // The small labels keep their own face and size.
  EXPECT_EQ(Named("PresetDisplay").font().pointSize(), 8);
  EXPECT_EQ(TextColor(Named("PresetDisplay")), QColor(0, 255, 0));
  EXPECT_EQ(Caption(Named("PresetDisplay")), "3");

  EXPECT_TRUE(Named("AlarmPanel").isVisibleTo(&window_));
  EXPECT_FALSE(Named("SnoozePanel").isVisibleTo(&window_));
  EXPECT_EQ(Caption(Named("AlarmCurrentLabel")), "03:30:00 PM");
  EXPECT_EQ(Caption(Named("AlarmLabel")), "07:00 AM");
  EXPECT_EQ(window_.windowTitle(), "S1 radio");

  surface_.PwrBtnLight = kMaroon;
  surface_.AlarmPanel.visible = false;
  window_.Render();
  EXPECT_EQ(Panel("PwrBtnLight").accessibleDescription(), "off");
  EXPECT_FALSE(Named("AlarmPanel").isVisibleTo(&window_));
}

TEST_F(MainPanelWindowTest, RenderingTouchesOnlyWhatChanged) {
  window_.Render();
  Panel("FreqPanel").SetCaption("left alone");
  surface_.MuteBtnLight = kLime;
  window_.Render();
  EXPECT_EQ(Panel("FreqPanel").Caption(), "left alone");
  EXPECT_EQ(Panel("MuteBtnLight").FillColor(), QColor(0, 255, 0));
}

// The name says what a control is and stays; what it shows is read after it.
TEST_F(MainPanelWindowTest, ShownValuesGoToTheDescriptionAndNamesStay) {
  window_.Render();
  surface_.AlarmDisplayLabel.caption = "A";
  window_.Render();
  EXPECT_EQ(Named("AlarmDisplayLabel").accessibleName(), "Show alarm status");
  EXPECT_EQ(Named("AlarmDisplayLabel").accessibleDescription(), "A, Click to show Alarm status");
  surface_.AlarmDisplayLabel.caption = " ";
  window_.Render();
  EXPECT_EQ(Named("AlarmDisplayLabel").accessibleDescription(), "Click to show Alarm status");
  surface_.Label1.hint = "<b>My</b>.CFG";
  window_.Render();
  EXPECT_EQ(Named("Label1").accessibleName(), "FM band");
  EXPECT_EQ(Named("Label1").accessibleDescription(), "<b>My</b>.CFG");
  EXPECT_EQ(Named("Label1").toolTip(), PlainToolTip(QStringLiteral("<b>My</b>.CFG")));
}

// Started minimised (/H), the panel is still announced by its caption, which Qt would take from
// the empty icon text.
TEST_F(MainPanelWindowTest, AMinimisedPanelIsAnnouncedByItsCaption) {
  window_.Render();
  window_.setWindowState(Qt::WindowMinimized);
  window_.show();
  QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(&window_);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->text(QAccessible::Name), "S1");
  window_.showNormal();
  EXPECT_EQ(panel->text(QAccessible::Name), "S1");
}

TEST_F(MainPanelWindowTest, RenderingPlacesSizesAndFramesTheWindow) {
  surface_.top = 40;
  surface_.left = 30;
  window_.Render();
  EXPECT_EQ(window_.pos(), QPoint(30, 40));
  EXPECT_FALSE(window_.isVisible());  // the application shows the main panel itself

  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  EXPECT_TRUE(surface_.visible);

  surface_.border = BorderStyle::kNone;
  surface_.client_height = 139;
  surface_.Frame("Panel1").bevel_inner = Bevel::kLowered;
  window_.Render();
  EXPECT_TRUE(window_.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(window_.isVisible());
  EXPECT_EQ(window_.size(), QSize(443, 139));
  EXPECT_EQ(window_.pos(), QPoint(30, 40));
  EXPECT_EQ(Panel("Panel1").InnerBevel(), Bevel::kLowered);
  EXPECT_EQ(Panel("Panel1").size(), QSize(447, 143));

  surface_.visible = false;
  window_.Render();
  EXPECT_FALSE(window_.isVisible());
}

TEST_F(MainPanelWindowTest, TheWindowKeepsTheSurfaceInStepWithWhatTheUserDid) {
  window_.Render();
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  window_.move(120, 80);
  EXPECT_EQ(surface_.left, 120);
  EXPECT_EQ(surface_.top, 80);
  window_.showMinimized();
  EXPECT_TRUE(surface_.minimized);
  // A later render of an unchanged surface leaves the window where the user put it.
  window_.Render();
  EXPECT_EQ(window_.pos(), QPoint(120, 80));
  EXPECT_TRUE(window_.isMinimized());
}

TEST_F(MainPanelWindowTest, TheFirstPaintIsReportedOnce) {
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  ASSERT_TRUE(QTest::qWaitFor([&] { return events_.Count("Painted 1") > 0; }, 5000));
  window_.repaint();
  QApplication::processEvents();
  EXPECT_EQ(events_.Count("Painted 1"), 1);
}

TEST_F(MainPanelWindowTest, ActivationIsReported) {
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&window_, &activate);
  EXPECT_EQ(events_.Count("Activated 1"), 1);
}

TEST_F(MainPanelWindowTest, CloseGoesAheadOnlyWhenTheCloseQueryAllowsIt) {
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  events_.allow_close = false;
  EXPECT_FALSE(window_.close());
  EXPECT_TRUE(window_.isVisible());
  events_.allow_close = true;
  EXPECT_TRUE(window_.close());
  EXPECT_FALSE(window_.isVisible());
  EXPECT_EQ(events_.Count("CloseQuery 1"), 2);
}

struct MenuRow {
  const char* name;
  const char* caption;
  bool enabled;
};

QAction* FindAction(QMenu& menu, const char* name) {
  for (QAction* action : menu.findChildren<QAction*>()) {
    if (action->objectName() == QLatin1String(name)) {
      return action;
    }
  }
  for (QMenu* submenu : menu.findChildren<QMenu*>()) {
    if (submenu->objectName() == QLatin1String(name)) {
      return submenu->menuAction();
    }
  }
  return nullptr;
}

TEST(PopupMenuViewTest, BuildsTheModelsItemsWithCaptionsStatesAndSeparators) {
  PopupMenuModel model;
  const auto menu = MakePopupMenu(model);
  EXPECT_EQ(menu->objectName(), "PopupMenu1");

  QStringList top;
  for (const QAction* action : menu->actions()) {
    top << (action->isSeparator() ? QStringLiteral("-") : action->text());
  }
  EXPECT_EQ(top, (QStringList{"&File", "-", "&Style", "-", "&Presets...", "-", "&Options...", "-",
                              "&Alarm", "-", "Snoo&ze", "-", "Sch&edule", "-", "Fo&nt...", "-",
                              "&Color...", "-", "&Help"}));

  const MenuRow rows[] = {
      {"PresetFile1", "&File", true},
      {"OpenPresetFile1", "&Open Custom File...", true},
      {"SavePresetFile1", "&Save Custom File...", true},
      {"FormStyle1", "&Style", true},
      {"Style1", "Style&1", true},
      {"Style7", "Style&7", true},
      {"Presets1", "&Presets...", false},
      {"Options1", "&Options...", false},
      {"Alarm1", "&Alarm", false},
      {"Set1", "&Set...", true},
      {"Activate1", "&Activate", true},
      {"Snooze1", "Snoo&ze", false},
      {"Schedule1", "Sch&edule", false},
      {"Activate3", "&Activate", true},
      {"Font1", "Fo&nt...", false},
      {"Color1", "&Color...", false},
      {"Help1", "&Help", false},
      {"Contents1", "&Contents...", true},
      {"About1", "&About", true},
  };
  for (const MenuRow& row : rows) {
    SCOPED_TRACE(row.name);
    QAction* action = FindAction(*menu, row.name);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QString::fromLatin1(row.caption));
    EXPECT_EQ(action->isEnabled(), row.enabled);
    EXPECT_FALSE(action->isChecked());
  }
  EXPECT_EQ(FindAction(*menu, "Font1")->property("helpContext").toInt(), 21);
  EXPECT_EQ(FindAction(*menu, "Style7")->property("helpContext").toInt(), 0);
  EXPECT_EQ(FindAction(*menu, "Alarm1")->menu()->actions().size(), 2);
}

TEST(PopupMenuViewTest, FollowsTheModelEachTimeItIsBuilt) {
  PopupMenuModel model;
  model.Item("Presets1").enabled = true;
  model.Item("Style3").checked = true;
  const auto menu = MakePopupMenu(model);
  EXPECT_TRUE(FindAction(*menu, "Presets1")->isEnabled());
  EXPECT_TRUE(FindAction(*menu, "Style3")->isChecked());
  EXPECT_FALSE(FindAction(*menu, "Style2")->isChecked());
  EXPECT_EQ(MenuItemName(FindAction(*menu, "Style3")), "Style3");
  EXPECT_EQ(MenuItemName(FindAction(*menu, "FormStyle1")), "");
}

TEST_F(MainPanelWindowTest, ARightClickOpensThePopupMenuAndReportsTheChosenItem) {
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  menu_.Item("Options1").enabled = true;
  bool options_enabled = false;
  QTimer::singleShot(0, &window_, [&] {
    QMenu* menu = window_.OpenPopupMenu();
    ASSERT_NE(menu, nullptr);
    QAction* options = FindAction(*menu, "Options1");
    options_enabled = options->isEnabled();
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(options).center());
  });
  QContextMenuEvent right_click(QContextMenuEvent::Mouse, {200, 120},
                                Named("Preset4").mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(&Named("Preset4"), &right_click);
  EXPECT_TRUE(options_enabled);
  EXPECT_EQ(Reports("MenuClick"), std::vector<std::string>{"MenuClick Options1"});
  EXPECT_EQ(window_.OpenPopupMenu(), nullptr);
}

}  // namespace
}  // namespace orvaltic::gui
