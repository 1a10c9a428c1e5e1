#include "ui/common/WindowPlacement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace VaskEdit {

QPoint CascadePosition(const QPoint& last, const QSize& frame, const QRect& screen) {
    constexpr int Step = 32;
    const QPoint next = last + QPoint(Step, Step);
    if (!screen.contains(QRect(next, frame)))
        return screen.topLeft();
    return next;
}

QPoint OnScreenPosition(const QRect& frame, const QRect& screen) {
    const int x =
        std::max(std::min(frame.x(), screen.x() + screen.width() - frame.width()), screen.x());
    const int y =
        std::max(std::min(frame.y(), screen.y() + screen.height() - frame.height()), screen.y());
    return {x, y};
}

void KeepOnScreen(QWidget* window) {
    if (!window->isVisible() || !window->screen())
        return;
    const QRect frame = window->frameGeometry();
    const QPoint at = OnScreenPosition(frame, window->screen()->availableGeometry());
    if (at != frame.topLeft())
        window->move(at);
}

int FittedHeight(int height, int frameExtra, int least, int screenHeight) {
    if (height + frameExtra <= screenHeight)
        return height;
    return std::max(screenHeight - frameExtra, least);
}

void FitOnScreen(QWidget* window) {
    if (!window->isVisible() || !window->screen())
        return;
    const QRect area = window->screen()->availableGeometry();
    const int extra = window->frameGeometry().height() - window->height();
    const int height =
        FittedHeight(window->height(), extra, window->minimumSizeHint().height(), area.height());
    if (height != window->height())
        window->resize(window->width(), height);
    KeepOnScreen(window);
}

} // namespace VaskEdit
