#pragma once

#include <QObject>

class QSocketNotifier;

namespace orvaltic::gui {

// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal on the GUI thread, so that a radio stopped
// from a terminal or by the session manager leaves through the event loop like a normal close.
class UnixSignalWatcher : public QObject {
  Q_OBJECT

 public:
  explicit UnixSignalWatcher(QObject* parent = nullptr);
  ~UnixSignalWatcher() override;

 signals:
  void terminationRequested(int signal_number);

 private:
  void ReadSignal();

  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace orvaltic::gui
