// Where windows go on the screen: new ones among others of their kind, grown ones back
// onto it, tall ones made to fit it.
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

// The height a window of the given height takes so that with its frame's extra height it
// fits the screen's height (a small screen with a taskbar), never below its least
// height; unchanged when it fits.
int FittedHeight(int height, int frameExtra, int least, int screenHeight);

// Makes a shown window that is taller than its screen fit it, and moves it onto it.
void FitOnScreen(QWidget* window);

} // namespace VaskEdit
