#include <QStringDecoder>
#include <QtTest>

#include "services/gbk_text.h"

using namespace tunnel;

class TestGbkText : public QObject {
    Q_OBJECT
private slots:
    void everyTwoByteCodeRoundTrips();
    void knownBytes_data();
    void knownBytes();
    void outsideGbkIsKept_data();
    void outsideGbkIsKept();
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
}

void TestGbkText::outsideGbkIsKept() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ToGbk(text), bytes);
    QCOMPARE(FromGbk(bytes), text);
}

void TestGbkText::length() {
    QCOMPARE(GbkLength(QStringLiteral("楼板最大板厚a(m)")), 16);
    QCOMPARE(GbkLength(QString()), 0);
    QCOMPARE(GbkLength(QStringLiteral("\U00020000")), 4);
}

QTEST_APPLESS_MAIN(TestGbkText)
#include "test_gbk_text.moc"
