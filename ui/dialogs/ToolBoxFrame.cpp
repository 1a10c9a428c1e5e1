#include "ui/dialogs/ToolBoxFrame.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace VaskEdit {

void SetUpToolBox(QDialog* box, const QString& title, QSize clientArea) {
    box->setWindowFlags(Qt::Tool | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint);
    box->setModal(true);
    box->setWindowTitle(title);
    box->setFixedSize(clientArea);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        box->move(area.center() - QPoint(clientArea.width() / 2, clientArea.height() / 2));
    }
}

void AddCloseButton(QDialog* box, QPoint position) {
    auto* ok = new QPushButton("OK", box);
    ok->setObjectName("okButton");
    ok->setGeometry(position.x(), position.y(), 75, 23);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, box, &QDialog::accept);
}

} // namespace VaskEdit
