// The template dialog (name and GUID kept together, suggestions) and the list dialog.
#include "UiTestSupport.h"
#include "library/TemplateManager.h"
#include "library/TemplateSelectList.h"
#include "support/Workspace.h"
#include "ui/dialogs/DialogResult.h"
#include "ui/entrydialogs/ListSelectBox.h"
#include "ui/entrydialogs/TemplateBox.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace VaskEdit;
using namespace VaskUiTest;

namespace {

const QString SwordGuid = "{11111111-AAAA-BBBB-CCCC-000000000001}";
const QString ShieldGuid = "{22222222-AAAA-BBBB-CCCC-000000000002}";
const QString LongSwordGuid = "{33333333-AAAA-BBBB-CCCC-000000000003}";

void AddTemplate(const char* name, const QString& guid) {
    VaskTemplateCache record;
    record.File = Char48(name);
    record.Name = Char48(name);
    record.GUID = Char48(guid.toStdString());
    TemplateManager::TemplateCache.PushBack(record);
}

QLineEdit* NameBox(TemplateBox& box) {
    return box.findChild<QLineEdit*>("nameBox");
}

QLineEdit* GuidBox(TemplateBox& box) {
    return box.findChild<QLineEdit*>("guidBox");
}

QTableWidget* ItemList(ListSelectBox& list) {
    return list.findChild<QTableWidget*>("itemList");
}

void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

// Types the text into the box as the user does, then leaves the box for the other one.
void TypeAndLeave(QLineEdit* box, const QString& text, QLineEdit* next) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    next->setFocus();
}

} // namespace

class SelectionDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { StopWatching(); }

    void init() {
        TemplateManager::TemplateCache.ClearContent();
        TemplateSelectList::ClearItems();
        AddTemplate("It_Sword", SwordGuid);
        AddTemplate("It_Shield", ShieldGuid);
        AddTemplate("It_LongSword", LongSwordGuid);
    }

    // The dialog opens on a name, a GUID or both and fills in the half that is missing.
    void openingLooksUpTheMissingHalf() {
        // A template whose GUID is the untouched box's text must not be found.
        AddTemplate("Broken", "{----}");
        const QString unknown = "{99999999-AAAA-BBBB-CCCC-000000000009}";
        struct Case {
            QString name, guid, shownName, shownGuid;
        };
        for (const Case& c : {
                 Case{"", ShieldGuid, "It_Shield", ShieldGuid},
                 Case{"", unknown, "", unknown},
                 Case{"It_LongSword", "", "It_LongSword", LongSwordGuid},
                 Case{"It_Sword", ShieldGuid, "It_Sword", ShieldGuid}, // both: as passed
                 Case{"", "{----}", "", ""},
                 // A stored text that is no GUID comes back whole.
                 Case{"", "It_Sword_Old", "", "It_Sword_Old"},
             }) {
            TemplateBox box(c.name, c.guid, c.name.isEmpty());
            QVERIFY2(box.GetName() == c.shownName && box.GetGUID() == c.shownGuid,
                     qPrintable(c.name + "|" + c.guid));
        }
    }

    void leavingABoxTakesTheOtherHalfOfItsTemplate() {
        TemplateBox box(QString(), SwordGuid, true);
        ShowActive(box);
        TypeAndLeave(NameBox(box), "It_Shield", GuidBox(box));
        QCOMPARE(box.GetGUID(), ShieldGuid);
        // An unknown name leaves the GUID alone.
        TypeAndLeave(NameBox(box), "It_Nothing", GuidBox(box));
        QCOMPARE(box.GetGUID(), ShieldGuid);

        GuidBox(box)->setFocus();
        GuidBox(box)->home(false);
        TypeAndLeave(GuidBox(box), QString(LongSwordGuid).remove('{').remove('}').remove('-'),
                     NameBox(box));
        QCOMPARE(box.GetGUID(), LongSwordGuid);
        QCOMPARE(box.GetName(), QString("It_LongSword"));
    }

    void enterInTheNameBoxOffersMatchingTemplates() {
        TemplateBox box(true);
        ShowActive(box);
        NameBox(box)->setFocus();
        QTest::keyClicks(NameBox(box), "sword");
        QStringList offered;
        OnNextModalOf<ListSelectBox>([&](ListSelectBox& list) {
            for (int i = 0; i < ItemList(list)->rowCount(); ++i)
                offered.append(ItemList(list)->item(i, 0)->text());
            ItemList(list)->selectRow(1);
            list.AcceptSelection();
        });
        QTest::keyClick(NameBox(box), Qt::Key_Return);
        QCOMPARE(offered, QStringList({"It_Sword", "It_LongSword"}));
        QCOMPARE(box.GetName(), QString("It_LongSword"));
        QCOMPARE(box.GetGUID(), LongSwordGuid);
        QVERIFY(box.isVisible());

        // Suggestions closed without a pick change nothing.
        OnNextModalOf<ListSelectBox>([](ListSelectBox& list) { list.reject(); });
        QTest::mouseClick(box.findChild<QPushButton*>("suggestButton"), Qt::LeftButton);
        QCOMPARE(box.GetName(), QString("It_LongSword"));
        QCOMPARE(box.GetGUID(), LongSwordGuid);
    }

    void readOnlyTemplateBoxAnswersKeysWithTheReadOnlyMessage() {
        TemplateBox box("It_Sword", SwordGuid, false);
        QVERIFY(box.IsReadOnly());
        QVERIFY(NameBox(box)->isReadOnly() && GuidBox(box)->isReadOnly());
        ShowActive(box);
        bool listOpened = false;
        OnNextModalOf<ListSelectBox>([&](ListSelectBox& list) {
            listOpened = true;
            list.reject();
        });
        QCOMPARE(MessageAfter([&] { QTest::keyClick(NameBox(box), Qt::Key_Return); }),
                 ReadOnlyMessage);
        QCOMPARE(MessageAfter([&] { QTest::keyClick(NameBox(box), Qt::Key_A, Qt::ShiftModifier); }),
                 ReadOnlyMessage);
        QCOMPARE(box.GetName(), QString("It_Sword"));
        QVERIFY(!listOpened);

        // Leaving a box of a read-only dialog changes nothing.
        TemplateBox mismatched("It_Shield", SwordGuid, false);
        ShowActive(mismatched);
        NameBox(mismatched)->setFocus();
        GuidBox(mismatched)->setFocus();
        QCOMPARE(mismatched.GetGUID(), SwordGuid);
    }

    void ctrlSHandsNameAndGuidToTheCaller() {
        TemplateBox box("It_Sword", ShieldGuid, true);
        QCOMPARE(
            ExecDoing(box, [&] { QTest::keyClick(NameBox(box), Qt::Key_S, Qt::ControlModifier); }),
            DialogResult::OK);
        QCOMPARE(box.GetName(), QString("It_Sword"));
        QCOMPARE(box.GetGUID(), ShieldGuid);

        TemplateBox escaped(true);
        QCOMPARE(ExecDoing(escaped, [&] { QTest::keyClick(GuidBox(escaped), Qt::Key_Escape); }),
                 DialogResult::Cancel);
    }

    void firstTemplateBoxReadsTheCacheFile() {
        VaskTest::Workspace workspace;
        TemplateManager::TemplateCache.ClearContent();
        VaskTest::WriteFile("templatecache", "It_Axe,It_Axe," + SwordGuid.toStdString() + ",");
        TemplateBox box(QString(), SwordGuid, true);
        QCOMPARE(box.GetName(), QString("It_Axe"));
        QCOMPARE(TemplateManager::TemplateCache.GetSize(), 1u);
    }

    void listWithoutSelectionRefusesOkAndStaysOpen() {
        ListSelectBox list("Please select Template:", "Template");
        list.SetColumn("Name", {"It_Sword", "It_Shield"});
        QString seen;
        bool openAfterMessage = false;
        QCOMPARE(ExecDoing(list,
                           [&] {
                               seen = MessageAfter([&] {
                                   QTest::mouseClick(list.findChild<QPushButton*>("okButton"),
                                                     Qt::LeftButton);
                               });
                               openAfterMessage = list.isVisible();
                               ItemList(list)->selectRow(1);
                               QTest::keyClick(ItemList(list), Qt::Key_S, Qt::ControlModifier);
                           }),
                 DialogResult::OK);
        QCOMPARE(seen, QString("Caution!|No selected item!"));
        QVERIFY(openAfterMessage);
        QCOMPARE(list.GetSelectedIndex(), 1);
        QCOMPARE(list.GetSelectedItem(), QString("It_Shield"));
    }

    // A search that found one template is taken with Enter, as the user typed it.
    void listOfOneTakesItWithEnter() {
        ListSelectBox list("Please select Template:", "Template");
        list.SetColumn("Name", {"It_Sword"});
        SeenMessage seen;
        AnswerNextMessage(seen); // "No selected item!" would be answered, and counted
        QCOMPARE(ExecDoing(list,
                           [&] {
                               QTest::keyClick(ItemList(list), Qt::Key_Return);
                               if (list.isVisible())
                                   list.reject();
                           }),
                 DialogResult::OK);
        QCOMPARE(seen.count, 0);
        QCOMPARE(list.GetSelectedItem(), QString("It_Sword"));
    }

    void listAcceptsADoubleClickedRowAndEscapeCancels() {
        ListSelectBox escaped;
        escaped.SetColumn("Name", {"A"});
        QCOMPARE(ExecDoing(escaped, [&] { QTest::keyClick(ItemList(escaped), Qt::Key_Escape); }),
                 DialogResult::Cancel);
        QCOMPARE(escaped.GetSelectedItem(), QString());

        ListSelectBox list;
        list.SetColumn("Name", {"A", "B", "C"});
        QTableWidget* table = ItemList(list);
        QCOMPARE(ExecDoing(list,
                           [&] {
                               const QPoint cell =
                                   table->visualItemRect(table->item(2, 0)).center();
                               QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell);
                               QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell);
                           }),
                 DialogResult::OK);
        QCOMPARE(list.GetSelectedIndex(), 2);
        QCOMPARE(list.GetSelectedItem(), QString("C"));
    }
};

QTEST_MAIN(SelectionDialogsTest)
#include "SelectionDialogsTest.moc"
