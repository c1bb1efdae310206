#include "gui/platform/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <array>

namespace orvaltic::gui {

namespace {

// Room left between a window and the one beside it.
constexpr int kGap = 8;

qint64 Area(const QRect& rect) {
  return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height();
}

// `rect` moved into `screen` as far as it fits; one larger than the screen keeps its top left
// corner on it.
QRect Inside(QRect rect, const QRect& screen) {
  rect.moveLeft(std::max(screen.left(), std::min(rect.left(), screen.right() + 1 - rect.width())));
  rect.moveTop(std::max(screen.top(), std::min(rect.top(), screen.bottom() + 1 - rect.height())));
  return rect;
}

}  // namespace

QPoint PlaceBeside(const QSize& frame_size, const QRect& beside, const QRect& keep_clear,
                   const QRect& screen) {
  const int w = frame_size.width();
  const int h = frame_size.height();
  // Aligned with the requester's top or left edge, then pushed into the screen along that edge.
  const std::array<QRect, 4> places = {
      QRect(beside.right() + 1 + kGap, beside.top(), w, h),
      QRect(beside.left(), beside.bottom() + 1 + kGap, w, h),
      QRect(beside.left() - kGap - w, beside.top(), w, h),
      QRect(beside.left(), beside.top() - kGap - h, w, h),
  };
  std::array<QRect, 4> inside{};
  std::transform(places.begin(), places.end(), inside.begin(),
                 [&](const QRect& place) { return Inside(place, screen); });
  for (const QRect& place : inside) {
    if (!place.intersects(beside) && screen.contains(place)) {
      return place.topLeft();
    }
  }
  const QRect clear = keep_clear.isEmpty() ? beside : keep_clear;
  const auto cost = [&](const QRect& place) {
    return std::pair(Area(place.intersected(clear)), Area(place.intersected(beside)));
  };
  return std::min_element(inside.begin(), inside.end(),
                          [&](const QRect& a, const QRect& b) { return cost(a) < cost(b); })
      ->topLeft();
}

QSize RoomBeside(const QRect& beside, const QRect& screen) {
  const std::array<QSize, 4> rooms = {
      QSize(screen.right() - beside.right() - kGap, screen.height()),
      QSize(screen.width(), screen.bottom() - beside.bottom() - kGap),
      QSize(beside.left() - screen.left() - kGap, screen.height()),
      QSize(screen.width(), beside.top() - screen.top() - kGap),
  };
  QSize best(0, 0);
  for (const QSize& room : rooms) {
    if (room.width() > 0 && room.height() > 0 &&
        qint64(room.width()) * room.height() > qint64(best.width()) * best.height()) {
      best = room;
    }
  }
  return best;
}

QMargins FrameMarginsOf(const QWidget& window, const QWidget* like) {
  const auto margins = [](const QWidget& w) {
    const QRect frame = w.frameGeometry();
    const QRect inside = w.geometry();
    return QMargins(inside.left() - frame.left(), inside.top() - frame.top(),
                    frame.right() - inside.right(), frame.bottom() - inside.bottom());
  };
  if (window.testAttribute(Qt::WA_WState_Created) && window.isVisible()) {
    return margins(window);
  }
  if (like != nullptr && like->isVisible()) {
    return margins(*like->window());
  }
  return {};
}

void MoveBeside(QWidget& window, const QWidget* requester, const QRect& keep_clear,
                const QSize& smallest) {
  if (requester == nullptr) {
    return;
  }
  const QWidget& from = *requester->window();
  const QScreen* screen =
      from.screen() != nullptr ? from.screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return;
  }
  window.ensurePolished();
  const QRect area = screen->availableGeometry();
  const QRect beside = from.frameGeometry();
  const QMargins frame = FrameMarginsOf(window, &from);
  const QSize frame_size(frame.left() + frame.right(), frame.top() + frame.bottom());
  // A window that nobody sized takes its size hint when it is shown.
  QSize size = window.testAttribute(Qt::WA_Resized) || window.isVisible() ? window.size()
                                                                          : window.sizeHint();
  if (!smallest.isEmpty()) {
    const QPoint tried = PlaceBeside(size + frame_size, beside, keep_clear, area);
    if (QRect(tried, size + frame_size).intersects(beside)) {
      const QSize room = RoomBeside(beside, area) - frame_size;
      const QSize fitted = size.boundedTo(room).expandedTo(smallest);
      if (fitted != size) {
        window.resize(fitted);
        size = window.size();  // no smaller than its layout allows
      }
    }
  }
  const QPoint corner = PlaceBeside(size + frame_size, beside, keep_clear, area);
  // The window is made first: until it exists Qt would take the position for the frame's or for
  // the inside's, depending on the kind of window. The inside goes where the frame leaves it
  // room, and the window manager puts the frame around it.
  static_cast<void>(window.winId());
  window.move(corner + QPoint(frame.left(), frame.top()));
}

}  // namespace orvaltic::gui
