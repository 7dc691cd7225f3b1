#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBox>
#include <memory>

#include "core/module_entry.h"
#include "widgets/module_window.h"
#include "widgets/window_ops.h"
#include "core/gbk_text.h"
#include "modules/dangerous_works/core/dangerous_works.h"
#include "modules/dangerous_works/core/work_list_file.h"
#include "modules/dangerous_works/widgets/dangerous_works_window.h"
#include "support/scripted_dialogs.h"

using tunnel::DangerousWorksWindow;
using tunnel::PlainWindowOps;
using tunnel::Tier;
using tunnel::TierOf;
using tunnel::ToGbk;
using tunnel::test::ScriptedDialogs;

namespace {

// A shell that records what the window asks of it.
class RecordingOps final : public tunnel::WindowOps {
public:
    explicit RecordingOps(bool formwork) : m_formwork(formwork) {}
    void OpenCalculationWindow(QWidget *window) override { delete window; }
    void OpenModalWindow(QWidget *window) override {
        modal << window->objectName();
        delete window;
    }
    void RestoreMainWindow() override {}
    void EndProgram() override {}
    QWidget *CreateModuleWindow(std::string_view id, tunnel::Dialogs &, const QString &,
                                const QList<tunnel::FieldValue> &) override {
        auto *window = new QWidget;
        window->setObjectName(QString::fromUtf8(id.data(), qsizetype(id.size())));
        return window;
    }
    bool HasModule(std::string_view id) const override { return id != "formwork" || m_formwork; }
    QStringList modal;  // ids of the windows opened modal

private:
    bool m_formwork;
};

QString U(const char *text) {
    return QString::fromUtf8(text);
}

const QString kStartLog = U("\r\n软件调试完成，进入待命状态……\r\n");
const QString k22 = U("2.2混凝土模板支撑工程：搭设高度5m及以上");
const QString k23 = U("2.3混凝土模板支撑工程,搭设跨度10m及以上");

QByteArray ReadBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool WriteBytes(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList Texts(const QListWidget *list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
}

}  // namespace

class DangerousWorksWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void creation();
    void category_data();
    void category();
    void describeMovesBetweenLists();
    void addRefusesDuplicates();
    void tiersKeepTheirOwnLists();
    void deleteActsOnBothLists();
    void deleteNeedsASelection();
    void dialogSettings_data();
    void dialogSettings();
    void saveAndReopenKeepOrder_data();
    void saveAndReopenKeepOrder();
    void openPieces_data();
    void openPieces();
    void emptyList_data();
    void emptyList();
    void exportText_data();
    void exportText();
    void failedWriteKeepsEarlierFile_data();
    void failedWriteKeepsEarlierFile();
    void unreadableFile_data();
    void unreadableFile();
    void formworkButtonOpensLoadWindow();
    void formworkButtonAsksTheShell_data();
    void formworkButtonAsksTheShell();

private:
    QListWidget *List(const char *id) const {
        return m_window->findChild<QListWidget *>(U(id));
    }
    QListWidget *Catalogue(Tier tier) const {
        return List(TierOf(tier).catalogueId);
    }
    QListWidget *Project(Tier tier) const {
        return List(TierOf(tier).projectId);
    }
    QPushButton *Button(const char *id) const {
        return m_window->findChild<QPushButton *>(U(id));
    }
    QString Description() const {
        return m_window->Text(U(tunnel::kDescriptionId));
    }

    void ShowPage(Tier tier);
    void ChooseCategory(Tier tier, int index);
    void ClickItem(QListWidget *list, int row, Qt::MouseButton button = Qt::LeftButton);
    void DoubleClickItem(QListWidget *list, int row);
    // Picks the catalogue text into the tier's project list by double-click.
    void Add(Tier tier, int category, const QString &text);
    void FillProject(Tier tier, const QStringList &items);

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    DangerousWorksWindow *m_window = nullptr;
    QString m_data;
};

void DangerousWorksWindowTest::init() {
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_data = m_folder->filePath(QStringLiteral("Data"));
    QVERIFY(QDir().mkpath(m_data));
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_window = new DangerousWorksWindow(*m_dialogs, m_folder->path(), PlainWindowOps());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void DangerousWorksWindowTest::cleanup() {
    delete m_window;
    m_window = nullptr;
    m_dialogs.reset();
    m_folder.reset();
}

void DangerousWorksWindowTest::ShowPage(Tier tier) {
    auto *tabs = m_window->findChild<QTabWidget *>(U(tunnel::kDangerTabsId));
    QTabBar *bar = tabs->tabBar();
    const int index = tier == Tier::Ordinary ? 0 : 1;
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    QCOMPARE(tabs->currentIndex(), index);
}

void DangerousWorksWindowTest::ChooseCategory(Tier tier, int index) {
    ShowPage(tier);
    auto *menu = m_window->findChild<QToolBox *>(U(TierOf(tier).menuId));
    QVERIFY(menu);
    menu->setCurrentIndex(index);
    auto *item = menu->widget(index)->findChild<QPushButton *>();
    QVERIFY(item && item->isVisible());
    QTest::mouseClick(item, Qt::LeftButton);
}

void DangerousWorksWindowTest::ClickItem(QListWidget *list, int row, Qt::MouseButton button) {
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), button, {}, list->visualItemRect(list->item(row)).center());
}

void DangerousWorksWindowTest::DoubleClickItem(QListWidget *list, int row) {
    ClickItem(list, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->visualItemRect(list->item(row)).center());
}

void DangerousWorksWindowTest::Add(Tier tier, int category, const QString &text) {
    ChooseCategory(tier, category);
    const QStringList texts = Texts(Catalogue(tier));
    QVERIFY2(texts.contains(text), qPrintable(text));
    DoubleClickItem(Catalogue(tier), texts.indexOf(text));
}

// Lists with texts of the user's own come only from list files.
void DangerousWorksWindowTest::FillProject(Tier tier, const QStringList &items) {
    const QString path = m_data + U("/fill") + U(TierOf(tier).extension);
    QVERIFY(WriteBytes(path, tunnel::WorkListBytes(items)));
    ShowPage(tier);
    m_dialogs->files.enqueue(path);
    QTest::mouseClick(Button(TierOf(tier).openButton), Qt::LeftButton);
    QCOMPARE(Texts(Project(tier)), items);
}

void DangerousWorksWindowTest::creation() {
    QCOMPARE(m_window->windowTitle(), U("危险性较大的分部分项工程"));
    QCOMPARE(m_window->size(), QSize(1076, 580));
    QCOMPARE(m_window->LogText(), kStartLog);
    QCOMPARE(Description(), QString());

    auto *tabs = m_window->findChild<QTabWidget *>(U("选择夹1"));
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), U("危险性较大的分部分项工程"));
    QCOMPARE(tabs->tabText(1), U("超过一定规模的危大工程"));

    QStringList labels;
    for (const QLabel *label : m_window->findChildren<QLabel *>()) labels << label->text();
    QStringList groups;
    for (const QGroupBox *box : m_window->findChildren<QGroupBox *>()) groups << box->title();
    QVERIFY(groups.contains(U("本工程计算结果")));
    QVERIFY(
        labels.contains(U("依据《危险性较大的分部分项工程安全管理规定》中华人民共和国住房和城乡建设"
                          "部令第37号（2019年修正）\n"
                          "    "
                          "《住房城乡建设部办公厅关于实施《危险性较大的分部分项工程安全管理规定》有"
                          "关问题的通知》【建办质〔2018〕31号】")));

    for (Tier tier : tunnel::kTiers) {
        const tunnel::TierTable &table = TierOf(tier);
        QVERIFY(labels.contains(U(table.pageHeading)));
        QVERIFY(labels.contains(U(table.catalogueHeading)));
        QVERIFY(groups.contains(U(table.projectGroup)));
        QCOMPARE(Catalogue(tier)->count(), 0);
        QCOMPARE(Project(tier)->count(), 0);
        auto *menu = m_window->findChild<QToolBox *>(U(table.menuId));
        QVERIFY(menu);
        QCOMPARE(menu->count(), 7);
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(menu->itemText(i), U(table.categories[i].heading));
            const QList<QPushButton *> items = menu->widget(i)->findChildren<QPushButton *>();
            QCOMPARE(items.size(), 1);
            QCOMPARE(items[0]->text(), U(table.categories[i].item));
        }
    }
    QVERIFY(labels.contains(U("危险性较大分部分项工程")));

    const QList<std::pair<const char *, const char *>> buttons = {
        {"按钮1_危大打开数据", "打开本页数据"},
        {"按钮1_危大保存数据", "保存本页数据"},
        {"按钮1危大导出文本", "导出文本"},
        {"按钮2超大打开数据", "打开本页数据"},
        {"按钮2超大保存", "保存本页数据"},
        {"按钮2导出文本", "导出txt"},
        {"按钮1施工中荷载", "施工总荷载、集中线荷载计算"},
    };
    for (const auto &[id, caption] : buttons) {
        QVERIFY2(Button(id), id);
        QCOMPARE(Button(id)->text(), U(caption));
    }
    QCOMPARE(Button("按钮1施工中荷载")->isEnabled(), tunnel::FindModule("formwork") != nullptr);

    // No "文件" menu; the pop-up's entry "菜单" is there but hidden.
    QStringList visibleEntries;
    for (QAction *action : m_window->menuBar()->actions())
        if (action->isVisible()) visibleEntries << action->text();
    QCOMPARE(visibleEntries, QStringList());
    QCOMPARE(m_window->ContextMenu()->title(), U("菜单"));
    QCOMPARE(m_window->ContextMenu()->actions().size(), 1);
    QCOMPARE(m_window->DeleteAction()->text(), U("删除"));
}

void DangerousWorksWindowTest::category_data() {
    QTest::addColumn<Tier>("tier");
    QTest::addColumn<int>("index");
    for (Tier tier : tunnel::kTiers)
        for (int i = 0; i < 7; ++i)
            QTest::addRow("%s %d", tier == Tier::Ordinary ? "ordinary" : "over-scale", i)
                << tier << i;
}

void DangerousWorksWindowTest::category() {
    QFETCH(Tier, tier);
    QFETCH(int, index);
    const Tier other = tier == Tier::Ordinary ? Tier::OverScale : Tier::Ordinary;
    ChooseCategory(other, (index + 3) % 7);
    const QStringList otherTexts = Texts(Catalogue(other));

    QStringList expected;
    for (const char *entry : TierOf(tier).categories[index].entries) expected << U(entry);
    ChooseCategory(tier, (index + 1) % 7);
    ChooseCategory(tier, index);
    QCOMPARE(Texts(Catalogue(tier)), expected);
    // Choosing it again rebuilds the same list, nothing doubled.
    ChooseCategory(tier, index);
    QCOMPARE(Texts(Catalogue(tier)), expected);
    QCOMPARE(Texts(Catalogue(other)), otherTexts);
    QCOMPARE(Catalogue(tier)->spacing(), 10);
    QCOMPARE(m_window->LogText(), kStartLog);

    if (tier == Tier::Ordinary && index == 6) {
        QCOMPARE(expected.size(), 6);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(expected.filter(QStringLiteral("7.%1").arg(i + 1)).size(), 1);
    }
}

void DangerousWorksWindowTest::describeMovesBetweenLists() {
    const Tier tier = Tier::Ordinary;
    Add(tier, 1, k22);
    ChooseCategory(tier, 5);
    ClickItem(Catalogue(tier), 2);
    QCOMPARE(Description(), U("    6.3顶管法施工的隧道"));

    ClickItem(Project(tier), 0);
    QCOMPARE(Description(), U("    ") + k22);
    QCOMPARE(Project(tier)->selectedItems().size(), 1);
    QVERIFY(Catalogue(tier)->selectedItems().isEmpty());

    ClickItem(Catalogue(tier), 0);
    QCOMPARE(Description(), U("    6.1采用矿山法隧道工程"));
    QVERIFY(Project(tier)->selectedItems().isEmpty());
    QCOMPARE(Catalogue(tier)->selectedItems().size(), 1);

    // The other tier's selection is not touched.
    Add(Tier::OverScale, 5, U("6.2盾构法施工的隧道"));
    ClickItem(Project(Tier::OverScale), 0);
    QCOMPARE(Description(), U("    6.2盾构法施工的隧道"));
    QCOMPARE(Catalogue(tier)->selectedItems().size(), 1);
}

void DangerousWorksWindowTest::addRefusesDuplicates() {
    Add(Tier::Ordinary, 1, k22);
    QCOMPARE(m_window->LogText(), kStartLog + U("添加项目成功!\r\n"));
    Add(Tier::Ordinary, 1, k22);
    QCOMPARE(m_window->LogText(), kStartLog + U("添加项目成功!\r\n添加项目重复，添加失败!\r\n"));
    QCOMPARE(Texts(Project(Tier::Ordinary)), QStringList{k22});
    Add(Tier::Ordinary, 1, k23);
    QCOMPARE(Texts(Project(Tier::Ordinary)), (QStringList{k22, k23}));
    QVERIFY(m_window->LogText().endsWith(U("添加项目重复，添加失败!\r\n添加项目成功!\r\n")));
    QVERIFY(m_dialogs->messages.isEmpty());
}

void DangerousWorksWindowTest::tiersKeepTheirOwnLists() {
    const QString shield = U("6.2盾构法施工的隧道");
    Add(Tier::Ordinary, 5, shield);
    Add(Tier::OverScale, 5, shield);
    QCOMPARE(m_window->LogText(), kStartLog + U("添加项目成功!\r\n添加项目成功!\r\n"));
    QCOMPARE(Texts(Project(Tier::Ordinary)), QStringList{shield});
    QCOMPARE(Texts(Project(Tier::OverScale)), QStringList{shield});

    // The duplicate check looks at the tier's own list only.
    FillProject(Tier::OverScale, {U("2.1各类工具式模板工程：包括滑模、爬模、飞模、隧道模等工程")});
    Add(Tier::Ordinary, 1, U("2.1各类工具式模板工程：包括滑模、爬模、飞模、隧道模等工程"));
    QVERIFY(m_window->LogText().endsWith(U("添加项目成功!\r\n")));
    QCOMPARE(Project(Tier::Ordinary)->count(), 2);
}

void DangerousWorksWindowTest::deleteActsOnBothLists() {
    FillProject(Tier::Ordinary, {k22, k23, U("6.4洞室工程")});
    FillProject(Tier::OverScale, {U("a"), U("b")});
    const QString log = m_window->LogText();

    ShowPage(Tier::Ordinary);
    ClickItem(Project(Tier::Ordinary), 1);
    ShowPage(Tier::OverScale);
    ClickItem(Project(Tier::OverScale), 0);

    // A right click on a project list pops up the menu at the mouse (the
    // window is moved so that the menu fits on the small test screen).
    m_window->move(-500, 20);
    QListWidget *list = Project(Tier::OverScale);
    const QPoint at = list->visualItemRect(list->item(0)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &event);
    QTRY_VERIFY(m_window->ContextMenu()->isVisible());
    QVERIFY((m_window->ContextMenu()->pos() - list->viewport()->mapToGlobal(at)).manhattanLength() <
            40);
    m_window->DeleteAction()->trigger();
    m_window->ContextMenu()->hide();

    QCOMPARE(Texts(Project(Tier::Ordinary)), (QStringList{k22, U("6.4洞室工程")}));
    QCOMPARE(Texts(Project(Tier::OverScale)), QStringList{U("b")});
    QCOMPARE(m_window->LogText(), log + U("危大删除成功!\r\n超规模危大删除成功!\r\n"));

    // Only the over-scale list has a selection now.
    ClickItem(Project(Tier::OverScale), 0);
    m_window->DeleteAction()->trigger();
    QCOMPARE(Texts(Project(Tier::OverScale)), QStringList());
    QCOMPARE(Project(Tier::Ordinary)->count(), 2);
    QVERIFY(m_window->LogText().endsWith(U("成功!\r\n超规模危大删除成功!\r\n")));
}

void DangerousWorksWindowTest::deleteNeedsASelection() {
    FillProject(Tier::Ordinary, {k22, k23});
    const QString log = m_window->LogText();
    m_window->DeleteAction()->trigger();
    QCOMPARE(Project(Tier::Ordinary)->count(), 2);

    // Tabbing into a list makes a row current without selecting it.
    ShowPage(Tier::Ordinary);
    Project(Tier::Ordinary)->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(Project(Tier::Ordinary)->hasFocus());
    m_window->DeleteAction()->trigger();
    QCOMPARE(Texts(Project(Tier::Ordinary)), (QStringList{k22, k23}));

    // A ctrl-click takes the selection away again.
    ClickItem(Project(Tier::Ordinary), 0);
    QTest::mouseClick(
        Project(Tier::Ordinary)->viewport(), Qt::LeftButton, Qt::ControlModifier,
        Project(Tier::Ordinary)->visualItemRect(Project(Tier::Ordinary)->item(0)).center());
    QVERIFY(Project(Tier::Ordinary)->selectedItems().isEmpty());
    m_window->DeleteAction()->trigger();
    QCOMPARE(Project(Tier::Ordinary)->count(), 2);
    QCOMPARE(m_window->LogText(), log);
    QVERIFY(m_dialogs->messages.isEmpty());
}

void DangerousWorksWindowTest::dialogSettings_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<Tier>("tier");
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("extension");

    const Tier o = Tier::Ordinary;
    const Tier s = Tier::OverScale;
    QTest::newRow("ordinary open")
        << U("按钮1_危大打开数据") << o << false << U("（*.危大工程）|*.危大工程") << QString();
    QTest::newRow("ordinary save")
        << U("按钮1_危大保存数据") << o << true << U("（*.危大工程）|*.危大工程") << U(".危大工程");
    QTest::newRow("ordinary text")
        << U("按钮1危大导出文本") << o << true << U("（*.txt）|*.txt") << U(".txt");
    QTest::newRow("over-scale open")
        << U("按钮2超大打开数据") << s << false << U("（*.超规模）|*.超规模") << QString();
    QTest::newRow("over-scale save")
        << U("按钮2超大保存") << s << true << U("（*.超规模）|*.超规模") << U(".超规模");
    QTest::newRow("over-scale text")
        << U("按钮2导出文本") << s << true << U("（*.txt）|*.txt") << U(".txt");
}

// Every dialog starts in Data; cancelling it changes nothing and says nothing.
void DangerousWorksWindowTest::dialogSettings() {
    QFETCH(QString, button);
    QFETCH(Tier, tier);
    QFETCH(bool, save);
    QFETCH(QString, filter);
    QFETCH(QString, extension);
    FillProject(tier, {k22});
    m_dialogs->requests.clear();
    const QString log = m_window->LogText();
    const QStringList before = QDir(m_data).entryList(QDir::Files);

    for (int i = 0; i < 2; ++i) {
        QTest::mouseClick(m_window->findChild<QPushButton *>(button), Qt::LeftButton);
        QCOMPARE(m_dialogs->requests.size(), i + 1);
        const tunnel::FileRequest &request = m_dialogs->requests.constLast();
        QCOMPARE(request.save, save);
        QCOMPARE(QDir(request.initialFolder).canonicalPath(), QDir(m_data).canonicalPath());
        QCOMPARE(request.filter, filter);
        QCOMPARE(request.defaultExtension, extension);
    }
    QCOMPARE(Texts(Project(tier)), QStringList{k22});
    QCOMPARE(m_window->LogText(), log);
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(QDir(m_data).entryList(QDir::Files), before);
}

void DangerousWorksWindowTest::saveAndReopenKeepOrder_data() {
    QTest::addColumn<Tier>("tier");
    QTest::addColumn<QString>("saveLog");
    QTest::addColumn<QString>("openLog");
    QTest::newRow("ordinary") << Tier::Ordinary << U("危大工程保存成功！")
                              << U("危大工程打开成功！");
    QTest::newRow("over-scale") << Tier::OverScale << U("超规模危大工程保存成功！")
                                << U("超规模危大工程打开成功！");
}

void DangerousWorksWindowTest::saveAndReopenKeepOrder() {
    QFETCH(Tier, tier);
    QFETCH(QString, saveLog);
    QFETCH(QString, openLog);
    const tunnel::TierTable &table = TierOf(tier);
    const Tier other = tier == Tier::Ordinary ? Tier::OverScale : Tier::Ordinary;
    const QString first = U(table.categories[1].entries[1]);
    const QString second = U(table.categories[1].entries[2]);
    const QString third = U(table.categories[5].entries[3]);
    Add(tier, 1, first);
    Add(tier, 1, second);
    Add(tier, 5, third);
    Add(other, 5, U(TierOf(other).categories[5].entries[0]));
    const QStringList otherList = Texts(Project(other));

    const QString path = m_data + U("/本工程") + U(table.extension);
    QString logAtMessage;
    m_dialogs->onMessage = [&](const ScriptedDialogs::Shown &) {
        logAtMessage = m_window->LogText();
    };
    const QString log = m_window->LogText();
    m_dialogs->files.enqueue(path);
    QTest::mouseClick(Button(table.saveButton), Qt::LeftButton);
    QCOMPARE(ReadBytes(path), ToGbk(first + "|" + second + "|" + third + "|"));
    QCOMPARE(m_window->LogText(), log + saveLog);
    QCOMPARE(logAtMessage, log + saveLog);
    QCOMPARE(m_dialogs->MessageTexts(), QStringList{U("保存成功！")});
    QCOMPARE(m_dialogs->messages[0].caption, U("信息："));

    // Reopening shows the file's order, again and again.
    for (int round = 0; round < 2; ++round) {
        FillProject(tier, {U("别的条目")});
        m_dialogs->files.enqueue(path);
        const QString before = m_window->LogText();
        QTest::mouseClick(Button(table.openButton), Qt::LeftButton);
        QCOMPARE(Texts(Project(tier)), (QStringList{first, second, third}));
        QCOMPARE(m_window->LogText(), before + openLog);
        m_dialogs->files.enqueue(path);
        QTest::mouseClick(Button(table.saveButton), Qt::LeftButton);
        QCOMPARE(ReadBytes(path), ToGbk(first + "|" + second + "|" + third + "|"));
    }
    QCOMPARE(m_dialogs->MessageTexts(),
             (QStringList{U("保存成功！"), U("保存成功！"), U("保存成功！")}));
    QCOMPARE(Texts(Project(other)), otherList);
}

void DangerousWorksWindowTest::openPieces_data() {
    QTest::addColumn<Tier>("tier");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("items");

    const QString c = U("6.4洞室工程");
    QTest::newRow("adjacent bars")
        << Tier::Ordinary << ToGbk(k22 + "||" + k23 + "|") << QStringList{k22, QString(), k23};
    QTest::newRow("last bar missing")
        << Tier::OverScale << ToGbk(k22 + "|" + k23) << QStringList{k22, k23};
    // The last piece of the last line comes last.
    QTest::newRow("several lines")
        << Tier::Ordinary << ToGbk(k22 + "|\r\n" + k23 + "|" + c + "|\r\n\r\n")
        << QStringList{k22, k23, c};
    QTest::newRow("texts of one's own and repeats")
        << Tier::OverScale << ToGbk(U("自编条目|自编条目|"))
        << QStringList{U("自编条目"), U("自编条目")};
}

void DangerousWorksWindowTest::openPieces() {
    QFETCH(Tier, tier);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, items);
    FillProject(tier, {U("旧条目一"), U("旧条目二")});
    const QString path = m_data + U("/手写") + U(TierOf(tier).extension);
    QVERIFY(WriteBytes(path, bytes));
    m_dialogs->files.enqueue(path);
    const QString log = m_window->LogText();
    QTest::mouseClick(Button(TierOf(tier).openButton), Qt::LeftButton);
    QCOMPARE(Texts(Project(tier)), items);
    QCOMPARE(m_window->LogText(), log + U(TierOf(tier).openLog));
    QVERIFY(m_dialogs->messages.isEmpty());
}

void DangerousWorksWindowTest::emptyList_data() {
    QTest::addColumn<Tier>("tier");
    QTest::newRow("ordinary") << Tier::Ordinary;
    QTest::newRow("over-scale") << Tier::OverScale;
}

void DangerousWorksWindowTest::emptyList() {
    QFETCH(Tier, tier);
    const tunnel::TierTable &table = TierOf(tier);
    ShowPage(tier);
    const QString list = m_data + U("/空") + U(table.extension);
    const QString text = m_data + U("/空.txt");
    QVERIFY(WriteBytes(list, "old|"));
    QVERIFY(WriteBytes(text, "old\r\n"));
    m_dialogs->files << list << text;
    QTest::mouseClick(Button(table.saveButton), Qt::LeftButton);
    QTest::mouseClick(Button(table.exportButton), Qt::LeftButton);
    QVERIFY(QFile::exists(list) && QFile::exists(text));
    QCOMPARE(ReadBytes(list), QByteArray());
    QCOMPARE(ReadBytes(text), QByteArray());

    FillProject(tier, {k22});
    const QString log = m_window->LogText();
    m_dialogs->files << list;
    QTest::mouseClick(Button(table.openButton), Qt::LeftButton);
    QCOMPARE(Project(tier)->count(), 0);
    QCOMPARE(m_window->LogText(), log + U(table.openLog));
}

void DangerousWorksWindowTest::exportText_data() {
    QTest::addColumn<Tier>("tier");
    QTest::addColumn<QString>("log");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("messageFirst");
    QTest::newRow("ordinary") << Tier::Ordinary << U("危大工程导出成功！")
                              << U("危大导出项目列表成功！") << true;
    QTest::newRow("over-scale") << Tier::OverScale << U("超规模危大工程项目列表导出成功！")
                                << U("项目列表导出成功！") << false;
}

void DangerousWorksWindowTest::exportText() {
    QFETCH(Tier, tier);
    QFETCH(QString, log);
    QFETCH(QString, message);
    QFETCH(bool, messageFirst);
    const tunnel::TierTable &table = TierOf(tier);
    FillProject(tier, {k22, QString(), k23});
    const QString path = m_data + U("/清单.txt");
    const QString before = m_window->LogText();
    QString logAtMessage;
    m_dialogs->onMessage = [&](const ScriptedDialogs::Shown &) {
        logAtMessage = m_window->LogText();
    };
    m_dialogs->files.enqueue(path);
    QTest::mouseClick(Button(table.exportButton), Qt::LeftButton);
    QCOMPARE(ReadBytes(path), ToGbk(k22 + "\r\n\r\n" + k23 + "\r\n"));
    QCOMPARE(m_dialogs->MessageTexts(), QStringList{message});
    QCOMPARE(m_window->LogText(), before + log);
    QCOMPARE(logAtMessage, messageFirst ? before : before + log);
    QCOMPARE(Project(tier)->count(), 3);
}

void DangerousWorksWindowTest::failedWriteKeepsEarlierFile_data() {
    QTest::addColumn<Tier>("tier");
    QTest::addColumn<bool>("text");
    QTest::addColumn<QString>("failure");
    QTest::newRow("ordinary list") << Tier::Ordinary << false << U("保存失败！");
    QTest::newRow("ordinary text") << Tier::Ordinary << true << U("导出失败！");
    QTest::newRow("over-scale list") << Tier::OverScale << false << U("保存失败！");
    QTest::newRow("over-scale text") << Tier::OverScale << true << U("导出失败！");
}

void DangerousWorksWindowTest::failedWriteKeepsEarlierFile() {
    QFETCH(Tier, tier);
    QFETCH(bool, text);
    QFETCH(QString, failure);
    const tunnel::TierTable &table = TierOf(tier);
    FillProject(tier, {k22, k23});
    const QString path = m_data + U("/只读") + (text ? U(".txt") : U(table.extension));
    const QByteArray earlier = ToGbk(U("早先的清单|"));
    QVERIFY(WriteBytes(path, earlier));
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
    const QString missingFolder =
        m_data + U("/没有的文件夹/清单") + (text ? U(".txt") : U(table.extension));

    for (const QString &target : {path, missingFolder}) {
        m_dialogs->messages.clear();
        const QString log = m_window->LogText();
        m_dialogs->files.enqueue(target);
        QTest::mouseClick(Button(text ? table.exportButton : table.saveButton), Qt::LeftButton);
        QCOMPARE(m_dialogs->messages.size(), 1);
        const QString shown = m_dialogs->messages[0].text;
        QVERIFY2(shown.startsWith(failure), qPrintable(shown));
        QVERIFY2(shown.contains(QDir::toNativeSeparators(target)), qPrintable(shown));
        QVERIFY2(shown.section(U("原因："), 1).size() > 0, qPrintable(shown));
        QCOMPARE(m_window->LogText(), log);
        QCOMPARE(Project(tier)->count(), 2);
    }
    QCOMPARE(ReadBytes(path), earlier);
    QVERIFY(!QFile::exists(missingFolder));
    QCOMPARE(QDir(m_data).entryList(QDir::Files | QDir::Hidden),
             (QStringList{U("fill") + U(table.extension), QFileInfo(path).fileName()}));
}

void DangerousWorksWindowTest::unreadableFile_data() {
    QTest::addColumn<Tier>("tier");
    QTest::addColumn<QString>("name");
    QTest::newRow("ordinary, deleted") << Tier::Ordinary << U("已删除.危大工程");
    QTest::newRow("ordinary, folder") << Tier::Ordinary << U("文件夹.危大工程");
    QTest::newRow("over-scale, deleted") << Tier::OverScale << U("已删除.超规模");
    QTest::newRow("over-scale, folder") << Tier::OverScale << U("文件夹.超规模");
}

void DangerousWorksWindowTest::unreadableFile() {
    QFETCH(Tier, tier);
    QFETCH(QString, name);
    FillProject(tier, {k22, k23});
    const QString path = m_data + U("/") + name;
    if (name.startsWith(U("文件夹"))) QVERIFY(QDir(m_data).mkdir(name));
    const QString log = m_window->LogText();
    m_dialogs->files.enqueue(path);
    QTest::mouseClick(Button(TierOf(tier).openButton), Qt::LeftButton);
    QCOMPARE(Texts(Project(tier)), (QStringList{k22, k23}));
    QCOMPARE(m_window->LogText(), log);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY(m_dialogs->messages[0].text.startsWith(U("打开失败！")));
    QVERIFY(m_dialogs->messages[0].text.contains(QDir::toNativeSeparators(path)));
}

void DangerousWorksWindowTest::formworkButtonOpensLoadWindow() {
    if (!tunnel::FindModule("formwork")) QSKIP("this build has no formwork module");
    FillProject(Tier::Ordinary, {k22});
    QString title;
    bool modal = false;
    // The button returns only when the modal window has gone.
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (QWidget *window = QApplication::activeModalWidget(); window && window != m_window) {
            title = window->windowTitle();
            modal = window->isModal();
            window->close();
        }
    });
    poll.start(20);
    QTest::mouseClick(Button("按钮1施工中荷载"), Qt::LeftButton);
    poll.stop();
    QCOMPARE(title, U("荷载计算"));
    QVERIFY(modal);
    QVERIFY(m_window->isVisible());
    QCOMPARE(Texts(Project(Tier::Ordinary)), QStringList{k22});
}

void DangerousWorksWindowTest::formworkButtonAsksTheShell_data() {
    QTest::addColumn<bool>("available");
    QTest::newRow("shell has the load window") << true;
    QTest::newRow("shell has none") << false;
}

void DangerousWorksWindowTest::formworkButtonAsksTheShell() {
    QFETCH(bool, available);
    RecordingOps ops(available);
    DangerousWorksWindow window(*m_dialogs, m_folder->path(), ops);
    auto *button = window.findChild<QPushButton *>(U("按钮1施工中荷载"));
    QVERIFY(button);
    QCOMPARE(button->isEnabled(), available);
    button->click();
    const QStringList expected = {QStringLiteral("formwork")};
    QCOMPARE(ops.modal, available ? expected : QStringList());
}

QTEST_MAIN(DangerousWorksWindowTest)
#include "test_dangerous_works_window.moc"
