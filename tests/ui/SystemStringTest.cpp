// The crossing between widget texts and library bytes, and the masked boxes built on it.
#include "ui/SystemString.h"
#include "ui/MaskedBox.h"

#include <QLineEdit>
#include <QTest>

using namespace VaskEdit;

class SystemStringTest : public QObject {
    Q_OBJECT

private slots:
    void everyByteComesBackUnchanged() {
        std::string all;
        for (int byte = 0; byte < 256; ++byte)
            all.push_back(static_cast<char>(byte));
        const QString shown = FromSystemString(all);
        QCOMPARE(shown.size(), 256);
        QCOMPARE(ToSystemString(shown), all);
    }

    void bytesAreWindows1252Characters() {
        QCOMPARE(FromSystemString("\x80"), QString(QChar(0x20AC)));
        QCOMPARE(FromSystemString("\x9F"), QString(QChar(0x0178)));
        QCOMPARE(FromSystemString("\xE4"), QString(QChar(0x00E4)));
        // The five undefined bytes keep their numbers.
        for (const unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
            const char byte[] = {static_cast<char>(undefined), 0};
            QCOMPARE(FromSystemString(byte), QString(QChar(undefined)));
        }
        QCOMPARE(ToSystemString(QString::fromUtf8("\u20AC\u2122 \u00FC")),
                 std::string("\x80\x99 \xFC"));
    }

    void charactersOutsideTheCodePageBecomeQuestionMarks() {
        QCOMPARE(ToSystemString(QString::fromUtf8("a\u03A9b")), std::string("a?b"));
        // A character outside the basic plane is one character, so one "?".
        QCOMPARE(ToSystemString(QString::fromUtf8("x\U0001F600y")), std::string("x?y"));
        // U+0080 is not the byte 0x80 (that is the euro sign).
        QCOMPARE(ToSystemString(QString(QChar(0x0080))), std::string("?"));
    }

    void capacityLeavesRoomForTheTerminator() {
        QCOMPARE(ToSystemString("abcdef", 4), std::string("abc"));
        QCOMPARE(ToSystemString("abc", 4), std::string("abc"));
        QCOMPARE(ToSystemString("abc", 0), std::string());
        QCOMPARE(FromSystemString(static_cast<const char*>(nullptr)), QString());
    }

    void validTextsHoldMoreThanWhiteSpace() {
        QVERIFY(!StringIsValid(QString()));
        QVERIFY(!StringIsValid(""));
        QVERIFY(!StringIsValid(" \t\r\n "));
        QVERIFY(StringIsValid(" x "));
    }

    void untouchedGuidBoxIsEmpty() {
        QLineEdit box;
        ShowMasked(&box, GuidInputMask, "", 48);
        QCOMPARE(box.text(), QString("{----}"));
        QCOMPARE(BoxValue(&box), QString());
        QCOMPARE(BoxBytes(&box), std::string());
    }

    void fullGuidIsShownThroughTheMask() {
        QLineEdit box;
        const std::string guid = "{0A1B2C3D-4E5F-6A7B-8C9D-0E1F2A3B4C5D}";
        ShowMasked(&box, GuidInputMask, guid, 48);
        QCOMPARE(box.inputMask() + "; ", GuidInputMask);
        QCOMPARE(BoxBytes(&box), guid);
    }

    void valueThatDoesNotFitIsShownWithoutTheMask() {
        QLineEdit guidBox;
        ShowMasked(&guidBox, GuidInputMask, "It_Sword", 48);
        QVERIFY(guidBox.inputMask().isEmpty());
        QCOMPARE(BoxBytes(&guidBox), std::string("It_Sword"));
        QCOMPARE(guidBox.maxLength(), 48);

        QLineEdit numberBox;
        const QString mask = QtInputMask(RowKind::Number, 48);
        ShowMasked(&numberBox, mask, "1.5", 48);
        QVERIFY(numberBox.inputMask().isEmpty());
        QCOMPARE(BoxBytes(&numberBox), std::string("1.5"));
        // A leading blank fits the pattern but the mask would drop it.
        ShowMasked(&numberBox, mask, " 5", 48);
        QCOMPARE(BoxBytes(&numberBox), std::string(" 5"));
        ShowMasked(&numberBox, mask, "-12", 48);
        QCOMPARE(numberBox.inputMask() + "; ", mask);
        QCOMPARE(BoxBytes(&numberBox), std::string("-12"));
    }

    void numberMaskHoldsNoMoreThanItsSlot() {
        QCOMPARE(QtInputMask(RowKind::Number, 48), QString("#90000000; "));
        QCOMPARE(QtInputMask(RowKind::Number, 8), QString("#9000000; "));
        QCOMPARE(QtInputMask(RowKind::Text, 48), QString());
        QLineEdit box;
        ShowMasked(&box, QtInputMask(RowKind::Number, 8), "", 8);
        box.setFocus();
        box.home(false);
        QTest::keyClicks(&box, "-123456789");
        QCOMPARE(BoxBytes(&box), std::string("-1234567"));
    }
};

QTEST_MAIN(SystemStringTest)
#include "SystemStringTest.moc"
