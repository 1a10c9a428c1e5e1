// Picks one row of a one-column list. Accepting without a selected row is refused with a
// message and the dialog stays open.
#pragma once

#include "ui/dialogs/KeyFirstDialog.h"

#include <QStringList>

class QLabel;
class QTableWidget;

namespace VaskEdit {

class ListSelectBox : public KeyFirstDialog {
    Q_OBJECT

public:
    explicit ListSelectBox(QWidget* parent = nullptr);
    // caption: the window title; topic: the bold label above the list.
    ListSelectBox(const QString& caption, const QString& topic, QWidget* parent = nullptr);

    // Adds a column with the header, 300 wide, and one row per item in order.
    void SetColumn(const QString& header, const QStringList& items);

    // The accepted row: 0 and an empty text until a row is accepted.
    int GetSelectedIndex() const { return selectedIndex; }
    QString GetSelectedItem() const { return selectedItem; }

    // "OK": takes the first selected row and closes with Accepted, or shows
    // "No selected item!" and stays open.
    void AcceptSelection();

protected:
    bool HandleKey(QKeyEvent& event) override;

private:
    QLabel* topicLabel;
    QTableWidget* list;
    QStringList itemCollection;
    int selectedIndex = 0;
    QString selectedItem;
};

} // namespace VaskEdit
