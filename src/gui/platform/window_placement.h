#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace orvaltic::gui {

// Where a window whose outer size (frame included) is `frame_size` goes so that it lies inside
// `screen` and beside `beside` (the window that asked for it): to its right, below, to its left
// or above, the first of these places that covers none of it. Where none is free, the place
// that covers least of `keep_clear` (the part that must stay in view, a panel's display), then
// least of `beside`. Returns the outer corner.
QPoint PlaceBeside(const QSize& frame_size, const QRect& beside, const QRect& keep_clear,
                   const QRect& screen);

// The largest room of `screen` beside `beside` (right of it, below, left of it or above),
// less the gap a window keeps from it.
QSize RoomBeside(const QRect& beside, const QRect& screen);

// The frame a window manager puts around `window`: its own once it has been shown, else the
// frame of `like` (a window of the same program that is on the screen), else none.
QMargins FrameMarginsOf(const QWidget& window, const QWidget* like);

// Moves the not yet shown `window` beside `requester` (a panel, a dialog or a box) on the
// requester's screen, keeping `keep_clear` (in global coordinates; empty: the whole requester)
// in view. A window that may shrink (`smallest` not empty) is made as small as it must to fit
// beside it, down to `smallest`. Without a requester it stays where it is.
void MoveBeside(QWidget& window, const QWidget* requester, const QRect& keep_clear = {},
                const QSize& smallest = {});

}  // namespace orvaltic::gui
