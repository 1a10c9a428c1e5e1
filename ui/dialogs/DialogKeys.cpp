#include "ui/dialogs/DialogKeys.h"

namespace VaskEdit::DialogKeys {

namespace {
constexpr Qt::KeyboardModifiers Held =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
}

Qt::KeyboardModifiers HeldModifiers(const QKeyEvent& event) {
    return event.modifiers() & Held;
}

bool IsCtrlOrAltAlone(const QKeyEvent& event) {
    return event.key() == Qt::Key_Control || event.key() == Qt::Key_Alt ||
           event.key() == Qt::Key_AltGr;
}

bool IsModifierKey(const QKeyEvent& event) {
    return IsCtrlOrAltAlone(event) || event.key() == Qt::Key_Shift || event.key() == Qt::Key_Meta;
}

bool IsPlainEscape(const QKeyEvent& event) {
    return event.key() == Qt::Key_Escape && HeldModifiers(event) == Qt::NoModifier;
}

bool IsPlainEnter(const QKeyEvent& event) {
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
           HeldModifiers(event) == Qt::NoModifier;
}

bool IsCtrlS(const QKeyEvent& event) {
    return event.key() == Qt::Key_S && HeldModifiers(event) == Qt::ControlModifier;
}

} // namespace VaskEdit::DialogKeys
