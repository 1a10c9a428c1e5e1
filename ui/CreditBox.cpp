#include "ui/CreditBox.h"

#include "ui/ToolBoxFrame.h"

#include <QLabel>

namespace VaskEdit {

CreditBox::CreditBox(QWidget* parent) : QDialog(parent) {
    SetUpToolBox(this, "CreditBox", QSize(344, 234));
    auto* credits = new QLabel(CreditText(), this);
    credits->setObjectName("creditLabel");
    credits->setTextFormat(Qt::PlainText);
    credits->move(16, 16);
    credits->adjustSize();
    AddCloseButton(this, QPoint(134, 199));
}

QString CreditBox::CreditText() {
    return QStringLiteral("Thanks to...\n"
                          "\n - the modding community of Vask for mapping the info format"
                          "\n\n - the authors of the game's resource tool"
                          "\n\n - everyone who tested the early versions"
                          "\n\n - everyone who reported a fault");
}

} // namespace VaskEdit
