#include "gui/platform/qt_timer_host.h"

#include <QPointer>
#include <QString>
#include <QTimer>

#include <utility>

namespace orvaltic::gui {
namespace {

class QtTimerBackend : public TimerBackend {
 public:
  QtTimerBackend(QObject* parent, const std::string& name) : timer_(new QTimer(parent)) {
    timer_->setObjectName(QString::fromStdString(name));
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setSingleShot(false);
  }

  QtTimerBackend(const QtTimerBackend&) = delete;
  QtTimerBackend& operator=(const QtTimerBackend&) = delete;

  ~QtTimerBackend() override {
    state_->timer = nullptr;
    if (timer_ == nullptr) {
      return;  // the host went first and took the QTimer with it
    }
    timer_->stop();
    if (state_->firing > 0) {
      // Destroyed by its own handler: the QTimer is still inside its timeout signal.
      timer_->deleteLater();
    } else {
      delete timer_.data();
    }
  }

  void Attach(Timer* timer) {
    state_->timer = timer;
    QObject::connect(timer_.data(), &QTimer::timeout, timer_.data(), [state = state_] {
      if (state->timer == nullptr) {
        return;
      }
      ++state->firing;
      state->timer->Fire();
      --state->firing;
    });
  }

  void Start(int ms) override {
    if (timer_ != nullptr) {
      timer_->start(ms);
    }
  }

  void Stop() override {
    if (timer_ != nullptr) {
      timer_->stop();
    }
  }

 private:
  // Shared with the timeout slot, which may outlive this backend by the rest of one call.
  struct State {
    Timer* timer = nullptr;
    int firing = 0;
  };

  QPointer<QTimer> timer_;
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace

QtTimerHost::QtTimerHost() : parent_(std::make_unique<QObject>()) {
  parent_->setObjectName(QStringLiteral("Timers"));
}

QtTimerHost::~QtTimerHost() = default;

std::unique_ptr<Timer> QtTimerHost::CreateTimer(const std::string& name) {
  auto backend = std::make_unique<QtTimerBackend>(parent_.get(), name);
  QtTimerBackend* raw = backend.get();
  auto timer = std::make_unique<Timer>(name, std::move(backend));
  raw->Attach(timer.get());
  return timer;
}

}  // namespace orvaltic::gui
