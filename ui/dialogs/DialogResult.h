// The answers with which the standard dialogs close. OK and Cancel are Qt's Accepted
// and Rejected; closing a dialog through its window's close control gives Cancel, which
// is neither Yes nor No.
#pragma once

#include <QDialog>

namespace VaskEdit::DialogResult {

inline constexpr int Cancel = QDialog::Rejected;
inline constexpr int OK = QDialog::Accepted;
inline constexpr int Yes = 6;
inline constexpr int No = 7;

} // namespace VaskEdit::DialogResult
