// The controls of the info's own members, one per member of the member table that the
// editor shows: made and laid out in their groups, and read from and written to the
// working copy's members.
#pragma once

#include "info/MemberTable.h"

#include <QObject>
#include <QString>
#include <string>
#include <vector>

class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace VaskEdit {

class InfoFieldsPanel : public QObject {
    Q_OBJECT

public:
    // openParent: the window's "Open" button, placed beside "ParentInfo".
    InfoFieldsPanel(QPushButton* openParent, QObject* parent);

    // Owner and Partner, for the window's top strip; the band of the groups below it.
    QGridLayout* People() const { return people; }
    QHBoxLayout* Band() const { return band; }

    // The shown members: Load also takes them as what the info held when it was read
    // (an untouched check box saves that text again).
    void Load(const InfoMembers& copy);
    void Show(const InfoMembers& copy);
    void Store(InfoMembers& copy) const;
    // Every control to its default; check boxes keep their state.
    void Clear();
    void SetEditable(bool editable);
    // An emptied number box saves the number a new info starts with.
    void FillEmptyNumbers(InfoMembers& copy) const;

    std::size_t Count() const { return fields.size(); }
    QWidget* Control(std::size_t field) const;
    QWidget* Control(const InfoMember& member) const;
    const QString& Caption(std::size_t field) const { return fields[field].caption; }
    // The field whose control is widget or holds it; -1 for none.
    int FieldAt(const QWidget* widget) const;
    // What saving would take from the field's control.
    std::string StoredText(std::size_t field, const InfoMembers& copy) const;
    void Focus(const InfoMember& member);

    // The boxes the window's own logic reads.
    QLineEdit* NameBox() const { return nameBox; }
    QLineEdit* OwnerBox() const { return ownerBox; }
    QLineEdit* ParentBox() const { return parentBox; }
    QLineEdit* GoldCostItemBox() const { return goldCostItemBox; }

signals:
    // The user changed the field (not the program showing a text).
    void edited(std::size_t field);

private:
    // The control of one of the info's members, as the member table describes it.
    struct FieldControl {
        explicit FieldControl(const InfoMember& member)
            : member(member), caption(QString::fromLatin1(member.label)), kind(member.field),
              copy(member.copy), initial(QString::fromLatin1(member.fresh)),
              capacity(static_cast<int>(Capacity(member))) {}
        const InfoMember& member;
        QString caption;
        FieldKind kind;
        std::string InfoMembers::*copy;
        QString initial; // what clearing puts in; empty for check boxes
        int capacity;
        QWidget* control = nullptr;
        std::string loaded; // the text shown at loading, kept when a check box is untouched
        bool loadedChecked = false;
    };

    QWidget* MakeControl(FieldControl& field);
    // The text, number or GUID box of a member.
    QLineEdit* BoxOf(std::string InfoMembers::*member) const;
    std::string StoredText(const FieldControl& field, const InfoMembers& copy) const;

    std::vector<FieldControl> fields;
    QGridLayout* people = nullptr;
    QHBoxLayout* band = nullptr;
    QLineEdit* nameBox = nullptr;
    QLineEdit* ownerBox = nullptr;
    QLineEdit* parentBox = nullptr;
    QLineEdit* goldCostItemBox = nullptr;
};

} // namespace VaskEdit
