// Start-up cost of the radio against the floor of an empty Qt Widgets window.
//
//   orvaltic_startup_bench launch empty|label|radio
//
// starts this program again as "run MODE T0" (T0: the monotonic clock at the launch) and
// prints what the child measured at the first paint of its window:
//
//   mode=radio startup_us=41234 rss_kb=51234
//
// Every mode sets up the process alike (the same binary and libraries, a QApplication named
// "Orvaltic", the offscreen platform unless QT_QPA_PLATFORM says otherwise). "empty" shows a
// window of the main panel's size with nothing in it; "label" the same with one line of text,
// which is what it costs Qt to set up its fonts for the first text drawn. "radio" builds
// the whole radio as the program does, card backend first, and reads both settings files from
// the working directory: run it where Orvaltic.CFG and Orvaltic.opt exist, or their boxes wait
// for an answer. tools/bench-startup runs both modes repeatedly and compares the medians.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMetaObject>
#include <QWidget>

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/radio_application.h"
#include "core/radio/card_backend.h"
#include "core/radio/linux_port_system.h"

namespace {

std::int64_t MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

long ResidentKb() {
  long size = 0;
  long resident = 0;
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr) {
    return -1;
  }
  if (std::fscanf(statm, "%ld %ld", &size, &resident) != 2) {
    resident = -1;
  }
  std::fclose(statm);
  return resident < 0 ? -1 : resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Reports once, right after the watched window's first paint, and ends the event loop.
class FirstPaintProbe : public QObject {
 public:
  FirstPaintProbe(const char* mode, std::int64_t t0) : mode_(mode), t0_(t0) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      QMetaObject::invokeMethod(
          this,
          [this] {
            const std::int64_t elapsed_us = (MonotonicNs() - t0_) / 1000;
            std::printf("mode=%s startup_us=%lld rss_kb=%ld\n", mode_,
                        static_cast<long long>(elapsed_us), ResidentKb());
            std::fflush(stdout);
            QCoreApplication::exit(0);
          },
          Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  const char* mode_;
  std::int64_t t0_;
  bool seen_ = false;
};

int Run(const char* mode, std::int64_t t0, int argc, char** argv) {
  const bool radio = std::strcmp(mode, "radio") == 0;
  const bool label = std::strcmp(mode, "label") == 0;
  if (!radio && !label && std::strcmp(mode, "empty") != 0) {
    std::fprintf(stderr, "unknown mode %s\n", mode);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }

  // As the program does: the card before Qt.
  orvaltic::LinuxPortSystem port_system;
  orvaltic::OpenedCard card;
  if (radio) {
    card = orvaltic::OpenCardBackend("orvaltic", "sim", {}, port_system, std::cerr);
    if (!card.card) {
      std::fprintf(stderr, "%s\n", card.error.c_str());
      return 1;
    }
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvaltic"));
  QApplication::setQuitOnLastWindowClosed(false);
  FirstPaintProbe probe(mode, t0);

  if (radio) {
    orvaltic::app::RadioApplication application(*card.card);
    orvaltic::gui::RadioWindows& windows = application.windows();
    windows.ReadSettingsFiles();
    windows.main_panel().installEventFilter(&probe);
    windows.ShowMainPanel();
    return QApplication::exec();
  }
  QWidget window;
  window.setWindowTitle(QStringLiteral("S1"));
  window.setFixedSize(443, 140);
  if (label) {
    auto* text = new QLabel(QStringLiteral("Orvaltic"), &window);
    text->move(10, 10);
  }
  window.installEventFilter(&probe);
  window.show();
  return QApplication::exec();
}

int Launch(const char* self, const char* mode) {
  const std::string t0 = std::to_string(MonotonicNs());
  const pid_t child = fork();
  if (child < 0) {
    std::perror("fork");
    return 1;
  }
  if (child == 0) {
    execl(self, self, "run", mode, t0.c_str(), static_cast<char*>(nullptr));
    std::perror("exec");
    _exit(127);
  }
  int status = 0;
  if (waitpid(child, &status, 0) < 0) {
    std::perror("waitpid");
    return 1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "launch") == 0) {
    return Launch("/proc/self/exe", argv[2]);
  }
  if (argc == 4 && std::strcmp(argv[1], "run") == 0) {
    return Run(argv[2], std::strtoll(argv[3], nullptr, 10), argc, argv);
  }
  std::fprintf(stderr, "usage: %s launch empty|label|radio\n", argv[0]);
  return 2;
}
