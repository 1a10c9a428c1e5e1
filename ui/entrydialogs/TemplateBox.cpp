#include "ui/entrydialogs/TemplateBox.h"

#include "library/TemplateManager.h"
#include "library/TemplateSelectList.h"
#include "ui/common/NameCompletion.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/DialogKeys.h"
#include "ui/dialogs/DialogLook.h"
#include "ui/dialogs/Messages.h"
#include "ui/entrydialogs/ListSelectBox.h"
#include "ui/entrydialogs/MaskedBox.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace VaskEdit {

namespace {

// Texts go to the template library in buffers of 50 bytes.
constexpr std::size_t LookupBuffer = 50;
// A template's name and GUID are kept in 48 characters.
constexpr int TemplateTextCapacity = 48;

QLabel* NewLabel(const QString& text, QWidget* parent, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->move(x, y);
    return label;
}

} // namespace

TemplateBox::TemplateBox(bool editable, QWidget* parent)
    : KeyFirstDialog(parent), readOnly(!editable) {
    setWindowTitle("TemplateBox");
    setModal(true);
    setFixedSize(415, 197);

    auto* panel = new QWidget(this);
    PaintPanel(panel, Silver);
    panel->setGeometry(8, 8, 399, 136);

    NewLabel("Name", panel, 10, 12)->setObjectName("nameCaption");
    NewLabel("Template Name", panel, 10, 30);
    nameBox = new QLineEdit(panel);
    nameBox->setObjectName("nameBox");
    nameBox->setGeometry(110, 20, 230, 22);
    nameBox->setMaxLength(TemplateTextCapacity);
    PaintBox(nameBox, PaleYellow);
    NameCompletion::Shared().Attach(nameBox, NameKind::Template);
    suggestButton = NewButton("...", panel);
    suggestButton->setObjectName("suggestButton");
    suggestButton->setGeometry(346, 19, 30, 24);
    suggestButton->setToolTip("Press return to get suggestions");
    connect(suggestButton, &QPushButton::clicked, this, &TemplateBox::ShowSuggestions);

    NewLabel("GUID", panel, 10, 76)->setObjectName("guidCaption");
    NewLabel("Template GUID", panel, 10, 94);
    guidBox = new QLineEdit(panel);
    guidBox->setObjectName("guidBox");
    guidBox->setGeometry(110, 84, 260, 22);
    PaintBox(guidBox, PaleBlue);
    connect(guidBox, &QLineEdit::inputRejected, qApp, &QApplication::beep);

    auto* ok = NewButton("OK", this);
    ok->setObjectName("okButton");
    ok->move(236, 160);
    auto* cancel = NewButton("Cancel", this);
    cancel->setObjectName("cancelButton");
    cancel->move(322, 160);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    nameBox->setReadOnly(readOnly);
    guidBox->setReadOnly(readOnly);
    suggestButton->setEnabled(!readOnly);

    // The first template dialog of a run loads the template cache.
    if (TemplateManager::TemplateCache.GetSize() == 0)
        TemplateManager::ReadCache();

    nameBox->clear();
    ShowGuid(QString());
    nameBox->installEventFilter(this);
    guidBox->installEventFilter(this);
}

TemplateBox::TemplateBox(const QString& name, const QString& guid, bool editable, QWidget* parent)
    : TemplateBox(editable, parent) {
    if (StringIsValid(name)) {
        nameBox->setText(name);
    } else if (StringIsValid(guid)) {
        ShowGuid(guid);
        TakeNameFromGuid();
    }
    if (StringIsValid(guid))
        ShowGuid(guid);
    else if (StringIsValid(name))
        TakeGuidFromName();
}

QString TemplateBox::GetName() const {
    return nameBox->text();
}

QString TemplateBox::GetGUID() const {
    return BoxValue(guidBox);
}

void TemplateBox::ShowGuid(const QString& guid) {
    // A stored value that is no GUID is shown unmasked, so that "OK" hands it back whole.
    ShowMasked(guidBox, GuidInputMask, ToSystemString(guid), TemplateTextCapacity);
}

void TemplateBox::TakeNameFromGuid() {
    const QString guid = GetGUID();
    if (!StringIsValid(guid))
        return;
    const std::string key = ToSystemString(guid, LookupBuffer);
    const std::int32_t index = TemplateManager::FindTemplate(nullptr, key.c_str());
    if (index != -1)
        nameBox->setText(FromSystemString(
            TemplateManager::TemplateCache[static_cast<std::uint32_t>(index)].Name.View()));
}

void TemplateBox::TakeGuidFromName() {
    const QString name = GetName();
    if (!StringIsValid(name))
        return;
    const std::string key = ToSystemString(name, LookupBuffer);
    const std::int32_t index = TemplateManager::FindTemplate(key.c_str(), nullptr);
    if (index != -1)
        ShowGuid(FromSystemString(
            TemplateManager::TemplateCache[static_cast<std::uint32_t>(index)].GUID.View()));
}

void TemplateBox::ShowSuggestions() {
    if (readOnly)
        return;
    TemplateSelectList::ClearItems();
    TemplateSelectList::SelectByName(ToSystemString(nameBox->text(), LookupBuffer).c_str());

    QStringList names;
    for (std::uint32_t i = 0; i < TemplateSelectList::Items.GetSize(); ++i)
        names.append(FromSystemString(TemplateSelectList::Items[i].Name.View()));

    ListSelectBox list("Please select Template:", "Template", this);
    list.SetColumn("Name", names);
    if (list.exec() != QDialog::Accepted)
        return;
    const int chosen = list.GetSelectedIndex();
    if (chosen < 0 || chosen >= names.size())
        return;
    nameBox->setText(list.GetSelectedItem());
    ShowGuid(FromSystemString(
        TemplateSelectList::Items[static_cast<std::uint32_t>(chosen)].GUID.View()));
}

void TemplateBox::done(int result) {
    closing = true;
    KeyFirstDialog::done(result);
    closing = false;
}

bool TemplateBox::HandleKey(QKeyEvent& event) {
    const Qt::KeyboardModifiers held = DialogKeys::HeldModifiers(event);
    if (DialogKeys::IsPlainEscape(event)) {
        reject();
        return true;
    }
    if (readOnly && !DialogKeys::IsModifierKey(event) &&
        (held == Qt::NoModifier || held == Qt::ShiftModifier)) {
        ShowReadOnlyMessage(this);
        return true;
    }
    if (DialogKeys::IsCtrlS(event)) {
        accept();
        return true;
    }
    if (DialogKeys::IsPlainEnter(event) && focusWidget() == nameBox) {
        ShowSuggestions();
        return true;
    }
    return false;
}

bool TemplateBox::eventFilter(QObject* watched, QEvent* event) {
    // Leaving one box fills the other from the template library; a read-only dialog
    // changes nothing.
    if (event->type() == QEvent::FocusOut && !readOnly && !closing) {
        if (watched == nameBox)
            TakeGuidFromName();
        else if (watched == guidBox)
            TakeNameFromGuid();
    }
    return KeyFirstDialog::eventFilter(watched, event);
}

} // namespace VaskEdit
