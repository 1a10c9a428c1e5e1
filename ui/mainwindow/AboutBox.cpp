#include "ui/mainwindow/AboutBox.h"

#include "ui/dialogs/ToolBoxFrame.h"

#include <QLabel>

namespace VaskEdit {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    SetUpToolBox(this, "About", QSize(214, 131));
    auto* version = new QLabel("VaskEdit v02c beta", this);
    version->setObjectName("versionLabel");
    version->move(20, 24);
    AddCloseButton(this, QPoint(69, 96));
}

} // namespace VaskEdit
