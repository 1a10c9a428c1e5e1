// Previous Info and Next Info: the window steps through the list it was opened from. The
// info shown now is saved or discarded as closing the window would ask, and the next one
// opens in its place, in the same mode.
#include "engine/File.h"
#include "info/InfoFileName.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/Messages.h"
#include "ui/infoeditor/InfoForm.h"
#include "ui/infoeditor/InfoOpening.h"

#include <QStatusBar>

namespace VaskEdit {

void InfoForm::SetWalk(const InfoWalk& list) {
    walk = list;
    previousAction->setEnabled(!walk.NameAt(-1).empty());
    nextAction->setEnabled(!walk.NameAt(1).empty());
    UpdateTitle();
}

InfoForm* InfoForm::StepInfo(int delta) {
    const std::string name = walk.NameAt(delta);
    if (name.empty()) {
        statusBar()->showMessage(walk.Valid() ? (delta < 0 ? "This is the first info of the list."
                                                           : "This is the last info of the list.")
                                              : "This window was not opened from a list.",
                                 4000);
        return nullptr;
    }
    // Whether the next info can be read is known before this one is given up.
    const TesselEngine::Char48 fileName(name);
    if (!TesselEngine::WinAPI::File(InfoFilePath(fileName)).Exists()) {
        ShowMessage(this, "InfoManager",
                    "Error: File \n<" + FromSystemString(name) + ">\n not found!");
        return nullptr;
    }
    const InfoWalk next = walk.Stepped(delta);
    const bool editing = editMode == InfoFormEditMode::Edit;
    const QRect place = geometry();
    const bool maximized = isMaximized();
    QPointer<ReferenceService> service = references;
    if (!CloseAskingToSave(delta < 0 ? "the previous info is to be shown"
                                     : "the next info is to be shown"))
        return nullptr;
    InfoForm* form = OpenInfoByName(nullptr, FromSystemString(name));
    if (!form)
        return nullptr;
    form->setGeometry(place);
    if (maximized)
        form->showMaximized();
    form->SetReferences(service);
    form->SetWalk(next);
    if (editing)
        form->EditInfo();
    form->activateWindow();
    return form;
}

} // namespace VaskEdit
