#include <QDirIterator>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/window_catalog.h"
#include "app/window_warmup.h"
#include "core/module_entry.h"
#include "core/shell_rules.h"
#include "support/scripted_dialogs.h"
#include "widgets/calc_window.h"

using namespace tunnel;
using tunnel::test::ScriptedDialogs;

namespace {

// A window under an application-modal dialog takes no input.
bool BlockedByModal(QWidget *window) {
    QWidget *modal = QApplication::activeModalWidget();
    return modal && modal != window && modal->windowModality() == Qt::ApplicationModal;
}

}  // namespace

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void splashCountsToHundredThenCloses();
    void mainWindowSizeAndDataFolder();
    void clockLine();
    void calculationWindowMinimisesAndRestores();
    void restoreCentresEvenWithOtherWindowsOpen();
    void formworkOpensModalWithoutMinimising();
    void navigation_data();
    void navigation();
    void onlyWhatTheBuildHas();
    void windowWarmupLeavesNoTrace();
    void exitQuestion_data();
    void exitQuestion();

private:
    QTemporaryDir *m_dir = nullptr;
    ScriptedDialogs *m_dialogs = nullptr;
    int m_ended = 0;
};

void TestShell::init() {
    m_dir = new QTemporaryDir;
    m_dialogs = new ScriptedDialogs;
    m_ended = 0;
}

void TestShell::cleanup() {
    QList<QPointer<QWidget>> windows;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow *>(w) || qobject_cast<SplashWindow *>(w)) windows << w;
    for (const QPointer<QWidget> &w : windows) delete w.data();
    delete m_dialogs;
    delete m_dir;
}

void TestShell::splashCountsToHundredThenCloses() {
    QPointer<SplashWindow> splash = new SplashWindow;
    QCOMPARE(splash->size(), QSize(819, 411));
    auto *label = splash->findChild<QLabel *>(QStringLiteral("透明标签1"));
    auto *bar = splash->findChild<QProgressBar *>(QStringLiteral("进度条1"));
    QVERIFY(label && bar);
    QCOMPARE(label->text(), QStringLiteral("载入进度"));
    QSignalSpy finished(splash.data(), &SplashWindow::finished);
    splash->Tick();
    QCOMPARE(label->text(), QStringLiteral("进度加载1%"));
    for (int i = 1; i < 100; ++i) splash->Tick();
    QCOMPARE(label->text(), QStringLiteral("进度加载100%"));
    QCOMPARE(bar->value(), 100);
    QCOMPARE(finished.count(), 0);
    splash->Tick();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(label->text(), QStringLiteral("加载完成！"));
    QVERIFY(label->isHidden() && bar->isHidden());
    QTRY_VERIFY(splash.isNull());
}

void TestShell::mainWindowSizeAndDataFolder() {
    auto *main = new MainWindow(*m_dialogs, m_dir->path());
    const QSize screen = main->screen()->geometry().size();
    QCOMPARE(main->size(), MainWindowSize(screen));
    QVERIFY(QFileInfo(m_dir->filePath(QStringLiteral("Data"))).isDir());
    // An existing folder is fine.
    delete main;
    main = new MainWindow(*m_dialogs, m_dir->path());
    QVERIFY(QFileInfo(m_dir->filePath(QStringLiteral("Data"))).isDir());
    for (const ShellWindow &window : ShellWindows()) {
        if (!window.button.id) continue;
        auto *button = main->findChild<QAbstractButton *>(QString::fromUtf8(window.button.id));
        QVERIFY2(button, window.button.id);
        QCOMPARE(button->height(), window.button.height);
    }
}

void TestShell::clockLine() {
    MainWindow main(*m_dialogs, m_dir->path());
    auto *clock = main.findChild<QLabel *>(QStringLiteral("透明标签1"));
    QVERIFY(clock);
    QCOMPARE(clock->text(), QString());  // empty until the first tick
    main.TickClock();
    QVERIFY(clock->text().startsWith(QStringLiteral("当前时间") +
                                     QString::number(QDate::currentDate().year()) +
                                     QStringLiteral("年")));
}

void TestShell::calculationWindowMinimisesAndRestores() {
    if (!FindModule("mucking")) QSKIP("this build has no mucking module");
    auto *main = new MainWindow(*m_dialogs, m_dir->path());
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    main->move(5, 5);
    main->findChild<QAbstractButton *>(QStringLiteral("超级按钮5"))->click();
    CalcWindow *window = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *c = qobject_cast<CalcWindow *>(w)) window = c;
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("隧道除渣及设备配置计算"));
    QVERIFY(window->isVisible());
    QTRY_VERIFY(main->isMinimized());
    window->close();
    QTRY_VERIFY(!main->isMinimized());
    const QSize screen = main->screen()->geometry().size();
    QCOMPARE(main->pos(), CentredPosition(screen, main->size()));
}

void TestShell::restoreCentresEvenWithOtherWindowsOpen() {
    if (!FindModule("mucking")) QSKIP("this build has no mucking module");
    auto *main = new MainWindow(*m_dialogs, m_dir->path());
    main->show();
    main->Open("mucking");
    main->Open("mucking");
    QList<CalcWindow *> windows;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *c = qobject_cast<CalcWindow *>(w)) windows << c;
    QCOMPARE(windows.size(), 2);
    QTRY_VERIFY(main->isMinimized());
    windows[0]->close();
    QTRY_VERIFY(!main->isMinimized());
    QVERIFY(windows[1]->isVisible());
}

void TestShell::formworkOpensModalWithoutMinimising() {
    if (!FindModule("formwork")) QSKIP("this build has no formwork window");
    auto *main = new MainWindow(*m_dialogs, m_dir->path());
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    QAction *item = nullptr;
    for (QAction *menu : main->menuBar()->actions())
        if (menu->text() == QStringLiteral("危大工程范围辨识"))
            for (QAction *a : menu->menu()->actions())
                if (a->text() == QStringLiteral("荷载计算")) item = a;
    QVERIFY(item);
    QString title;
    bool minimised = true;
    bool mainBlocked = false;
    QTimer::singleShot(100, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) return;
        title = modal->windowTitle();
        minimised = main->isMinimized();
        mainBlocked = BlockedByModal(main);
        modal->close();
    });
    item->trigger();  // returns when the dialog has gone
    QCOMPARE(title, QStringLiteral("荷载计算"));
    QVERIFY(!minimised);
    QVERIFY(mainBlocked);
    QVERIFY(!main->isMinimized());
}

void TestShell::navigation_data() {
    QTest::addColumn<QString>("menu");  // empty: a navigation button
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("modal");
    for (const ShellWindow &window : ShellWindows()) {
        if (window.button.id)
            QTest::newRow(window.button.id)
                << QString() << QString::fromUtf8(window.button.id) << window.title << window.modal;
        QTest::newRow(window.menu.item)
            << QString::fromUtf8(window.menu.menu) << QString::fromUtf8(window.menu.item)
            << window.title << window.modal;
    }
}

void TestShell::navigation() {
    QFETCH(QString, menu);
    QFETCH(QString, item);
    QFETCH(QString, title);
    QFETCH(bool, modal);
    auto *main = new MainWindow(*m_dialogs, m_dir->path());
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    QAction *action = nullptr;
    QAbstractButton *button = nullptr;
    if (menu.isEmpty()) {
        button = main->findChild<QAbstractButton *>(item);
        QVERIFY(button);
    } else {
        for (QAction *entry : main->menuBar()->actions())
            if (entry->text() == menu && entry->menu())
                for (QAction *candidate : entry->menu()->actions())
                    if (candidate->text() == item) action = candidate;
        QVERIFY(action);
    }
    QVERIFY(button ? button->isEnabled() : action->isEnabled());

    QString shown;
    bool minimisedMeanwhile = true;
    QTimer::singleShot(100, [&] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            shown = dialog->windowTitle();
            minimisedMeanwhile = main->isMinimized();
            dialog->close();
        }
    });
    const QList<QWidget *> before = QApplication::topLevelWidgets();
    if (button)
        button->click();
    else
        action->trigger();
    if (modal) {
        QCOMPARE(shown, title);
        QVERIFY(!minimisedMeanwhile);
        QVERIFY(!main->isMinimized());
        return;
    }
    QPointer<QWidget> opened;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (!before.contains(w) && w->isVisible() && w->windowTitle() == title) opened = w;
    QVERIFY2(opened, qPrintable(title));
    QTRY_VERIFY(main->isMinimized());
    opened->close();
    QTRY_VERIFY(opened.isNull());
    QTRY_VERIFY(!main->isMinimized());
}

void TestShell::onlyWhatTheBuildHas() {
    // Every button and menu entry opens a window of this build; a module left
    // out leaves nothing behind, not even a disabled entry.
    MainWindow main(*m_dialogs, m_dir->path());
    QStringList buttons, expectedButtons, items, expectedItems;
    for (PictureButton *button : main.findChildren<PictureButton *>()) {
        QVERIFY(button->isEnabled());
        buttons << button->objectName();
    }
    for (QAction *menu : main.menuBar()->actions()) {
        if (!menu->menu() || menu->text() == QStringLiteral("文件")) continue;
        for (QAction *action : menu->menu()->actions()) {
            QVERIFY(action->isEnabled());
            items << menu->text() + u'/' + action->text();
        }
    }
    for (const ShellWindow &window : ShellWindows()) {
        if (window.button.id) expectedButtons << QString::fromUtf8(window.button.id);
        expectedItems << QString::fromUtf8(window.menu.menu) + u'/' +
                             QString::fromUtf8(window.menu.item);
        QVERIFY(window.module ? FindModule(window.id) == window.module : !FindModule(window.id));
    }
    buttons.sort();
    expectedButtons.sort();
    items.sort();
    expectedItems.sort();
    QCOMPARE(buttons, expectedButtons);
    QCOMPARE(items, expectedItems);
    QCOMPARE(ShellWindows().size(), BuiltModules().size() + 2);  // help, release notes
}

// The windows built ahead of the user's first open are never seen, ask
// nothing and touch nothing in the program's folder.
void TestShell::windowWarmupLeavesNoTrace() {
    MainWindow main(*m_dialogs, m_dir->path());
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const auto files = [this] {
        QStringList found;
        QDirIterator it(m_dir->path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) found << it.next();
        return found;
    };
    const QStringList before = files();
    const QWidgetList windows = QApplication::topLevelWidgets();
    bool done = false;
    WarmWindows([&] { done = true; });
    while (!done) {
        QCOMPARE(QApplication::topLevelWidgets(), windows);
        QCoreApplication::processEvents();
    }
    QCOMPARE(QApplication::topLevelWidgets(), windows);
    QCOMPARE(files(), before);
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestShell::exitQuestion_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("ends");
    QTest::addColumn<bool>("shortcut");
    QTest::newRow("ok") << kAnswerOk << true << false;
    QTest::newRow("cancel") << kAnswerCancel << false << false;
    QTest::newRow("Ctrl+Q, ok") << kAnswerOk << true << true;
    QTest::newRow("Ctrl+Q, cancel") << kAnswerCancel << false << true;
}

void TestShell::exitQuestion() {
    QFETCH(int, answer);
    QFETCH(bool, ends);
    QFETCH(bool, shortcut);
    QPointer<MainWindow> main = new MainWindow(*m_dialogs, m_dir->path());
    main->SetEndProgramHandler([this] { ++m_ended; });
    main->show();
    m_dialogs->answers.enqueue(answer);
    if (shortcut) {
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        QTest::keyClick(main, Qt::Key_Q, Qt::ControlModifier);
    } else {
        main->Open(BuiltModules().front()->id);
        main->close();
    }
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].text, QStringLiteral("感谢使用本软件，您确定要退出程序吗？"));
    QCOMPARE(m_dialogs->messages[0].caption, QStringLiteral("信息："));
    QCOMPARE(m_dialogs->messages[0].buttons, Buttons::OkCancel);
    QCOMPARE(m_ended, ends ? 1 : 0);
    if (!ends) {
        QVERIFY(main && main->isVisible());
        if (shortcut) return;
        bool calcOpen = false;
        for (QWidget *w : QApplication::topLevelWidgets())
            calcOpen |= qobject_cast<CalcWindow *>(w) && w->isVisible();
        QVERIFY(calcOpen);
    }
}

QTEST_MAIN(TestShell)
#include "test_shell.moc"
