#include "ui/common/WindowWidgetsFilter.h"

#include <QChildEvent>
#include <QPointer>
#include <QWidget>

namespace VaskEdit {

namespace {
// Follows the window's widgets as they are added and puts the filter on each.
class WidgetFollower : public QObject {
public:
    WidgetFollower(QWidget* window, QObject* filter) : QObject(window), filter(filter) {
        Cover(window);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ChildAdded) {
            QObject* child = static_cast<QChildEvent*>(event)->child();
            // A widget is announced while it is being made: its own children follow
            // through their own ChildAdded.
            if (child->isWidgetType())
                Cover(static_cast<QWidget*>(child));
        }
        return false;
    }

private:
    void Cover(QWidget* widget) {
        if (!filter)
            return;
        Install(widget);
        for (QWidget* below : widget->findChildren<QWidget*>())
            Install(below);
    }
    void Install(QWidget* widget) {
        // The filter is installed last, so that it sees the events first.
        widget->installEventFilter(this);
        widget->installEventFilter(filter);
    }

    QPointer<QObject> filter;
};
} // namespace

void FilterWindowWidgets(QWidget* window, QObject* filter) {
    new WidgetFollower(window, filter);
}

} // namespace VaskEdit
