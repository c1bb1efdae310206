#include "core/controller/panel_router.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "controller_fixture.h"
#include "core/options/options_file.h"
#include "core/presets/preset_fields.h"

namespace orvaltic {
namespace {

using testing::ControllerTest;
using testing::CrLfLines;
using testing::ReadFileBytes;
using testing::ScriptedDialogs;

void CollectNames(const std::vector<MenuItem>& items, std::vector<std::string>& names) {
  for (const MenuItem& item : items) {
    names.push_back(item.name);
    CollectNames(item.items, names);
  }
}

struct ClickCase {
  int style;
  const char* control;
  bool switched_on;  // before the click
  std::vector<std::uint8_t> bytes;
  int minimizations;
};

std::ostream& operator<<(std::ostream& out, const ClickCase& c) {
  return out << "style " << c.style << " " << c.control;
}

class ClickRouteTest : public ControllerTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ClickRouteTest, ReachesTheHandlerOfItsRole) {
  const ClickCase& c = GetParam();
  if (c.switched_on) {
    fake_.SwitchOn();
  }
  fake_.events().Click(c.style, c.control);
  std::vector<std::uint8_t> bytes;
  for (const auto& w : port_.writes) {
    bytes.push_back(w.value);
  }
  EXPECT_EQ(bytes, c.bytes);
  EXPECT_EQ(app_.minimizations, c.minimizations);
}

// Audio on, then the frequency last saved (107.900, no preset's) tuned.
const std::vector<std::uint8_t> kOn = [] {
  std::vector<std::uint8_t> bytes = {0x00, 0xC8};
  const std::vector<std::uint8_t> transfer = testing::TransferBytes(107.9);
  bytes.insert(bytes.end(), transfer.begin(), transfer.end());
  return bytes;
}();
const std::vector<std::uint8_t> kMute = {0x00, 0xC0};
const std::vector<std::uint8_t> kUp = {0x88};
const std::vector<std::uint8_t> kDown = {0x48};
const std::vector<std::uint8_t> kNone;

INSTANTIATE_TEST_SUITE_P(
    Controls, ClickRouteTest,
    ::testing::Values(
        // Power on from every style's power button.
        ClickCase{1, "PwrBtn", false, kOn, 0}, ClickCase{2, "PwrBtn", false, kOn, 0},
        ClickCase{6, "PwrBtn", false, kOn, 0}, ClickCase{7, "SpeedButton15", false, kOn, 0},
        // Mute and volume under the main panel's names and under styles 6 and 7's own.
        ClickCase{1, "MuteBtn", true, kMute, 0}, ClickCase{4, "MuteBtn", true, kMute, 0},
        ClickCase{6, "SpeedButton21", true, kMute, 0},
        ClickCase{7, "SpeedButton25", true, kMute, 0}, ClickCase{1, "IncVolumeBtn", true, kUp, 0},
        ClickCase{6, "SpeedButton23", true, kUp, 0}, ClickCase{7, "SpeedButton13", true, kUp, 0},
        ClickCase{1, "DecVolumeBtn", true, kDown, 0}, ClickCase{6, "SpeedButton22", true, kDown, 0},
        ClickCase{7, "SpeedButton14", true, kDown, 0},
        // Every style's minimise target, in any power state.
        ClickCase{1, "Label3", false, kNone, 1}, ClickCase{2, "Label18", false, kNone, 1},
        ClickCase{3, "Label18", true, kNone, 1}, ClickCase{4, "Panel2", false, kNone, 1},
        ClickCase{5, "Label18", false, kNone, 1}, ClickCase{6, "Label11", false, kNone, 1},
        ClickCase{7, "Label9", false, kNone, 1},
        // Names that mean something else, or nothing, on that style.
        ClickCase{2, "Label3", false, kNone, 0}, ClickCase{1, "Label18", false, kNone, 0},
        ClickCase{7, "Label11", false, kNone, 0}, ClickCase{1, "SpeedButton15", false, kNone, 0},
        ClickCase{1, "NoSuchControl", true, kNone, 0}, ClickCase{8, "PwrBtn", false, kNone, 0},
        ClickCase{0, "Label3", false, kNone, 0}));

TEST_F(ControllerTest, AClickInAnOverlayClosesOnlyThatPanelsOverlay) {
  for (const char* control : {"AlarmPanel", "AlarmCurrentLabel", "AlarmLabel"}) {
    SCOPED_TRACE(control);
    fake_.panels().ForEach(
        [](PanelSurface& p) { p.AlarmPanel.visible = p.SnoozePanel.visible = true; });
    fake_.events().Click(4, control);
    EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.AlarmPanel.visible; }),
              (std::vector<bool>{true, true, true, false, true, true, true}));
    EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.SnoozePanel.visible; }),
              testing::Seven(true));
  }
  for (const char* control : {"SnoozePanel", "SnoozeCurrentLabel", "SnoozeLabel"}) {
    SCOPED_TRACE(control);
    fake_.panels().ForEach(
        [](PanelSurface& p) { p.AlarmPanel.visible = p.SnoozePanel.visible = true; });
    fake_.events().Click(1, control);
    EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.SnoozePanel.visible; }),
              (std::vector<bool>{false, true, true, true, true, true, true}));
    EXPECT_EQ(fake_.OnEveryPanel([](const PanelSurface& p) { return p.AlarmPanel.visible; }),
              testing::Seven(true));
  }
}

TEST_F(ControllerTest, Label1ShowsThePresetFileNameOnTheHoveredPanelOnly) {
  fake_.events().MouseMove(3, "Label1");
  EXPECT_EQ(fake_.panels().Style(3).Label1.hint, "Orvaltic.CFG");
  EXPECT_EQ(fake_.panels().Main().Label1.hint, "");

  radio_.presets().PresetFileName = "/home/radio/lists/Mine.CFG";
  fake_.events().MouseMove(1, "Label1");
  EXPECT_EQ(fake_.panels().Main().Label1.hint, "Mine.CFG");
  EXPECT_EQ(fake_.panels().Style(3).Label1.hint, "Orvaltic.CFG");
}

TEST_F(ControllerTest, FileMenuItemsWorkWhileTheRadioIsOff) {
  dialogs_.AnswerOpen(std::nullopt).AnswerSave(folder_.File("missing/Mine.CFG"));
  dialogs_.AnswerMessage(MessageResult::kOk);
  fake_.events().MenuClick("OpenPresetFile1");
  fake_.events().MenuClick("SavePresetFile1");

  EXPECT_EQ(dialogs_.open_dialogs.size(), 1u);
  EXPECT_EQ(dialogs_.save_dialogs.size(), 1u);
  // The failed save ends in the dispatcher's error box.
  EXPECT_EQ(dialogs_.boxes,
            (std::vector<ScriptedDialogs::Box>{
                {"Invalid filename", MessageKind::kError, MessageButtons::kOk, 0}}));
  EXPECT_EQ(radio_.presets().PresetFileName, "Orvaltic.CFG");
}

TEST_F(ControllerTest, DisabledMenuItemsAndThoseInADisabledSubmenuDoNothing) {
  radio_.menu().Item("OpenPresetFile1").enabled = false;
  fake_.events().MenuClick("OpenPresetFile1");
  radio_.menu().Item("PresetFile1").enabled = false;
  fake_.events().MenuClick("SavePresetFile1");
  fake_.events().MenuClick("NoSuchItem");
  EXPECT_TRUE(dialogs_.open_dialogs.empty());
  EXPECT_TRUE(dialogs_.save_dialogs.empty());
}

TEST_F(ControllerTest, OptionsShowsTheOptionsDialogOnceTheRadioIsOn) {
  EXPECT_EQ(radio_.menu().Item("Options1").help_context, 11);
  fake_.events().MenuClick("Options1");  // disabled until power-on
  EXPECT_TRUE(fake_.forms.shown.empty());

  fake_.SwitchOn();
  fake_.forms.Expect(ModalForm::kOptionsForm, [&] {
    OptionsDialog& form = radio_.options_form();
    form.FormActivate();
    form.controls().TuneRateComboBox = "0.2";
    form.OKButtonClick();
  });
  fake_.events().MenuClick("Options1");

  EXPECT_EQ(fake_.forms.shown, std::vector<ModalForm>{ModalForm::kOptionsForm});
  // Written next to the presets file, where the next start reads it.
  EXPECT_EQ(CrLfLines(ReadFileBytes(folder_.File(kOptionsFileName))).at(2),
            " 2.00000000000000E-0001");
  fake_.events().Click(1, "TuneUpBtn");
  EXPECT_EQ(fake_.panels().Main().FreqPanel.caption, "108.100");
}

TEST_F(ControllerTest, MenuItemsWithoutAHandlerDoNothing) {
  fake_.SwitchOn();
  std::vector<std::string> names;
  CollectNames(radio_.menu().Items(), names);
  std::vector<PanelSurface> before;
  for (int style = 1; style <= kPanelCount; ++style) {
    before.push_back(fake_.panels().Style(style));
  }
  const PopupMenuModel menu_before = radio_.menu();

  for (const std::string& name : names) {
    if (PanelRouter::MenuItems().count(name) == 0) {
      fake_.events().MenuClick(name);
    }
  }

  // An unexpected box or form would fail the test by itself.
  EXPECT_TRUE(dialogs_.boxes.empty());
  EXPECT_TRUE(fake_.forms.shown.empty());
  EXPECT_TRUE(port_.writes.empty());
  for (int style = 1; style <= kPanelCount; ++style) {
    EXPECT_EQ(fake_.panels().Style(style), before[static_cast<std::size_t>(style - 1)]) << style;
  }
  EXPECT_EQ(radio_.menu().Items(), menu_before.Items());
}

}  // namespace
}  // namespace orvaltic
