// The template dialog (name and GUID kept together, suggestions) and the list dialog.
#include "UiTestSupport.h"
#include "library/TemplateManager.h"
#include "library/TemplateSelectList.h"
#include "support/Workspace.h"
#include "ui/DialogResult.h"
#include "ui/ListSelectBox.h"
#include "ui/TemplateBox.h"

#include <QLabel>
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

void AddTemplate(const char* file, const char* name, const QString& guid) {
    VaskTemplateCache record;
    record.File = Char48(file);
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

void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

// Picks a row of the next list dialog (or none for -1) and presses "OK".
void PickInNextList(int row, QStringList* offered = nullptr, QString* title = nullptr) {
    OnNextModalOf<ListSelectBox>([=](ListSelectBox& list) {
        auto* table = list.findChild<QTableWidget*>("itemList");
        if (offered) {
            for (int i = 0; i < table->rowCount(); ++i)
                offered->append(table->item(i, 0)->text());
        }
        if (title)
            *title = list.windowTitle();
        if (row >= 0)
            table->selectRow(row);
        list.AcceptSelection();
        if (list.isVisible())
            list.reject();
    });
}

} // namespace

class SelectionDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { StopWatching(); }

    void init() {
        TemplateManager::TemplateCache.ClearContent();
        TemplateSelectList::ClearItems();
        AddTemplate("It_Sword", "It_Sword", SwordGuid);
        AddTemplate("It_Shield", "It_Shield", ShieldGuid);
        AddTemplate("It_LongSword", "It_LongSword", LongSwordGuid);
    }

    void templateBoxLayout() {
        TemplateBox box(true);
        QCOMPARE(box.windowTitle(), QString("TemplateBox"));
        QCOMPARE(box.size(), QSize(415, 197));
        QCOMPARE(NameBox(box)->width(), 230);
        QCOMPARE(GuidBox(box)->width(), 260);
        QCOMPARE(NameBox(box)->palette().color(QPalette::Base), QColor(255, 255, 225));
        QCOMPARE(GuidBox(box)->palette().color(QPalette::Base), QColor(225, 225, 255));
        QCOMPARE(box.findChild<QPushButton*>("suggestButton")->toolTip(),
                 QString("Press return to get suggestions"));
        QCOMPARE(box.GetName(), QString());
        QCOMPARE(box.GetGUID(), QString());
    }

    void knownGuidShowsItsName() {
        TemplateBox known(QString(), ShieldGuid, true);
        QCOMPARE(known.GetName(), QString("It_Shield"));
        QCOMPARE(known.GetGUID(), ShieldGuid);

        TemplateBox unknown(QString(), "{99999999-AAAA-BBBB-CCCC-000000000009}", true);
        QCOMPARE(unknown.GetName(), QString());
    }

    void knownNameShowsItsGuid() {
        TemplateBox box("It_LongSword", QString(), false);
        QCOMPARE(box.GetGUID(), LongSwordGuid);
    }

    void bothGivenAreShownAsPassed() {
        TemplateBox box("It_Sword", ShieldGuid, true);
        QCOMPARE(box.GetName(), QString("It_Sword"));
        QCOMPARE(box.GetGUID(), ShieldGuid);
    }

    void untouchedGuidBoxLooksNothingUp() {
        // A template whose GUID is the untouched box's text must not be found.
        AddTemplate("Broken", "Broken", "{----}");
        TemplateBox box(QString(), "{----}", true);
        QCOMPARE(box.GetName(), QString());
        QCOMPARE(box.GetGUID(), QString());
    }

    void storedTextThatIsNoGuidComesBackWhole() {
        TemplateBox box(QString(), "It_Sword_Old", true);
        QCOMPARE(box.GetGUID(), QString("It_Sword_Old"));
    }

    void leavingTheNameBoxTakesTheTemplatesGuid() {
        TemplateBox box(QString(), SwordGuid, true);
        ShowActive(box);
        NameBox(box)->setFocus();
        NameBox(box)->selectAll();
        QTest::keyClicks(NameBox(box), "It_Shield");
        GuidBox(box)->setFocus();
        QCOMPARE(box.GetGUID(), ShieldGuid);

        // An unknown name leaves the GUID alone.
        NameBox(box)->setFocus();
        NameBox(box)->selectAll();
        QTest::keyClicks(NameBox(box), "It_Nothing");
        GuidBox(box)->setFocus();
        QCOMPARE(box.GetGUID(), ShieldGuid);
    }

    void leavingTheGuidBoxTakesTheTemplatesName() {
        TemplateBox box(true);
        ShowActive(box);
        GuidBox(box)->setFocus();
        GuidBox(box)->home(false);
        QTest::keyClicks(GuidBox(box), QString(LongSwordGuid).remove('{').remove('}').remove('-'));
        NameBox(box)->setFocus();
        QCOMPARE(box.GetGUID(), LongSwordGuid);
        QCOMPARE(box.GetName(), QString("It_LongSword"));
    }

    void enterInTheNameBoxOffersMatchingTemplates() {
        TemplateBox box(true);
        ShowActive(box);
        NameBox(box)->setFocus();
        QTest::keyClicks(NameBox(box), "sword");
        QStringList offered;
        QString title;
        PickInNextList(1, &offered, &title);
        QTest::keyClick(NameBox(box), Qt::Key_Return);
        QCOMPARE(title, QString("Please select Template:"));
        QCOMPARE(offered, QStringList({"It_Sword", "It_LongSword"}));
        QCOMPARE(box.GetName(), QString("It_LongSword"));
        QCOMPARE(box.GetGUID(), LongSwordGuid);
        QVERIFY(box.isVisible());
    }

    void suggestionsWithoutAPickChangeNothing() {
        TemplateBox box("It_Sword", SwordGuid, true);
        OnNextModalOf<ListSelectBox>([](ListSelectBox& list) { list.reject(); });
        QTest::mouseClick(box.findChild<QPushButton*>("suggestButton"), Qt::LeftButton);
        QCOMPARE(box.GetName(), QString("It_Sword"));
        QCOMPARE(box.GetGUID(), SwordGuid);
    }

    void readOnlyTemplateBoxAnswersKeysWithTheReadOnlyMessage() {
        TemplateBox box("It_Sword", SwordGuid, false);
        QVERIFY(box.IsReadOnly());
        QVERIFY(NameBox(box)->isReadOnly());
        QVERIFY(GuidBox(box)->isReadOnly());
        ShowActive(box);
        bool listOpened = false;
        OnNextModal([&](QWidget* window) {
            if (qobject_cast<ListSelectBox*>(window)) {
                listOpened = true;
                static_cast<QDialog*>(window)->reject();
                return true;
            }
            return false;
        });
        SeenMessage enter;
        AnswerNextMessage(enter);
        QTest::keyClick(NameBox(box), Qt::Key_Return);
        QCOMPARE(enter.count, 1);
        QCOMPARE(enter.caption, QString("Caution"));
        QCOMPARE(enter.text, QString("Current permissions: read only.\nPlease enable editmode."));

        SeenMessage shifted;
        AnswerNextMessage(shifted);
        QTest::keyClick(NameBox(box), Qt::Key_A, Qt::ShiftModifier);
        QCOMPARE(shifted.count, 1);
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
        OnNextModal([&](QWidget* window) {
            if (window != &box)
                return false;
            QTest::keyClick(NameBox(box), Qt::Key_S, Qt::ControlModifier);
            return true;
        });
        QCOMPARE(box.exec(), DialogResult::OK);
        QCOMPARE(box.GetName(), QString("It_Sword"));
        QCOMPARE(box.GetGUID(), ShieldGuid);

        TemplateBox escaped(true);
        OnNextModal([&](QWidget* window) {
            if (window != &escaped)
                return false;
            QTest::keyClick(GuidBox(escaped), Qt::Key_Escape);
            return true;
        });
        QCOMPARE(escaped.exec(), DialogResult::Cancel);
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
        QCOMPARE(list.size(), QSize(320, 355));
        QCOMPARE(list.findChild<QLabel*>("topicLabel")->text(), QString("Template"));
        QVERIFY(list.findChild<QLabel*>("topicLabel")->font().bold());
        auto* table = list.findChild<QTableWidget*>("itemList");
        QCOMPARE(table->columnWidth(0), 300);
        QCOMPARE(table->horizontalHeaderItem(0)->text(), QString("Name"));

        SeenMessage seen;
        bool openAfterMessage = false;
        OnNextModal([&](QWidget* window) {
            if (window != &list)
                return false;
            AnswerNextMessage(seen);
            QTest::mouseClick(list.findChild<QPushButton*>("okButton"), Qt::LeftButton);
            openAfterMessage = list.isVisible();
            table->selectRow(1);
            QTest::keyClick(table, Qt::Key_S, Qt::ControlModifier);
            return true;
        });
        QCOMPARE(list.exec(), DialogResult::OK);
        QCOMPARE(seen.count, 1);
        QCOMPARE(seen.caption, QString("Caution!"));
        QCOMPARE(seen.text, QString("No selected item!"));
        QVERIFY(openAfterMessage);
        QCOMPARE(list.GetSelectedIndex(), 1);
        QCOMPARE(list.GetSelectedItem(), QString("It_Shield"));
    }

    void listStartsWithNothingAcceptedAndEscapeCancels() {
        ListSelectBox list;
        QCOMPARE(list.windowTitle(), QString("ListSelectBox"));
        QCOMPARE(list.findChild<QLabel*>("topicLabel")->text(), QString("Topic"));
        list.SetColumn("Name", {"A"});
        QCOMPARE(list.GetSelectedIndex(), 0);
        QCOMPARE(list.GetSelectedItem(), QString());
        OnNextModal([&](QWidget* window) {
            if (window != &list)
                return false;
            QTest::keyClick(list.findChild<QTableWidget*>("itemList"), Qt::Key_Escape);
            return true;
        });
        QCOMPARE(list.exec(), DialogResult::Cancel);
        QCOMPARE(list.GetSelectedItem(), QString());
    }

    void doubleClickAcceptsTheRow() {
        ListSelectBox list;
        list.SetColumn("Name", {"A", "B", "C"});
        auto* table = list.findChild<QTableWidget*>("itemList");
        OnNextModal([&](QWidget* window) {
            if (window != &list)
                return false;
            const QRect cell = table->visualItemRect(table->item(2, 0));
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
            return true;
        });
        QCOMPARE(list.exec(), DialogResult::OK);
        QCOMPARE(list.GetSelectedIndex(), 2);
        QCOMPARE(list.GetSelectedItem(), QString("C"));
    }
};

QTEST_MAIN(SelectionDialogsTest)
#include "SelectionDialogsTest.moc"
