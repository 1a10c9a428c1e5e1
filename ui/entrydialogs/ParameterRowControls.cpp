#include "ui/entrydialogs/ParameterRowControls.h"

#include "ui/common/NameCompletion.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/DialogLook.h"
#include "ui/entrydialogs/MaskedBox.h"
#include "ui/entrydialogs/ReadableCharacters.h"
#include "ui/entrydialogs/RowKindLook.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace VaskEdit {

namespace {
constexpr int RowHeight = 55;
constexpr int FirstRowTop = 10;
constexpr int Left = 10;
constexpr int NameWidth = 120;
constexpr int TypeLeft = 135;
constexpr int TypeWidth = 290;
constexpr int ControlTop = 22;
constexpr int ControlHeight = 22;
} // namespace

ParameterRowControls::ParameterRowControls(QWidget* panel, int number) {
    const QString suffix = QString::number(number);
    const int top = FirstRowTop + (number - 1) * RowHeight;

    nameLabel = new QLabel(panel);
    nameLabel->setObjectName("rowName" + suffix);
    nameLabel->setTextFormat(Qt::PlainText);
    nameLabel->setGeometry(Left, top, NameWidth, 18);

    typeLabel = new QLabel(panel);
    typeLabel->setObjectName("rowType" + suffix);
    typeLabel->setTextFormat(Qt::PlainText);
    typeLabel->setGeometry(TypeLeft, top, TypeWidth, 18);

    box = new QLineEdit(panel);
    box->setObjectName("rowBox" + suffix);
    box->move(Left, top + ControlTop);
    QObject::connect(box, &QLineEdit::inputRejected, qApp, &QApplication::beep);

    list = new QComboBox(panel);
    list->setObjectName("rowList" + suffix);
    list->setEditable(false);
    list->move(Left, top + ControlTop);

    Clear();
}

void ParameterRowControls::Clear() {
    row = nullptr;
    original.reset();
    picksTemplate = false;
    nameLabel->clear();
    typeLabel->clear();
    NameCompletion::Shared().Attach(box, NameKind::None);
    box->setInputMask(QString());
    box->setValidator(nullptr);
    box->setToolTip(QString());
    box->clear();
    box->setPalette(QPalette());
    list->clear();
    SetRowVisible(false);
    box->hide();
    list->hide();
}

bool ParameterRowControls::UsesList() const {
    return row && LookOf(row->kind).usesList;
}

int ParameterRowControls::MaxLength() const {
    return row ? static_cast<int>(SlotCapacity(row->slot)) : 0;
}

void ParameterRowControls::SetUp(const Parameter& schemaRow, bool picker) {
    Clear();
    row = &schemaRow;
    picksTemplate = picker && row->kind == RowKind::TemplateId;
    const RowKindLook& look = LookOf(row->kind);

    nameLabel->setText(FromSystemString(row->label));
    typeLabel->setText(FromSystemString(row->typeTag));
    if (UsesList()) {
        for (const std::string_view name : row->choices->names)
            list->addItem(FromSystemString(name));
        // A new entry starts on the first choice: an empty one is no value of the game's.
        list->setCurrentIndex(ChoiceIndex(*row, InitialRowText(*row)));
        list->resize(look.width, ControlHeight);
    } else {
        box->resize(look.width, ControlHeight);
        if (look.background)
            PaintBox(box, *look.background);
        box->setReadOnly(look.startsReadOnly);
        ShowBoxText(InitialRowText(*row));
        NameCompletion::Shared().Attach(box, NameKindOf(*row));
    }
    SetRowVisible(true);
}

void ParameterRowControls::Show(const RowValue& value) {
    if (!row)
        return;
    original = value.original;
    if (!UsesList()) {
        ShowBoxText(value.text);
        return;
    }
    const int index = ChoiceIndex(*row, value.text);
    if (index >= 0) {
        list->setCurrentIndex(index);
    } else if (value.text.empty()) {
        list->setCurrentIndex(-1);
    } else {
        list->addItem(FromSystemString(value.text));
        list->setCurrentIndex(list->count() - 1);
    }
}

RowValue ParameterRowControls::Value() const {
    RowValue value;
    value.original = original;
    if (UsesList())
        value.text = list->currentIndex() < 0 ? std::string() : ToSystemString(list->currentText());
    else
        value.text = BoxBytes(box);
    return value;
}

void ParameterRowControls::SetRowVisible(bool visible) {
    const bool shown = visible && row != nullptr;
    nameLabel->setVisible(shown);
    typeLabel->setVisible(shown);
    box->setVisible(shown && !UsesList());
    list->setVisible(shown && UsesList());
}

void ParameterRowControls::SetEditable(bool editable) {
    list->setEnabled(editable);
    box->setReadOnly(!editable);
}

void ParameterRowControls::TakeTemplateId(const QString& guid) {
    if (row)
        ShowBoxText(ToSystemString(guid));
}

void ParameterRowControls::ShowBoxText(const std::string& text) {
    const std::size_t capacity = SlotCapacity(row->slot);
    ShowMasked(box, QtInputMask(row->kind, capacity), text, MaxLength());
    RefuseUnreadableCharacters(box, capacity);
}

} // namespace VaskEdit
