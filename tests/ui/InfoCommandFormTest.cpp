// The command dialog: what each type shows, loading and saving an entry, the keys.
#include "ui/InfoCommandForm.h"
#include "FormProbe.h"
#include "UiTestSupport.h"
#include "library/TemplateManager.h"
#include "ui/DialogResult.h"
#include "ui/SystemString.h"
#include "ui/TemplateBox.h"

#include <QTest>

using namespace VaskEdit;
using namespace VaskUiTest;

namespace {

const QString SwordGuid = "{11111111-AAAA-BBBB-CCCC-000000000001}";
const QString ShieldGuid = "{22222222-AAAA-BBBB-CCCC-000000000002}";
const QString NumberMask = "#90000000";

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

// Runs the dialog and, once it is shown, sends the key to the control.
int ExecWithKey(InfoCommandForm& form, QWidget* target, Qt::Key key,
                Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    OnNextModal([&form, target, key, modifiers](QWidget* window) {
        if (window != &form)
            return false;
        QTest::keyClick(target, key, modifiers);
        // A dialog that ignored the key is closed so that the test can go on.
        if (form.isVisible())
            form.done(-1);
        return true;
    });
    return form.exec();
}

int SaveWithCtrlS(InfoCommandForm& form) {
    return ExecWithKey(form, TypeList(form), Qt::Key_S, Qt::ControlModifier);
}

void TypeInto(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

} // namespace

class InfoCommandFormTest : public QObject {
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

    void freshDialogHasNoType() {
        InfoCommandRef entry;
        InfoCommandForm form(entry, EntryEditMode::New);
        QCOMPARE(form.windowTitle(), QString("InfoCommand"));
        QCOMPARE(TypeList(form)->count(), 60);
        QCOMPARE(TypeList(form)->itemText(12), QString("EndGame - unused"));
        QCOMPARE(TypeList(form)->currentText(), QString());
        QCOMPARE(Description(form), QString("Description"));
        QCOMPARE(form.height(), 300);
        QCOMPARE(SaveButton(form)->pos(), QPoint(300, 150));
        QCOMPARE(CancelButton(form)->pos(), QPoint(150, 150));
        QVERIFY(SaveButton(form)->isEnabled());
        QCOMPARE(VisibleRows(form), 0);
    }

    void choosingGiveShowsItsSixRows() {
        InfoCommandRef entry;
        InfoCommandForm form(entry, EntryEditMode::New);
        ChooseType(form, "Give");
        QCOMPARE(form.SelectedType(), 14);
        QCOMPARE(Description(form), QString("<Entity1> gives <Entity2> <Amount> items."));
        QCOMPARE(VisibleRows(form), 6);
        QCOMPARE(form.height(), 580);
        QCOMPARE(PropertiesPanel(form)->height(), 350);
        QCOMPARE(SaveButton(form)->pos(), QPoint(300, 480));
        QCOMPARE(CancelButton(form)->pos(), QPoint(150, 480));

        const QStringList names = {"Entity1", "Entity2",       "Item",
                                   "Amount",  "ShowNPCAmount", "ForceNormalStack"};
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(RowName(form, i + 1)->text(), names[i]);
        QCOMPARE(RowType(form, 3)->text(), QString("[ eCTemplateEntityProxy ]"));

        QLineEdit* entity = RowBox(form, 1);
        QVERIFY(entity->isVisibleTo(&form) && !RowList(form, 1)->isVisibleTo(&form));
        QCOMPARE(entity->width(), 220);
        QCOMPARE(entity->palette().color(QPalette::Base), QColor(255, 255, 225));
        QCOMPARE(entity->maxLength(), 48);
        QVERIFY(entity->inputMask().isEmpty());

        QLineEdit* item = RowBox(form, 3);
        QCOMPARE(item->inputMask(), QString("\\{NNNNNNNN-NNNN-NNNN-NNNN-NNNNNNNNNNNN\\}"));
        QCOMPARE(item->palette().color(QPalette::Base), QColor(225, 225, 255));
        QVERIFY(!item->isReadOnly());

        QLineEdit* amount = RowBox(form, 4);
        QCOMPARE(amount->inputMask(), NumberMask);
        QCOMPARE(amount->text(), QString("0"));
        QCOMPARE(amount->width(), 60);
        QCOMPARE(amount->palette().color(QPalette::Base), QColor(210, 255, 210));

        for (int yesNo : {5, 6}) {
            QComboBox* list = RowList(form, yesNo);
            QVERIFY(list->isVisibleTo(&form) && !RowBox(form, yesNo)->isVisibleTo(&form));
            QCOMPARE(list->count(), 2);
            QCOMPARE(list->itemText(0), QString("False"));
            QCOMPARE(list->itemText(1), QString("True"));
            QCOMPARE(list->currentText(), QString("False"));
            QCOMPARE(list->width(), 100);
            QVERIFY(!list->isEditable());
        }
    }

    void startFixCameraScrollsBeyondEightRows() {
        InfoCommandRef entry;
        InfoCommandForm form(entry, EntryEditMode::New);
        ChooseType(form, "StartFixCamera");
        QCOMPARE(VisibleRows(form), 17);
        QCOMPARE(form.height(), 690);
        QCOMPARE(PropertiesPanel(form)->height(), 460);
        QCOMPARE(SaveButton(form)->y(), 590);
        QCOMPARE(CancelButton(form)->y(), 590);
        int texts = 0, decimals = 0, lists = 0;
        for (int number = 1; number <= 17; ++number) {
            if (RowList(form, number)->isVisibleTo(&form)) {
                ++lists;
            } else if (RowBox(form, number)->width() == 80) {
                QCOMPARE(RowBox(form, number)->text(), QString("0"));
                QCOMPARE(RowBox(form, number)->maxLength(), 16);
                ++decimals;
            } else {
                ++texts;
            }
        }
        QCOMPARE(texts, 2);
        QCOMPARE(decimals, 12);
        QCOMPARE(lists, 3);
        QCOMPARE(RowType(form, 17)->text(), QString("[ bool ] RotationSyncToMove"));
    }

    void backHasNoPropertiesButCanBeSaved() {
        InfoCommandRef entry;
        InfoCommandForm form(entry, EntryEditMode::New);
        ChooseType(form, "Give");
        ChooseType(form, "Back");
        QCOMPARE(Description(form), QString("Go back and skip the parent and its childs."));
        QVERIFY(!PropertiesPanel(form)->isVisibleTo(&form));
        QCOMPARE(VisibleRows(form), 0);
        QCOMPARE(form.height(), 250);
        QVERIFY(SaveButton(form)->isEnabled());
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry.Command, std::string("Back"));
    }

    void unusedTypesCannotBeSaved() {
        InfoCommandRef entry = SayCommand();
        const InfoCommandRef before = entry;
        InfoCommandForm form(entry, EntryEditMode::Edit);
        form.LoadGUIFromCommandData();
        ChooseType(form, "SayKeepItUp - unused");
        QCOMPARE(Description(form), QString("Unused! Unknown params!"));
        QCOMPARE(VisibleRows(form), 0);
        QVERIFY(!SaveButton(form)->isEnabled());
        // Ctrl+S does nothing: the dialog stays open until it is closed otherwise.
        QCOMPARE(SaveWithCtrlS(form), -1);
        QCOMPARE(entry, before);

        ChooseType(form, "SwitchCase");
        QCOMPARE(Description(form), QString("Unknown params!"));
        QVERIFY(!SaveButton(form)->isEnabled());
        ChooseType(form, "SwitchEnd");
        QVERIFY(SaveButton(form)->isEnabled());
    }

    void sayIsLoadedAndSavedUnchanged() {
        InfoCommandRef entry = SayCommand();
        const InfoCommandRef before = entry;
        InfoCommandForm form(entry, EntryEditMode::Edit);
        form.LoadGUIFromCommandData();
        QCOMPARE(TypeList(form)->currentText(), QString("Say"));
        QCOMPARE(VisibleRows(form), 4);
        QCOMPARE(RowName(form, 4)->text(), QString("ForcedDialogCam"));
        QCOMPARE(RowBox(form, 1)->text(), QString("PC_Hero"));
        QCOMPARE(RowBox(form, 2)->text(), QString("Bob"));
        QCOMPARE(ToSystemString(RowBox(form, 3)->text()), before.LocString);
        QCOMPARE(RowList(form, 4)->currentText(), QString("ShowSpeaker"));
        QCOMPARE(RowList(form, 4)->count(), 20);

        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry, before);
    }

    void editedRowsAreStoredWithTheirPrefix() {
        InfoCommandRef entry = SayCommand();
        InfoCommandForm form(entry, EntryEditMode::Edit);
        form.LoadGUIFromCommandData();
        TypeInto(RowBox(form, 2), "Alice");
        RowList(form, 4)->setCurrentIndex(RowList(form, 4)->findText("NoAutoMove_None"));
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry.Entity2, std::string("Alice"));
        QCOMPARE(entry.ID1, std::string("gEForcedDialogCam_NoAutoMove_None"));
        QCOMPARE(entry.ID2, std::string("untouched"));
        QCOMPARE(entry.Text, std::string("Bob: Hello"));
    }

    void choiceWithoutPrefixIsStoredWithIt() {
        InfoCommandRef entry;
        entry.Command = "AddQuestActor";
        entry.ID2 = "Client";
        InfoCommandForm form(entry, EntryEditMode::Edit);
        form.LoadGUIFromCommandData();
        QCOMPARE(RowList(form, 3)->currentText(), QString("Client"));
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry.ID2, std::string("gEQuestActor_Client"));
    }

    void storedValuesTheListsLackSurviveASave() {
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
        QCOMPARE(RowList(form, 5)->count(), 3);
        QCOMPARE(RowList(form, 6)->currentIndex(), -1);
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry, before);

        InfoCommandRef camera;
        camera.Command = "Say";
        camera.ID1 = "gEForcedDialogCam_Sideways";
        const InfoCommandRef cameraBefore = camera;
        InfoCommandForm sayForm(camera, EntryEditMode::Edit);
        sayForm.LoadGUIFromCommandData();
        QCOMPARE(RowList(sayForm, 4)->currentText(), QString("Sideways"));
        QCOMPARE(SaveWithCtrlS(sayForm), DialogResult::OK);
        QCOMPARE(camera, cameraBefore);
    }

    void unknownStoredTypeIsShownAsItIs() {
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

        // Its kept block belongs to its name: renamed, it would be left out of the file.
        QLineEdit* typed = TypeList(form)->lineEdit();
        typed->setFocus();
        QTest::keyClick(typed, Qt::Key_End);
        QTest::keyClicks(typed, "s");
        QVERIFY(!SaveButton(form)->isEnabled());
        QVERIFY(RefusalLabel(form)->text().contains("\"Dances\""));
        QCOMPARE(SaveWithCtrlS(form), -1);
        QCOMPARE(entry, before);
    }

    void createItemKeepsValues() {
        InfoCommandRef entry;
        InfoCommandForm form(entry, EntryEditMode::New);
        ChooseType(form, "CreateItem");
        TypeInto(RowBox(form, 1), "PC_Hero");
        TypeInto(RowBox(form, 3), "7");
        RowList(form, 4)->setCurrentIndex(1);
        RowList(form, 5)->setCurrentIndex(0);
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry.Command, std::string("CreateItem"));
        QVERIFY(entry.UseValues);
        QCOMPARE(entry.Entity1, std::string("PC_Hero"));
        QCOMPARE(entry.ID2, std::string("7"));
        QCOMPARE(entry.Value[0], std::string("True"));
        QCOMPARE(entry.Value[1], std::string("False"));
        // The untouched item box holds only "{----}" and stores nothing.
        QCOMPARE(entry.ID1, std::string());
    }

    void typedTypeNameSelectsItsType() {
        InfoCommandRef entry;
        InfoCommandForm form(entry, EntryEditMode::New);
        QLineEdit* typed = TypeList(form)->lineEdit();
        typed->setFocus();
        QTest::keyClicks(typed, "GiveXP");
        QCOMPARE(form.SelectedType(), 15);
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
        QCOMPARE(SaveWithCtrlS(form), -1);
        QCOMPARE(entry, InfoCommandRef());

        typed->selectAll();
        QTest::keyClicks(typed, "End");
        QVERIFY(SaveButton(form)->isEnabled());
        QVERIFY(!RefusalLabel(form)->isVisibleTo(&form));
    }

    void newListRowsStartOnTheirFirstChoice() {
        // Saved untouched, a new AddQuestActor wrote a bare "gEQuestActor_".
        InfoCommandRef entry;
        InfoCommandForm form(entry, EntryEditMode::New);
        ChooseType(form, "AddQuestActor");
        QCOMPARE(RowList(form, 3)->currentText(), QString("Client"));
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry.ID2, std::string("gEQuestActor_Client"));
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

    void emptyTypeIsRefused() {
        InfoCommandRef entry;
        InfoCommandForm form(entry, EntryEditMode::New);
        TypeList(form)->setEditText("   ");
        SeenMessage seen;
        bool openAfterMessage = false;
        OnNextModal([&](QWidget* window) {
            if (window != &form)
                return false;
            AnswerNextMessage(seen);
            QTest::mouseClick(SaveButton(form), Qt::LeftButton);
            openAfterMessage = form.isVisible();
            form.reject();
            return true;
        });
        QCOMPARE(form.exec(), DialogResult::Cancel);
        QVERIFY(openAfterMessage);
        QCOMPARE(seen.count, 1);
        QCOMPARE(seen.caption, QString("Error"));
        QCOMPARE(seen.text, QString("Invalid Command!"));
        QCOMPARE(entry, InfoCommandRef());
    }

    void viewModeAnswersKeysWithTheReadOnlyMessage() {
        InfoCommandRef entry = SayCommand();
        const InfoCommandRef before = entry;
        InfoCommandForm form(entry, EntryEditMode::View);
        form.LoadGUIFromCommandData();
        QVERIFY(!TypeList(form)->isEnabled());
        QVERIFY(RowBox(form, 1)->isReadOnly());
        QVERIFY(!RowList(form, 4)->isEnabled());

        SeenMessage seen;
        bool openAfterMessage = false;
        OnNextModal([&](QWidget* window) {
            if (window != &form)
                return false;
            AnswerNextMessage(seen);
            QTest::keyClick(RowBox(form, 1), Qt::Key_X);
            openAfterMessage = form.isVisible();
            QTest::keyClick(RowBox(form, 1), Qt::Key_Escape);
            return true;
        });
        QCOMPARE(form.exec(), DialogResult::Cancel);
        QVERIFY(openAfterMessage);
        QCOMPARE(seen.count, 1);
        QCOMPARE(seen.caption, QString("Caution"));
        QCOMPARE(seen.text, QString("Current permissions: read only.\nPlease enable editmode."));
        QCOMPARE(RowBox(form, 1)->text(), QString("PC_Hero"));

        // Saving a viewed command is cancelling it.
        QCOMPARE(SaveWithCtrlS(form), DialogResult::Cancel);
        QCOMPARE(entry, before);
    }

    void cancelLeavesTheEntryUnchanged() {
        InfoCommandRef entry = SayCommand();
        const InfoCommandRef before = entry;
        InfoCommandForm form(entry, EntryEditMode::Edit);
        form.LoadGUIFromCommandData();
        TypeInto(RowBox(form, 1), "Someone");
        OnNextModal([&](QWidget* window) {
            if (window != &form)
                return false;
            QTest::mouseClick(CancelButton(form), Qt::LeftButton);
            return true;
        });
        QCOMPARE(form.exec(), DialogResult::Cancel);
        QCOMPARE(entry, before);
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
};

QTEST_MAIN(InfoCommandFormTest)
#include "InfoCommandFormTest.moc"
