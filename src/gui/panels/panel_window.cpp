#include "gui/panels/panel_window.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPalette>
#include <QWindow>

#include "gui/panels/panel_widgets.h"
#include "gui/panels/popup_menu_view.h"
#include "gui/platform/qt_convert.h"
#include "gui/platform/text_codec.h"

namespace orvaltic::gui {

namespace {

// Fixed single border with the system menu and the minimise box only.
constexpr Qt::WindowFlags kPanelWindowFlags =
    Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;

template <typename Widget, typename Signal, typename Report>
bool ConnectAs(QWidget* widget, Signal signal, Report report) {
  if (auto* typed = qobject_cast<Widget*>(widget)) {
    QObject::connect(typed, signal, typed, report);
    return true;
  }
  return false;
}

}  // namespace

PanelWindow::PanelWindow(const PanelLayout& layout, PanelSurface& surface,
                         const PopupMenuModel& menu, PanelEvents& events, QWidget* parent)
    : QWidget(parent, kPanelWindowFlags),
      style_(layout.style),
      surface_(surface),
      menu_(menu),
      events_(events),
      renderer_(*this, BuildControls(*this, layout)) {
  setObjectName(QString::fromStdString(layout.window_name));
  setWindowTitle(FromCoreText(layout.caption));
  // A screen reader hears the caption, minimised or not.
  setAccessibleName(windowTitle());
  setFixedSize(layout.client_width, layout.client_height);
  QPalette look = palette();
  look.setColor(QPalette::Window, ToQColor(layout.background));
  look.setColor(QPalette::Button, ToQColor(kButtonFace));
  look.setColor(QPalette::ButtonText, Qt::black);
  look.setColor(QPalette::WindowText, Qt::black);
  setPalette(look);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::NoFocus);

  std::map<std::string, QWidget*> controls;
  for (const ControlSpec& control : layout.controls) {
    QWidget* widget = renderer_.Control(control.name);
    controls.emplace(control.name, widget);
    if (control.kind == ControlKind::kFrame && control.on_click.action == PanelAction::kNone) {
      widget->installEventFilter(this);
    }
  }
  installEventFilter(this);
  Connect(layout, controls);
}

PanelWindow::~PanelWindow() = default;

void PanelWindow::Connect(const PanelLayout& layout,
                          const std::map<std::string, QWidget*>& controls) {
  for (const ControlSpec& control : layout.controls) {
    QWidget* widget = controls.at(control.name);
    const std::string name = control.name;
    if (control.on_click.action != PanelAction::kNone) {
      const auto click = [this, name] { events_.Click(style_, name); };
      ConnectAs<SpeedButton>(widget, &SpeedButton::clicked, click) ||
          ConnectAs<PanelLabel>(widget, &PanelLabel::clicked, click) ||
          ConnectAs<BevelPanel>(widget, &BevelPanel::clicked, click);
    }
    if (control.on_mouse_move.action != PanelAction::kNone) {
      const auto move = [this, name] { events_.MouseMove(style_, name); };
      ConnectAs<SpeedButton>(widget, &SpeedButton::mouseMoved, move) ||
          ConnectAs<PanelLabel>(widget, &PanelLabel::mouseMoved, move);
    }
  }
}

void PanelWindow::Render() {
  renderer_.Render(surface_);
}

void PanelWindow::PopupMenuAt(const QPoint& global_pos) {
  const std::unique_ptr<QMenu> menu = MakePopupMenu(menu_, this);
  open_menu_ = menu.get();
  WatchHelpKey(*menu, [this](const std::string& item) { events_.HelpKey(style_, item); });
  const QAction* chosen = menu->exec(global_pos);
  open_menu_ = nullptr;
  const std::string item = MenuItemName(chosen);
  if (!item.empty()) {
    events_.MenuClick(item);
  }
}

bool PanelWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    events_.Activated(style_);
  }
  return QWidget::event(event);
}

bool PanelWindow::eventFilter(QObject* /*watched*/, QEvent* event) {
  const auto type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
      type != QEvent::MouseButtonRelease) {
    return false;
  }
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint global = mouse->globalPosition().toPoint();
  if (type == QEvent::MouseButtonPress) {
    if (mouse->button() != Qt::LeftButton || !windowFlags().testFlag(Qt::FramelessWindowHint)) {
      return false;
    }
    // The window manager or compositor moves it where it can (and Wayland allows no other
    // way); else the window follows the mouse itself.
    if (windowHandle() == nullptr || !windowHandle()->startSystemMove()) {
      drag_offset_ = global - pos();
    }
    return true;
  }
  if (!drag_offset_) {
    return false;
  }
  if (type == QEvent::MouseMove) {
    move(global - *drag_offset_);
  } else if (mouse->button() == Qt::LeftButton) {
    drag_offset_.reset();
  }
  return true;
}

void PanelWindow::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (!painted_) {
    painted_ = true;
    // The start-up work of the first paint may change the border, which re-creates the
    // window: it runs right after this paint, not inside it.
    QMetaObject::invokeMethod(
        this, [this] { events_.Painted(style_); }, Qt::QueuedConnection);
  }
}

void PanelWindow::closeEvent(QCloseEvent* event) {
  if (events_.CloseQuery(style_)) {
    event->accept();
  } else {
    event->ignore();
  }
}

void PanelWindow::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  PopupMenuAt(event->globalPos());
}

void PanelWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    event->accept();
    events_.HelpKey(style_, {});
    return;
  }
  QWidget::keyPressEvent(event);
}

void PanelWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  renderer_.TakeWindowState(surface_, /*moved=*/true);
}

void PanelWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  renderer_.TakeWindowState(surface_);
}

void PanelWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  renderer_.TakeWindowState(surface_);
}

void PanelWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) {
    renderer_.TakeWindowState(surface_);
  }
}

}  // namespace orvaltic::gui
