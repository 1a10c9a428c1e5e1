#include "ui/mainwindow/CreditBox.h"

#include "ui/dialogs/ToolBoxFrame.h"

#include <QLabel>

#include <algorithm>

namespace VaskEdit {

CreditBox::CreditBox(QWidget* parent) : QDialog(parent) {
    auto* credits = new QLabel(CreditText(), this);
    credits->setObjectName("creditLabel");
    credits->setTextFormat(Qt::PlainText);
    credits->move(16, 16);
    credits->adjustSize();
    // The box grows with its text where the font needs more room; the button stays below.
    const int width = std::max(344, credits->geometry().right() + 16);
    const int height = std::max(234, credits->geometry().bottom() + 16 + 35);
    SetUpToolBox(this, "CreditBox", QSize(width, height));
    AddCloseButton(this, QPoint((width - 75) / 2, height - 35));
}

QString CreditBox::CreditText() {
    return QStringLiteral("Thanks to...\n"
                          "\n - the modding community of Vask for mapping the info format"
                          "\n\n - the authors of the game's resource tool"
                          "\n\n - everyone who tested the early versions"
                          "\n\n - everyone who reported a fault");
}

} // namespace VaskEdit
