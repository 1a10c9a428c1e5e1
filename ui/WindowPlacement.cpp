#include "ui/WindowPlacement.h"

namespace VaskEdit {

QPoint CascadePosition(const QPoint& last, const QSize& frame, const QRect& screen) {
    constexpr int Step = 32;
    const QPoint next = last + QPoint(Step, Step);
    if (!screen.contains(QRect(next, frame)))
        return screen.topLeft();
    return next;
}

} // namespace VaskEdit
