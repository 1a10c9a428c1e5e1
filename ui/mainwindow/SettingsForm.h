// The settings dialog: the resource tool's path and the help program, kept in memory by
// Settings and stored in the settings file through FileManager; and the user's spelling
// dictionary, among those installed.
#pragma once

#include "ui/dialogs/KeyFirstDialog.h"

class QComboBox;
class QLineEdit;

namespace VaskEdit {

class SettingsForm : public KeyFirstDialog {
    Q_OBJECT

public:
    explicit SettingsForm(QWidget* parent = nullptr);

    // Takes both texts into the settings, stores them and closes with OK; a failed
    // store is reported and the settings stay changed in memory.
    void Save();
    void Cancel();

protected:
    bool HandleKey(QKeyEvent& event) override;

private:
    QLineEdit* pathBox;
    QLineEdit* helpBox;
    QComboBox* dictionaryList;
};

} // namespace VaskEdit
