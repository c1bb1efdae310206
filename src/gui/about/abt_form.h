#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

namespace orvaltic::gui {

// The about box `AbtForm`: the program's icon, name and version over a rule, three lines of
// text and the OK button `BitBtn1`. Fixed dialog border, client 263 x 140, centred on the screen
// each time it is shown. It holds no state; OK, Escape and the window's close command all close
// it, and the panel that opened it is active again.
class TAbtForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAbtForm(QWidget* parent = nullptr);

  static constexpr int kClientWidth = 263;
  static constexpr int kClientHeight = 140;

  void BitBtn1Click() { accept(); }

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  QPointer<QWidget> opener_;
};

}  // namespace orvaltic::gui
