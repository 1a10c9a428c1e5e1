// The few looks that the dialogs share: silver panels, tinted boxes and buttons that
// Enter does not press behind the user's back.
#pragma once

#include <QColor>
#include <QString>

class QPushButton;
class QWidget;

namespace VaskEdit {

inline const QColor Silver(192, 192, 192);
inline const QColor PaleYellow(255, 255, 225);
inline const QColor PaleBlue(225, 225, 255);
inline const QColor PaleGreen(210, 255, 210);

// Fills the widget's background with the colour (a panel's window colour).
void PaintPanel(QWidget* panel, const QColor& colour);
// Sets the colour behind the text of an input box.
void PaintBox(QWidget* box, const QColor& colour);

// A push button that is never the dialog's default: Enter in a box must not press it.
QPushButton* NewButton(const QString& text, QWidget* parent);

} // namespace VaskEdit
