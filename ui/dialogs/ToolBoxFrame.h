// The about and credits boxes: a fixed tool-window border centred on the screen and an
// "OK" that closes them.
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

class QDialog;

namespace VaskEdit {

void SetUpToolBox(QDialog* box, const QString& title, QSize clientArea);
void AddCloseButton(QDialog* box, QPoint position);

} // namespace VaskEdit
