// Picks an entity template: its name and GUID side by side, kept together through the
// template library, with suggestions for a part of a name. Read-only when opened without
// editing rights; it then changes neither box.
#pragma once

#include "ui/dialogs/KeyFirstDialog.h"

class QLineEdit;
class QPushButton;

namespace VaskEdit {

class TemplateBox : public KeyFirstDialog {
    Q_OBJECT

public:
    explicit TemplateBox(bool editable, QWidget* parent = nullptr);
    // An empty or blank name is looked up from the GUID and the other way round; both
    // given, both are shown as they are.
    TemplateBox(const QString& name, const QString& guid, bool editable, QWidget* parent = nullptr);

    // The boxes' texts as they stand; an untouched GUID box gives an empty text.
    QString GetName() const;
    QString GetGUID() const;
    bool IsReadOnly() const { return readOnly; }

    // Offers the templates whose names contain the name box's text and takes the one the
    // user picks. Nothing happens when the dialog is read-only.
    void ShowSuggestions();

    void done(int result) override;

protected:
    bool HandleKey(QKeyEvent& event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TakeNameFromGuid();
    void TakeGuidFromName();
    void ShowGuid(const QString& guid);

    bool readOnly;
    // Set while the dialog closes: the box losing the focus then is no edit.
    bool closing = false;
    QLineEdit* nameBox;
    QLineEdit* guidBox;
    QPushButton* suggestButton;
};

} // namespace VaskEdit
