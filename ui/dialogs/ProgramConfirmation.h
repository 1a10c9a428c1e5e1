// The question before the editor starts a program that a workspace's settings name and
// the user has not confirmed yet: a shared folder must not run its own programs unasked.
#pragma once

#include "tools/ExternalTools.h"

#include <QString>

class QWidget;

namespace VaskEdit {

// Asks about an unconfirmed program and remembers a Yes. True when the program may be
// started (or its start will say why not); false when the user said No or the answer
// could not be remembered (then said so).
bool ConfirmProgram(QWidget* parent, const ProgramCheck& check, const QString& role);

// The help page shown by the help program, after the question where one is due; a
// failed start is reported.
void ShowHelpPage(QWidget* parent, VaskEdit_Helppage page);

} // namespace VaskEdit
