// A modal dialog that sees every key press before its controls do, and opens centred on
// the screen. The dialogs of the editor answer Escape, Ctrl+S and the read-only keys
// themselves, whichever control has the focus.
#pragma once

#include <QDialog>

class QKeyEvent;

namespace VaskEdit {

class KeyFirstDialog : public QDialog {
    Q_OBJECT

public:
    explicit KeyFirstDialog(QWidget* parent = nullptr);

protected:
    // True when the dialog has dealt with the key and the control must not see it.
    virtual bool HandleKey(QKeyEvent& event) = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void childEvent(QChildEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Watch(QObject* object);
    bool IsOwnControl(QObject* object) const;

    bool centred = false;
};

} // namespace VaskEdit
