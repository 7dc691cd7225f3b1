#include <QtTest>

#include "core/shell_rules.h"

using namespace tunnel;

class TestShellRules : public QObject {
    Q_OBJECT
private slots:
    void clock_data();
    void clock();
    void mainWindowSize_data();
    void mainWindowSize();
    void centred();
    void splashCaption();
};

void TestShellRules::clock_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("expected");
    const QDate day(2024, 5, 3);
    QTest::newRow("09:00:00") << QDateTime(day, QTime(9, 0, 0)) << "2024年5月3日9时";
    QTest::newRow("09:00:07") << QDateTime(day, QTime(9, 0, 7)) << "2024年5月3日9时0分7秒";
    QTest::newRow("14:05:00") << QDateTime(day, QTime(14, 5, 0)) << "2024年5月3日14时5分";
    QTest::newRow("midnight") << QDateTime(day, QTime(0, 0, 0)) << "2024年5月3日";
    QTest::newRow("00:00:01") << QDateTime(day, QTime(0, 0, 1)) << "2024年5月3日0时0分1秒";
    QTest::newRow("00:30:00") << QDateTime(day, QTime(0, 30, 0)) << "2024年5月3日0时30分";
    QTest::newRow("december") << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59))
                              << "2026年12月31日23时59分59秒";
}

void TestShellRules::clock() {
    QFETCH(QDateTime, now);
    QFETCH(QString, expected);
    QCOMPARE(ClockText(now), expected);
}

void TestShellRules::mainWindowSize_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("1920x1080") << QSize(1920, 1080) << QSize(960, 540);
    QTest::newRow("1366x768") << QSize(1366, 768) << QSize(683, 384);
    QTest::newRow("odd sizes truncate") << QSize(1365, 767) << QSize(682, 383);
}

void TestShellRules::mainWindowSize() {
    QFETCH(QSize, screen);
    QFETCH(QSize, expected);
    QCOMPARE(MainWindowSize(screen), expected);
}

void TestShellRules::centred() {
    QCOMPARE(CentredPosition(QSize(1920, 1080), QSize(960, 540)), QPoint(480, 270));
    QCOMPARE(CentredPosition(QSize(1366, 768), QSize(683, 384)), QPoint(341, 192));
}

void TestShellRules::splashCaption() {
    QCOMPARE(SplashCaption(1), QStringLiteral("进度加载1%"));
    QCOMPARE(SplashCaption(37), QStringLiteral("进度加载37%"));
    QCOMPARE(SplashCaption(100), QStringLiteral("进度加载100%"));
}

QTEST_APPLESS_MAIN(TestShellRules)
#include "test_shell_rules.moc"
