#include "ui/entrydialogs/ParameterForm.h"

#include "ui/common/SystemString.h"
#include "ui/common/WindowPlacement.h"
#include "ui/dialogs/DialogKeys.h"
#include "ui/dialogs/DialogLook.h"
#include "ui/dialogs/Messages.h"
#include "ui/entrydialogs/MaskedBox.h"
#include "ui/entrydialogs/ParameterRowControls.h"
#include "ui/entrydialogs/TemplateBox.h"

#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>

#include <algorithm>

namespace VaskEdit {

namespace {
constexpr int DialogWidth = 460;
constexpr int Left = 10;
constexpr int PanelWidth = 440;
constexpr int PanelTop = 120;
constexpr int BelowPanelGap = 6;
constexpr int RowHeight = 55;
constexpr int MostRowsInView = 8;
constexpr int EmptyHeight = 300;
constexpr int EmptyPanelHeight = 20;
constexpr int EmptyButtonTop = 150;
constexpr int CancelLeft = 150;
constexpr int SaveLeft = 300;
} // namespace

ParameterForm::ParameterForm(const QString& title, const QString& caption, int rowCount,
                             int pickerRowCount, EntryEditMode editMode, QWidget* parent)
    : KeyFirstDialog(parent), mode(editMode), pickerRows(pickerRowCount) {
    setWindowTitle(title);
    setModal(true);

    auto* header = new QWidget(this);
    header->setObjectName("headerPanel");
    header->setGeometry(0, 0, DialogWidth, 96);
    PaintPanel(header, Silver);
    auto* captionLabel = new QLabel(caption, header);
    captionLabel->setObjectName("captionLabel");
    captionLabel->move(10, 8);
    typeList = new QComboBox(header);
    typeList->setObjectName("typeList");
    typeList->setEditable(true);
    typeList->setInsertPolicy(QComboBox::NoInsert);
    typeList->completer()->setCompletionMode(QCompleter::InlineCompletion);
    typeList->setGeometry(10, 28, 300, 22);
    description = new QLabel("Description", header);
    description->setObjectName("description");
    description->setTextFormat(Qt::PlainText);
    description->setWordWrap(true);
    description->setGeometry(10, 56, PanelWidth, 36);

    propertiesCaption = new QLabel("Properties", this);
    propertiesCaption->setObjectName("propertiesCaption");
    propertiesCaption->move(10, 100);
    propertiesPanel = new QScrollArea(this);
    propertiesPanel->setObjectName("propertiesPanel");
    propertiesPanel->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    propertiesPanel->move(Left, PanelTop);
    rowArea = new QWidget;
    rowArea->setObjectName("rowArea");
    rowArea->setFixedWidth(PanelWidth - 20);
    for (int number = 1; number <= rowCount; ++number)
        rows.push_back(std::make_unique<ParameterRowControls>(rowArea, number));
    propertiesPanel->setWidget(rowArea);

    refusalLabel = new QLabel(this);
    refusalLabel->setObjectName("refusalLabel");
    refusalLabel->setTextFormat(Qt::PlainText);
    refusalLabel->setWordWrap(true);
    refusalLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    refusalLabel->hide();

    cancelButton = NewButton("Cancel", this);
    cancelButton->setObjectName("cancelButton");
    saveButton = NewButton("Save", this);
    saveButton->setObjectName("saveButton");
    connect(cancelButton, &QPushButton::clicked, this, &ParameterForm::Cancel);
    connect(saveButton, &QPushButton::clicked, this, [this] { Save(); });

    ClearRows();
}

ParameterForm::~ParameterForm() = default;

void ParameterForm::PlaceButtons(int top) {
    cancelButton->move(CancelLeft, top);
    saveButton->move(SaveLeft, top);
    // Below the buttons the dialog keeps room for a few lines.
    refusalLabel->setGeometry(Left, top + 32, PanelWidth, 60);
}

void ParameterForm::ClearRows() {
    for (auto& row : rows)
        row->Clear();
    shownRowCount = -1;
    belowPanel = 0;
    setFixedSize(DialogWidth, EmptyHeight);
    propertiesPanel->resize(PanelWidth, EmptyPanelHeight);
    rowArea->setFixedHeight(EmptyPanelHeight);
    PlaceButtons(EmptyButtonTop);
    ShowTypeRefusal(TypeRefusal::None, QString(), {});
}

void ParameterForm::ScalePanels(int rowCount) {
    shownRowCount = std::max(rowCount, 0);
    const int shownRows = std::clamp(rowCount, 0, MostRowsInView);
    setFixedSize(DialogWidth, shownRows * RowHeight + 250 + belowPanel);
    propertiesPanel->resize(PanelWidth, shownRows * RowHeight + 20);
    rowArea->setFixedHeight(std::max(rowCount, 0) * RowHeight + 20);
    PlaceButtons(shownRows * RowHeight + 150 + belowPanel);

    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i]->SetRowVisible(static_cast<int>(i) < rowCount);
    propertiesPanel->setVisible(rowCount > 0);
    propertiesCaption->setVisible(rowCount > 0);
    // Grown for a type with more rows, the dialog keeps Save and Cancel on the screen.
    KeepOnScreen(this);
}

void ParameterForm::ReserveBelowPanel(int height) {
    const int wanted = height > 0 ? height + BelowPanelGap : 0;
    if (wanted == belowPanel)
        return;
    belowPanel = wanted;
    if (shownRowCount >= 0)
        ScalePanels(shownRowCount);
}

int ParameterForm::BelowPanelTop() const {
    return PanelTop + propertiesPanel->height() + BelowPanelGap;
}

int ParameterForm::BelowPanelLeft() {
    return Left;
}

int ParameterForm::BelowPanelWidth() {
    return PanelWidth;
}

void ParameterForm::SetUpRows(std::span<const Parameter> schemaRows) {
    const std::size_t count = std::min(schemaRows.size(), rows.size());
    for (std::size_t i = 0; i < count; ++i)
        rows[i]->SetUp(schemaRows[i], static_cast<int>(i) < pickerRows);
    ScalePanels(static_cast<int>(count));
}

void ParameterForm::ShowRowValues(std::span<const RowValue> values) {
    const std::size_t count = std::min(values.size(), rows.size());
    for (std::size_t i = 0; i < count; ++i)
        rows[i]->Show(values[i]);
}

QLineEdit* ParameterForm::RowBox(std::size_t index) const {
    return index < rows.size() ? rows[index]->Box() : nullptr;
}

std::vector<RowValue> ParameterForm::RowValues(std::size_t count) const {
    std::vector<RowValue> values;
    for (std::size_t i = 0; i < count && i < rows.size(); ++i)
        values.push_back(rows[i]->Value());
    return values;
}

void ParameterForm::ApplyModeToControls() {
    const bool editable = mode != EntryEditMode::View;
    for (auto& row : rows)
        row->SetEditable(editable);
    typeList->setEnabled(editable);
}

void ParameterForm::FollowTypeText() {
    connect(typeList->lineEdit(), &QLineEdit::textChanged, this, [this](const QString& text) {
        if (showingType)
            return;
        const int index = TypeIndexOf(ToSystemString(text));
        if (index != selectedType)
            OnTypeChosen(index);
        RefreshSaveState();
    });
}

int ParameterForm::TypeIndexOf(std::string_view) const {
    return -1;
}

void ParameterForm::OnTypeChosen(int) {}

void ParameterForm::RefreshSaveState() {}

void ParameterForm::ShowTypeRefusal(TypeRefusal refusal, const QString& noun,
                                    std::string_view typeName) {
    QString reason;
    if (refusal == TypeRefusal::NotEditable)
        reason = "The parameters of this type are unknown, so it cannot be saved here.";
    else if (refusal == TypeRefusal::NotWritable)
        reason = QString("The editor cannot write a %1 of the type \"%2\": the info would be "
                         "saved without it. Choose a type from the list.")
                     .arg(noun, FromSystemString(typeName));
    // A blank name is refused with a message when the user saves.
    saveButton->setEnabled(reason.isEmpty());
    saveButton->setToolTip(reason);
    refusalLabel->setText(reason);
    refusalLabel->setVisible(!reason.isEmpty());
}

void ParameterForm::ShowTypeEntry(int index, const QString& textWhenNone) {
    showingType = true;
    typeList->setCurrentIndex(index);
    if (index < 0)
        typeList->setEditText(textWhenNone);
    showingType = false;
}

QString ParameterForm::TypeText() const {
    return typeList->currentText();
}

void ParameterForm::Cancel() {
    reject();
}

void ParameterForm::Template_OnClick(int rowNumber) {
    if (rowNumber < 1 || rowNumber > static_cast<int>(rows.size()))
        return;
    ParameterRowControls& row = *rows[static_cast<std::size_t>(rowNumber - 1)];
    if (!row.PicksTemplate())
        return;
    TemplateBox picker(QString(), BoxValue(row.Box()), mode != EntryEditMode::View, this);
    if (picker.exec() == QDialog::Accepted)
        row.TakeTemplateId(picker.GetGUID());
}

bool ParameterForm::HandleKey(QKeyEvent& event) {
    if (DialogKeys::IsCtrlOrAltAlone(event))
        return true;
    if (DialogKeys::IsPlainEscape(event)) {
        Cancel();
        return true;
    }
    if (DialogKeys::IsCtrlS(event)) {
        if (saveButton->isEnabled())
            Save();
        return true;
    }
    if (mode == EntryEditMode::View) {
        ShowReadOnlyMessage(this);
        return true;
    }
    return false;
}

bool ParameterForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (watched == rows[i]->Box() && rows[i]->PicksTemplate()) {
                Template_OnClick(static_cast<int>(i) + 1);
                return true;
            }
        }
    }
    return KeyFirstDialog::eventFilter(watched, event);
}

} // namespace VaskEdit
