#include <QStringDecoder>
#include <QStringEncoder>
#include <QtTest>
#include <iterator>

#include "core/gbk_text.h"

using namespace tunnel;

class TestGbkText : public QObject {
    Q_OBJECT
private slots:
    void everyTwoByteCodeRoundTrips();
    void knownBytes_data();
    void knownBytes();
    void outsideGbkIsKept_data();
    void outsideGbkIsKept();
    void standardTwinsOfPrivateUseCodes();
    void everyBmpCharacterRoundTrips();
    void everyCodePointAsTheCodecsHaveIt();
    void halfSurrogatePair();
    void length();
};

void TestGbkText::everyTwoByteCodeRoundTrips() {
    // Every code that code page 936 defines comes back byte for byte.
    QStringDecoder strict("GBK", QStringConverter::Flag::Stateless);
    int defined = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            QByteArray bytes;
            bytes.append(static_cast<char>(lead)).append(static_cast<char>(trail));
            const QString text = FromGbk(bytes);
            if (text.size() != 1 || text[0] == QChar::ReplacementCharacter) continue;
            ++defined;
            QCOMPARE(ToGbk(text), bytes);
            QCOMPARE(GbkLength(text), 2);
        }
    }
    // CP936 defines 21886 two-byte codes (user-defined areas included by ICU).
    QVERIFY2(defined > 21000, qPrintable(QString::number(defined)));
}

void TestGbkText::knownBytes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << "2.8" << QByteArray("2.8");
    QTest::newRow("euro is one byte") << "€" << QByteArray("\x80");
    QTest::newRow("chinese") << "中文" << QByteArray("\xD6\xD0\xCE\xC4");
    QTest::newRow("full-width digit") << "１" << QByteArray("\xA3\xB1");
    QTest::newRow("ideographic space") << "\u3000" << QByteArray("\xA1\xA1");
    QTest::newRow("delta sign") << "△" << QByteArray("\xA1\xF7");
    QTest::newRow("less-equal") << "≤" << QByteArray("\xA1\xDC");
    // What code page 936 reads there: private use, not GB18030's U+3473.
    QTest::newRow("FE55 private use") << "\uE81A" << QByteArray("\xFE\x55");
    QTest::newRow("A8BC private use") << "\uE7C7" << QByteArray("\xA8\xBC");
    QTest::newRow("0xFF") << "\uF8F5" << QByteArray("\xFF");
}

void TestGbkText::knownBytes() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ToGbk(text), bytes);
    QCOMPARE(FromGbk(bytes), text);
}

void TestGbkText::outsideGbkIsKept_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    // Written as its four-byte GB18030 sequence.
    QTest::newRow("supplementary ideograph") << "\U00020000" << QByteArray("\x95\x32\x82\x36");
    QTest::newRow("mixed") << "a\U00020000中" << QByteArray("a\x95\x32\x82\x36\xD6\xD0");
    QTest::newRow("emoji") << "\U0001F600" << QByteArray("\x94\x39\xFC\x36");
    QTest::newRow("first supplementary") << "\U00010000" << QByteArray("\x90\x30\x81\x30");
    QTest::newRow("last code point") << "\U0010FFFF" << QByteArray("\xE3\x32\x9A\x35");
    QTest::newRow("ideograph extension B end") << "\U0002A6D6" << QByteArray("\x98\x35\xF3\x36");
    QTest::newRow("U+FFFF") << "\uFFFF" << QByteArray("\x84\x31\xA4\x39");
    // GB18030 keeps these at two bytes that code page 936 reads as private
    // use; they take the four bytes of that private-use character.
    QTest::newRow("U+3473 of FE55") << "\u3473" << QByteArray("\x83\x36\xC9\x36");
    QTest::newRow("U+1E3F of A8BC") << "\u1E3F" << QByteArray("\x81\x35\xF4\x37");
}

void TestGbkText::outsideGbkIsKept() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ToGbk(text), bytes);
    QCOMPARE(FromGbk(bytes), text);
}

void TestGbkText::standardTwinsOfPrivateUseCodes() {
    // The characters at two-byte codes where GB18030 and code page 936 differ.
    const char16_t twins[] = {
        0x01F9, 0x1E3F, 0x2E81, 0x2E84, 0x2E88, 0x2E8B, 0x2E8C, 0x2E97, 0x2EA7, 0x2EAA, 0x2EAE,
        0x2EB3, 0x2EB6, 0x2EB7, 0x2EBB, 0x2ECA, 0x2FF0, 0x2FF1, 0x2FF2, 0x2FF3, 0x2FF4, 0x2FF5,
        0x2FF6, 0x2FF7, 0x2FF8, 0x2FF9, 0x2FFA, 0x2FFB, 0x303E, 0x3447, 0x3473, 0x359E, 0x360E,
        0x361A, 0x3918, 0x396E, 0x39CF, 0x39D0, 0x39DF, 0x3A73, 0x3B4E, 0x3C6E, 0x3CE0, 0x4056,
        0x415F, 0x4337, 0x43AC, 0x43B1, 0x43DD, 0x44D6, 0x464C, 0x4661, 0x4723, 0x4729, 0x477C,
        0x478D, 0x4947, 0x497A, 0x497D, 0x4982, 0x4983, 0x4985, 0x4986, 0x499B, 0x499F, 0x49B6,
        0x49B7, 0x4C77, 0x4C9F, 0x4CA0, 0x4CA1, 0x4CA2, 0x4CA3, 0x4D13, 0x4D14, 0x4D15, 0x4D16,
        0x4D17, 0x4D18, 0x4D19, 0x4DAE};
    QCOMPARE(std::size(twins), std::size_t(81));
    QStringEncoder gb18030("GB18030", QStringConverter::Flag::Stateless);
    QString all;
    for (char16_t c : twins) {
        const QString text(QChar{c});
        all += text;
        const QByteArray two = gb18030.encode(text);
        QCOMPARE(two.size(), 2);
        // The two bytes keep what code page 936 gives them...
        const QString privateUse = FromGbk(two);
        QCOMPARE(privateUse.size(), 1);
        QVERIFY(privateUse[0].unicode() >= 0xE000 && privateUse[0].unicode() <= 0xF8FF);
        QCOMPARE(ToGbk(privateUse), two);
        // ...and the character comes back from its own four bytes.
        const QByteArray four = ToGbk(text);
        QCOMPARE(four.size(), 4);
        QCOMPARE(FromGbk(four), text);
    }
    QCOMPARE(FromGbk(ToGbk(QStringLiteral("a") + all + QStringLiteral("中"))),
             QStringLiteral("a") + all + QStringLiteral("中"));
}

void TestGbkText::everyBmpCharacterRoundTrips() {
    QString all;
    QStringList lost;
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const QString text(QChar{char16_t(c)});
        all += text;
        const QByteArray bytes = ToGbk(text);
        if (FromGbk(bytes) != text || GbkLength(text) != bytes.size())
            lost << QString::number(c, 16);
    }
    QVERIFY2(lost.isEmpty(), qPrintable(lost.mid(0, 40).join(u' ')));
    QCOMPARE(FromGbk(ToGbk(all)), all);
}

// The pages made on first use against the converters asked one character
// at a time: code page 936 where it gives the character back, else the
// GB18030 form, the four bytes of the private-use twin for the 81.
void TestGbkText::everyCodePointAsTheCodecsHaveIt() {
    QStringEncoder gbk("GBK", QStringConverter::Flag::Stateless);
    QStringDecoder fromGbk("GBK", QStringConverter::Flag::Stateless);
    QStringEncoder gb18030("GB18030", QStringConverter::Flag::Stateless);
    QStringList wrong;
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const QString text(QChar{char16_t(c)});
        QByteArray expected = gbk.encode(text);
        if (expected.isEmpty() || QString(fromGbk.decode(expected)) != text) {
            expected = gb18030.encode(text);
            // One of the 81 standard twins: the private-use character's form.
            if (expected.size() == 2) expected = gb18030.encode(QString(fromGbk.decode(expected)));
        }
        if (ToGbk(text) != expected || GbkLength(text) != expected.size())
            wrong << QString::number(c, 16);
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.mid(0, 40).join(u' ')));

    // Every supplementary code point in one text, each followed by LF.
    QString supplementary;
    supplementary.reserve(3 * 0x100000);
    for (char32_t c = 0x10000; c <= 0x10FFFF; ++c) {
        const char16_t pair[] = {QChar::highSurrogate(c), QChar::lowSurrogate(c), u'\n'};
        supplementary.append(QStringView(pair, 3));
    }
    const QByteArray bytes = ToGbk(supplementary);
    QCOMPARE(bytes.size(), 5 * 0x100000);
    QVERIFY(bytes == gb18030.encode(supplementary));
}

void TestGbkText::halfSurrogatePair() {
    // No character: written as Windows writes it, the digits beside it kept.
    QCOMPARE(ToGbk(QStringLiteral("5") + QChar(0xD800) + QStringLiteral("2")), QByteArray("5?2"));
    QCOMPARE(ToGbk(QString(QChar(0xDC00))), QByteArray("?"));
}

void TestGbkText::length() {
    QCOMPARE(GbkLength(QStringLiteral("楼板最大板厚a(m)")), 16);
    QCOMPARE(GbkLength(QString()), 0);
    QCOMPARE(GbkLength(QStringLiteral("\U00020000")), 4);
}

QTEST_APPLESS_MAIN(TestGbkText)
#include "test_gbk_text.moc"
