#include "gui/platform/sdr_sound.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <atomic>
#include <memory>
#include <sstream>
#include <string>

#include "core/radio/radio_card.h"
#include "core/sdr/sdr_receiver.h"
#include "support/manual_timer_host.h"

namespace orvaltic::gui {
namespace {

// A receiver that delivers a few blocks of an empty carrier and is then unplugged.
class UnpluggedSource : public IqSource {
 public:
  double Rate() const override { return 1.2e6; }
  double CentreHz() const override { return 99.25e6; }
  double Tune(double hz) override { return hz - 250'000; }
  std::size_t Read(IqSample* out, std::size_t count, std::string& error) override {
    if (reads_.fetch_add(1) >= 3) {
      error = "the RTL-SDR stick stopped answering (unplugged?)";
      return 0;
    }
    std::fill(out, out + count, IqSample(0.5F, 0));
    return count;
  }

 private:
  std::atomic<int> reads_{0};
};

std::vector<QMessageBox*> Boxes() {
  std::vector<QMessageBox*> boxes;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible()) {
      boxes.push_back(box);
    }
  }
  return boxes;
}

// A stick unplugged while playing is said once, in a box that does not stop the radio: the GUI
// thread goes on, and the box's text is the receiver's, as plain text.
TEST(SdrSoundTest, AnUnpluggedStickIsSaidOnceInABoxThatLeavesTheRadioUsable) {
  std::ostringstream report;
  SdrReceiver receiver("orvaltic", std::make_unique<UnpluggedSource>(), SdrSetting{}, report, true);
  std::unique_ptr<SdrSound> sound = AttachSdrSound(receiver, report);
  orvaltic::testing::ManualTimerHost timers;
  const std::int32_t port = 0x30C;
  RadioCard card(receiver, timers, port);
  card.SetFrequency(99.5);
  QTRY_COMPARE_WITH_TIMEOUT(Boxes().size(), 1U, 20'000);
  EXPECT_EQ(Boxes()[0]->text(),
            QStringLiteral("the RTL-SDR stick stopped answering (unplugged?)."));
  EXPECT_EQ(Boxes()[0]->textFormat(), Qt::PlainText);
  card.SetFrequency(99.9);  // the radio goes on; nothing more is said
  QCoreApplication::processEvents();
  EXPECT_EQ(Boxes().size(), 1U);
  Boxes()[0]->accept();
  EXPECT_NE(report.str().find("orvaltic: the RTL-SDR stick stopped answering"), std::string::npos);
}

}  // namespace
}  // namespace orvaltic::gui
