// "About" > "Info": the program's name and version.
#pragma once

#include <QDialog>

namespace VaskEdit {

class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);
};

} // namespace VaskEdit
