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
#include "app/window_ops.h"
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
    void catalogueRowsAllNavigable();
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
    for (const char *id :
         {"超级按钮6", "超级按钮1", "超级按钮2", "超级按钮4", "超级按钮3", "超级按钮5"})
        QVERIFY2(main->findChild<QAbstractButton *>(QString::fromUtf8(id)), id);
    QCOMPARE(main->findChild<QAbstractButton *>(QStringLiteral("超级按钮2"))->height(), 48);
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
    auto *main = new MainWindow(*m_dialogs, m_dir->path());
    main->show();
    main->Open(WindowKind::Mucking);
    main->Open(WindowKind::Mucking);
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
#ifdef TUNNEL_HAS_FORMWORK
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
#else
    QSKIP("this build has no formwork window");
#endif
}

void TestShell::navigation_data() {
    QTest::addColumn<QString>("menu");  // empty: a navigation button
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("modal");
    const QString works = QStringLiteral("危险性较大的分部分项工程");
    const QString smooth = QStringLiteral("隧道光面爆破设计与计算");
    const QString vibration = QStringLiteral("爆破影响分析计算");
    const QString period = QStringLiteral("隧道工期计算");
    const QString ventilation = QStringLiteral("隧道压入式通风计算");
    const QString mucking = QStringLiteral("隧道除渣及设备配置计算");
    QTest::newRow("超级按钮6") << QString() << "超级按钮6" << works << false;
    QTest::newRow("超级按钮1") << QString() << "超级按钮1" << smooth << false;
    QTest::newRow("超级按钮2") << QString() << "超级按钮2" << vibration << false;
    QTest::newRow("超级按钮4") << QString() << "超级按钮4" << period << false;
    QTest::newRow("超级按钮3") << QString() << "超级按钮3" << ventilation << false;
    QTest::newRow("超级按钮5") << QString() << "超级按钮5" << mucking << false;
    QTest::newRow("危险性较大工程辨识") << "危大工程范围辨识"
                                        << "危险性较大工程辨识" << works << false;
    QTest::newRow("荷载计算") << "危大工程范围辨识"
                              << "荷载计算"
                              << "荷载计算" << true;
    QTest::newRow("光面爆破与计算") << "光面爆破计算"
                                    << "光面爆破与计算" << smooth << false;
    QTest::newRow("爆破振速影响计算") << "光面爆破计算"
                                      << "爆破振速影响计算" << vibration << false;
    QTest::newRow("隧道施工通风计算") << "隧道通风计算"
                                      << "隧道施工通风计算" << ventilation << false;
    QTest::newRow("隧道工期计算") << "隧道工期及进尺计算"
                                  << "隧道工期计算" << period << false;
    QTest::newRow("除渣及设备配置计算") << "隧道工期及进尺计算"
                                        << "除渣及设备配置计算" << mucking << false;
    QTest::newRow("帮助") << "关于本程序"
                          << "帮助"
                          << "帮助" << true;
    QTest::newRow("版本更新") << "关于本程序"
                              << "版本更新"
                              << "软件更新说明" << true;
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
    // The row of the catalogue behind the button or menu entry says the same.
    const CatalogueEntry *entry = nullptr;
    for (const CatalogueEntry &candidate : WindowCatalogue())
        if (menu.isEmpty() ? candidate.button.id && item == QString::fromUtf8(candidate.button.id)
                           : menu == QString::fromUtf8(candidate.menu.menu) &&
                                 item == QString::fromUtf8(candidate.menu.item))
            entry = &candidate;
    QVERIFY(entry);
    QCOMPARE(QString::fromUtf8(entry->title), title);
    QCOMPARE(entry->modal, modal);
    QCOMPARE(IsModal(entry->kind), modal);
    QCOMPARE(button ? button->isEnabled() : action->isEnabled(), IsAvailable(entry->kind));
    if (!(button ? button->isEnabled() : action->isEnabled()))
        QSKIP("this build has no such window");

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

void TestShell::catalogueRowsAllNavigable() {
    // One row per kind, each reached from the menu, at most one button each.
    QSet<int> kinds;
    QSet<QString> buttons;
    MainWindow main(*m_dialogs, m_dir->path());
    for (const CatalogueEntry &entry : WindowCatalogue()) {
        QVERIFY(!kinds.contains(int(entry.kind)));
        kinds.insert(int(entry.kind));
        QCOMPARE(&CatalogueEntryOf(entry.kind), &entry);
        bool inMenu = false;
        for (QAction *menu : main.menuBar()->actions())
            if (menu->menu() && menu->text() == QString::fromUtf8(entry.menu.menu))
                for (QAction *action : menu->menu()->actions())
                    inMenu |= action->text() == QString::fromUtf8(entry.menu.item);
        QVERIFY2(inMenu, entry.menu.item);
        if (entry.button.id) {
            QVERIFY(!buttons.contains(QString::fromUtf8(entry.button.id)));
            buttons.insert(QString::fromUtf8(entry.button.id));
            auto *button = main.findChild<QAbstractButton *>(QString::fromUtf8(entry.button.id));
            QVERIFY2(button, entry.button.id);
            QCOMPARE(button->toolTip(), QString::fromUtf8(entry.button.caption));
            QCOMPARE(button->height(), entry.button.height);
        }
    }
    QCOMPARE(kinds.size(), int(WindowKind::UpdateNotes) + 1);
    QCOMPARE(buttons.size(), 6);
}

void TestShell::exitQuestion_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("ends");
    QTest::newRow("ok") << kAnswerOk << true;
    QTest::newRow("cancel") << kAnswerCancel << false;
}

void TestShell::exitQuestion() {
    QFETCH(int, answer);
    QFETCH(bool, ends);
    QPointer<MainWindow> main = new MainWindow(*m_dialogs, m_dir->path());
    main->SetEndProgramHandler([this] { ++m_ended; });
    main->show();
    main->Open(WindowKind::Mucking);
    m_dialogs->answers.enqueue(answer);
    main->close();
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].text, QStringLiteral("感谢使用本软件，您确定要退出程序吗？"));
    QCOMPARE(m_dialogs->messages[0].caption, QStringLiteral("信息："));
    QCOMPARE(m_dialogs->messages[0].buttons, Buttons::OkCancel);
    QCOMPARE(m_ended, ends ? 1 : 0);
    if (!ends) {
        QVERIFY(main && main->isVisible());
        bool calcOpen = false;
        for (QWidget *w : QApplication::topLevelWidgets())
            calcOpen |= qobject_cast<CalcWindow *>(w) && w->isVisible();
        QVERIFY(calcOpen);
    }
}

QTEST_MAIN(TestShell)
#include "test_shell.moc"
