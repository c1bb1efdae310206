#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QMessageBox>
#include <QMetaObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace orvaltic::gui::testing {

// Answers modal dialogs from inside their own event loops. Each step runs once, on the modal
// widget showing at that turn of the event loop; the next step waits for a later turn with a
// modal widget. A modal widget left when the steps are used up, or steps left at the deadline,
// fail the test and every modal widget is rejected, so that a test fails instead of hanging.
class ModalDriver {
 public:
  using Step = std::function<void(QWidget* modal)>;

  explicit ModalDriver(std::vector<Step> steps, int deadline_ms = 10000)
      : steps_(std::move(steps)), deadline_(deadline_ms) {
    poll_.setInterval(0);
    QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
    poll_.start();
  }

  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  ~ModalDriver() { EXPECT_EQ(next_, steps_.size()) << "not every expected dialog was shown"; }

 private:
  void Poll() {
    if (busy_) {
      return;
    }
    QWidget* modal = QApplication::activeModalWidget();
    // While a step runs (its dialog opened another one), its own dialog is still up.
    const bool unexpected =
        modal != nullptr && modal->isVisible() && next_ == steps_.size() && working_on_.empty();
    if (deadline_.hasExpired() || unexpected) {
      ADD_FAILURE() << (unexpected ? "an unexpected modal dialog was shown: "
                                   : "a modal dialog was not answered in time: ")
                    << Describe(modal);
      poll_.stop();
      RejectAll();
      return;
    }
    if (modal == nullptr || !modal->isVisible() || next_ == steps_.size()) {
      return;
    }
    // A step still at work on this widget (waiting for it, say) keeps it.
    if (std::find(working_on_.begin(), working_on_.end(), modal) != working_on_.end()) {
      return;
    }
    // Run the step from a fresh event-loop turn, outside this timer's slot: a dialog the step
    // opens in turn must still see this timer fire.
    QPointer<QWidget> target = modal;
    Step step = steps_[next_++];
    busy_ = true;
    QMetaObject::invokeMethod(
        &poll_,
        [this, target, step] {
          busy_ = false;
          if (target != nullptr) {
            working_on_.push_back(target.data());
            step(target);
            working_on_.pop_back();
          }
        },
        Qt::QueuedConnection);
  }

  static std::string Describe(QWidget* modal) {
    if (modal == nullptr) {
      return "none";
    }
    std::string text = modal->metaObject()->className();
    text += " \"" + modal->windowTitle().toStdString() + "\"";
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      text += " " + box->text().toStdString();
    }
    return text;
  }

  static void RejectAll() {
    for (int guard = 0; guard < 16; ++guard) {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr) {
        return;
      }
      if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
      } else {
        modal->close();
      }
    }
  }

  std::vector<Step> steps_;
  std::size_t next_ = 0;
  bool busy_ = false;
  std::vector<QWidget*> working_on_;
  QDeadlineTimer deadline_;
  QTimer poll_;
};

}  // namespace orvaltic::gui::testing
