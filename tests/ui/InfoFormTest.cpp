// The info editor window on the demo workspace: viewing, keys, editing the lists,
// saving, cancelling and closing.
#include "ui/InfoForm.h"
#include "UiTestSupport.h"
#include "info/ResourceTemplates.h"
#include "library/InfoManager.h"
#include "support/Workspace.h"
#include "ui/InfoCommandForm.h"
#include "ui/UserDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <filesystem>
#include <memory>

using namespace VaskEdit;
using namespace VaskUiTest;
namespace fs = std::filesystem;

namespace {
QString Text(InfoForm& form, const char* caption) {
    return static_cast<QLineEdit*>(form.Field(caption))->text();
}

void SetText(InfoForm& form, const char* caption, const QString& text) {
    static_cast<QLineEdit*>(form.Field(caption))->setText(text);
}

// Answers the next question with the button of that caption.
} // namespace

class InfoFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<VaskTest::Workspace> workspace;

private slots:
    void init() {
        workspace = std::make_unique<VaskTest::Workspace>();
        workspace->CopyFromSource("demo");
        workspace->CopyResources();
        InfoManager::Shutdown();
        InfoManager::InfoFiles.Deallocate();
        QVERIFY(InfoManager::Initialize());
    }

    void cleanup() {
        StopWatching();
        InfoManager::Shutdown();
        InfoManager::InfoFiles.Deallocate();
        workspace.reset();
    }

    void viewShowsTheInfoAndItsLists() {
        InfoForm form;
        form.show();
        form.InfoEditor_OnOpen(LoadInfo("Mira_HealingHerbs"), InfoFormEditMode::View);
        QCOMPARE(form.windowTitle(), QString("Info Editor"));
        QCOMPARE(Text(form, "InfoName"), QString("Mira_HealingHerbs"));
        QCOMPARE(Text(form, "Owner"), QString("Mira"));
        QCOMPARE(Text(form, "Quest"), QString("Q_HealingHerbs"));
        QCOMPARE(Text(form, "SortID"), QString("10"));
        QCOMPARE(static_cast<QComboBox*>(form.Field("InfoType"))->currentText(),
                 QString("gEInfoType_News"));
        QCOMPARE(form.Grid(0)->model()->rowCount(), 6);
        QCOMPARE(form.Grid(0)->model()->index(1, 0).data().toString(), QString("Say"));
        QCOMPARE(form.Grid(1)->model()->rowCount(), 2);
        QCOMPARE(form.ConditionList()->model()->rowCount(), 2);
        QCOMPARE(form.ConditionList()->model()->index(0, 1).data().toString(),
                 QString("Q_HealingHerbs"));
        QVERIFY(static_cast<QLineEdit*>(form.Field("Owner"))->isReadOnly());
        QVERIFY(!form.Button("+")->isEnabled());
    }

    void keysInViewAreAnsweredReadOnlyButTabsSwitch() {
        InfoForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.InfoEditor_OnOpen(LoadInfo("Bob_Haggle"), InfoFormEditMode::View);
        SeenMessage seen;
        AnswerNextMessage(seen);
        QTest::keyClick(form.Field("Owner"), Qt::Key_X);
        QCOMPARE(seen.count, 1);
        QCOMPARE(seen.caption, QString("Caution"));
        QCOMPARE(seen.text, QString("Current permissions: read only.\nPlease enable editmode."));
        QCOMPARE(Text(form, "Owner"), QString("Bob"));

        QTest::keyClick(form.Field("Owner"), Qt::Key_2, Qt::AltModifier);
        QCOMPARE(form.Tabs()->currentIndex(), 1);
        QTest::keyClick(form.Field("Owner"), Qt::Key_3, Qt::AltModifier);
        QCOMPARE(form.Tabs()->currentIndex(), 2);
        QTest::keyClick(form.Field("Owner"), Qt::Key_1, Qt::AltModifier);
        QCOMPARE(form.Tabs()->currentIndex(), 0);
        QCOMPARE(seen.count, 1);

        SeenMessage alt;
        AnswerNextMessage(alt);
        QTest::keyClick(form.Field("Owner"), Qt::Key_A, Qt::AltModifier);
        QCOMPARE(alt.count, 1);
        QCOMPARE(form.Grid(0)->model()->rowCount(), 4);
    }

    void editAddDeleteAndSaveWritesTheCommandsInOrder() {
        InfoForm form;
        form.show();
        form.InfoEditor_OnOpen(LoadInfo("Bob_Haggle"), InfoFormEditMode::View);
        QTest::mouseClick(form.Button("Edit"), Qt::LeftButton);
        QVERIFY(form.EditMode() == InfoFormEditMode::Edit);
        QVERIFY(!static_cast<QLineEdit*>(form.Field("Owner"))->isReadOnly());

        // "+" with a new Back command, saved in the dialog.
        OnNextModalOf<InfoCommandForm>([](InfoCommandForm& dialog) {
            dialog.findChild<QComboBox*>("typeList")->setCurrentIndex(5); // Back
            dialog.Save();
        });
        QTest::mouseClick(form.Button("+"), Qt::LeftButton);
        QCOMPARE(form.Grid(0)->model()->rowCount(), 5);
        // "+" and Cancel leaves the list as it was.
        OnNextModalOf<InfoCommandForm>([](InfoCommandForm& dialog) { dialog.reject(); });
        QTest::mouseClick(form.Button("+"), Qt::LeftButton);
        QCOMPARE(form.Grid(0)->model()->rowCount(), 5);
        // "-" on the first row (the Description).
        form.Grid(0)->setCurrentIndex(form.Grid(0)->model()->index(0, 0));
        QTest::mouseClick(form.Button("-"), Qt::LeftButton);
        QCOMPARE(form.Grid(0)->model()->rowCount(), 4);

        QString asked;
        AnswerNextQuestion("Yes", &asked); // the file exists: overwrite
        QTest::mouseClick(form.Button("Save"), Qt::LeftButton);
        QCOMPARE(asked, QString("InfoManager|File <Bob_Haggle>\n does already exist. Continue?"));
        QVERIFY(!form.isVisible());

        VaskInfo saved;
        QVERIFY(saved.LoadDataFromFile("Bob_Haggle"));
        QCOMPARE(saved.InfoCommands.GetSize(), 4u);
        QCOMPARE(QString::fromStdString(saved.InfoCommands[0].Command.Str()), QString("Say"));
        QCOMPARE(QString::fromStdString(saved.InfoCommands[2].Command.Str()), QString("GiveXP"));
        QCOMPARE(QString::fromStdString(saved.InfoCommands[3].Command.Str()), QString("Back"));
    }

    void savingUnchangedKeepsTheFileByteForByte() {
        for (const char* name : {"Dray_Briefing", "Narrator_Ending", "Bob_Haggle",
                                 "Mira_TeachSkill", "Sven_Story", "Bob_BuySword"}) {
            const std::string path = std::string("Infos/") + name + ".vaskinfo";
            const std::string before = VaskTest::ReadFile(path);
            auto* form = new InfoForm;
            form->setAttribute(Qt::WA_DeleteOnClose);
            form->show();
            form->InfoEditor_OnOpen(LoadInfo(name), InfoFormEditMode::View);
            form->EditInfo();
            AnswerNextQuestion("Yes");
            form->Save();
            QCOMPARE(QString::fromStdString(VaskTest::ReadFile(path)),
                     QString::fromStdString(before));
        }
    }

    // A hand-edited file whose untouched save would cut a value: the window says so
    // when the info is opened, nothing is written by looking, and the first save asks.
    void fileThatWouldNotReadBackIsNoticedAndTheSaveAsks() {
        std::string text = VaskTest::ReadFile("Infos/Bob_Haggle.vaskinfo");
        text.replace(text.find("Owner = \"Bob\""), 13, "Owner = \"Old Bob\"");
        VaskTest::WriteFile("Infos/Bob_Haggle.vaskinfo", text);
        InfoForm form;
        form.show();
        form.InfoEditor_OnOpen(LoadInfo("Bob_Haggle"), InfoFormEditMode::View);
        QVERIFY(form.SaveNotice()->isHidden());
        form.SetSourceFile("Infos/Bob_Haggle.vaskinfo");
        QVERIFY(form.SaveNotice()->isVisible());
        QVERIFY(form.SaveNotice()->text().contains("- 5:         bCString Owner = \"Old Bob\";"));
        QVERIFY(form.SaveNotice()->text().contains("+ 5:         bCString Owner = \"Old\";"));

        form.EditInfo();
        QString asked;
        AnswerNextQuestion("No", &asked);
        form.Save();
        QVERIFY(asked.startsWith("Caution|Saving changes 1 line of the file"));
        QCOMPARE(QString::fromStdString(VaskTest::ReadFile("Infos/Bob_Haggle.vaskinfo")),
                 QString::fromStdString(text));
        AnswerNextQuestion("Yes");
        AnswerNextQuestion("Yes"); // the file exists: replace it
        form.Save();
        QVERIFY(VaskTest::ReadFile("Infos/Bob_Haggle.vaskinfo").find("Owner = \"Old\";") !=
                std::string::npos);
    }

    void newInfoNeedsANameAndAnOwner() {
        InfoForm form;
        form.show();
        form.InfoEditor_OnOpen(0, InfoFormEditMode::New);
        QCOMPARE(Text(form, "SortID"), QString("0"));
        QCOMPARE(Text(form, "StartChapter"), QString("-1"));
        QCOMPARE(Text(form, "InnerRange"), QString("600"));
        SeenMessage name;
        AnswerNextMessage(name);
        form.Save();
        QCOMPARE(name.text, QString("Invalid info name!"));
        SetText(form, "InfoName", "Brand_New");
        SeenMessage owner;
        AnswerNextMessage(owner);
        form.Save();
        QCOMPARE(owner.caption, QString("Caution!"));
        QCOMPARE(owner.text, QString("Invalid owner name!"));
        QVERIFY(!fs::exists("Infos/Brand_New.vaskinfo"));

        SetText(form, "Owner", "Bob");
        AnswerNextQuestion("No"); // "Are you sure?"
        form.Save();
        QVERIFY(!fs::exists("Infos/Brand_New.vaskinfo"));
        AnswerNextQuestion("Yes");
        form.Save();
        QVERIFY(fs::exists("Infos/Brand_New.vaskinfo"));
        VaskInfo saved;
        QVERIFY(saved.LoadDataFromFile("Brand_New"));
        QCOMPARE(QString::fromStdString(saved.LastExecutionTimestamp.Str()), QString("-1"));
    }

    void cancelAsksOutsideView() {
        InfoForm form;
        form.show();
        form.InfoEditor_OnOpen(LoadInfo("Lena_Room"), InfoFormEditMode::View);
        form.EditInfo();
        AnswerNextQuestion("No");
        form.Cancel();
        QVERIFY(form.isVisible());
        AnswerNextQuestion("Yes");
        QTest::keyClick(form.Field("Owner"), Qt::Key_Escape);
        QVERIFY(!form.isVisible());
    }

    void closingUnloadsByNameAndByMark() {
        const std::uint32_t shown = LoadInfo("Lena_Room");
        LoadInfo("Lena_Greeting");
        {
            InfoForm form;
            form.show();
            form.InfoEditor_OnOpen(shown, InfoFormEditMode::View);
            // Another window's record, marked for unloading.
            InfoManager::InfoFiles[1].EditMark = 1;
            LoadInfo("Bob_Trade");
            form.close();
        }
        QCOMPARE(InfoManager::InfoFiles.GetSize(), 1u);
        QCOMPARE(QString::fromStdString(InfoManager::InfoFiles[0].Name.Str()),
                 QString("Bob_Trade"));
    }

    void editMarksOnlyARecordOfTheShownName() {
        const std::uint32_t other = LoadInfo("Bob_Trade");
        InfoForm form;
        form.show();
        form.InfoEditor_OnOpen(other, InfoFormEditMode::View);
        SetText(form, "InfoName", "Not_Loaded"); // no record has this name
        form.EditInfo();
        QCOMPARE(int(InfoManager::InfoFiles[0].EditMark), 0);
    }

    void failedWriteIsReportedAndTheWindowStays() {
        InfoForm form;
        form.show();
        form.InfoEditor_OnOpen(LoadInfo("Lena_Room"), InfoFormEditMode::View);
        form.EditInfo();
        SetText(form, "InfoName", "Blocked");
        fs::create_directory("Infos/Blocked.vaskinfo"); // nothing can be written there
        AnswerNextQuestion("Yes");
        SeenMessage error;
        AnswerNextMessage(error);
        form.Save();
        QCOMPARE(error.caption, QString("Error"));
        QCOMPARE(error.text, QString("Could not save \"Infos/Blocked.vaskinfo\": it is a folder."));
        QVERIFY(form.isVisible());
        QCOMPARE(form.InfoData().InfoCommands.size(), std::size_t(4));
        QCOMPARE(Text(form, "Owner"), QString("Lena"));

        // In the words of the command line's resave (CliTest).
        InfoForm bob;
        bob.show();
        bob.InfoEditor_OnOpen(LoadInfo("Bob_Greeting"), InfoFormEditMode::View);
        bob.EditInfo();
        const std::string before = VaskTest::ReadFile("Infos/Bob_Greeting.vaskinfo");
        fs::permissions("Infos/Bob_Greeting.vaskinfo", fs::perms::owner_read);
        AnswerNextQuestion("Yes");
        SeenMessage readOnly;
        AnswerNextMessage(readOnly);
        bob.Save();
        fs::permissions("Infos/Bob_Greeting.vaskinfo", fs::perms::owner_all);
        QCOMPARE(readOnly.text,
                 QString("Could not save \"Infos/Bob_Greeting.vaskinfo\": the file is read-only."));
        QVERIFY(bob.isVisible());
        QCOMPARE(VaskTest::ReadFile("Infos/Bob_Greeting.vaskinfo"), before);
    }

    void boxesHoldNoMoreThanTheirMembers() {
        InfoForm form;
        form.show();
        form.InfoEditor_OnOpen(0, InfoFormEditMode::New);
        auto* owner = static_cast<QLineEdit*>(form.Field("Owner"));
        owner->setText(QString(60, 'o'));
        QCOMPARE(owner->text().size(), 48);
        auto* sort = static_cast<QLineEdit*>(form.Field("SortID"));
        QTest::keyClicks(sort, "1234567890");
        QVERIFY(sort->text().trimmed().size() <= 8);
    }

    void memberBoxesRefuseWhatTheFileWouldCut() {
        // Owner "Old Bob" was saved and came back as "Old".
        InfoForm form;
        form.show();
        form.InfoEditor_OnOpen(0, InfoFormEditMode::New);
        for (const char* caption :
             {"InfoName", "Owner", "Partner", "ParentInfo", "Quest", "GoldCostScript",
              "SmallTalkPartner", "ExitRoutineName", "PartnerExitRoutineName"}) {
            auto* box = static_cast<QLineEdit*>(form.Field(caption));
            box->setFocus();
            QTest::keyClicks(box, "Old Bob/x;\"y");
            QCOMPARE(box->text(), QString("OldBobxy"));
            QVERIFY2(box->toolTip().contains("blanks"), caption);
        }
    }

    void unknownChoiceIsShownAndKept() {
        std::string text = VaskTest::ReadFile("Infos/Lena_Room.vaskinfo");
        const std::string from = "gEInfoType_Info";
        text.replace(text.find(from), from.size(), "gEInfoType_Special");
        VaskTest::WriteFile("Infos/Lena_Room.vaskinfo", text);
        InfoForm form;
        form.show();
        form.InfoEditor_OnOpen(LoadInfo("Lena_Room"), InfoFormEditMode::View);
        QCOMPARE(static_cast<QComboBox*>(form.Field("InfoType"))->currentText(),
                 QString("gEInfoType_Special"));
        form.EditInfo();
        AnswerNextQuestion("Yes");
        form.Save();
        QCOMPARE(QString::fromStdString(VaskTest::ReadFile("Infos/Lena_Room.vaskinfo")),
                 QString::fromStdString(text));
    }
};

QTEST_MAIN(InfoFormTest)
#include "InfoFormTest.moc"
