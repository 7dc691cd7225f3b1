// The rock grade editor on the laptop screens of support/laptop_screens.json.
#include <QTemporaryDir>
#include <QtTest>

#include "modules/period/widgets/rock_grade_window.h"
#include "support/reachable_check.h"
#include "support/scripted_dialogs.h"

using namespace tunnel;

class TestPeriodFittedWindow : public QObject {
    Q_OBJECT
private slots:
    void rockGradesReachable_data();
    void rockGradesReachable();
};

void TestPeriodFittedWindow::rockGradesReachable_data() {
    QTest::addColumn<QString>("screen");
    QTest::newRow("1366x768") << "1366x768";
    QTest::newRow("1280x720") << "1280x720";
}

void TestPeriodFittedWindow::rockGradesReachable() {
    QFETCH(QString, screen);
    QScreen *target = test::ScreenOfSize(screen);
    if (!target && QGuiApplication::platformName() != QLatin1String("offscreen"))
        QSKIP("no screen of that size");
    QVERIFY2(target, "needs the screens of support/laptop_screens.json");
    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    QPointer<QWidget> window = new RockGradeWindow(dialogs, dir.path());
    window->setScreen(target);
    FitToScreen(window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    test::CheckEveryControlReachable(window, target);
    delete window;
}

QTEST_MAIN(TestPeriodFittedWindow)
#include "test_period_fitted_window.moc"
