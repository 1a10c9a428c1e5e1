// Reading the rows of the command, condition and perk dialogs in tests.
#pragma once

#include "ui/ParameterForm.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>

namespace VaskUiTest {

inline QLineEdit* RowBox(VaskEdit::ParameterForm& form, int number) {
    return form.findChild<QLineEdit*>(QString("rowBox%1").arg(number));
}
inline QComboBox* RowList(VaskEdit::ParameterForm& form, int number) {
    return form.findChild<QComboBox*>(QString("rowList%1").arg(number));
}
inline QLabel* RowName(VaskEdit::ParameterForm& form, int number) {
    return form.findChild<QLabel*>(QString("rowName%1").arg(number));
}
inline QLabel* RowType(VaskEdit::ParameterForm& form, int number) {
    return form.findChild<QLabel*>(QString("rowType%1").arg(number));
}
inline QComboBox* TypeList(VaskEdit::ParameterForm& form) {
    return form.findChild<QComboBox*>("typeList");
}
inline QPushButton* SaveButton(VaskEdit::ParameterForm& form) {
    return form.findChild<QPushButton*>("saveButton");
}
inline QPushButton* CancelButton(VaskEdit::ParameterForm& form) {
    return form.findChild<QPushButton*>("cancelButton");
}
inline QString Description(VaskEdit::ParameterForm& form) {
    return form.findChild<QLabel*>("description")->text();
}
// Why "Save" is off, shown below the buttons.
inline QLabel* RefusalLabel(VaskEdit::ParameterForm& form) {
    return form.findChild<QLabel*>("refusalLabel");
}
inline QWidget* PropertiesPanel(VaskEdit::ParameterForm& form) {
    return form.findChild<QScrollArea*>("propertiesPanel");
}

// How many rows the user sees (the panel scrolls beyond eight).
inline int VisibleRows(VaskEdit::ParameterForm& form) {
    int visible = 0;
    for (int number = 1; RowName(form, number); ++number) {
        if (RowName(form, number)->isVisibleTo(&form))
            ++visible;
    }
    return visible;
}

// Chooses an entry of the type list as the user does from its drop-down.
inline void ChooseType(VaskEdit::ParameterForm& form, const QString& entry) {
    QComboBox* list = TypeList(form);
    list->setCurrentIndex(list->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

} // namespace VaskUiTest
