// The command, condition and required-perk dialogs: what each type shows, loading and
// saving an entry, refusals, the template picker and the keys.
#include "UiTestSupport.h"
#include "info/EntryTypes.h"
#include "library/TemplateManager.h"
#include "ui/common/SystemString.h"
#include "ui/dialogs/DialogResult.h"
#include "ui/entrydialogs/InfoCommandForm.h"
#include "ui/entrydialogs/InfoConditionForm.h"
#include "ui/entrydialogs/InfoPerkForm.h"
#include "ui/entrydialogs/MaskedBox.h"
#include "ui/entrydialogs/TemplateBox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>

using namespace VaskEdit;
using namespace VaskUiTest;

namespace {

const QString SwordGuid = "{11111111-AAAA-BBBB-CCCC-000000000001}";
const QString ShieldGuid = "{22222222-AAAA-BBBB-CCCC-000000000002}";

template <typename T> T* Named(ParameterForm& form, const QString& name) {
    return form.findChild<T*>(name);
}
QLineEdit* RowBox(ParameterForm& form, int n) {
    return Named<QLineEdit>(form, QString("rowBox%1").arg(n));
}
QComboBox* RowList(ParameterForm& form, int n) {
    return Named<QComboBox>(form, QString("rowList%1").arg(n));
}
QLabel* RowName(ParameterForm& form, int n) {
    return Named<QLabel>(form, QString("rowName%1").arg(n));
}
QComboBox* TypeList(ParameterForm& form) {
    return Named<QComboBox>(form, "typeList");
}
QPushButton* SaveButton(ParameterForm& form) {
    return Named<QPushButton>(form, "saveButton");
}
QString Description(ParameterForm& form) {
    return Named<QLabel>(form, "description")->text();
}
// Why "Save" is off, shown below the buttons.
QLabel* RefusalLabel(ParameterForm& form) {
    return Named<QLabel>(form, "refusalLabel");
}

// How many rows the user sees (the panel scrolls beyond eight).
int VisibleRows(ParameterForm& form) {
    int visible = 0;
    for (int n = 1; RowName(form, n); ++n)
        visible += RowName(form, n)->isVisibleTo(&form) ? 1 : 0;
    return visible;
}

// What a row shows: the list's text, or the box's value.
std::string RowText(ParameterForm& form, int n) {
    if (RowList(form, n)->isVisibleTo(&form))
        return ToSystemString(RowList(form, n)->currentText());
    return BoxBytes(RowBox(form, n));
}

// Chooses an entry of the type list as the user does from its drop-down.
void ChooseType(ParameterForm& form, const QString& entry) {
    TypeList(form)->setCurrentIndex(
        TypeList(form)->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void TypeInto(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

// Runs the dialog and, once it is shown, presses Ctrl+S; a dialog that ignored it is
// closed with -1 so that the test goes on.
int SaveWithCtrlS(ParameterForm& form) {
    return ExecDoing(form, [&] {
        QTest::keyClick(TypeList(form), Qt::Key_S, Qt::ControlModifier);
        if (form.isVisible())
            form.done(-1);
    });
}

InfoCommandRef SayCommand() {
    InfoCommandRef say;
    say.Command = "Say";
    say.Version = "2";
    say.Entity1 = "PC_Hero";
    say.Entity2 = "Bob";
    // Bytes beyond ASCII, the undefined 0x81 among them, must survive.
    say.LocString = "Hall\xF6 \x81\x80";
    say.ID1 = "gEForcedDialogCam_ShowSpeaker";
    say.ID2 = "untouched";
    say.Text = "Bob: Hello";
    say.Value[3] = "kept";
    return say;
}

// Every type of the catalogue, chosen in turn in one dialog: it shows the type's rows as
// the catalogue describes them, stores a new entry of it as filled in (or refuses a type
// it cannot store), and shows the stored entry so again and saves it back unchanged.
template <typename Form, typename Entry> void CheckEveryType() {
    const EntryKind kind = EntryRef<Entry>::Kind;
    Entry entry;
    Form form(entry, EntryEditMode::New);
    QCOMPARE(TypeList(form)->count(), int(EntryTypes(kind).size()));
    QVERIFY(TypeList(form)->currentText().isEmpty());
    QCOMPARE(VisibleRows(form), 0);
    auto* panel = Named<QScrollArea>(form, "propertiesPanel");
    for (const EntryType& type : EntryTypes(kind)) {
        const QString listEntry = FromSystemString(type.entry);
        const std::span<const Parameter> rows = type.Rows();
        const int count = int(rows.size());
        ChooseType(form, listEntry);
        QVERIFY2(form.SelectedType() == int(type.value), qPrintable(listEntry));
        QCOMPARE(Description(form), FromSystemString(type.description));
        QCOMPARE(VisibleRows(form), count);
        for (int n = 1; n <= count; ++n) {
            const Parameter& row = rows[std::size_t(n - 1)];
            const bool listRow = row.choices != nullptr;
            QCOMPARE(RowName(form, n)->text(), FromSystemString(row.label));
            QCOMPARE(Named<QLabel>(form, QString("rowType%1").arg(n))->text(),
                     FromSystemString(row.typeTag));
            QCOMPARE(RowList(form, n)->isVisibleTo(&form), listRow);
            QCOMPARE(RowBox(form, n)->isVisibleTo(&form), !listRow);
            if (listRow)
                QCOMPARE(RowList(form, n)->count(), int(row.choices->names.size()));
            QCOMPARE(RowText(form, n), InitialRowText(row));
        }
        QCOMPARE(panel->isVisibleTo(&form), count > 0);
        if (count > 0) {
            // Up to eight rows are in view, the others are reached by scrolling; the
            // buttons stand below the panel, inside the dialog.
            QCOMPARE(panel->height() < panel->widget()->height(), count > 8);
            QVERIFY(RowName(form, count)->geometry().bottom() < panel->widget()->height());
            QVERIFY(SaveButton(form)->y() > panel->geometry().bottom());
            QVERIFY(SaveButton(form)->geometry().bottom() < form.height());
        }

        // Something other than the initial content, different from row to row.
        for (int n = 1; n <= count; ++n) {
            const RowKind rowKind = rows[std::size_t(n - 1)].kind;
            if (QComboBox* list = RowList(form, n); list->isVisibleTo(&form))
                list->setCurrentIndex(n % list->count());
            else if (rowKind == RowKind::TemplateId)
                RowBox(form, n)->setText(
                    QString("{%1-AAAA-BBBB-CCCC-0000000000AA}").arg(n, 8, 10, QChar('0')));
            else
                RowBox(form, n)->setText((rowKind == RowKind::Text ? "Row" : "") +
                                         QString::number(10 + n));
        }

        // Unknown parameters, or a type the editor cannot write, are refused.
        const bool storable = type.editable && type.hasClass;
        QCOMPARE(SaveButton(form)->isEnabled(), storable);
        QCOMPARE(RefusalLabel(form)->isVisibleTo(&form), !storable);
        entry = Entry();
        form.Save();
        if (!storable) {
            QCOMPARE(entry, Entry());
            continue;
        }
        QCOMPARE(EntryRef<Entry>::Name(entry), std::string(type.name));
        if constexpr (std::is_same_v<Entry, InfoCommandRef>)
            QCOMPARE(entry.UseValues, type.useValues);
        const Entry saved = entry;
        Form reopened(entry, EntryEditMode::Edit);
        reopened.LoadGUIFromCommandData();
        QCOMPARE(TypeList(reopened)->currentText(), listEntry);
        for (int n = 1; n <= count; ++n)
            QCOMPARE(RowText(reopened, n), RowText(form, n));
        reopened.Save();
        QCOMPARE(entry, saved);
    }
}

// Saving without a type is refused with a message; the dialog stays open and the entry
// is unchanged.
template <typename Form, typename Entry> void CheckBlankTypeRefused(const QString& message) {
    Entry entry;
    Form form(entry, EntryEditMode::New);
    TypeList(form)->setEditText("   ");
    QString seen;
    bool openAfterMessage = false;
    QCOMPARE(ExecDoing(form,
                       [&] {
                           seen = MessageAfter(
                               [&] { QTest::mouseClick(SaveButton(form), Qt::LeftButton); });
                           openAfterMessage = form.isVisible();
                           form.reject();
                       }),
             DialogResult::Cancel);
    QVERIFY(openAfterMessage);
    QCOMPARE(seen, "Error|" + message);
    QCOMPARE(entry, Entry());
}

// A viewed entry: nothing can be changed, an editing key is answered with the read-only
// message, Escape cancels and Ctrl+S closes as Cancel too.
template <typename Form, typename Entry> void CheckViewedEntry(Entry entry) {
    const Entry before = entry;
    Form form(entry, EntryEditMode::View);
    form.LoadGUIFromCommandData();
    QVERIFY(!TypeList(form)->isEnabled());
    QVERIFY(VisibleRows(form) > 0);
    for (int n = 1; n <= VisibleRows(form); ++n)
        QVERIFY(RowBox(form, n)->isReadOnly() && !RowList(form, n)->isEnabled());
    QLineEdit* box = RowBox(form, 1);
    const QString shown = box->text();
    QString seen;
    bool openAfterMessage = false;
    QCOMPARE(ExecDoing(form,
                       [&] {
                           seen = MessageAfter([&] { QTest::keyClick(box, Qt::Key_X); });
                           openAfterMessage = form.isVisible();
                           QTest::keyClick(box, Qt::Key_Escape);
                       }),
             DialogResult::Cancel);
    QVERIFY(openAfterMessage);
    QCOMPARE(seen, ReadOnlyMessage);
    QCOMPARE(box->text(), shown);
    QCOMPARE(SaveWithCtrlS(form), DialogResult::Cancel);
    QCOMPARE(entry, before);
}

} // namespace

class EntryFormsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { StopWatching(); }

    void init() {
        TemplateManager::TemplateCache.ClearContent();
        VaskTemplateCache sword;
        sword.Name = Char48("It_Sword");
        sword.GUID = Char48(SwordGuid.toStdString());
        TemplateManager::TemplateCache.PushBack(sword);
    }

    void everyCommandTypeShowsAndStoresItsRows() {
        CheckEveryType<InfoCommandForm, InfoCommandRef>();
    }

    void everyConditionTypeShowsAndStoresItsRows() {
        CheckEveryType<InfoConditionForm, InfoConditionRef>();
    }

    void sayIsLoadedSavedUnchangedEditedAndCancelled() {
        InfoCommandRef entry = SayCommand();
        const InfoCommandRef before = entry;
        InfoCommandForm form(entry, EntryEditMode::Edit);
        form.LoadGUIFromCommandData();
        QCOMPARE(TypeList(form)->currentText(), QString("Say"));
        QCOMPARE(RowBox(form, 1)->text(), QString("PC_Hero"));
        QCOMPARE(RowBox(form, 2)->text(), QString("Bob"));
        QCOMPARE(ToSystemString(RowBox(form, 3)->text()), before.LocString);
        QCOMPARE(RowList(form, 4)->currentText(), QString("ShowSpeaker"));
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry, before);

        TypeInto(RowBox(form, 2), "Alice");
        RowList(form, 4)->setCurrentIndex(RowList(form, 4)->findText("NoAutoMove_None"));
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry.Entity2, std::string("Alice"));
        QCOMPARE(entry.ID1, std::string("gEForcedDialogCam_NoAutoMove_None"));
        QCOMPARE(entry.ID2, std::string("untouched"));
        QCOMPARE(entry.Text, std::string("Bob: Hello"));

        // Cancel leaves the entry as it was.
        const InfoCommandRef saved = entry;
        TypeInto(RowBox(form, 1), "Someone");
        QCOMPARE(ExecDoing(form,
                           [&] {
                               QTest::mouseClick(Named<QPushButton>(form, "cancelButton"),
                                                 Qt::LeftButton);
                           }),
                 DialogResult::Cancel);
        QCOMPARE(entry, saved);
    }

    // A stored value that no list offers survives a save.
    void listRowsKeepWhatTheyCannotOffer() {
        InfoCommandRef entry;
        entry.Command = "Give";
        entry.ID1 = "It_Sword"; // no GUID: shown without the mask
        entry.ID2 = "1.5";      // no whole number
        entry.ID3 = "true";     // not "True"
        entry.Entity3 = "";     // nothing chosen
        const InfoCommandRef before = entry;
        InfoCommandForm form(entry, EntryEditMode::Edit);
        form.LoadGUIFromCommandData();
        QCOMPARE(RowBox(form, 3)->text(), QString("It_Sword"));
        QCOMPARE(RowBox(form, 4)->text(), QString("1.5"));
        QCOMPARE(RowList(form, 5)->currentText(), QString("true"));
        QCOMPARE(RowList(form, 6)->currentIndex(), -1);
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry, before);
    }

    // A type the program has no class for is written as the block kept for it, which
    // belongs to its name.
    void keptBlockIsSavedUnderItsOwnNameOnly() {
        InfoCommandRef entry;
        entry.Command = "Dance";
        entry.ID1 = "PC_Hero";
        entry.PreservedBlock = "kept block";
        const InfoCommandRef before = entry;
        InfoCommandForm form(entry, EntryEditMode::Edit);
        form.LoadGUIFromCommandData();
        QCOMPARE(TypeList(form)->currentText(), QString("Dance"));
        QCOMPARE(form.SelectedType(), -1);
        QCOMPARE(VisibleRows(form), 0);
        QVERIFY(!RefusalLabel(form)->isVisibleTo(&form));
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry, before);

        // Renamed, it would be left out of the file.
        QLineEdit* typed = TypeList(form)->lineEdit();
        typed->setFocus();
        QTest::keyClick(typed, Qt::Key_End);
        QTest::keyClicks(typed, "s");
        QVERIFY(!SaveButton(form)->isEnabled());
        QVERIFY(RefusalLabel(form)->text().contains("\"Dances\""));
        QCOMPARE(SaveWithCtrlS(form), -1);
        QCOMPARE(entry, before);

        // A condition type without a class, refused when new, is saved with its block.
        InfoConditionRef kept;
        kept.Condition = "CanTeachSkill";
        kept.PreservedBlock = "kept block";
        const InfoConditionRef keptBefore = kept;
        InfoConditionForm keptForm(kept, EntryEditMode::Edit);
        keptForm.LoadGUIFromCommandData();
        QCOMPARE(SaveWithCtrlS(keptForm), DialogResult::OK);
        QCOMPARE(kept, keptBefore);
    }

    void typedTypeNameSelectsItsType() {
        InfoCommandRef entry;
        InfoCommandForm form(entry, EntryEditMode::New);
        QLineEdit* typed = TypeList(form)->lineEdit();
        typed->setFocus();
        QTest::keyClicks(typed, "GiveXP");
        QCOMPARE(form.SelectedType(), int(FindEntryType(EntryKind::Command, "GiveXP")->value));
        QCOMPARE(VisibleRows(form), 1);

        // A name of no type was stored, shown in the grid and left out of the file.
        typed->selectAll();
        QTest::keyClicks(typed, "Zzz");
        QCOMPARE(form.SelectedType(), -1);
        QCOMPARE(VisibleRows(form), 0);
        QVERIFY(!SaveButton(form)->isEnabled());
        QVERIFY(RefusalLabel(form)->isVisibleTo(&form));
        QVERIFY(RefusalLabel(form)->text().contains("\"Zzz\""));
        QCOMPARE(SaveButton(form)->toolTip(), RefusalLabel(form)->text());
        // Ctrl+S does nothing: the dialog stays open until it is closed otherwise.
        QCOMPARE(SaveWithCtrlS(form), -1);
        QCOMPARE(entry, InfoCommandRef());

        typed->selectAll();
        QTest::keyClicks(typed, "End");
        QVERIFY(SaveButton(form)->isEnabled());
        QVERIFY(!RefusalLabel(form)->isVisibleTo(&form));
    }

    // Centred while empty, the dialog grows with the rows of the type chosen: it moves up
    // so that it stays on the screen, Save and Cancel included.
    void aGrowingDialogStaysOnTheScreen() {
        InfoCommandRef entry;
        InfoCommandForm form(entry, EntryEditMode::New);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QRect area = form.screen()->availableGeometry();
        const int emptyBottom = form.frameGeometry().bottom();
        QLineEdit* typed = TypeList(form)->lineEdit();
        typed->setFocus();
        QTest::keyClicks(typed, "Give");
        QCOMPARE(form.SelectedType(), int(FindEntryType(EntryKind::Command, "Give")->value));
        QVERIFY(form.height() <= area.height());              // it can fit, and must
        QVERIFY(form.frameGeometry().bottom() > emptyBottom); // it grew
        QVERIFY2(area.contains(form.frameGeometry()),
                 qPrintable(QString("%1,%2 %3x%4 on %5x%6")
                                .arg(form.x())
                                .arg(form.y())
                                .arg(form.frameGeometry().width())
                                .arg(form.frameGeometry().height())
                                .arg(area.width())
                                .arg(area.height())));
        QVERIFY(SaveButton(form)->geometry().bottom() < form.height());
    }

    void textBoxesRefuseWhatTheFileWouldCut() {
        // "Bob/Smith" and "Old Bob" were saved and came back as "Bob" and "Old".
        InfoCommandRef entry = SayCommand();
        InfoCommandForm form(entry, EntryEditMode::Edit);
        form.LoadGUIFromCommandData();
        QLineEdit* listener = RowBox(form, 2);
        TypeInto(listener, "Bob/Smith");
        QCOMPARE(listener->text(), QString("BobSmith"));
        TypeInto(listener, "Old Bob;\"x\"");
        QCOMPARE(listener->text(), QString("OldBobx"));
        QVERIFY(listener->toolTip().contains("blanks"));
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry.Entity2, std::string("OldBobx"));

        // A value read from a file keeps what it holds; masked boxes keep their masks.
        InfoCommandRef camera;
        camera.Command = "StartFixCamera";
        camera.UseValues = true;
        camera.Value[0] = "\"1.5\"";
        InfoCommandForm cameraForm(camera, EntryEditMode::Edit);
        cameraForm.LoadGUIFromCommandData();
        QCOMPARE(RowBox(cameraForm, 3)->text(), QString("\"1.5\""));
        QCOMPARE(RowBox(cameraForm, 3)->validator(), nullptr);
        QVERIFY(RowBox(cameraForm, 4)->validator() != nullptr);
    }

    void blankTypeIsRefusedWithAMessage() {
        CheckBlankTypeRefused<InfoCommandForm, InfoCommandRef>("Invalid Command!");
        CheckBlankTypeRefused<InfoConditionForm, InfoConditionRef>("Invalid Condition!");
        CheckBlankTypeRefused<InfoPerkForm, InfoRequiredPerkRef>("Invalid Perk!");
    }

    void viewedEntriesCannotBeChanged() {
        CheckViewedEntry<InfoCommandForm>(SayCommand());
        InfoConditionRef condition;
        condition.Condition = "PlayerKnows";
        condition.ID1 = "Knows_Secret";
        CheckViewedEntry<InfoConditionForm>(condition);
        CheckViewedEntry<InfoPerkForm>(InfoRequiredPerkRef{"gESkill_XP", "5", "True"});
    }

    void templatePickerFillsTheItemBox() {
        InfoCommandRef entry;
        entry.Command = "CreateItem";
        entry.ID1 = SwordGuid.toStdString();
        InfoCommandForm form(entry, EntryEditMode::Edit);
        form.LoadGUIFromCommandData();
        QString shownName;
        bool pickerEditable = false;
        OnNextModalOf<TemplateBox>([&](TemplateBox& picker) {
            shownName = picker.GetName();
            pickerEditable = !picker.IsReadOnly();
            picker.findChild<QLineEdit*>("guidBox")->setText(ShieldGuid);
            picker.accept();
        });
        QTest::mouseClick(RowBox(form, 2), Qt::LeftButton);
        QCOMPARE(shownName, QString("It_Sword"));
        QVERIFY(pickerEditable);
        QCOMPARE(RowBox(form, 2)->text(), ShieldGuid);
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry.ID1, ShieldGuid.toStdString());

        // A cancelled picker leaves the box alone; a viewed command opens it read-only.
        InfoCommandForm view(entry, EntryEditMode::View);
        view.LoadGUIFromCommandData();
        bool viewPickerReadOnly = false;
        OnNextModalOf<TemplateBox>([&](TemplateBox& picker) {
            viewPickerReadOnly = picker.IsReadOnly();
            picker.reject();
        });
        view.Template_OnClick(2);
        QVERIFY(viewPickerReadOnly);
        QCOMPARE(RowBox(view, 2)->text(), ShieldGuid);
    }

    void conditionTemplateBoxIsFilledByThePickerAfterAChoice() {
        InfoConditionRef entry;
        entry.Condition = "ItemAmount";
        entry.ID1 = SwordGuid.toStdString();
        InfoConditionForm form(entry, EntryEditMode::Edit);
        form.LoadGUIFromCommandData();
        // A loaded entry can be typed into ...
        QVERIFY(!RowBox(form, 2)->isReadOnly());
        // ... a freshly chosen type takes its item from the picker only.
        ChooseType(form, "QuestStatus");
        ChooseType(form, "ItemAmount");
        QVERIFY(RowBox(form, 2)->isReadOnly());
        bool opened = false;
        OnNextModalOf<TemplateBox>([&](TemplateBox& picker) {
            opened = true;
            picker.reject();
        });
        QTest::mouseClick(RowBox(form, 2), Qt::LeftButton);
        QVERIFY(opened);
    }

    // The dialog shows a skill without its prefix and stores it with the prefix in front.
    void perkDialogHidesTheSkillPrefix() {
        InfoRequiredPerkRef entry{"gESkill_Perk_Lockpick", "2", "False"};
        const InfoRequiredPerkRef before = entry;
        InfoPerkForm form(entry, EntryEditMode::New);
        form.LoadGUIFromCommandData();
        QCOMPARE(TypeList(form)->currentText(), QString("Perk_Lockpick"));
        QCOMPARE(RowBox(form, 1)->text(), QString("2"));
        QCOMPARE(RowList(form, 2)->currentText(), QString("False"));
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry, before);

        ChooseType(form, "Skill_Combat");
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry.Perk, std::string("gESkill_Skill_Combat"));

        InfoRequiredPerkRef fresh;
        InfoPerkForm newForm(fresh, EntryEditMode::New);
        QCOMPARE(TypeList(newForm)->currentText(), QString());
        QCOMPARE(RowBox(newForm, 1)->text(), QString("0"));
        // A typed skill is read back only up to a blank.
        TypeList(newForm)->lineEdit()->setFocus();
        QTest::keyClicks(TypeList(newForm)->lineEdit(), "My Skill");
        QCOMPARE(TypeList(newForm)->currentText(), QString("MySkill"));
        ChooseType(newForm, "Perk_Mining");
        TypeInto(RowBox(newForm, 1), "-123456789");
        RowList(newForm, 2)->setCurrentIndex(1);
        QCOMPARE(SaveWithCtrlS(newForm), DialogResult::OK);
        QCOMPARE(fresh.Perk, std::string("gESkill_Perk_Mining"));
        // The record keeps eight characters of the value, so no more can be typed.
        QCOMPARE(fresh.Value, std::string("-1234567"));
        QCOMPARE(fresh.InvertTest, std::string("True"));
    }
};

QTEST_MAIN(EntryFormsTest)
#include "EntryFormsTest.moc"
