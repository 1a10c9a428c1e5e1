// The info editor's entries: a tab each for the commands, conditions and required perks
// with a strip of buttons above a read-only grid, and the side lists of the conditions
// and perks. The grids show the working copy's lists; what the buttons and clicks ask
// for is done by the window.
#pragma once

#include "info/WorkingCopy.h"
#include "ui/infoeditor/EntryTableModel.h"

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QPushButton;
class QTabWidget;
class QTableView;
class QWidget;

namespace VaskEdit {

class EntryGrids : public QObject {
    Q_OBJECT

public:
    struct Hooks {
        // What the commands grid's Text column shows for a command.
        std::function<std::string(const InfoCommandRef&)> commandText;
        // A button of the window's (the window keeps the list of what it made).
        std::function<QPushButton*(const QString&)> makeButton;
        // Whether rows may be dragged, and moving a row of a tab's list.
        std::function<bool()> editable;
        std::function<bool(int tab, int from, int to)> moveRow;
    };

    // copy: the working copy, read whenever a grid is rebuilt.
    EntryGrids(const InfoRef& copy, const Hooks& hooks, QObject* parent);

    QTabWidget* Tabs() const { return tabs; }
    // The side lists, for the window to place beside the tabs.
    QWidget* SideLists() const { return side; }
    QTableView* Grid(int tab) const { return grids[static_cast<std::size_t>(tab)]; }
    const std::vector<QTableView*>& Grids() const { return grids; }
    QTableView* ConditionList() const { return conditionList; }
    QTableView* PerkList() const { return perkList; }

    void SetEditable(bool editable);
    void RebuildCommands();
    void RebuildConditions(); // and the conditions' side list
    void RebuildPerks();      // and the perks' side list

signals:
    // A strip button of the shown tab (the tab is made current first).
    void addRequested();
    void editRequested();
    void deleteRequested();
    void moveRequested(int delta);
    void cellDoubleClicked();
    void cellClicked(int tab, int row);

private:
    std::function<std::string(const InfoCommandRef&)> commandText;
    QTabWidget* tabs = nullptr;
    QWidget* side = nullptr;
    std::vector<QTableView*> grids;
    std::vector<EntryTableModel*> gridModels;
    QTableView* conditionList = nullptr;
    QTableView* perkList = nullptr;
    EntryTableModel* conditionListModel = nullptr;
    EntryTableModel* perkListModel = nullptr;
    std::vector<QPushButton*> stripButtons;
};

} // namespace VaskEdit
