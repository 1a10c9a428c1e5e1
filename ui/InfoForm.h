// The info editor window: one info's members, its required perks, commands and
// conditions, shown from a working copy and saved as a new record to its file.
#pragma once

#include "info/WorkingCopy.h"
#include "ui/EntryTableModel.h"

#include <QMainWindow>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;

namespace VaskEdit {

enum InfoFormEditMode { View = 0, New = 1, Copy = 2, Edit = 3 };

class InfoForm : public QMainWindow {
    Q_OBJECT

public:
    explicit InfoForm(QWidget* parent = nullptr);
    ~InfoForm() override;

    void InfoEditor_OnOpen(std::uint32_t index, int mode);
    void SetInfoEditMode(int mode);
    void InfoEditor_ClearGUI();
    void RebuildCommandGridView();
    void RebuildConditionGridView();
    void RebuildPerkGridView();

    // The buttons and menu entries.
    void Save();
    void Cancel();
    void EditInfo();
    void CopyInfo();
    void NewInfo();
    void OpenParent();
    void PickGoldCostItem();
    void AddEntry();
    void EditEntry();
    void DeleteEntry();

    int EditMode() const { return editMode; }
    const InfoRef& InfoData() const { return infoData; }
    // For tests: a field's control by its caption, the grids and tabs.
    QWidget* Field(const QString& caption) const;
    QTableView* Grid(int tab) const { return grids[static_cast<std::size_t>(tab)]; }
    QTableView* ConditionList() const { return conditionList; }
    QTableView* PerkList() const { return perkList; }
    QTabWidget* Tabs() const { return tabs; }
    QPushButton* Button(const QString& caption) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Kind { Text, Number, Guid, Choice, Check };
    struct FieldControl {
        FieldControl(QString caption, Kind kind, std::string InfoRef::*member, QString initial,
                     int capacity)
            : caption(std::move(caption)), kind(kind), member(member), initial(std::move(initial)),
              capacity(capacity) {}
        QString caption;
        Kind kind;
        std::string InfoRef::*member;
        QString initial; // what clearing puts in; empty for check boxes
        int capacity;
        QWidget* control = nullptr;
        std::string loaded; // the text shown at loading, kept when a check box is untouched
        bool loadedChecked = false;
    };

    void BuildLayout();
    QWidget* MakeControl(FieldControl& field, const QStringList& choices = {});
    void LoadFields();
    void StoreFields();
    void ApplyEditability();
    bool HandleKey(QKeyEvent& key);
    // The dialog of the selected tab on the entry at row (a new entry when row is -1).
    bool OpenEntryDialog(int tab, int row, int mode);
    void RebuildAll();
    int SelectedRow(int tab) const;
    bool Editable() const;
    void UnloadOnClose();

    InfoRef infoData;
    int editMode = View;
    bool unloaded = false;
    std::vector<FieldControl> fields;
    QTabWidget* tabs = nullptr;
    std::vector<QTableView*> grids;
    std::vector<EntryTableModel*> gridModels;
    QTableView* conditionList = nullptr;
    QTableView* perkList = nullptr;
    EntryTableModel* conditionListModel = nullptr;
    EntryTableModel* perkListModel = nullptr;
    std::vector<QPushButton*> stripButtons;
    QPushButton* saveButton = nullptr;
    QPushButton* editButton = nullptr;
    QPushButton* newButton = nullptr;
    QPushButton* copyButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* openParentButton = nullptr;
    bool pickingItem = false;
};

} // namespace VaskEdit
