#include "gui/platform/unix_signal_watcher.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <csignal>

namespace orvaltic::gui {

namespace {

int g_signal_fds[2] = {-1, -1};

extern "C" void ForwardSignal(int signal_number) {
  const unsigned char byte = static_cast<unsigned char>(signal_number);
  // Only async-signal-safe calls here; a full pipe just drops the duplicate.
  [[maybe_unused]] const auto written = ::write(g_signal_fds[0], &byte, 1);
}

constexpr int kWatchedSignals[] = {SIGINT, SIGTERM, SIGHUP};

}  // namespace

UnixSignalWatcher::UnixSignalWatcher(QObject* parent) : QObject(parent) {
  if (g_signal_fds[0] >= 0 ||
      ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_signal_fds) != 0) {
    return;
  }
  notifier_ = new QSocketNotifier(g_signal_fds[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &UnixSignalWatcher::ReadSignal);

  struct sigaction action = {};
  action.sa_handler = ForwardSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int s : kWatchedSignals) {
    ::sigaction(s, &action, nullptr);
  }
}

UnixSignalWatcher::~UnixSignalWatcher() {
  if (notifier_ == nullptr) {
    return;
  }
  struct sigaction action = {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (int s : kWatchedSignals) {
    ::sigaction(s, &action, nullptr);
  }
  ::close(g_signal_fds[0]);
  ::close(g_signal_fds[1]);
  g_signal_fds[0] = g_signal_fds[1] = -1;
}

void UnixSignalWatcher::ReadSignal() {
  unsigned char byte = 0;
  while (::read(g_signal_fds[1], &byte, 1) == 1) {
    emit terminationRequested(byte);
  }
}

}  // namespace orvaltic::gui
