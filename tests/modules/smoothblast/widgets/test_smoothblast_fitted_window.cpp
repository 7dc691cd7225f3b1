// The smooth blasting window with its result half open and the blast
// evaluation window, on the laptop screens of support/laptop_screens.json.
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "modules/smoothblast/widgets/evaluation_window.h"
#include "modules/smoothblast/widgets/smoothblast_window.h"
#include "support/reachable_check.h"
#include "support/scripted_dialogs.h"
#include "widgets/module_window.h"

using namespace tunnel;

class TestSmoothblastFittedWindow : public QObject {
    Q_OBJECT
private slots:
    void reachable_data();
    void reachable();
};

void TestSmoothblastFittedWindow::reachable_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<bool>("evaluation");  // else the calculation window, opened
    for (const char *screen : {"1366x768", "1280x720"}) {
        QTest::addRow("smooth blasting open %s", screen) << screen << false;
        QTest::addRow("blast evaluation %s", screen) << screen << true;
    }
}

void TestSmoothblastFittedWindow::reachable() {
    QFETCH(QString, screen);
    QFETCH(bool, evaluation);
    QScreen *target = test::ScreenOfSize(screen);
    if (!target && QGuiApplication::platformName() != QLatin1String("offscreen"))
        QSKIP("no screen of that size");
    QVERIFY2(target, "needs the screens of support/laptop_screens.json");
    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    QPointer<QWidget> window;
    if (evaluation)
        window = new EvaluationWindow(dialogs, dir.path());
    else
        window = new SmoothBlastWindow(dialogs, dir.path(), PlainWindowOps());
    window->setScreen(target);
    FitToScreen(window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    if (!evaluation) {
        auto *slide = window->findChild<QTimer *>(QStringLiteral("时钟2"));
        // Scrolled down to the last inputs, 计算 brings the results into view.
        QScrollBar *bar = window->findChild<QScrollArea *>()->verticalScrollBar();
        bar->setValue(bar->maximum());
        window->findChild<QPushButton *>(QStringLiteral("按钮1"))->click();
        QTRY_VERIFY(!slide->isActive());
        QCOMPARE(bar->value(), 0);
        QCOMPARE(static_cast<SmoothBlastWindow *>(window.data())->WindowWidth(), kBlastOpenWidth);
    }
    test::CheckEveryControlReachable(window, target);
    delete window;
}

QTEST_MAIN(TestSmoothblastFittedWindow)
#include "test_smoothblast_fitted_window.moc"
