// Where a new window goes among others of its kind.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace VaskEdit {

// A step below and to the right of the window opened last (at last, with its frame's
// size), so that it does not hide that one; back to the screen's top left corner when
// the step would put any part of the window, its close button above all, off the screen.
QPoint CascadePosition(const QPoint& last, const QSize& frame, const QRect& screen);

} // namespace VaskEdit
