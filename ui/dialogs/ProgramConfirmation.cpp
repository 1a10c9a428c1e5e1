#include "ui/dialogs/ProgramConfirmation.h"

#include "engine/Failure.h"
#include "tools/Settings.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/DialogResult.h"
#include "ui/dialogs/Messages.h"

#include <QFile>

namespace VaskEdit {

bool ConfirmProgram(QWidget* parent, const ProgramCheck& check, const QString& role) {
    if (check.verdict != ProgramCheck::Verdict::Unconfirmed)
        return true;
    const QString path = QFile::decodeName(QByteArray::fromStdString(check.identity.path));
    const QString question = "The workspace's \"Settings.ini\" names this program as the " + role +
                             ":\n<" + path +
                             ">\nA program from a shared folder can do anything on your "
                             "computer.\nStart it now and from now on?";
    if (Ask(parent, "Caution", question) != DialogResult::Yes)
        return false;
    if (!TrustedPrograms::Confirm(check.identity)) {
        ShowMessage(parent, "Error", "Your answer could not be remembered.\n" + LastFailureText());
        return false;
    }
    return true;
}

void ShowHelpPage(QWidget* parent, VaskEdit_Helppage page) {
    if (!ConfirmProgram(parent, HelpManager::CheckProgram(), "help program"))
        return;
    TesselEngine::ClearFailure();
    if (HelpManager::ShowHelp(page))
        return;
    QString text = "The help program \"" + FromSystemString(Settings::exe_showhelp) +
                   "\" could not be started.";
    if (TesselEngine::LastFailure().IsSet())
        text += "\n" + LastFailureText();
    ShowMessage(parent, "Error", text);
}

} // namespace VaskEdit
