#include "ui/SettingsForm.h"

#include "tools/Settings.h"
#include "ui/DialogKeys.h"
#include "ui/DialogLook.h"
#include "ui/Messages.h"
#include "ui/SystemString.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace VaskEdit {

SettingsForm::SettingsForm(QWidget* parent) : KeyFirstDialog(parent) {
    setWindowTitle("Settings");
    setFixedSize(424, 320);

    auto* tabs = new QTabWidget(this);
    tabs->setGeometry(8, 8, 408, 304);
    auto* panel = new QWidget;
    PaintPanel(panel, Silver);
    tabs->addTab(panel, "General");

    auto* pathLabel = new QLabel("Path to VaskResourceManager (vaskresman.exe)", panel);
    pathLabel->move(12, 16);
    pathBox = new QLineEdit(panel);
    pathBox->setObjectName("pathBox");
    pathBox->setGeometry(12, 36, 368, 22);
    // Each box takes no more than "Settings.ini" keeps of it (a terminated text).
    pathBox->setMaxLength(int(decltype(WriteSettingsStruct::ResourceToolPath)::Capacity) - 1);

    auto* helpLabel = new QLabel("Show Help with:", panel);
    helpLabel->move(12, 76);
    helpBox = new QLineEdit(panel);
    helpBox->setObjectName("helpBox");
    helpBox->setGeometry(12, 96, 197, 22);
    helpBox->setMaxLength(int(decltype(WriteSettingsStruct::HelpProgram)::Capacity) - 1);
    auto* hint = new QLabel("e.g. \"firefox.exe\"", panel);
    hint->setTextFormat(Qt::PlainText);
    hint->move(220, 99);

    auto* save = NewButton("Save", panel);
    save->setObjectName("saveButton");
    save->move(220, 230);
    auto* cancel = NewButton("Cancel", panel);
    cancel->setObjectName("cancelButton");
    cancel->move(305, 230);
    connect(save, &QPushButton::clicked, this, &SettingsForm::Save);
    connect(cancel, &QPushButton::clicked, this, &SettingsForm::Cancel);

    pathBox->setText(FromSystemString(Settings::path_vaskresman));
    helpBox->setText(FromSystemString(Settings::exe_showhelp));
}

void SettingsForm::Save() {
    Settings::path_vaskresman = ToSystemString(pathBox->text());
    Settings::exe_showhelp = ToSystemString(helpBox->text());

    WriteSettingsStruct stored;
    Settings::GetPath_Vaskresman(stored.ResourceToolPath.data, sizeof stored.ResourceToolPath.data);
    Settings::GetExe_Showhelp(stored.HelpProgram.data, sizeof stored.HelpProgram.data);
    if (!FileManager::WriteSettings(stored))
        ShowMessage(this, "Error", "Failed to save settings!\n" + LastFailureText());
    accept();
}

void SettingsForm::Cancel() {
    reject();
}

bool SettingsForm::HandleKey(QKeyEvent& event) {
    if (DialogKeys::IsPlainEscape(event)) {
        Cancel();
        return true;
    }
    if (DialogKeys::IsCtrlS(event)) {
        Save();
        return true;
    }
    return false;
}

} // namespace VaskEdit
