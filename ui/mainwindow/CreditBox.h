// "About" > "Credits": who the program owes thanks to.
#pragma once

#include <QDialog>

namespace VaskEdit {

class CreditBox : public QDialog {
    Q_OBJECT

public:
    explicit CreditBox(QWidget* parent = nullptr);

    static QString CreditText();
};

} // namespace VaskEdit
