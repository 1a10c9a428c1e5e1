// Where a new window goes among others of its kind.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace VaskEdit {

// A step below and to the right of the window opened last (at last, with its frame's
// size), so that it does not hide that one; back to the screen's top left corner when
// the step would put any part of the window, its close button above all, off the screen.
QPoint CascadePosition(const QPoint& last, const QSize& frame, const QRect& screen);

// Where a window (its frame at frame) goes to lie wholly on the screen, moved as little
// as it can; one larger than the screen keeps its top left corner, and so its title bar,
// on it.
QPoint OnScreenPosition(const QRect& frame, const QRect& screen);

// Moves a shown window that has grown past its screen's edge back onto the screen.
void KeepOnScreen(QWidget* window);

} // namespace VaskEdit
