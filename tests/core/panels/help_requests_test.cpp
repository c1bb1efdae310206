#include "core/panels/help_requests.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../controller/controller_fixture.h"

namespace orvaltic::testing {
namespace {

using Call = RecordingHelp::Call;
using Step = std::function<void(FakeRadio&)>;

const Step kHelpButtonOnStyle3 = [](FakeRadio& r) { r.events().Click(3, "HelpBtn"); };
const Step kContents = [](FakeRadio& r) { r.events().MenuClick("Contents1"); };
const Step kSchedHelp = [](FakeRadio& r) { r.radio.program_schedule().editor().HelpBtnClick(); };
Step F1(int style, std::string item = "") {
  return [style, item](FakeRadio& r) { r.events().HelpKey(style, item); };
}

struct HelpCase {
  const char* name;
  bool power_on;
  std::vector<Step> steps;
  std::vector<Call> calls;
};

constexpr char kApp[] = "C:\\Orvaltic\\Orvaltic.HLP";
constexpr char kBare[] = "Orvaltic.HLP";

class HelpRequestsTest : public ControllerTest, public ::testing::WithParamInterface<HelpCase> {};

TEST_P(HelpRequestsTest, AsksForTheFileAndTopicOfEachTrigger) {
  if (GetParam().power_on) {
    fake_.SwitchOn();
  }
  for (const Step& step : GetParam().steps) {
    step(fake_);
  }
  EXPECT_EQ(fake_.help.calls, GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(
    Triggers, HelpRequestsTest,
    ::testing::Values(
        // The help button works with the radio off, on every panel, and always asks for the
        // bare name.
        HelpCase{"HelpButtonWhileOff",
                 false,
                 {[](FakeRadio& r) { r.events().Click(1, "HelpBtn"); }, kHelpButtonOnStyle3},
                 {{kBare, kHelpContext, 1}, {kBare, kHelpContext, 1}}},
        // Help > Contents only after power-on: the Help submenu is disabled before.
        HelpCase{"ContentsWhileOff", false, {kContents}, {}},
        HelpCase{"ContentsWhileOn", true, {kContents}, {{kBare, kHelpContext, 1}}},
        // F1 on a menu item of a style panel goes to the start-up's application file until
        // the help button, Contents or the schedule editor's Help switched it.
        HelpCase{"MenuF1OnStyleBeforeAnySwitch",
                 false,
                 {F1(4, "Options1"), F1(2, "SavePresetFile1")},
                 {{kApp, kHelpContext, 11}, {kApp, kHelpContext, 24}}},
        HelpCase{"MenuF1OnStyleAfterHelpButton",
                 false,
                 {kHelpButtonOnStyle3, F1(4, "About1")},
                 {{kBare, kHelpContext, 1}, {kBare, kHelpContext, 10}}},
        HelpCase{"MenuF1OnStyleAfterContents",
                 true,
                 {kContents, F1(7, "Font1")},
                 {{kBare, kHelpContext, 1}, {kBare, kHelpContext, 21}}},
        HelpCase{"MenuF1OnStyleAfterScheduleHelp",
                 false,
                 {kSchedHelp, F1(6, "Color1")},
                 {{kBare, kHelpContext, 26}, {kBare, kHelpContext, 20}}},
        // The main panel carries its own file: F1 there never uses the application file.
        HelpCase{"F1OnMainPanelAndItsMenu",
                 false,
                 {F1(1), F1(1, "Style3"), F1(1, "Help1")},
                 {{kBare, kHelpContext, 1}, {kBare, kHelpContext, 13}, {kBare, kHelpContext, 22}}},
        // Items without a number of their own ask for their submenu's topic; a style panel
        // with no menu open has none.
        HelpCase{"ItemsWithoutContextAndStylePanels",
                 false,
                 {F1(1, "Style7"), F1(2, "Activate2"), F1(1, "Set3"), F1(5), F1(1, "NoSuchItem")},
                 {{kBare, kHelpContext, 13}, {kApp, kHelpContext, 17}, {kBare, kHelpContext, 26}}},
        HelpCase{"HelpQuitNamesTheApplicationFile",
                 false,
                 {[](FakeRadio& r) { r.radio.help().HelpQuit(); }},
                 {{kApp, kHelpQuit, 0}}}),
    [](const ::testing::TestParamInfo<HelpCase>& p) { return std::string(p.param.name); });

TEST_F(ControllerTest, AboutOpensTheAboutBoxModallyOnceTheRadioIsOn) {
  fake_.events().MenuClick("About1");  // disabled: an unexpected form would fail the test
  fake_.SwitchOn();
  fake_.forms.Expect(ModalForm::kAbtForm);
  fake_.events().MenuClick("About1");
  EXPECT_EQ(fake_.forms.shown, std::vector<ModalForm>{ModalForm::kAbtForm});
}

}  // namespace
}  // namespace orvaltic::testing
