// The info editor's member controls: how each kind looks, where the groups place
// them, and how they show and give back the working copy's members.
#include "ui/infoeditor/InfoFieldsPanel.h"
#include "info/MemberTable.h"
#include "ui/common/NameCompletion.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/DialogLook.h"
#include "ui/entrydialogs/MaskedBox.h"
#include "ui/entrydialogs/ReadableCharacters.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

#include <algorithm>

namespace VaskEdit {

namespace {
// Number fields hold 8-character members: a sign or digit, a digit and six more digits.
const QString NumberMask = "#9000000; ";

// Shows a member's text in its box (through the mask, if any) and lets the box refuse
// what the file would give back cut.
void ShowInBox(QWidget* control, const QString& mask, const std::string& text, int capacity) {
    auto* box = static_cast<QLineEdit*>(control);
    ShowMasked(box, mask, text, capacity);
    RefuseUnreadableCharacters(box, static_cast<std::size_t>(capacity));
}

// The width of a box that shows a whole GUID in its widest letters.
int WholeGuidWidth(const QLineEdit* box) {
    const QFontMetrics metrics = box->fontMetrics();
    int widest = 0;
    for (const QChar letter : QStringLiteral("0123456789ABCDEF"))
        widest = std::max(widest, metrics.horizontalAdvance(letter));
    // The box keeps two pixels on each side of its text, and one more for the cursor.
    constexpr int Gaps = 2 + 2 + 1;
    const QMargins margins = box->textMargins();
    const int text =
        32 * widest + metrics.horizontalAdvance("{----}") + margins.left() + margins.right() + Gaps;
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    return box->style()
        ->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(text, 0), box)
        .width();
}

} // namespace

InfoFieldsPanel::InfoFieldsPanel(QPushButton* openParent, QObject* parent) : QObject(parent) {
    for (const InfoMember& member : InfoMemberTable()) {
        if (member.field != FieldKind::None)
            fields.emplace_back(member);
    }
    // Each member's control, made where the layout places it.
    auto labeled = [this](std::string InfoMembers::*member) {
        for (auto& field : fields) {
            if (field.copy == member)
                return MakeControl(field);
        }
        return static_cast<QWidget*>(nullptr);
    };

    // Top strip: Owner and Partner beside the window's buttons.
    people = new QGridLayout;
    people->addWidget(new QLabel("Owner"), 0, 0);
    people->addWidget(labeled(&InfoMembers::Owner), 0, 1);
    people->addWidget(new QLabel("Partner"), 1, 0);
    people->addWidget(labeled(&InfoMembers::Partner), 1, 1);
    // Middle band: General, Type with GoldCost, Smalltalk.
    auto* general = new QGroupBox("General");
    auto* g = new QGridLayout(general);
    g->addWidget(new QLabel("InfoName"), 0, 0);
    g->addWidget(labeled(&InfoMembers::Name), 0, 1, 1, 3);
    g->addWidget(new QLabel("MainSortID"), 1, 0);
    g->addWidget(labeled(&InfoMembers::MainSortID), 1, 1);
    g->addWidget(new QLabel("SortID"), 1, 2);
    g->addWidget(labeled(&InfoMembers::SortID), 1, 3);
    g->addWidget(new QLabel("ParentInfo"), 2, 0);
    g->addWidget(labeled(&InfoMembers::Parent), 2, 1, 1, 2);
    g->addWidget(openParent, 2, 3);
    g->addWidget(labeled(&InfoMembers::ClearChildren), 3, 1);
    g->addWidget(labeled(&InfoMembers::Permanent), 3, 3);
    g->addWidget(new QLabel("StartChapter"), 4, 0);
    g->addWidget(labeled(&InfoMembers::StartChapter), 4, 1);
    g->addWidget(new QLabel("EndChapter"), 4, 2);
    g->addWidget(labeled(&InfoMembers::EndChapter), 4, 3);
    g->addWidget(new QLabel("Quest"), 5, 0);
    g->addWidget(labeled(&InfoMembers::Quest), 5, 1, 1, 3);

    auto* typeGroup = new QGroupBox("Type");
    auto* t = new QGridLayout(typeGroup);
    t->addWidget(new QLabel("ConditionType"), 0, 0);
    t->addWidget(labeled(&InfoMembers::ConditionType), 0, 1);
    t->addWidget(new QLabel("InfoType"), 1, 0);
    t->addWidget(labeled(&InfoMembers::InfoType), 1, 1);
    t->addWidget(new QLabel("GameModeType"), 2, 0);
    t->addWidget(labeled(&InfoMembers::GameModeType), 2, 1);
    auto* gold = new QGroupBox("GoldCost");
    auto* gc = new QGridLayout(gold);
    gc->addWidget(new QLabel("GoldCost"), 0, 0);
    gc->addWidget(labeled(&InfoMembers::GoldCost), 0, 1);
    // The GUID below its caption, at the group's whole width.
    gc->addWidget(new QLabel("GoldCostItem"), 1, 0, 1, 2);
    gc->addWidget(labeled(&InfoMembers::GoldCostItem), 2, 0, 1, 2);
    gc->addWidget(new QLabel("GoldCostScript"), 3, 0);
    gc->addWidget(labeled(&InfoMembers::GoldCostScript), 3, 1);
    auto* typeColumn = new QVBoxLayout;
    typeColumn->addWidget(typeGroup);
    typeColumn->addWidget(gold);

    auto* smalltalk = new QGroupBox("Smalltalk");
    auto* s = new QGridLayout(smalltalk);
    // One column of captions: the longest of them leaves no room for a second.
    s->addWidget(new QLabel("SmallTalkPartner"), 0, 0);
    s->addWidget(labeled(&InfoMembers::SmalltalkPartner), 0, 1, 1, 2);
    s->addWidget(new QLabel("ExitRoutineName"), 1, 0);
    s->addWidget(labeled(&InfoMembers::SmalltalkExitRoutineName), 1, 1, 1, 2);
    s->addWidget(new QLabel("PartnerExitRoutineName"), 2, 0);
    s->addWidget(labeled(&InfoMembers::SmalltalkPartnerExitRoutineName), 2, 1, 1, 2);
    s->addWidget(new QLabel("InnerRange"), 3, 0);
    s->addWidget(labeled(&InfoMembers::SmalltalkInnerRange), 3, 1);
    s->addWidget(new QLabel("OuterRange"), 4, 0);
    s->addWidget(labeled(&InfoMembers::SmalltalkOuterRange), 4, 1);
    s->addWidget(labeled(&InfoMembers::SmalltalkInnerRangeTestWithLOS), 5, 0);
    s->addWidget(labeled(&InfoMembers::SmalltalkRewind), 5, 1, 1, 2);
    auto* smalltalkColumn = new QVBoxLayout;
    smalltalkColumn->addWidget(smalltalk);
    smalltalkColumn->addWidget(labeled(&InfoMembers::InfoGiven));
    smalltalkColumn->addWidget(labeled(&InfoMembers::DialogPartnerAutoPositioningEnabled));

    band = new QHBoxLayout;
    band->addWidget(general);
    band->addLayout(typeColumn);
    band->addLayout(smalltalkColumn);
    nameBox = BoxOf(&InfoMembers::Name);
    ownerBox = BoxOf(&InfoMembers::Owner);
    parentBox = BoxOf(&InfoMembers::Parent);
    goldCostItemBox = BoxOf(&InfoMembers::GoldCostItem);
    NameCompletion& names = NameCompletion::Shared();
    names.Attach(parentBox, NameKind::Info);
    names.Attach(BoxOf(&InfoMembers::Quest), NameKind::Quest);
    names.Attach(ownerBox, NameKind::Person);
    names.Attach(BoxOf(&InfoMembers::Partner), NameKind::Person);
    names.Attach(BoxOf(&InfoMembers::SmalltalkPartner), NameKind::Person);
}

QWidget* InfoFieldsPanel::MakeControl(FieldControl& field) {
    switch (field.kind) {
    case FieldKind::Check:
        field.control = new QCheckBox(field.caption);
        break;
    case FieldKind::Choice: {
        auto* box = new QComboBox;
        for (const std::string_view name : field.member.choices->names)
            box->addItem(FromSystemString(name));
        box->setEditable(false);
        // Every choice is shown whole: the longest sets the box's width.
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        field.control = box;
        break;
    }
    default: {
        auto* box = new QLineEdit;
        box->setMaxLength(field.capacity);
        box->setMinimumWidth(60); // the bands share the window's width
        if (field.kind == FieldKind::Text) {
            PaintBox(box, PaleYellow);
            RefuseUnreadableCharacters(box, static_cast<std::size_t>(field.capacity));
        } else if (field.kind == FieldKind::Number) {
            PaintBox(box, PaleGreen);
            box->setInputMask(NumberMask);
            connect(box, &QLineEdit::inputRejected, qApp, &QApplication::beep);
        } else {
            PaintBox(box, PaleBlue);
            box->setInputMask(GuidInputMask);
            box->setMinimumWidth(WholeGuidWidth(box));
            // Its clicks and focus reach the filter on the window's widgets: a filter of
            // its own as well would open the template box twice.
            connect(box, &QLineEdit::inputRejected, qApp, &QApplication::beep);
        }
        field.control = box;
    }
    }
    field.control->setObjectName(field.caption);
    // Only what the user does becomes an undo step, not what the program shows.
    const std::size_t index = static_cast<std::size_t>(&field - fields.data());
    const auto edited = [this, index] { emit this->edited(index); };
    if (auto* box = qobject_cast<QLineEdit*>(field.control))
        connect(box, &QLineEdit::textEdited, this, edited);
    else if (auto* check = qobject_cast<QCheckBox*>(field.control))
        connect(check, &QCheckBox::clicked, this, edited);
    else if (auto* choice = qobject_cast<QComboBox*>(field.control))
        connect(choice, &QComboBox::activated, this, edited);
    return field.control;
}

QWidget* InfoFieldsPanel::Control(const InfoMember& member) const {
    for (const auto& field : fields) {
        if (&field.member == &member)
            return field.control;
    }
    return nullptr;
}

QWidget* InfoFieldsPanel::Control(std::size_t field) const {
    return fields[field].control;
}

int InfoFieldsPanel::FieldAt(const QWidget* widget) const {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        QWidget* control = fields[i].control;
        if (widget && (control == widget || control->isAncestorOf(widget)))
            return static_cast<int>(i);
    }
    return -1;
}

std::string InfoFieldsPanel::StoredText(std::size_t field, const InfoMembers& copy) const {
    return StoredText(fields[field], copy);
}

void InfoFieldsPanel::Focus(const InfoMember& member) {
    for (auto& field : fields) {
        if (&field.member == &member) {
            field.control->setFocus(Qt::OtherFocusReason);
            if (auto* box = qobject_cast<QLineEdit*>(field.control))
                box->selectAll();
        }
    }
}

void InfoFieldsPanel::SetEditable(bool editable) {
    for (auto& field : fields) {
        if (auto* box = qobject_cast<QLineEdit*>(field.control))
            box->setReadOnly(!editable);
        else
            field.control->setEnabled(editable);
    }
}

void InfoFieldsPanel::FillEmptyNumbers(InfoMembers& copy) const {
    for (const auto& field : fields) {
        std::string& text = copy.*field.copy;
        if (field.kind == FieldKind::Number &&
            text.find_first_of("0123456789") == std::string::npos)
            text = ToSystemString(field.initial);
    }
}

QLineEdit* InfoFieldsPanel::BoxOf(std::string InfoMembers::*member) const {
    for (const auto& field : fields) {
        if (field.copy == member)
            return qobject_cast<QLineEdit*>(field.control);
    }
    return nullptr;
}

void InfoFieldsPanel::Load(const InfoMembers& copy) {
    for (auto& field : fields) {
        field.loaded = copy.*field.copy;
        field.loadedChecked = field.loaded == "True";
    }
    Show(copy);
}

void InfoFieldsPanel::Show(const InfoMembers& copy) {
    for (auto& field : fields) {
        const std::string& text = copy.*field.copy;
        switch (field.kind) {
        case FieldKind::Check:
            static_cast<QCheckBox*>(field.control)->setChecked(text == "True");
            break;
        case FieldKind::Choice: {
            auto* box = static_cast<QComboBox*>(field.control);
            const QString shown = FromSystemString(text);
            // A stored value that is none of the choices is shown as it is, as an extra
            // entry, and saved unchanged unless the user picks another.
            if (box->findText(shown) < 0)
                box->insertItem(0, shown);
            box->setCurrentIndex(box->findText(shown));
            break;
        }
        case FieldKind::Text:
            ShowInBox(field.control, QString(), text, field.capacity);
            break;
        case FieldKind::Number:
            ShowInBox(field.control, NumberMask, text, field.capacity);
            break;
        case FieldKind::Guid:
            ShowInBox(field.control, GuidInputMask, text, field.capacity);
            break;
        case FieldKind::None:
            break;
        }
    }
}

void InfoFieldsPanel::Store(InfoMembers& copy) const {
    for (const auto& field : fields)
        copy.*field.copy = StoredText(field, copy);
}

std::string InfoFieldsPanel::StoredText(const FieldControl& field, const InfoMembers& copy) const {
    switch (field.kind) {
    case FieldKind::Check: {
        const bool checked = static_cast<QCheckBox*>(field.control)->isChecked();
        // An untouched box keeps the text it was loaded from, whatever it was.
        return checked == field.loadedChecked && !field.loaded.empty()
                   ? field.loaded
                   : (checked ? "True" : "False");
    }
    case FieldKind::Choice:
        return ToSystemString(static_cast<QComboBox*>(field.control)->currentText(),
                              static_cast<std::size_t>(field.capacity) + 1);
    case FieldKind::Text:
        return ToSystemString(static_cast<QLineEdit*>(field.control)->text(),
                              static_cast<std::size_t>(field.capacity) + 1);
    case FieldKind::Number:
    case FieldKind::Guid:
        return BoxBytes(static_cast<QLineEdit*>(field.control));
    case FieldKind::None:
        break;
    }
    return copy.*field.copy;
}

void InfoFieldsPanel::Clear() {
    for (auto& field : fields) {
        field.loaded.clear();
        switch (field.kind) {
        case FieldKind::Check:
            // Check boxes keep their state; what they show counts as loaded.
            field.loadedChecked = static_cast<QCheckBox*>(field.control)->isChecked();
            break;
        case FieldKind::Choice: {
            auto* box = static_cast<QComboBox*>(field.control);
            box->setCurrentIndex(box->findText(field.initial));
            break;
        }
        case FieldKind::Text:
            ShowInBox(field.control, QString(), std::string(), field.capacity);
            break;
        case FieldKind::Number:
            ShowInBox(field.control, NumberMask, ToSystemString(field.initial), field.capacity);
            break;
        case FieldKind::Guid:
            ShowInBox(field.control, GuidInputMask, ToSystemString(field.initial), field.capacity);
            break;
        case FieldKind::None:
            break;
        }
    }
}

} // namespace VaskEdit
