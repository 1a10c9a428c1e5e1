// A filter on one window's widgets: it sees the keys of the widgets the window has and
// gets later, before they do, and nothing of other windows.
#include "ui/common/WindowWidgetsFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>
#include <set>

using namespace VaskEdit;

namespace {
// Takes every key pressed in a widget it watches, noting where it was pressed.
class KeyTaker : public QObject {
public:
    std::set<QObject*> pressedIn;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        pressedIn.insert(watched);
        return true;
    }
};
} // namespace

class WindowWidgetsFilterTest : public QObject {
    Q_OBJECT

private slots:
    void seesTheWindowsWidgetsBeforeThemAndNoOtherWindows() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* early = new QLineEdit;
        layout->addWidget(early);
        KeyTaker taker;
        FilterWindowWidgets(&window, &taker);

        // Added later: a panel made with a box of its own before it joins the window,
        // and a box made inside the panel after that.
        auto* panel = new QWidget;
        auto* inner = new QVBoxLayout(panel);
        auto* madeBefore = new QLineEdit;
        inner->addWidget(madeBefore);
        layout->addWidget(panel);
        auto* madeAfter = new QLineEdit(panel);

        QWidget other;
        auto* otherBox = new QLineEdit(&other);

        for (QLineEdit* box : {early, madeBefore, madeAfter, otherBox})
            QTest::keyClick(box, Qt::Key_X);
        QCOMPARE(taker.pressedIn, (std::set<QObject*>{early, madeBefore, madeAfter}));
        // Taken before the boxes: they got nothing; the other window's box got its key.
        QCOMPARE(early->text(), QString());
        QCOMPARE(madeBefore->text(), QString());
        QCOMPARE(madeAfter->text(), QString());
        QCOMPARE(otherBox->text(), QString("x"));
    }

    void aFilterThatIsGoneIsNotCalled() {
        QWidget window;
        auto* box = new QLineEdit(&window);
        auto taker = std::make_unique<KeyTaker>();
        FilterWindowWidgets(&window, taker.get());
        taker.reset();
        auto* later = new QLineEdit(&window);
        QTest::keyClick(box, Qt::Key_A);
        QTest::keyClick(later, Qt::Key_B);
        QCOMPARE(box->text(), QString("a"));
        QCOMPARE(later->text(), QString("b"));
    }
};

QTEST_MAIN(WindowWidgetsFilterTest)
#include "WindowWidgetsFilterTest.moc"
