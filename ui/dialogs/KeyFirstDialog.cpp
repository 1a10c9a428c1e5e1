#include "ui/dialogs/KeyFirstDialog.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QScreen>

namespace VaskEdit {

KeyFirstDialog::KeyFirstDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void KeyFirstDialog::Watch(QObject* object) {
    if (!object->isWidgetType())
        return;
    object->installEventFilter(this);
    for (QObject* child : object->children())
        Watch(child);
}

bool KeyFirstDialog::IsOwnControl(QObject* object) const {
    // Other windows parented to this one (messages, pickers, list popups) handle their
    // own keys.
    const auto* widget = qobject_cast<QWidget*>(object);
    return widget && widget != this && widget->window() == this;
}

void KeyFirstDialog::childEvent(QChildEvent* event) {
    if (event->added())
        Watch(event->child());
    QDialog::childEvent(event);
}

bool KeyFirstDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ChildAdded) {
        Watch(static_cast<QChildEvent*>(event)->child());
    } else if (event->type() == QEvent::KeyPress && IsOwnControl(watched)) {
        if (HandleKey(*static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void KeyFirstDialog::keyPressEvent(QKeyEvent* event) {
    if (HandleKey(*event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void KeyFirstDialog::showEvent(QShowEvent* event) {
    // Centred on the screen, not on the owner, and only when first shown.
    if (!centred) {
        centred = true;
        if (QScreen* shown = screen()) {
            const QRect area = shown->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
    }
    QDialog::showEvent(event);
}

} // namespace VaskEdit
