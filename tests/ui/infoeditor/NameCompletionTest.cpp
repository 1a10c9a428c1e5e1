// Name boxes complete what the workspace knows: infos (with the first line they say),
// quests and persons, in the editor's member boxes and in the command rows; the lists
// are filled once per change of what they come from, not per key.
#include "ui/common/NameCompletion.h"
#include "UiTestSupport.h"
#include "library/InfoManager.h"
#include "library/ReferenceIndex.h"
#include "library/TemplateManager.h"
#include "support/UserStateHome.h"
#include "support/Workspace.h"
#include "ui/entrydialogs/InfoCommandForm.h"
#include "ui/entrydialogs/TemplateBox.h"
#include "ui/infoeditor/InfoForm.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include <memory>

using namespace VaskEdit;
using namespace VaskUiTest;

namespace {

QLineEdit* Box(InfoForm& form, const char* caption) {
    return static_cast<QLineEdit*>(FieldOf(form, caption));
}

// Types into the box as the user does: focused first.
void TypeInto(QLineEdit* box, const QString& text) {
    box->window()->activateWindow();
    box->setFocus();
    QApplication::processEvents();
    box->selectAll();
    QTest::keyClicks(box, text);
}

// What the box's completion offers now, as the list shows it.
QStringList Offered(QLineEdit* box) {
    QStringList offered;
    QCompleter* completer = box->completer();
    if (!completer)
        return offered;
    for (int row = 0; row < completer->completionModel()->rowCount(); ++row)
        offered << completer->completionModel()->index(row, 0).data().toString();
    return offered;
}

// Picks the first offered name from the list with the keys.
void TakeFirstOffered(QLineEdit* box) {
    QAbstractItemView* list = box->completer()->popup();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
}

} // namespace

class NameCompletionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<VaskTest::Workspace> workspace;
    std::unique_ptr<VaskTest::UserStateHome> state;

private slots:
    void init() {
        state = std::make_unique<VaskTest::UserStateHome>();
        workspace = std::make_unique<VaskTest::Workspace>();
        workspace->CopyFromSource("demo");
        workspace->CopyResources();
        InfoManager::Shutdown();
        InfoManager::InfoFiles.Deallocate();
        InfoManager::InfoFileCache.ClearContent();
        QVERIFY(InfoManager::Initialize());
        QVERIFY(References().Build({}, {}).succeeded);
    }

    void cleanup() {
        StopWatching();
        CloseEditors();
        References().Clear();
        InfoManager::InfoFileCache.ClearContent();
        TemplateManager::TemplateCache.ClearContent();
        InfoManager::Shutdown();
        InfoManager::InfoFiles.Deallocate();
        workspace.reset();
        state.reset();
    }

    // ParentInfo offers infos by any part of their name, whatever the case, with the first
    // line each says; choosing one puts in only its name, as an edit of the info.
    void parentInfoOffersInfosAndTakesOnlyTheName() {
        auto form = std::make_unique<InfoForm>();
        form->show();
        form->InfoEditor_OnOpen(LoadInfo("Bob_Greeting"), InfoFormEditMode::View);
        form->EditInfo();
        QLineEdit* parent = Box(*form, "ParentInfo");
        TypeInto(parent, "HAGG");
        QCOMPARE(Offered(parent),
                 QStringList{QString::fromUtf8("Bob_Haggle  \u2014  That price is robbery.")});
        QVERIFY(parent->completer()->popup()->isVisible());
        TakeFirstOffered(parent);
        QCOMPARE(parent->text(), QString("Bob_Haggle"));
        QCOMPARE(form->InfoData().Parent, std::string("Bob_Haggle"));

        TypeInto(Box(*form, "Quest"), "lost");
        QCOMPARE(Offered(Box(*form, "Quest")), QStringList{"Q_LostShipment"});
        TypeInto(Box(*form, "Owner"), "dra");
        QCOMPARE(Offered(Box(*form, "Owner")), QStringList{"Dray"});
        AnswerNextQuestion("No");
        form->close();
    }

    // A Say's speaker row offers persons, an AddLogText's quest row quests; rows that
    // name nothing known offer nothing.
    void commandRowsOfferPersonsAndQuests() {
        InfoCommandRef entry;
        InfoCommandForm form(entry, EntryEditMode::New);
        form.show();
        auto* types = form.findChild<QComboBox*>("typeList");
        types->setCurrentText("Say");
        auto* speaker = form.findChild<QLineEdit*>("rowBox1");
        TypeInto(speaker, "LEN");
        QCOMPARE(Offered(speaker), QStringList{"Lena"});
        TakeFirstOffered(speaker);
        QCOMPARE(speaker->text(), QString("Lena"));

        types->setCurrentText("AddLogText");
        auto* quest = form.findChild<QLineEdit*>("rowBox2");
        TypeInto(quest, "herb");
        QCOMPARE(Offered(quest), QStringList{"Q_HealingHerbs"});
        QVERIFY(!form.findChild<QLineEdit*>("rowBox1")->completer());
    }

    // The template picker's name box offers template names with their GUID beside them.
    void templatePickerOffersTemplatesWithTheirGuid() {
        TemplateManager::TemplateCache.ClearContent();
        for (const auto& [name, guid] :
             {std::pair{"It_Sword", "{11111111-AAAA-BBBB-CCCC-000000000001}"},
              std::pair{"It_Shield", "{22222222-AAAA-BBBB-CCCC-000000000002}"}}) {
            VaskTemplateCache record;
            record.Name = Char48(name);
            record.GUID = Char48(guid);
            TemplateManager::TemplateCache.PushBack(record);
        }
        TemplateBox picker(QString(), QString(), true, nullptr);
        picker.show();
        auto* name = picker.findChild<QLineEdit*>("nameBox");
        TypeInto(name, "SHIE");
        QCOMPARE(Offered(name), QStringList{QString::fromUtf8(
                                    "It_Shield  \u2014  {22222222-AAAA-BBBB-CCCC-000000000002}")});
        TakeFirstOffered(name);
        QCOMPARE(name->text(), QString("It_Shield"));
    }

    // Typing does not fill the lists again; a change of the index does, once.
    void listsAreFilledOncePerChange() {
        NameCompletion& names = NameCompletion::Shared();
        InfoCommandRef entry;
        InfoCommandForm form(entry, EntryEditMode::New);
        form.show();
        form.findChild<QComboBox*>("typeList")->setCurrentText("Say");
        auto* speaker = form.findChild<QLineEdit*>("rowBox1");
        auto* listener = form.findChild<QLineEdit*>("rowBox2");
        TypeInto(speaker, "Bo");
        const int filled = names.Fills();
        TypeInto(listener, "Le");
        TypeInto(speaker, "Dra");
        QCOMPARE(names.Fills(), filled);

        References().Forget("Lena_Greeting");
        TypeInto(listener, "Mir");
        QCOMPARE(names.Fills(), filled + 1);
        TypeInto(speaker, "Bo");
        QCOMPARE(names.Fills(), filled + 1);
    }

    // 20,000 infos: the lists fill in a moment and a key filters them at once.
    void twentyThousandInfosAreQuick() {
        for (int i = 0; i < 20000; ++i) {
            VaskInfoCache record;
            const std::string number = std::to_string(i);
            record.Name = Char48("Npc" + number + "_Info");
            record.Owner = Char48("Npc" + number);
            record.Quest = Char48("Q_Task" + std::to_string(i % 500));
            InfoManager::InfoFileCache.PushBack(record);
        }
        QElapsedTimer timer;
        timer.start();
        NameCompletion::Shared().Refresh();
        const qint64 fill = timer.elapsed();
        QVERIFY(NameCompletion::Shared().Model(NameKind::Info)->rowCount() > 20000);

        auto form = std::make_unique<InfoForm>();
        form->show();
        form->InfoEditor_OnOpen(LoadInfo("Bob_Greeting"), InfoFormEditMode::View);
        form->EditInfo();
        QLineEdit* parent = Box(*form, "ParentInfo");
        // The first key filters all names, the next ones those left.
        TypeInto(parent, "");
        timer.restart();
        QTest::keyClicks(parent, "_");
        const int many = parent->completer()->completionModel()->rowCount();
        const double firstKey = timer.nsecsElapsed() / 1e6;
        QVERIFY(many >= 20000);
        QTest::keyClicks(parent, "Info");
        QTest::keyClick(parent, Qt::Key_Home);
        TypeInto(parent, "Npc1999");
        timer.restart();
        QTest::keyClicks(parent, "9");
        const QStringList offered = Offered(parent);
        const double key = timer.nsecsElapsed() / 1e6;
        QCOMPARE(offered, QStringList{"Npc19999_Info"});
        qInfo("20000 infos: lists filled in %lld ms; the first key filtered them in %.1f ms, "
              "a further key in %.2f ms",
              fill, firstKey, key);
        QVERIFY2(fill < 3000 && firstKey < 1000 && key < 1000, "completion is too slow");
        AnswerNextQuestion("No");
        form->close();
    }
};

QTEST_MAIN(NameCompletionTest)
#include "NameCompletionTest.moc"
