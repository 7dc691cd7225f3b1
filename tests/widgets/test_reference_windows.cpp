#include <QAction>
#include <QDirIterator>
#include <QFrame>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/main_window.h"
#include "app/window_catalog.h"
#include "core/module_entry.h"
#include "core/window_table.h"
#include "support/scripted_dialogs.h"
#include "widgets/help_window.h"
#include "widgets/module_window.h"
#include "widgets/reference_window.h"
#include "widgets/text_box.h"

using namespace tunnel;
using tunnel::test::ScriptedDialogs;

namespace {

// The reference page a module's button opens, or null when the build has
// not the module; "module/button".
const ReferenceLink *Link(const QString &where) {
    const QStringList parts = where.split(u'/');
    const ModuleEntry *entry = FindModule(parts[0].toStdString());
    if (!entry) return nullptr;
    for (const ReferenceLink &link : entry->references)
        if (parts[1] == QString::fromUtf8(link.button)) return &link;
    return nullptr;
}

// Runs open(), which is expected to show a modal window and block until it
// is gone; once the window is up it is handed to check() and closed.
// Returns the number of modal windows seen (1 when all went well).
int RunModal(const std::function<void()> &open, const std::function<void(QWidget *)> &check) {
    int seen = 0;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) return;
        ++seen;
        poll.stop();
        check(modal);
        modal->close();
    });
    poll.start();
    // A window that never shows would block forever: give up after a while.
    QTimer::singleShot(5000, [&] {
        if (seen == 0)
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->isVisible() && w->windowModality() != Qt::NonModal) w->close();
    });
    open();
    return seen;
}

QList<QWidget *> WindowsTitled(const QString &caption) {
    QList<QWidget *> found;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == caption) found << w;
    return found;
}

// The embedded pictures the windows name, with their stored sizes.
struct PictureFile {
    const char *file;
    QSize size;
};

const PictureFile kPictures[] = {
    {"splash.png", {1000, 500}},
    {"main_background.png", {1001, 542}},
    {"超级按钮6.png", {151, 50}},
    {"超级按钮6_hover.png", {151, 50}},
    {"超级按钮1.png", {151, 50}},
    {"超级按钮1_hover.png", {151, 50}},
    {"超级按钮2.png", {151, 48}},
    {"超级按钮2_hover.png", {151, 48}},
    {"超级按钮4.png", {151, 50}},
    {"超级按钮4_hover.png", {151, 50}},
    {"超级按钮3.png", {151, 50}},
    {"超级按钮3_hover.png", {151, 50}},
    {"超级按钮5.png", {151, 50}},
    {"超级按钮5_hover.png", {151, 50}},
    {"icon.png", {256, 256}},
    {"cycle_time.png", {680, 388}},
    {"vibration_limits.png", {695, 432}},
    {"vibration_factors.png", {695, 200}},
    {"rock_bulking.jpg", {768, 628}},
    {"slab_formwork_weight.jpg", {400, 240}},
    {"live_load.png", {650, 368}},
    {"dumping_load.png", {735, 272}},
    {"wedge_cut_layout.png", {470, 266}},
    {"wedge_cut_two_stage.png", {470, 266}},
    {"wedge_cut_multi_stage.png", {470, 266}},
    {"wedge_cut_advance.png", {470, 266}},
    {"parallel_cut_1.png", {206, 338}},
    {"parallel_cut_2.png", {206, 338}},
    {"parallel_cut_3.png", {206, 338}},
    {"parallel_cut_4.png", {206, 338}},
    {"parallel_cut_5.png", {206, 338}},
    {"large_hole_cuts.png", {620, 405}},
    {"double_spiral_cut.png", {437, 405}},
    {"hole_layout.png", {774, 554}},
};

}  // namespace

class TestReferenceWindows : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void helpScrollsThroughOneCycle();
    void helpScrollFollowsManualMove_data();
    void helpScrollFollowsManualMove();
    void helpTimerDrivesTheText();
    void helpText();
    void escapeCloses_data();
    void escapeCloses();
    void helpStandsStillUnderTheMouse();
    void advanceText();
    void modalReferences_data();
    void modalReferences();
    void independentReferences_data();
    void independentReferences();
    void independentWindowOutlivesCaller();
    void pageUnits();
    void helpMenuOpensHelpThenTheHelpFile();
    void updateNotesFromTheMenu();
    void muckingButtonOpensBulkingFactors();
    void embeddedPicturesDecode_data();
    void embeddedPicturesDecode();
    void noUnexpectedPictures();
};

void TestReferenceWindows::cleanup() {
    QList<QPointer<QWidget>> windows;
    for (QWidget *w : QApplication::topLevelWidgets()) windows << w;
    for (const QPointer<QWidget> &w : windows) delete w.data();
}

void TestReferenceWindows::helpScrollsThroughOneCycle() {
    HelpWindow help;
    auto *bar = help.findChild<QScrollBar *>(QStringLiteral("纵向滚动条1"));
    auto *frame = help.findChild<QFrame *>(QStringLiteral("图片框1"));
    auto *text = help.findChild<TextBox *>(QStringLiteral("编辑框1"));
    auto *timer = help.findChild<QTimer *>(QStringLiteral("时钟1"));
    QVERIFY(bar && frame && text && timer);
    timer->stop();
    QCOMPARE(help.windowTitle(), QStringLiteral("帮助"));
    QCOMPARE(timer->interval(), 35);
    QCOMPARE(frame->size(), QSize(520, 242));
    QCOMPARE(text->size(), QSize(505, 279));
    QCOMPARE(text->parentWidget(), frame);  // the frame clips the text
    QCOMPARE(bar->minimum(), -279);
    QCOMPARE(bar->maximum(), 322);
    QCOMPARE(bar->value(), 322);
    QVERIFY(text->isHidden());

    // Down one pixel a tick from 321 to -260 (582 ticks), then back to the
    // bottom on the 583rd.
    int lowest = bar->value();
    for (int tick = 1; tick <= 582; ++tick) {
        help.Tick();
        QCOMPARE(bar->value(), 322 - tick);
        QCOMPARE(text->y(), bar->value() - 100);
        lowest = std::min(lowest, bar->value());
    }
    QVERIFY(!text->isHidden());
    QCOMPARE(lowest, -260);
    help.Tick();
    QCOMPARE(bar->value(), 322);
    QCOMPARE(text->y(), 222);
    help.Tick();
    QCOMPARE(bar->value(), 321);
}

void TestReferenceWindows::helpScrollFollowsManualMove_data() {
    QTest::addColumn<int>("moved");
    QTest::addColumn<int>("next");
    QTest::addColumn<int>("second");
    QTest::newRow("middle") << 100 << 99 << 98;
    QTest::newRow("top of the range") << 322 << 321 << 320;
    QTest::newRow("zero") << 0 << -1 << -2;
    QTest::newRow("last step down") << -259 << -260 << 322;
    QTest::newRow("restart point") << -260 << 322 << 321;
    QTest::newRow("minimum") << -279 << 322 << 321;
}

void TestReferenceWindows::helpScrollFollowsManualMove() {
    QFETCH(int, moved);
    QFETCH(int, next);
    QFETCH(int, second);
    HelpWindow help;
    help.findChild<QTimer *>(QStringLiteral("时钟1"))->stop();
    auto *bar = help.findChild<QScrollBar *>(QStringLiteral("纵向滚动条1"));
    auto *text = help.findChild<TextBox *>(QStringLiteral("编辑框1"));
    for (int i = 0; i < 50; ++i) help.Tick();
    const int before = text->y();
    bar->setSliderPosition(moved);  // as a drag of the thumb
    QCOMPARE(bar->value(), moved);
    QVERIFY(before != moved - 100);
    QCOMPARE(text->y(), moved - 100);  // the text follows at once
    help.Tick();
    QCOMPARE(bar->value(), next);
    QCOMPARE(text->y(), next - 100);
    help.Tick();
    QCOMPARE(bar->value(), second);
    QCOMPARE(text->y(), second - 100);
}

void TestReferenceWindows::helpTimerDrivesTheText() {
    auto *help = new HelpWindow;
    help->show();
    QVERIFY(QTest::qWaitForWindowExposed(help));
    QEvent leave(QEvent::Leave);  // the mouse is elsewhere
    QApplication::sendEvent(help, &leave);
    auto *bar = help->findChild<QScrollBar *>(QStringLiteral("纵向滚动条1"));
    auto *text = help->findChild<TextBox *>(QStringLiteral("编辑框1"));
    QTRY_VERIFY(bar->value() <= 318);
    QVERIFY(text->isVisible());
    QCOMPARE(text->y(), bar->value() - 100);
}

// The help quotes only buttons the windows have, and no word processor of
// the past.
void TestReferenceWindows::helpText() {
    HelpWindow help;
    const QString text = help.findChild<TextBox *>(QStringLiteral("编辑框1"))->RawText();
    QVERIFY(
        text.contains(QStringLiteral("计算书为Word文档（.docx），可用Word、WPS或LibreOffice打开")));
    QVERIFY(text.contains(QStringLiteral("JTG/T 3660-2020《公路隧道施工技术规范》")));
    for (const char *old : {"2007", "office系列", "WPS将不支持", "计算总功率→需求量计算"})
        QVERIFY2(!text.contains(QString::fromUtf8(old), Qt::CaseInsensitive), old);
    QStringList captions{QStringLiteral("导出的方案")};  // the folder
    for (const ModuleEntry *entry : BuiltModules())
        for (const ButtonRow &row : entry->table().buttons)
            captions << QString::fromUtf8(row.caption);
    const QRegularExpression quoted(QStringLiteral("“([^”]+)”"));
    int count = 0;
    for (auto it = quoted.globalMatch(text); it.hasNext(); ++count) {
        const QString caption = it.next().captured(1);
        QVERIFY2(captions.contains(caption), qPrintable(caption));
    }
    QVERIFY(count >= 4);
}

void TestReferenceWindows::escapeCloses_data() {
    QTest::addColumn<QByteArray>("window");
    QTest::newRow("help") << QByteArray("help");
    QTest::newRow("update notes") << QByteArray("notes");
    QTest::newRow("reference") << QByteArray("reference");
}

void TestReferenceWindows::escapeCloses() {
    QFETCH(QByteArray, window);
    QPointer<QWidget> shown;
    if (window == "help") {
        shown = new HelpWindow;
    } else if (window == "notes") {
        shown = CreateUpdateNotesWindow();
    } else {
        for (const ModuleEntry *entry : BuiltModules())
            if (!shown && !entry->references.empty())
                shown = CreateReferenceWindow(entry->references.front());
        if (!shown) QSKIP("this build has no reference pages");
    }
    shown->setAttribute(Qt::WA_DeleteOnClose);
    shown->show();
    shown->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(shown));
    QTest::keyClick(shown, Qt::Key_Escape);
    QTRY_VERIFY(!shown || !shown->isVisible());
}

void TestReferenceWindows::helpStandsStillUnderTheMouse() {
    HelpWindow help;
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    auto *timer = help.findChild<QTimer *>(QStringLiteral("时钟1"));
    QEnterEvent enter(QPointF(50, 50), QPointF(50, 50), QPointF(50, 50));
    QApplication::sendEvent(&help, &enter);
    QVERIFY(!timer->isActive());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&help, &leave);
    QVERIFY(timer->isActive());
}

void TestReferenceWindows::advanceText() {
    const ReferenceLink *link = Link(QStringLiteral("period/按钮2"));
    if (!link) QSKIP("this build has no period module");
    std::unique_ptr<QWidget> window(CreateReferenceWindow(*link));
    auto *box = window->findChild<TextBox *>(QStringLiteral("编辑框2_说明框"));
    QVERIFY(box);
    QCOMPARE(
        box->RawText(),
        QStringLiteral(
            " \r\n                                            进尺长度的相关规定和要求\r\n\r\n    "
            "根据铁建部120号文件《关于进一步明确软弱围岩及不良地质铁路隧道设计施工有关技术规定的通"
            "知》"
            "要求：\r\n     8、软弱围岩隧道Ⅳ、Ⅴ、Ⅵ级地段采用台阶法施工时，应符合以下规定：\r\n     "
            " "
            "（1）上台阶阶每循环开挖支护进尺Ⅴ、Ⅵ级围岩不应大于1榀钢架间距，Ⅳ级围岩不得大于2榀钢架间"
            "距。"
            "\r\n      （2）墙每循环开挖支护进尺不得大于2榀。\r\n      "
            "（3）仰拱开挖前必须完成钢架锁脚"
            "锚杆，每循环开挖进尺不得大于3m。\r\n      "
            "（4）隧道开挖后初期支护应及时施作并封闭成环，"
            "Ⅳ、Ⅴ、Ⅵ级围岩封闭位置距离掌子面不得大于35m。\r\n\r\n   作者语：\r\n    "
            "公路和市政隧道对开挖进尺目前无明确的进尺长度限制，大多数依设计要求及现场经验综合确定，"
            "实际施工中与铁路隧道基本一致，铁路隧道进尺要求可作为参考依据！"));
}

void TestReferenceWindows::modalReferences_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QStringList>("pictures");
    QTest::newRow("hole layout") << QStringLiteral("smoothblast/按钮2")
                                 << QStringLiteral("布眼示意图（示意，非本工程设计）")
                                 << QSize(794, 574) << QStringList{"hole_layout"};
    QTest::newRow("bulking") << QStringLiteral("mucking/按钮1")
                             << QStringLiteral("岩石的可松性参考") << QSize(788, 695)
                             << QStringList{"rock_bulking"};
    QTest::newRow("slab formwork")
        << QStringLiteral("formwork/按钮1") << QStringLiteral("楼板模板自重标准值")
        << QSize(419, 258) << QStringList{"slab_formwork_weight"};
    QTest::newRow("live load") << QStringLiteral("formwork/按钮4")
                               << QStringLiteral("活荷载标准值规范取值") << QSize(669, 386)
                               << QStringList{"live_load"};
    QTest::newRow("dumping load") << QStringLiteral("formwork/按钮5")
                                  << QStringLiteral(
                                         "倾倒混凝土时，对垂直面模板产生的水平荷载标准值")
                                  << QSize(754, 290) << QStringList{"dumping_load"};
}

// Each picture label shows its embedded picture at the label's size.
static void CheckPictures(QWidget *window, const QStringList &expected) {
    QStringList shown;
    for (QLabel *label : window->findChildren<QLabel *>()) {
        const QString name = label->property("picture").toString();
        if (name.isEmpty()) continue;
        shown << name;
        QVERIFY2(QFile::exists(QStringLiteral(":/pictures/%1.png").arg(name)) ||
                     QFile::exists(QStringLiteral(":/pictures/%1.jpg").arg(name)),
                 qPrintable(name));
        QCOMPARE(label->pixmap().size(), label->size());
        QVERIFY(label->geometry().right() < label->parentWidget()->width());
        QVERIFY(label->geometry().bottom() < label->parentWidget()->height());
    }
    shown.sort();
    QStringList sorted = expected;
    sorted.sort();
    QCOMPARE(shown, sorted);
}

void TestReferenceWindows::modalReferences() {
    QFETCH(QString, kind);
    const ReferenceLink *link = Link(kind);
    if (!link) QSKIP("this build has not the module");
    QFETCH(QString, caption);
    QFETCH(QSize, size);
    QFETCH(QStringList, pictures);
    QVERIFY(link->modal);
    QMainWindow caller;
    auto *button = new QPushButton(&caller);
    caller.setCentralWidget(button);
    caller.show();
    ConnectReference(button, *link);
    QPointer<QWidget> opened;
    const int seen = RunModal([&] { button->click(); },
                              [&](QWidget *window) {
                                  opened = window;
                                  QCOMPARE(window->windowTitle(), caption);
                                  QCOMPARE(window->size(), size);
                                  QCOMPARE(window->windowModality(), Qt::ApplicationModal);
                                  QCOMPARE(window->parentWidget(), &caller);  // owned by the caller
                                  QVERIFY(window->isVisible());
                                  CheckPictures(window, pictures);
                              });
    QCOMPARE(seen, 1);
    // The click returned only after the window had closed; it is gone.
    QTRY_VERIFY(opened.isNull());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestReferenceWindows::independentReferences_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QStringList>("pictures");
    QTest::newRow("advance") << QStringLiteral("period/按钮2") << QStringLiteral("进尺参考表")
                             << QSize(630, 290) << QStringList();
    QTest::newRow("cycle time") << QStringLiteral("period/按钮3")
                                << QStringLiteral("隧道循环时间参考表") << QSize(698, 407)
                                << QStringList{"cycle_time"};
    QTest::newRow("wedge cut") << QStringLiteral("smoothblast/单选框1")
                               << QStringLiteral("斜眼楔形掏槽") << QSize(969, 623)
                               << QStringList{"wedge_cut_layout", "wedge_cut_two_stage",
                                              "wedge_cut_multi_stage", "wedge_cut_advance"};
    QTest::newRow("parallel cut") << QStringLiteral("smoothblast/单选框2")
                                  << QStringLiteral("直眼掏槽选型") << QSize(1106, 843)
                                  << QStringList{"parallel_cut_1",   "parallel_cut_2",
                                                 "parallel_cut_3",   "parallel_cut_4",
                                                 "parallel_cut_5",   "large_hole_cuts",
                                                 "double_spiral_cut"};
    QTest::newRow("vibration") << QStringLiteral("vibration/按钮1")
                               << QStringLiteral("爆破振动安全允许标准") << QSize(715, 717)
                               << QStringList{"vibration_limits", "vibration_factors"};
}

void TestReferenceWindows::independentReferences() {
    QFETCH(QString, kind);
    const ReferenceLink *link = Link(kind);
    if (!link) QSKIP("this build has not the module");
    QFETCH(QString, caption);
    QFETCH(QSize, size);
    QFETCH(QStringList, pictures);
    QVERIFY(!link->modal);
    ScriptedDialogs dialogs;
    QTemporaryDir folder;
    auto *main = new MainWindow(dialogs, folder.path());
    main->show();
    QMainWindow caller;
    auto *edit = new QLineEdit(&caller);
    caller.setCentralWidget(edit);
    caller.show();

    // Returns at once; a modal window would block here, so one is closed
    // after a while and the test fails instead of hanging.
    bool blocked = false;
    QTimer guardTimer;
    guardTimer.setSingleShot(true);
    QObject::connect(&guardTimer, &QTimer::timeout, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            blocked = true;
            modal->close();
        }
    });
    guardTimer.start(2000);
    OpenReference(*link, edit);
    QVERIFY(!blocked);
    const QList<QWidget *> windows = WindowsTitled(caption);
    QCOMPARE(windows.size(), 1);
    QWidget *window = windows[0];
    QCOMPARE(window->size(), size);
    QCOMPARE(window->windowModality(), Qt::NonModal);
    QVERIFY(!window->parentWidget());
    CheckPictures(window, pictures);
    // The caller stays usable and nothing is minimised.
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(caller.isEnabled() && !caller.isMinimized());
    QVERIFY(!main->isMinimized());
    QTest::keyClicks(edit, QStringLiteral("12.5"));
    QCOMPARE(edit->text(), QStringLiteral("12.5"));
    // Opening it again brings the same window forward.
    OpenReference(*link, edit);
    QCOMPARE(WindowsTitled(caption), windows);
    QPointer<QWidget> guard = window;
    window->close();
    QTRY_VERIFY(guard.isNull());
    OpenReference(*link, edit);
    QCOMPARE(WindowsTitled(caption).size(), 1);
}

void TestReferenceWindows::independentWindowOutlivesCaller() {
    auto *caller = new QMainWindow;
    auto *button = new QPushButton(caller);
    button->setEnabled(false);  // placed disabled until connected
    caller->setCentralWidget(button);
    caller->setAttribute(Qt::WA_DeleteOnClose);
    caller->show();
    const ReferenceLink *link = Link(QStringLiteral("period/按钮3"));
    if (!link) QSKIP("this build has no period module");
    ConnectReference(button, *link);
    QVERIFY(button->isEnabled());
    button->click();
    QPointer<QWidget> table = WindowsTitled(QStringLiteral("隧道循环时间参考表")).value(0);
    QVERIFY(table);
    QPointer<QMainWindow> guard = caller;
    caller->close();
    QTRY_VERIFY(guard.isNull());
    QVERIFY(table && table->isVisible());
}

void TestReferenceWindows::pageUnits() {
    if (const ReferenceLink *link = Link(QStringLiteral("smoothblast/单选框1"))) {
        std::unique_ptr<QWidget> w(CreateReferenceWindow(*link));
        auto *label = w->findChild<QLabel *>(QStringLiteral("标签1"));
        QVERIFY(label);
        QCOMPARE(label->property("rawText").toString(),
                 QStringLiteral("楔形掏槽是隧道掏槽爆破中主要的掏槽形式，有单机楔形掏槽和多级复式"
                                "掏槽之分。\r\n循环进尺较大时宜采用多级复式楔形掏槽"));
        QVERIFY(!label->text().contains(QLatin1Char('\r')));
    }
    if (const ReferenceLink *link = Link(QStringLiteral("vibration/按钮1"))) {
        std::unique_ptr<QWidget> w(CreateReferenceWindow(*link));
        QCOMPARE(w->findChild<QLabel *>(QStringLiteral("标签1"))->property("rawText").toString(),
                 QStringLiteral("本软件中安全允许质点振动速度 V /(cm/s)取值按照10Hz＜f ≤ 50Hz范围"
                                "选取，实际计算过程中应根据现场建筑情况确定后进行比较。"));
    }
    if (const ReferenceLink *link = Link(QStringLiteral("mucking/按钮1"))) {
        std::unique_ptr<QWidget> w(CreateReferenceWindow(*link));
        QCOMPARE(w->findChild<QLabel *>(QStringLiteral("标签1"))->text(),
                 QStringLiteral("各种岩土的可松性参考值表"));
        QCOMPARE(w->findChild<QLabel *>(QStringLiteral("标签2"))->text(),
                 QStringLiteral("参照建筑施工手册(第五版) 8.1.3 综合后"));
    }
    if (const ReferenceLink *link = Link(QStringLiteral("smoothblast/单选框2"))) {
        std::unique_ptr<QWidget> w(CreateReferenceWindow(*link));
        auto *small = w->findChild<QGroupBox *>(QStringLiteral("分组框1"));
        auto *large = w->findChild<QGroupBox *>(QStringLiteral("分组框2"));
        QVERIFY(small && large);
        QCOMPARE(small->title(), QStringLiteral("小直径空孔直孔掏槽布置"));
        QCOMPARE(large->title(), QStringLiteral("大直径空孔直孔掏槽布置"));
        QCOMPARE(small->findChildren<QLabel *>().size(), 5);
        QCOMPARE(large->findChildren<QLabel *>().size(), 2);
        QVERIFY(!small->geometry().intersects(large->geometry()));
    }
}

void TestReferenceWindows::helpMenuOpensHelpThenTheHelpFile() {
    ScriptedDialogs dialogs;
    QTemporaryDir folder;
    auto *main = new MainWindow(dialogs, folder.path());
    main->show();
    QAction *help = nullptr;
    for (QAction *action : main->findChildren<QAction *>())
        if (action->text() == QStringLiteral("帮助")) help = action;
    QVERIFY(help && help->isEnabled());
    int startedWhileOpen = -1;
    const int seen =
        RunModal([&] { help->trigger(); },
                 [&](QWidget *window) {
                     QCOMPARE(window->windowTitle(), QStringLiteral("帮助"));
                     QVERIFY(qobject_cast<HelpWindow *>(window));
                     QVERIFY(!main->isMinimized());
                     auto *data = window->findChild<QLabel *>(QStringLiteral("标签2"));
                     QVERIFY(data);
                     QCOMPARE(data->text(), QStringLiteral("数据文件夹：") +
                                                QDir::toNativeSeparators(folder.path()));
                     startedWhileOpen = dialogs.started.size();
                 });
    QCOMPARE(seen, 1);
    QCOMPARE(startedWhileOpen, 0);  // the help file comes after the window
    QCOMPARE(dialogs.started, QStringList{folder.path() + QStringLiteral("/帮助.chm")});
    QVERIFY(main->isVisible());
}

void TestReferenceWindows::updateNotesFromTheMenu() {
    ScriptedDialogs dialogs;
    QTemporaryDir folder;
    auto *main = new MainWindow(dialogs, folder.path());
    main->show();
    QVERIFY((FindShellWindow("update_notes") != nullptr));
    QString notes;
    const int seen = RunModal([&] { main->Open("update_notes"); },
                              [&](QWidget *window) {
                                  QCOMPARE(window->windowTitle(), QStringLiteral("软件更新说明"));
                                  QCOMPARE(window->size(), QSize(499, 433));
                                  auto *box =
                                      window->findChild<TextBox *>(QStringLiteral("编辑框1"));
                                  QVERIFY(box);
                                  notes = box->RawText();
                              });
    QCOMPARE(seen, 1);
    QVERIFY(dialogs.started.isEmpty());

    // Entries newest first: heading with version and date, the fixed line,
    // numbered items; dashes between entries.
    const QStringList entries =
        notes.split(QRegularExpression(QStringLiteral("\r\n-{10,}\r\n")), Qt::SkipEmptyParts);
    QVERIFY(entries.size() >= 2);
    const QRegularExpression heading(
        QStringLiteral("^版本 (\\d+)\\.(\\d+)\\s+\\d{4}年\\d{1,2}月\\d{1,2}日$"));
    int previous = INT_MAX;
    for (const QString &entry : entries) {
        const QStringList lines = entry.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QVERIFY(lines.size() >= 3);
        const QRegularExpressionMatch m = heading.match(lines[0]);
        QVERIFY2(m.hasMatch(), qPrintable(lines[0]));
        const int version = m.captured(1).toInt() * 100 + m.captured(2).toInt();
        QVERIFY(version < previous);
        previous = version;
        QCOMPARE(lines[1], QStringLiteral("软件更新说明："));
        for (int i = 2; i < lines.size(); ++i)
            QVERIFY2(lines[i].startsWith(QString::number(i - 1) + QStringLiteral("、")),
                     qPrintable(lines[i]));
    }
}

void TestReferenceWindows::muckingButtonOpensBulkingFactors() {
    if (!FindModule("mucking")) QSKIP("this build has no mucking module");
    ScriptedDialogs dialogs;
    QTemporaryDir folder;
    QWidget *mucking = CreateShellWindow("mucking", WindowContext{dialogs, folder.path()});
    QVERIFY(mucking);
    mucking->show();
    auto *button = mucking->findChild<QPushButton *>(QStringLiteral("按钮1"));
    QVERIFY(button && button->isEnabled());
    const int seen =
        RunModal([&] { button->click(); },
                 [&](QWidget *window) {
                     QCOMPARE(window->windowTitle(), QStringLiteral("岩石的可松性参考"));
                     QCOMPARE(window->parentWidget(), mucking);
                 });
    QCOMPARE(seen, 1);
    QVERIFY(mucking->isVisible());
}

void TestReferenceWindows::embeddedPicturesDecode_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    for (const PictureFile &p : kPictures)
        QTest::newRow(p.file) << QString::fromUtf8(p.file) << p.size;
}

void TestReferenceWindows::embeddedPicturesDecode() {
    QFETCH(QString, file);
    QFETCH(QSize, size);
    QImageReader reader(QStringLiteral(":/pictures/") + file);
    reader.setDecideFormatFromContent(true);
    // The bytes are what the name says: the two tables stored as JPEG.
    QCOMPARE(QString::fromLatin1(reader.format()),
             file.endsWith(QLatin1String(".jpg")) ? QStringLiteral("jpeg") : QStringLiteral("png"));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
    // Not a blank stand-in: a drawn picture has many colours.
    QSet<QRgb> colours;
    for (int y = 0; y < image.height() && colours.size() < 16; y += 3)
        for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
    QVERIFY(colours.size() >= 16);
}

void TestReferenceWindows::noUnexpectedPictures() {
    QStringList expected;
    for (const PictureFile &p : kPictures) expected << QString::fromUtf8(p.file);
    QStringList found;
    QDirIterator it(QStringLiteral(":/pictures"));
    while (it.hasNext()) found << it.next().section(QLatin1Char('/'), -1);
    expected.sort();
    found.sort();
    QCOMPARE(found, expected);
}

QTEST_MAIN(TestReferenceWindows)
#include "test_reference_windows.moc"
