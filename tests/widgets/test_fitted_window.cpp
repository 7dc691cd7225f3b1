// Runs on two laptop screens, 1366 × 768 and 1280 × 720 (see
// support/laptop_screens.json, which tests/CMakeLists.txt hands to the
// offscreen platform), or under Xvfb on the one screen it has. Every window
// of the build and every reference page of its modules.
#include <QPushButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "app/main_window.h"
#include "app/window_catalog.h"
#include "core/module_entry.h"
#include "core/shell_rules.h"
#include "support/reachable_check.h"
#include "support/scripted_dialogs.h"
#include "widgets/calc_window.h"
#include "widgets/fitted_window.h"
#include "widgets/reference_window.h"

using namespace tunnel;
using tunnel::test::ScriptedDialogs;

namespace {

using Factory = std::function<QWidget *(Dialogs &, const QString &, QScreen *)>;

}  // namespace

Q_DECLARE_METATYPE(Factory)

class TestFittedWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyControlReachable_data();
    void everyControlReachable();

private:
    QTemporaryDir *m_dir = nullptr;
    ScriptedDialogs *m_dialogs = nullptr;
    QPointer<QWidget> m_window;
};

void TestFittedWindow::init() {
    m_dir = new QTemporaryDir;
    m_dialogs = new ScriptedDialogs;
}

void TestFittedWindow::cleanup() {
    delete m_window;
    delete m_dialogs;
    delete m_dir;
}

void TestFittedWindow::everyControlReachable_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<Factory>("factory");

    QList<QPair<QByteArray, Factory>> windows;
    windows.append({"main", [](Dialogs &dialogs, const QString &folder, QScreen *screen) {
                        auto *window = new MainWindow(dialogs, folder);
                        window->SetEndProgramHandler([] {});
                        // Sized for the screen it is tested on, as it would be there.
                        window->setFixedSize(MainWindowSize(screen->geometry().size()));
                        return window;
                    }});
    // Half of a netbook's 1024 × 600 is lower than the column of buttons.
    windows.append({"main 512x300", [](Dialogs &dialogs, const QString &folder, QScreen *) {
                        auto *window = new MainWindow(dialogs, folder);
                        window->SetEndProgramHandler([] {});
                        window->setFixedSize(MainWindowSize(QSize(1024, 600)));
                        return window;
                    }});
    for (const ShellWindow &shell : ShellWindows()) {
        if (shell.id == kHelpWindow) continue;  // its text scrolls by itself
        const std::string_view id = shell.id;
        windows.append({QByteArray(id.data(), qsizetype(id.size())),
                        [id](Dialogs &dialogs, const QString &folder, QScreen *) {
                            return CreateShellWindow(id, WindowContext{dialogs, folder});
                        }});
    }
    for (const ModuleEntry *entry : BuiltModules())
        for (const ReferenceLink &link : entry->references)
            windows.append(
                {link.page().caption.toUtf8(), [&link](Dialogs &, const QString &, QScreen *) {
                     return CreateReferenceWindow(link);
                 }});
    for (const char *screen : {"1366x768", "1280x720"})
        for (const auto &[name, factory] : windows)
            QTest::addRow("%s %s", name.constData(), screen) << screen << factory;
}

void TestFittedWindow::everyControlReachable() {
    QFETCH(QString, screen);
    QFETCH(Factory, factory);
    // By size, so that the test also runs under Xvfb with one of the screens.
    QScreen *target = test::ScreenOfSize(screen);
    if (!target && QGuiApplication::platformName() != QLatin1String("offscreen"))
        QSKIP("no screen of that size");
    QVERIFY2(target, "needs the screens of support/laptop_screens.json");

    m_window = factory(*m_dialogs, m_dir->path(), target);
    QVERIFY(m_window);
    m_window->setScreen(target);
    FitToScreen(m_window);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    // TUNNEL_SHOTS=<folder> keeps a picture of each window as the user sees it.
    if (const QString shots = qEnvironmentVariable("TUNNEL_SHOTS"); !shots.isEmpty())
        m_window->grab().save(shots + QLatin1Char('/') +
                              QString::fromUtf8(QTest::currentDataTag()) + ".png");
    test::CheckEveryControlReachable(m_window, target);

    // The main commands stay in view however the window scrolls.
    auto *calc = qobject_cast<CalcWindow *>(m_window.data());
    for (QWidget *bar : m_window->findChildren<QWidget *>()) {
        if (!bar->property(kCommandBarProperty).toBool()) continue;
        for (QWidget *up = bar; up && up != m_window; up = up->parentWidget())
            QVERIFY2(!qobject_cast<QScrollArea *>(up), "the command bar scrolls");
        if (!calc) continue;
        for (const ButtonRow &row : calc->Table().buttons)
            if (row.role != Role::Command && (row.role != Role::Calculate || row.group < 0))
                QVERIFY2(bar->isAncestorOf(calc->Button(row.id)), row.id);
    }
}

QTEST_MAIN(TestFittedWindow)
#include "test_fitted_window.moc"
