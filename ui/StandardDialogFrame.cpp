#include "ui/StandardDialogFrame.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace VaskEdit {

namespace {
void CentreOnScreen(QDialog* dialog) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        dialog->move(area.center() - QPoint(dialog->width() / 2, dialog->height() / 2));
    }
}
} // namespace

QLabel* SetUpStandardDialog(QDialog* dialog, QSize clientArea) {
    dialog->setModal(true);
    dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    dialog->setFixedSize(clientArea);
    auto* label = new QLabel(dialog);
    // Messages quote names in angle brackets; they are never markup.
    label->setTextFormat(Qt::PlainText);
    label->move(12, 12);
    SetStandardTexts(dialog, label, "Title", "Default");
    CentreOnScreen(dialog);
    return label;
}

void SetStandardTexts(QDialog* dialog, QLabel* label, const QString& caption,
                      const QString& message) {
    dialog->setWindowTitle(caption);
    label->setText(message);
    // The label keeps its natural size.
    label->adjustSize();
}

} // namespace VaskEdit
