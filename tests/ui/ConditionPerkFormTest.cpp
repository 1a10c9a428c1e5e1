// The condition and required-perk dialogs.
#include "FormProbe.h"
#include "UiTestSupport.h"
#include "library/TemplateManager.h"
#include "ui/DialogResult.h"
#include "ui/InfoConditionForm.h"
#include "ui/InfoPerkForm.h"
#include "ui/TemplateBox.h"

#include <QTest>

using namespace VaskEdit;
using namespace VaskUiTest;

namespace {

// Runs the dialog and, once it is shown, sends the key to the control; a dialog that
// stays open is closed with -1 so that the test goes on.
int ExecWithKey(ParameterForm& form, QWidget* target, Qt::Key key,
                Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    OnNextModal([&form, target, key, modifiers](QWidget* window) {
        if (window != &form)
            return false;
        QTest::keyClick(target, key, modifiers);
        if (form.isVisible())
            form.done(-1);
        return true;
    });
    return form.exec();
}

int SaveWithCtrlS(ParameterForm& form) {
    return ExecWithKey(form, TypeList(form), Qt::Key_S, Qt::ControlModifier);
}

// Saves with the "Save" button and records the message the dialog shows.
int SaveExpectingMessage(ParameterForm& form, SeenMessage& seen) {
    OnNextModal([&](QWidget* window) {
        if (window != &form)
            return false;
        AnswerNextMessage(seen);
        QTest::mouseClick(SaveButton(form), Qt::LeftButton);
        if (form.isVisible())
            form.done(-1);
        return true;
    });
    return form.exec();
}

} // namespace

class ConditionPerkFormTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { StopWatching(); }

    void init() { TemplateManager::TemplateCache.ClearContent(); }

    void conditionTypesAndTheirRows() {
        InfoConditionRef entry;
        InfoConditionForm form(entry, EntryEditMode::New);
        QCOMPARE(form.windowTitle(), QString("InfoConditionForm"));
        QCOMPARE(TypeList(form)->count(), 16);
        ChooseType(form, "Script");
        QCOMPARE(VisibleRows(form), 6);
        QCOMPARE(form.height(), 580);
        QCOMPARE(Description(form), QString());
        QCOMPARE(RowName(form, 4)->text(), QString("OtherType"));
        QCOMPARE(RowList(form, 4)->count(), 2);
        QCOMPARE(RowBox(form, 5)->inputMask(), QString("#90000000"));

        // A new CanTeachSkill was shown in the grid and left out of the file.
        ChooseType(form, "CanTeachSkill - unused");
        QCOMPARE(VisibleRows(form), 0);
        QVERIFY(!SaveButton(form)->isEnabled());
        QVERIFY(RefusalLabel(form)->isVisibleTo(&form));
        QVERIFY(RefusalLabel(form)->text().contains("\"CanTeachSkill\""));
        QCOMPARE(SaveWithCtrlS(form), -1);
        QCOMPARE(entry, InfoConditionRef());

        // One read from a file with its block is written as that block.
        InfoConditionRef kept;
        kept.Condition = "CanTeachSkill";
        kept.PreservedBlock = "kept block";
        const InfoConditionRef keptBefore = kept;
        InfoConditionForm keptForm(kept, EntryEditMode::Edit);
        keptForm.LoadGUIFromCommandData();
        QVERIFY(SaveButton(keptForm)->isEnabled());
        QCOMPARE(SaveWithCtrlS(keptForm), DialogResult::OK);
        QCOMPARE(kept, keptBefore);
    }

    void conditionTemplateBoxIsFilledByThePickerAfterAChoice() {
        InfoConditionRef entry;
        entry.Condition = "ItemAmount";
        entry.ID1 = "{11111111-AAAA-BBBB-CCCC-000000000001}";
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

    void conditionIsLoadedAndSavedUnchanged() {
        InfoConditionRef entry;
        entry.Condition = "QuestStatus";
        entry.Version = "1";
        entry.ID1 = "Q_Main";
        entry.ID2 = "gEInfoQuestStatus_Running";
        entry.ID3 = "True";
        entry.LocString = "kept";
        const InfoConditionRef before = entry;
        InfoConditionForm form(entry, EntryEditMode::Edit);
        form.LoadGUIFromCommandData();
        QCOMPARE(RowList(form, 2)->currentText(), QString("Running"));
        QCOMPARE(RowList(form, 3)->currentText(), QString("True"));
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry, before);

        RowList(form, 2)->setCurrentIndex(RowList(form, 2)->findText("Failed"));
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry.ID2, std::string("gEInfoQuestStatus_Failed"));
    }

    void conditionWithoutTypeIsRefused() {
        InfoConditionRef entry;
        InfoConditionForm form(entry, EntryEditMode::New);
        SeenMessage seen;
        QCOMPARE(SaveExpectingMessage(form, seen), -1);
        QCOMPARE(seen.caption, QString("Error"));
        QCOMPARE(seen.text, QString("Invalid Condition!"));
        QCOMPARE(entry, InfoConditionRef());
    }

    void viewedConditionCannotBeChanged() {
        InfoConditionRef entry;
        entry.Condition = "PlayerKnows";
        entry.ID1 = "Knows_Secret";
        const InfoConditionRef before = entry;
        InfoConditionForm form(entry, EntryEditMode::View);
        form.LoadGUIFromCommandData();
        QVERIFY(!TypeList(form)->isEnabled());
        QVERIFY(RowBox(form, 1)->isReadOnly());
        SeenMessage seen;
        AnswerNextMessage(seen);
        QTest::keyClick(RowBox(form, 1), Qt::Key_Delete);
        QCOMPARE(seen.text, QString("Current permissions: read only.\nPlease enable editmode."));
        QCOMPARE(ExecWithKey(form, RowBox(form, 1), Qt::Key_Escape), DialogResult::Cancel);
        QCOMPARE(entry, before);
    }

    void perkDialogShowsTheSkillWithoutItsPrefix() {
        InfoRequiredPerkRef entry{"gESkill_Perk_Lockpick", "2", "False"};
        const InfoRequiredPerkRef before = entry;
        InfoPerkForm form(entry, EntryEditMode::New);
        form.LoadGUIFromCommandData();
        QCOMPARE(form.windowTitle(), QString("InfoPerkForm"));
        QCOMPARE(TypeList(form)->count(), 160);
        QCOMPARE(TypeList(form)->currentText(), QString("Perk_Lockpick"));
        QCOMPARE(Description(form), QString("Description"));
        QCOMPARE(VisibleRows(form), 2);
        QCOMPARE(form.height(), 360);
        QCOMPARE(RowName(form, 1)->text(), QString("Value"));
        QCOMPARE(RowBox(form, 1)->text(), QString("2"));
        QCOMPARE(RowList(form, 2)->currentText(), QString("False"));
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry, before);

        ChooseType(form, "Skill_Combat");
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry.Perk, std::string("gESkill_Skill_Combat"));
    }

    void newPerkStoresThePrefixInFront() {
        InfoRequiredPerkRef entry;
        InfoPerkForm form(entry, EntryEditMode::New);
        QCOMPARE(TypeList(form)->currentText(), QString());
        QCOMPARE(RowBox(form, 1)->text(), QString("0"));
        // A typed skill is read back only up to a blank.
        TypeList(form)->lineEdit()->setFocus();
        QTest::keyClicks(TypeList(form)->lineEdit(), "My Skill");
        QCOMPARE(TypeList(form)->currentText(), QString("MySkill"));
        ChooseType(form, "Perk_Mining");
        RowBox(form, 1)->setFocus();
        RowBox(form, 1)->selectAll();
        QTest::keyClicks(RowBox(form, 1), "-123456789");
        RowList(form, 2)->setCurrentIndex(1);
        QCOMPARE(SaveWithCtrlS(form), DialogResult::OK);
        QCOMPARE(entry.Perk, std::string("gESkill_Perk_Mining"));
        // The record keeps eight characters of the value, so no more can be typed.
        QCOMPARE(entry.Value, std::string("-1234567"));
        QCOMPARE(entry.InvertTest, std::string("True"));
    }

    void perkWithoutSkillIsRefused() {
        InfoRequiredPerkRef entry;
        InfoPerkForm form(entry, EntryEditMode::New);
        SeenMessage seen;
        QCOMPARE(SaveExpectingMessage(form, seen), -1);
        QCOMPARE(seen.caption, QString("Error"));
        QCOMPARE(seen.text, QString("Invalid Perk!"));
        QCOMPARE(entry, InfoRequiredPerkRef());
    }

    void viewedPerkIsReadOnly() {
        InfoRequiredPerkRef entry{"gESkill_XP", "5", "True"};
        InfoPerkForm form(entry, EntryEditMode::View);
        form.LoadGUIFromCommandData();
        QVERIFY(!TypeList(form)->isEnabled());
        QVERIFY(RowBox(form, 1)->isReadOnly());
        QVERIFY(!RowList(form, 2)->isEnabled());
        QCOMPARE(SaveWithCtrlS(form), DialogResult::Cancel);
        QCOMPARE(entry.Perk, std::string("gESkill_XP"));
    }
};

QTEST_MAIN(ConditionPerkFormTest)
#include "ConditionPerkFormTest.moc"
