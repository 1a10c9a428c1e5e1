#include "ui/mainwindow/SettingsForm.h"

#include "tools/Settings.h"
#include "ui/common/SpellService.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/DialogKeys.h"
#include "ui/dialogs/DialogLook.h"
#include "ui/dialogs/Messages.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>

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

    auto* dictionaryLabel = new QLabel("Spelling dictionary:", panel);
    dictionaryLabel->move(12, 136);
    dictionaryList = new QComboBox(panel);
    dictionaryList->setObjectName("dictionaryList");
    dictionaryList->setGeometry(12, 156, 197, 22);
    const QStringList dictionaries = SpellService::InstalledDictionaries();
    if (!SpellService::Available() || dictionaries.isEmpty()) {
        dictionaryList->addItem(SpellService::Available() ? "No dictionary is installed"
                                                          : Spelling::NotAvailableText);
        dictionaryList->setEnabled(false);
        dictionaryList->setGeometry(12, 156, 368, 22);
    } else {
        dictionaryList->addItems(dictionaries);
        dictionaryList->setCurrentText(SpellService::Shared().ChosenDictionary());
    }

    auto* save = NewButton("Save", panel);
    save->setObjectName("saveButton");
    save->move(220, 230);
    auto* cancel = NewButton("Cancel", panel);
    cancel->setObjectName("cancelButton");
    cancel->move(305, 230);
    connect(save, &QPushButton::clicked, this, &SettingsForm::Save);
    connect(cancel, &QPushButton::clicked, this, &SettingsForm::Cancel);

    // A longer value read from a workspace's file is shown whole, not cut by the box:
    // saved cut, it would name another program.
    const QString path = FromSystemString(Settings::path_vaskresman);
    const QString help = FromSystemString(Settings::exe_showhelp);
    pathBox->setMaxLength(std::max(pathBox->maxLength(), int(path.size())));
    helpBox->setMaxLength(std::max(helpBox->maxLength(), int(help.size())));
    pathBox->setText(path);
    helpBox->setText(help);
}

void SettingsForm::Save() {
    const std::string path = ToSystemString(pathBox->text());
    const std::string help = ToSystemString(helpBox->text());
    if (path.size() > Settings::PathCapacity || help.size() > Settings::HelpCapacity) {
        const bool pathTooLong = path.size() > Settings::PathCapacity;
        ShowMessage(
            this, "Caution!",
            QString(pathTooLong ? "The path to VaskResourceManager" : "The help program") +
                " is longer than " +
                QString::number(pathTooLong ? Settings::PathCapacity : Settings::HelpCapacity) +
                " characters.\nPlease shorten it.");
        return; // the dialog stays open with the settings as they were
    }
    Settings::path_vaskresman = path;
    Settings::exe_showhelp = help;
    if (dictionaryList->isEnabled() &&
        dictionaryList->currentText() != SpellService::Shared().ChosenDictionary())
        SpellService::Shared().ChooseDictionary(dictionaryList->currentText());
    if (!FileManager::SaveSettings())
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
