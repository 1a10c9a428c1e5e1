// The crossing between widget texts and library bytes, and the masked boxes built on it.
#include "ui/common/SystemString.h"
#include "ui/entrydialogs/MaskedBox.h"

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
        QCOMPARE(FromSystemString("\x80\x9F\xE4"), QString::fromUtf8("\u20AC\u0178\u00E4"));
        // The five undefined bytes keep their numbers.
        QCOMPARE(FromSystemString("\x81\x8D\x8F\x90\x9D"),
                 QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D"));
        QCOMPARE(ToSystemString(QString::fromUtf8("\u20AC\u2122 \u00FC")),
                 std::string("\x80\x99 \xFC"));
        // Outside the code page: "?", one for a character beyond the basic plane; U+0080
        // is not the byte 0x80 (that is the euro sign).
        QCOMPARE(ToSystemString(QString::fromUtf8("a\u03A9b x\U0001F600y \u0080")),
                 std::string("a?b x?y ?"));
        // A capacity leaves room for the terminator.
        QCOMPARE(ToSystemString("abcdef", 4), std::string("abc"));
        QCOMPARE(ToSystemString("abc", 0), std::string());
    }

    // A masked box changes a text that does not fit its mask, so such a value is shown
    // without the mask and comes back whole.
    void maskedBoxGivesBackWhatItWasShown() {
        QLineEdit box;
        const QString number = QtInputMask(RowKind::Number, 48);
        for (const std::string text : {"It_Sword", "1.5", " 5", "-12"}) {
            ShowMasked(&box, text == "It_Sword" ? GuidInputMask : number, text, 48);
            QCOMPARE(BoxBytes(&box), text);
            if (box.inputMask().isEmpty()) // nor can more be typed than the member keeps
                QCOMPARE(box.maxLength(), 48);
        }
        // What fits is shown through the mask.
        QCOMPARE(box.inputMask() + "; ", number);
        const std::string guid = "{0A1B2C3D-4E5F-6A7B-8C9D-0E1F2A3B4C5D}";
        ShowMasked(&box, GuidInputMask, guid, 48);
        QCOMPARE(box.inputMask() + "; ", GuidInputMask);
        QCOMPARE(BoxBytes(&box), guid);
    }
};

QTEST_MAIN(SystemStringTest)
#include "SystemStringTest.moc"
