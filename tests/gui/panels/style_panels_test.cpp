// The seven front panels side by side: each window as designed, every control reported by name
// and every click reaching its handler on a switched-on radio.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTest>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/panels/style_layout.h"
#include "gui/platform/accessible_controls.h"
#include "gui/platform/text_codec.h"
#include "radio_window_fixture.h"
#include "recording_panel_events.h"

namespace orvaltic::gui {
namespace {

struct StyleRow {
  int style;
  QSize client;
  const char* minimize;  // the control that minimises the application
  const char* minimize_hint;
  const char* preset10;  // the designed caption of the tenth preset button
  bool preset_hints;
};

const StyleRow kStyles[] = {
    {1, {443, 140}, "Label3", "Minimize window", "  10", true},
    {2, {488, 139}, "Label18", "Minimize Window", " 10", true},
    {3, {313, 152}, "Label18", "Minimize Window", " 10", true},
    {4, {259, 261}, "Panel2", "Minimize Window", " 10", true},
    {5, {187, 219}, "Label18", "Minimize Window", " 10", true},
    {6, {372, 173}, "Label11", "Minimize window", "10", false},
    {7, {485, 172}, "Label9", "Minimize window", "10", false},
};

QString CaptionOf(const QWidget& widget) {
  const auto* panel = qobject_cast<const BevelPanel*>(&widget);
  return panel != nullptr ? panel->Caption() : widget.property("text").toString();
}

// Counts the events of one type that reach the widgets it watches.
class EventCounter : public QObject {
 public:
  explicit EventCounter(QEvent::Type type) : type_(type) {}
  int count = 0;
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    count += event->type() == type_ ? 1 : 0;
    return false;
  }

 private:
  QEvent::Type type_;
};

class StylePanelsTest : public testing::RadioWindowTest {
 protected:
  PanelWindow& Window(int style) {
    if (style == 1) {
      return window_;
    }
    PanelWindow* panel = windows_.style_panel(style);
    if (panel == nullptr) {
      throw std::runtime_error("no window for style " + std::to_string(style));
    }
    return *panel;
  }
  static void ClickOn(PanelWindow& window, const std::string& name) {
    QWidget* widget = window.Control(name);
    ASSERT_NE(widget, nullptr) << name;
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
  }
  // The first control of `style` whose click does `action`.
  static std::string ControlFor(int style, PanelAction action) {
    for (const ControlSpec& control : StyleLayout(style).controls) {
      if (control.on_click.action == action) {
        return control.name;
      }
    }
    return {};
  }
};

TEST_F(StylePanelsTest, EachWindowHasItsDesignedCaptionSizeTextsAndSpokenNames) {
  for (const StyleRow& row : kStyles) {
    SCOPED_TRACE("style " + std::to_string(row.style));
    PanelWindow& window = Window(row.style);
    EXPECT_EQ(window.windowTitle(), QString("S%1").arg(row.style));
    EXPECT_EQ(window.size(), row.client);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(testing::UnnamedControls(window), QStringList());
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&window);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Window);
    EXPECT_EQ(accessible->text(QAccessible::Name), window.windowTitle());

    QWidget* minimize = window.Control(row.minimize);
    ASSERT_NE(minimize, nullptr);
    EXPECT_EQ(minimize->toolTip(), PlainToolTip(QString::fromLatin1(row.minimize_hint)));
    EXPECT_EQ(CaptionOf(*minimize),
              row.style == 7 ? QString::fromUtf8("\xC2\xB7") : QStringLiteral("Orvaltic"));
    QWidget* preset10 = window.Control("Preset10");
    ASSERT_NE(preset10, nullptr);
    EXPECT_EQ(CaptionOf(*preset10), QString::fromLatin1(row.preset10));
    EXPECT_EQ(preset10->toolTip().isEmpty(), !row.preset_hints);
    EXPECT_EQ(window.Control("StationIDLabel") != nullptr, row.style >= 6);

    // Every control that reacts, and every light, says what it is; lights say their state.
    for (const ControlSpec& control : StyleLayout(row.style).controls) {
      QWidget* widget = window.Control(control.name);
      ASSERT_NE(widget, nullptr) << control.name;
      if (control.kind == ControlKind::kLight) {
        EXPECT_EQ(widget->accessibleDescription(), "off") << control.name;
      }
      if (control.kind == ControlKind::kLight || control.on_click.action != PanelAction::kNone) {
        EXPECT_FALSE(widget->accessibleName().trimmed().isEmpty()) << control.name;
      }
    }
  }
  // Style 7's lights are bars above their buttons.
  EXPECT_EQ(Window(7).Control("Preset4Light")->size(), QSize(17, 8));
  EXPECT_EQ(Window(7).Control("PwrBtnLight")->size(), QSize(20, 8));
}

TEST_F(StylePanelsTest, EveryControlThatReactsIsReportedByItsNameOnItsStyle) {
  PopupMenuModel menu;
  for (const StyleRow& row : kStyles) {
    SCOPED_TRACE("style " + std::to_string(row.style));
    const PanelLayout& layout = StyleLayout(row.style);
    PanelSurface surface = DesignedSurface(row.style);
    testing::RecordingPanelEvents events;
    PanelWindow window(layout, surface, menu, events);
    window.Render();
    surface.AlarmPanel.visible = true;
    surface.SnoozePanel.visible = true;
    window.Render();
    std::vector<std::string> clicked;
    for (const ControlSpec& control : layout.controls) {
      if (control.on_click.action != PanelAction::kNone) {
        ClickOn(window, control.name);
        clicked.push_back("Click " + std::to_string(row.style) + " " + control.name);
      }
    }
    EXPECT_EQ(events.events, clicked);
  }
}

// On a switched-on radio, each style's controls reach the handlers of their roles, and what one
// style does shows on all seven.
TEST_F(StylePanelsTest, ClicksOnEveryStyleReachTheHandlersOfTheirRoles) {
  StartRadio();
  PanelSurface& main = radio_.panels().Main();
  ClickOn(Window(2), "PwrBtn");
  ASSERT_TRUE(radio_.PowerOn());
  for (int style = 1; style <= kPanelCount; ++style) {
    EXPECT_EQ(radio_.panels().Style(style).PwrBtnLight, kRed) << style;
  }

  struct Effect {
    PanelAction action;
    std::function<std::string()> observe;  // what the click changes
  };
  const auto freq = [&] { return main.FreqPanel.caption; };
  const auto writes = [&] { return std::to_string(port_.writes.size()); };
  const Effect effects[] = {
      {PanelAction::kMute, [&] { return std::to_string(main.MuteBtnLight); }},
      {PanelAction::kMute, [&] { return std::to_string(main.MuteBtnLight); }},
      // Down before up, so that every style starts from 107.900 and stays in the band.
      {PanelAction::kTuneDown, freq},
      {PanelAction::kTuneUp, freq},
      {PanelAction::kFineTuneDown, freq},
      {PanelAction::kFineTuneUp, freq},
      {PanelAction::kVolumeUp, writes},
      {PanelAction::kVolumeDown, writes},
      {PanelAction::kNextPage, [&] { return main.Presets[0].caption; }},
      {PanelAction::kPreviousPage, [&] { return main.Presets[0].caption; }},
      {PanelAction::kMemory, [&] { return std::to_string(main.PresetMemoryLight); }},
      {PanelAction::kMinimize, [&] { return std::to_string(app_.minimizations); }},
  };
  for (const StyleRow& row : kStyles) {
    for (const Effect& effect : effects) {
      const std::string control = ControlFor(row.style, effect.action);
      SCOPED_TRACE("style " + std::to_string(row.style) + " " + control);
      const std::string before = effect.observe();
      ClickOn(Window(row.style), control);
      EXPECT_NE(effect.observe(), before);
      // Ends a volume pulse and the memory window before the next click.
      fake_.timers.Advance(3000);
    }
  }
  // The "<<" lying on style 2's uncaptioned fine-tune button tunes down finely, as the button.
  EXPECT_EQ(freq(), "107.900");
  ClickOn(Window(2), "Label2");
  EXPECT_LT(freq(), "107.900");
}

TEST_F(StylePanelsTest, AWindowFollowsItsSurfaceAndKeepsWhereTheUserMovedIt) {
  StartRadio();
  PanelSurface& surface = radio_.panels().Style(4);
  surface.visible = true;
  surface.top = 60;
  surface.left = 70;
  radio_.dispatcher().Run([] {});
  PanelWindow& window = Window(4);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(window.pos(), QPoint(70, 60));
  window.move(150, 90);
  EXPECT_EQ(surface.left, 150);
  EXPECT_EQ(surface.top, 90);
  surface.visible = false;
  radio_.dispatcher().Run([] {});
  EXPECT_FALSE(window.isVisible());
}

// The display's small labels show their whole texts, the longest the radio writes there, and lie
// apart: on styles 6 and 7 the marks are words, and style 7's carry the times with their dates.
TEST_F(StylePanelsTest, TheDisplayLabelsShowTheirWholeTextsApart) {
  StartRadio();
  radio_.alarm().AlarmTime = "12/25/2026 07:30:00 AM";
  radio_.alarm().SnoozeTime = "12/25/2026 07:45:00 AM";
  ClickOn(Window(1), "AlarmBtn");
  ClickOn(Window(1), "SnoozeBtn");
  // Program 5 playing.
  radio_.panels().ForEach(
      [](PanelSurface& panel) { panel.ProgLabel.caption = panel.style == 7 ? "Prog: 5" : "P5"; });
  radio_.dispatcher().Run([] {});
  const char* const labels[] = {
      "Label1",    "PresetDisplay", "AlarmDisplayLabel", "SnoozeDisplayLabel",
      "ProgLabel", "StationIDLabel"};
  for (const StyleRow& row : kStyles) {
    SCOPED_TRACE("style " + std::to_string(row.style));
    PanelWindow& window = Window(row.style);
    window.Render();
    std::vector<const QLabel*> present;
    for (const char* name : labels) {
      if (const auto* label = qobject_cast<const QLabel*>(window.Control(name))) {
        present.push_back(label);
      }
    }
    ASSERT_GE(present.size(), 5U);
    EXPECT_EQ(qobject_cast<const QLabel*>(window.Control("ProgLabel"))->text(),
              row.style == 7 ? "Prog: 5" : "P5");
    for (const QLabel* label : present) {
      const QString text = label->text();
      if (label->objectName() != "StationIDLabel") {
        EXPECT_LE(label->fontMetrics().horizontalAdvance(text), label->width())
            << label->objectName().toStdString() << " \"" << text.toStdString() << '"';
      }
      for (const QLabel* other : present) {
        EXPECT_TRUE(label == other || !label->geometry().intersects(other->geometry()))
            << label->objectName().toStdString() << " overlaps "
            << other->objectName().toStdString();
      }
    }
  }
}

// A light in a button's corner keeps a pixel of the face clear around it, whatever the caption
// beside it ("Power", "M", " Memory", "10"); style 2's "<<" and ">>" sit in the middle of their
// buttons.
TEST_F(StylePanelsTest, CaptionsKeepClearOfTheCornerLights) {
  const QColor face(0xC0, 0xC0, 0xC0);
  for (const StyleRow& row : kStyles) {
    SCOPED_TRACE("style " + std::to_string(row.style));
    PanelWindow& window = Window(row.style);
    window.Render();
    const QImage picture = window.grab().toImage();
    for (const ControlSpec& control : StyleLayout(row.style).controls) {
      const auto* button = qobject_cast<const SpeedButton*>(window.Control(control.parent));
      if (control.kind != ControlKind::kLight || button == nullptr || button->text().isEmpty() ||
          !button->isVisibleTo(&window)) {
        continue;
      }
      const QWidget* light = window.Control(control.name);
      const QRect ring(light->mapTo(&window, QPoint(-1, -1)), light->size() + QSize(2, 2));
      int inked = 0;
      for (int x = ring.left(); x <= ring.right(); ++x) {
        for (int y = ring.top(); y <= ring.bottom(); ++y) {
          const bool edge =
              x == ring.left() || x == ring.right() || y == ring.top() || y == ring.bottom();
          inked += edge && picture.pixelColor(x, y) != face ? 1 : 0;
        }
      }
      EXPECT_EQ(inked, 0) << control.parent << " \"" << button->text().toStdString() << '"';
    }
  }
  for (const char* name : {"Label2", "Label3"}) {
    const auto* label = qobject_cast<const QLabel*>(Window(2).Control(name));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->alignment().testFlag(Qt::AlignHCenter)) << name;
    EXPECT_EQ(label->geometry().center(), label->parentWidget()->rect().center()) << name;
  }
}

// What a screen reader hears of every control: the plain description the layout gives, never
// the markup of a tool tip (which Qt falls back to when a hint only repeats the name).
TEST_F(StylePanelsTest, EveryControlIsDescribedInPlainText) {
  for (const StyleRow& row : kStyles) {
    PanelWindow& window = Window(row.style);
    window.Render();
    for (const ControlSpec& control : StyleLayout(row.style).controls) {
      SCOPED_TRACE("style " + std::to_string(row.style) + " " + control.name);
      QWidget* widget = window.Control(control.name);
      QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
      ASSERT_NE(accessible, nullptr);
      const QString description = accessible->text(QAccessible::Description);
      EXPECT_EQ(description, widget->accessibleDescription());
      EXPECT_FALSE(description.contains(QLatin1Char('<'))) << description.toStdString();
    }
  }
  struct Described {
    int style;
    const char* control;
    const char* description;
  };
  for (const Described& d :
       {Described{1, "TuneDownBtn", ""}, Described{1, "Label3", ""},
        Described{1, "PwrBtn", "On/Off"}, Described{7, "SpeedButton15", "On/Off"},
        Described{6, "SpeedButton11", "Preset Memory"}, Described{1, "MemoryBtn", "Preset memory"},
        Described{4, "PwrBtnLight", "off"}}) {
    SCOPED_TRACE(std::to_string(d.style) + " " + d.control);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Window(d.style).Control(d.control))
                  ->text(QAccessible::Description),
              QString::fromLatin1(d.description));
  }
}

// Style 5 chosen from the menu shows its display group; its chevrons slide the drawers out on
// the window itself, one at a time, and the up chevron takes the down one's place.
TEST_F(StylePanelsTest, StyleFiveSlidesItsDrawersOutOfTheWindow) {
  StartRadio();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  QApplication::processEvents();  // the first paint
  radio_.events().MenuClick("Style5");
  PanelWindow& window = Window(5);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(window.size(), QSize(188, 73));
  const auto shown = [&](const char* name) { return window.Control(name)->isVisibleTo(&window); };
  // What lies outside the window is no part of what a screen reader hears.
  const auto announced = [&](const char* name) {
    return !QAccessible::queryAccessibleInterface(window.Control(name))->state().invisible;
  };
  EXPECT_FALSE(announced("Preset7"));
  EXPECT_FALSE(announced("PwrBtn"));
  EXPECT_TRUE(announced("DownLeftBtn"));

  // Each step of a slide is drawn before the next.
  EventCounter paints(QEvent::Paint);
  window.installEventFilter(&paints);
  struct Step {
    const char* chevron;
    int height;
    const char* shown;   // a control of the open drawer, or of the display group
    const char* hidden;  // the chevron that gave way
  };
  const Step steps[] = {
      {"DownLeftBtn", 136, "Preset7", "DownLeftBtn"},
      {"DownRightBtn", 136, "UpLeftBtn", "DownLeftBtn"},  // does nothing now
      {"UpLeftBtn", 73, "DownLeftBtn", "UpLeftBtn"},
      {"DownRightBtn", 154, "PwrBtn", "DownRightBtn"},
      {"UpRightBtn", 73, "DownRightBtn", "UpRightBtn"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.chevron);
    ClickOn(window, step.chevron);
    EXPECT_EQ(window.size(), QSize(188, step.height));
    EXPECT_TRUE(shown(step.shown));
    EXPECT_FALSE(shown(step.hidden));
    EXPECT_EQ(announced("Preset7"), step.height == 136);
    EXPECT_EQ(announced("PwrBtn"), step.height == 154);
  }
  EXPECT_GE(paints.count, 32 + 41);  // 75..137 and 75..155
  EXPECT_EQ(window.Control("Panel3")->pos(), QPoint(-2, 71));
  EXPECT_FALSE(shown("Panel6"));
}

// The first paint takes the border off the main panel and switches to the start-up style: the
// main panel goes without being shown again in between (a window manager could map it late
// and leave two panels on the screen).
TEST_F(StylePanelsTest, TheStartupStyleReplacesTheMainPanelWithoutShowingItAgain) {
  radio_.options().StartupStyle = "Style 3";
  StartRadio();                               // no presets file: no border
  radio_.options().StartupStyle = "Style 3";  // the missing options file set the default
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  EventCounter shows(QEvent::Show);
  window_.installEventFilter(&shows);
  QApplication::processEvents();  // the first paint

  EXPECT_TRUE(window_.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_FALSE(window_.isVisible());
  EXPECT_EQ(shows.count, 0);
  EXPECT_TRUE(Window(3).isVisible());
}

// Without a border there is no caption bar: the panel's frame moves the window (here the
// platform has no window manager, so the window follows the mouse itself). With a border the
// frame is inert again.
TEST_F(StylePanelsTest, AWindowWithoutBorderIsDraggedByItsFrame) {
  StartRadio();  // no presets file: no border
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  QApplication::processEvents();
  ASSERT_TRUE(window_.windowFlags().testFlag(Qt::FramelessWindowHint));
  QWidget* frame = window_.childAt(QPoint(5, 70));
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(frame->objectName(), "Panel1");

  const auto drag = [&](QPoint by) {
    const QPoint at = frame->mapFrom(&window_, QPoint(5, 70));
    QTest::mousePress(frame, Qt::LeftButton, {}, at);
    QTest::mouseMove(frame, at + by);
    QTest::mouseRelease(frame, Qt::LeftButton, {}, at + by);
  };
  const QPoint start = window_.pos();
  drag({40, 30});
  EXPECT_EQ(window_.pos(), start + QPoint(40, 30));
  EXPECT_EQ(radio_.panels().Main().left, start.x() + 40);
  EXPECT_EQ(radio_.panels().Main().top, start.y() + 30);

  Click("BorderBtn");
  ASSERT_FALSE(window_.windowFlags().testFlag(Qt::FramelessWindowHint));
  frame = window_.Control("Panel1");
  const QPoint bordered = window_.pos();
  drag({25, 25});
  EXPECT_EQ(window_.pos(), bordered);
}

}  // namespace
}  // namespace orvaltic::gui
