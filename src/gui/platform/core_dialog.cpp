#include "gui/platform/core_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>

#include <utility>

#include "gui/platform/text_codec.h"

namespace orvaltic::gui {

void ReadText(std::string& core, const QString& shown) {
  if (shown != FromCoreText(core)) {
    core = ToCoreText(shown);
  }
}

void SetText(QLineEdit* edit, const std::string& text) {
  const QString value = FromCoreText(text);
  if (edit->text() != value) {
    edit->setText(value);
  }
}

void SetText(QComboBox* combo, const std::string& text) {
  const QString value = FromCoreText(text);
  if (combo->currentText() != value) {
    combo->setEditText(value);
  }
}

// Watches the widget the focus moved to after a field was left: its first key (or typed text of
// an input method) waits until the left field's check has run.
class CoreDialog::InputGate : public QObject {
 public:
  explicit InputGate(CoreDialog* dialog) : QObject(dialog), dialog_(dialog) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::InputMethod:
        if (dialog_->BeforeInput(watched)) {
          return true;
        }
        break;
      default:
        break;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  CoreDialog* dialog_;
};

CoreDialog::CoreDialog(EventDispatcher& dispatcher, QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags), dispatcher_(dispatcher), input_gate_(new InputGate(this)) {}

void CoreDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) {
    // Restored by the window system, not opened.
    return;
  }
  left_fields_.clear();
  Opened();
}

bool CoreDialog::FieldExit(const QObject* /*field*/) {
  return true;
}

void CoreDialog::Run(const std::function<void()>& handler) {
  if (!RunFieldExits()) {
    return;
  }
  ReadControls();
  dispatcher_.Run(handler);
  ShowControls();
}

void CoreDialog::RunCancel(const std::function<void()>& handler) {
  left_fields_.clear();
  ReadControls();
  dispatcher_.Run(handler);
  QDialog::reject();
}

void CoreDialog::WatchFieldExit(QObject* field, QEvent* event) {
  if (event->type() != QEvent::FocusOut) {
    return;
  }
  // Only the user's own moves leave a field: a box taking the focus, the window losing it or the
  // focus put back after a refused entry do not.
  const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
  const bool left = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                    reason == Qt::MouseFocusReason;
  // Qt has made the new focus widget current before it reports the old one's loss.
  if (left && !in_field_exit_ && QApplication::focusWidget() != cancel_) {
    left_fields_.push_back(field);
    if (QWidget* next = QApplication::focusWidget(); next != nullptr && isAncestorOf(next)) {
      next->removeEventFilter(input_gate_);
      next->installEventFilter(input_gate_);
    }
    QMetaObject::invokeMethod(
        this, [this] { RunFieldExits(); }, Qt::QueuedConnection);
  }
}

bool CoreDialog::BeforeInput(QObject* target) {
  target->removeEventFilter(input_gate_);
  if (left_fields_.empty() || in_field_exit_) {
    return false;
  }
  const bool refused = !RunFieldExits();
  // After a refused entry the focus is back on that field: the key was meant for another.
  return refused || QApplication::focusWidget() != target;
}

bool CoreDialog::RunFieldExits() {
  if (in_field_exit_) {
    // A refused entry's box is open: nothing else runs until it is answered.
    return false;
  }
  while (!left_fields_.empty()) {
    const QObject* field = left_fields_.front();
    left_fields_.pop_front();
    if (!isVisible()) {
      continue;
    }
    bool valid = true;
    in_field_exit_ = true;
    // A text the check writes into the field the user moved to (the preset editor's provisional
    // station name) is selected, as Tab selects a field's text, so that typing replaces it.
    auto* focus = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    const QString focus_text = focus != nullptr ? focus->text() : QString();
    ReadControls();
    dispatcher_.Run([this, field, &valid] { valid = FieldExit(field); });
    ShowControls();
    in_field_exit_ = false;
    if (valid && focus != nullptr && QApplication::focusWidget() == focus &&
        focus->text() != focus_text) {
      focus->selectAll();
    }
    if (!valid) {
      left_fields_.clear();
      return false;
    }
  }
  return true;
}

void CoreDialog::ConnectRun(QAbstractButton* button, std::function<void()> handler) {
  connect(button, &QAbstractButton::clicked, this,
          [this, handler = std::move(handler)] { Run(handler); });
}

void CoreDialog::ConnectOk(QAbstractButton* ok, std::function<void()> handler,
                           std::function<bool()> closed) {
  connect(ok, &QAbstractButton::clicked, this,
          [this, handler = std::move(handler), closed = std::move(closed)] {
            Run(handler);
            if (closed()) {
              accept();
            }
          });
}

void CoreDialog::ConnectCancel(QAbstractButton* cancel) {
  cancel_ = cancel;
  connect(cancel, &QAbstractButton::clicked, this, &QDialog::reject);
}

void CoreDialog::MoveFocus(std::string& focus) {
  if (focus.empty()) {
    return;
  }
  if (auto* target = findChild<QWidget*>(FromCoreText(focus))) {
    target->setFocus(Qt::OtherFocusReason);
  }
  focus.clear();
}

void CoreDialog::CentreOnScreen() {
  QScreen* target = parentWidget() != nullptr ? parentWidget()->screen() : screen();
  if (target == nullptr) {
    return;
  }
  // The window frame counts: it is the whole window that sits in the middle.
  move(QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, frameGeometry().size(),
                           target->availableGeometry())
           .topLeft());
}

}  // namespace orvaltic::gui
