#include <gtest/gtest.h>

#include <QDBusConnection>

#include <sstream>

#include "../panels/radio_window_fixture.h"
#include "gui/platform/text_codec.h"
#include "gui/remote/mpris_service.h"

namespace orvaltic::gui::testing {
namespace {

class MprisMetadataTest : public RadioWindowTest {};

// A station name from a presets file written on Windows reaches the desktop as the panel shows
// it, in Windows-1252, not as replacement characters.
TEST_F(MprisMetadataTest, AStationNameThatIsNotUtf8IsShownAsThePanelShowsIt) {
  StartRadio();
  radio_.presets().PresetFreq(1) = 99.5;
  radio_.presets().StationName(1) = "Caf\xE9 M\xFCnchen \x80";
  Click("PwrBtn");
  Click("Preset1");
  std::ostringstream report;
  // No bus: the service answers its properties all the same.
  MprisService service(windows_, QDBusConnection(QStringLiteral("orvaltic-no-bus")), report);
  const QString title = service.Metadata().value(QStringLiteral("xesam:title")).toString();
  EXPECT_EQ(title, QString::fromUtf8("Caf\xC3\xA9 M\xC3\xBCnchen \xE2\x82\xAC"));
  EXPECT_EQ(Named("FreqPanel").toolTip(), PlainToolTip(title));
}

}  // namespace
}  // namespace orvaltic::gui::testing
