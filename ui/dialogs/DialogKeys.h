// The key combinations that the dialogs answer themselves.
#pragma once

#include <QKeyEvent>

namespace VaskEdit::DialogKeys {

// Shift, Ctrl, Alt and Meta as held; the keypad flag is not a modifier.
Qt::KeyboardModifiers HeldModifiers(const QKeyEvent& event);

bool IsCtrlOrAltAlone(const QKeyEvent& event);
// Shift, Ctrl, Alt, AltGr or Meta pressed on its own.
bool IsModifierKey(const QKeyEvent& event);
bool IsPlainEscape(const QKeyEvent& event);
bool IsPlainEnter(const QKeyEvent& event);
bool IsCtrlS(const QKeyEvent& event);

} // namespace VaskEdit::DialogKeys
