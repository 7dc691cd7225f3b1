#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "core/gbk_text.h"
#include "core/window_table.h"
#include "modules/period/core/rock_grade_list.h"
#include "modules/period/widgets/rock_grade_window.h"
#include "support/scripted_dialogs.h"
#include "support/test_files.h"

using namespace tunnel;
using tunnel::test::ScriptedDialogs;

using tunnel::test::ReadFileBytes;
using tunnel::test::WriteFileBytes;

namespace {

// Keeps the name a pick copied into the name box.
const QString kPicked = QStringLiteral("<picked>");

QStringList Entries(const QListWidget *list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
}

// The editor on a program folder, driven as a user would.
struct Editor {
    Editor(const QString &folder, const QByteArray *fileBytes = nullptr) {
        if (fileBytes) QVERIFY(WriteFileBytes(RockGradeListPath(folder), *fileBytes));
        window = new RockGradeWindow(dialogs, folder);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    ~Editor() {
        if (window) window->close();
    }

    // Chinese text comes from an input method: committed as one string.
    void Type(const QString &name) {
        QLineEdit *box = window->NameBox();
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QInputMethodEvent commit;
        commit.setCommitString(name);
        QApplication::sendEvent(box, &commit);
    }
    void Press(const char *id) { QTest::mouseClick(window->Button(id), Qt::LeftButton); }
    void Pick(int row) {
        QListWidget *list = window->List();
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
    QStringList Items() const { return Entries(window->List()); }

    ScriptedDialogs dialogs;
    QPointer<RockGradeWindow> window;
};

}  // namespace

class TestPeriodRockGradeWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void OpensWithUnitsAndLoadsFile();
    void CloseWithoutChangeWritesSameBytes_data();
    void CloseWithoutChangeWritesSameBytes();
    void FileWrittenOnlyOnClose();
    void Refused_data();
    void Refused();
    void DuplicateHintShownDuringMessage();
    void AddAppends();
    void InsertBeforeSelection();
    void InsertWithoutSelection();
    void ModifyKeepsSelection();
    void DeleteAsksFirst();
    void ClearAsksFirst();
    void PickCopiesName();
    void CloseFailureIsReported();
    void UnreadableFileIsNotReplaced();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString Path() const { return RockGradeListPath(m_dir->path()); }
};

void TestPeriodRockGradeWindow::init() {
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestPeriodRockGradeWindow::OpensWithUnitsAndLoadsFile() {
    const QByteArray bytes = ToGbk(u"Ⅰ级|Ⅱ级|Ⅲ级|");
    Editor editor(m_dir->path(), &bytes);
    RockGradeWindow *w = editor.window;
    QCOMPARE(w->windowTitle(), QStringLiteral("添加围岩等级"));
    QCOMPARE(w->List()->objectName(), QStringLiteral("列表框1"));
    QCOMPARE(w->NameBox()->objectName(), QStringLiteral("编辑框1"));
    QCOMPARE(w->Hint()->text(), QStringLiteral("提示："));
    const char *ids[] = {"按钮1添加", "按钮1插入", "按钮1修改", "按钮1删除", "按钮1清空"};
    const char *captions[] = {"添加", "插入", "修改", "删除", "清空"};
    int lastTop = -1;
    for (int i = 0; i < 5; ++i) {
        QPushButton *button = w->Button(ids[i]);
        QVERIFY(button);
        QCOMPARE(button->text(), U(captions[i]));
        QVERIFY(button->geometry().top() > lastTop);  // a column, top to bottom
        QVERIFY(button->geometry().left() > w->List()->geometry().right());
        lastTop = button->geometry().top();
    }
    QCOMPARE(editor.Items(), (QStringList{"Ⅰ级", "Ⅱ级", "Ⅲ级"}));
    QCOMPARE(w->List()->selectedItems().size(), 0);
}

void TestPeriodRockGradeWindow::CloseWithoutChangeWritesSameBytes_data() {
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("three grades") << true << ToGbk(u"Ⅰ级|Ⅱ级|Ⅲ级|") << ToGbk(u"Ⅰ级|Ⅱ级|Ⅲ级|");
    QTest::newRow("lines become one") << true << ToGbk(u"Ⅳ级\r\nⅤ级\r\n") << ToGbk(u"Ⅳ级|Ⅴ级|");
    QTest::newRow("empty name kept") << true << QByteArray("A||B") << QByteArray("A||B|");
    QTest::newRow("second byte 0x7C")
        << true << QByteArray("\x81\x7c|B") << QByteArray("\x81\x7c|B|");
    QTest::newRow("empty file") << true << QByteArray() << QByteArray();
    // A fresh install stores the default list on the first close.
    const QByteArray defaults = ToGbk(
        u"Ⅱ级 进尺3.5m 循环14h|Ⅲ级 进尺3.0m 循环12h|Ⅳ级 进尺2.0m 循环10h|Ⅴ级 进尺1.0m 循环8h|");
    QTest::newRow("no file") << false << QByteArray() << defaults;
}

void TestPeriodRockGradeWindow::CloseWithoutChangeWritesSameBytes() {
    QFETCH(bool, present);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    {
        Editor editor(m_dir->path(), present ? &before : nullptr);
        // Opening creates the folder, closing the file.
        QVERIFY(QDir(m_dir->filePath("Data")).exists());
    }
    QVERIFY(QFile::exists(Path()));
    QCOMPARE(ReadFileBytes(Path()), after);
}

void TestPeriodRockGradeWindow::FileWrittenOnlyOnClose() {
    const QByteArray bytes("A|");
    Editor editor(m_dir->path(), &bytes);
    editor.Type("B");
    editor.Press("按钮1添加");
    editor.Pick(0);
    editor.Type("C");
    editor.Press("按钮1修改");
    QCOMPARE(editor.Items(), (QStringList{"C", "B"}));
    QCOMPARE(ReadFileBytes(Path()), bytes);
    editor.window->close();
    QCOMPARE(ReadFileBytes(Path()), QByteArray("C|B|"));
    QCOMPARE(editor.dialogs.messages.size(), 0);
}

void TestPeriodRockGradeWindow::Refused_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pick");  // entry chosen first, -1 for none
    QTest::addColumn<QString>("message");

    QTest::newRow("add empty") << "按钮1添加"
                               << "" << -1 << "请输入要增加的名称！";
    QTest::newRow("add duplicate") << "按钮1添加"
                                   << "Ⅱ级" << -1 << "添加的名称重复,请查证！";
    QTest::newRow("insert empty") << "按钮1插入"
                                  << "" << 0 << "请添加你要插入的名称！";
    QTest::newRow("insert duplicate") << "按钮1插入"
                                      << "Ⅲ级" << 0 << "名称重复,请查证！";
    QTest::newRow("modify empty") << "按钮1修改"
                                  << "" << 0 << "请选择你要修改的的名称！";
    QTest::newRow("modify duplicate") << "按钮1修改"
                                      << "Ⅲ级" << 0 << "修改的名称重复,请查证！";
    // The name box holds the chosen entry's own text, which the check includes.
    QTest::newRow("modify unchanged") << "按钮1修改" << kPicked << 1 << "修改的名称重复,请查证！";
    QTest::newRow("delete nothing chosen") << "按钮1删除"
                                           << "" << -1 << "请选择要删除的项目！";
    const QString bar = QStringLiteral("名称中不能使用字符“|”，请修改！");
    QTest::newRow("add with separator") << "按钮1添加"
                                        << "Ⅳ|Ⅴ" << -1 << bar;
    QTest::newRow("insert with separator") << "按钮1插入"
                                           << "|" << 0 << bar;
    QTest::newRow("modify with separator") << "按钮1修改"
                                           << "Ⅳ级|" << 0 << bar;
}

void TestPeriodRockGradeWindow::Refused() {
    QFETCH(QString, button);
    QFETCH(QString, name);
    QFETCH(int, pick);
    QFETCH(QString, message);
    const QByteArray bytes = ToGbk(u"Ⅰ级|Ⅱ级|Ⅲ级|");
    Editor editor(m_dir->path(), &bytes);
    if (pick >= 0) editor.Pick(pick);
    if (name != kPicked) editor.Type(name);
    const QString typed = editor.window->NameBox()->text();
    editor.Press(button.toUtf8().constData());

    QCOMPARE(editor.dialogs.messages.size(), 1);
    QCOMPARE(editor.dialogs.messages[0].text, message);
    QCOMPARE(editor.dialogs.messages[0].caption, QStringLiteral("提示"));
    QCOMPARE(editor.dialogs.messages[0].icon, Icon::Warning);
    QCOMPARE(editor.dialogs.messages[0].buttons, Buttons::Ok);
    QCOMPARE(editor.Items(), (QStringList{"Ⅰ级", "Ⅱ级", "Ⅲ级"}));
    QCOMPARE(editor.window->NameBox()->text(), typed);
    // A reported duplicate leaves the hint empty, as a pick does.
    const bool duplicate = message.contains(QStringLiteral("重复"));
    QCOMPARE(editor.window->Hint()->text(),
             pick >= 0 || duplicate ? QString() : QStringLiteral("提示："));
}

void TestPeriodRockGradeWindow::DuplicateHintShownDuringMessage() {
    const QByteArray bytes("abc|");
    Editor editor(m_dir->path(), &bytes);
    QString hintMeanwhile;
    editor.dialogs.onMessage = [&](const ScriptedDialogs::Shown &) {
        hintMeanwhile = editor.window->Hint()->text();
    };
    editor.Type("abc");
    editor.Press("按钮1添加");
    QCOMPARE(hintMeanwhile, QStringLiteral("项目名称重复"));
    QCOMPARE(editor.window->Hint()->text(), QString());
    // Only the exact text is a duplicate.
    editor.Type("ABC");
    editor.Press("按钮1添加");
    QCOMPARE(editor.Items(), (QStringList{"abc", "ABC"}));
    QCOMPARE(editor.dialogs.messages.size(), 1);
}

void TestPeriodRockGradeWindow::AddAppends() {
    const QByteArray empty;
    Editor editor(m_dir->path(), &empty);
    for (const char *name : {"Ⅲ级", "Ⅳ级", "亅级"}) {
        editor.Type(U(name));
        editor.Press("按钮1添加");
        QCOMPARE(editor.window->NameBox()->text(), QString());
    }
    QCOMPARE(editor.Items(), (QStringList{"Ⅲ级", "Ⅳ级", "亅级"}));
    editor.window->close();
    QCOMPARE(ReadRockGradeList(m_dir->path()), (QStringList{"Ⅲ级", "Ⅳ级", "亅级"}));
}

void TestPeriodRockGradeWindow::InsertBeforeSelection() {
    const QByteArray bytes("A|B|C|");
    Editor editor(m_dir->path(), &bytes);
    editor.Pick(1);
    editor.Type("X");
    editor.Press("按钮1插入");
    QCOMPARE(editor.Items(), (QStringList{"A", "X", "B", "C"}));
    QCOMPARE(editor.window->NameBox()->text(), QString());
    QCOMPARE(editor.window->List()->currentItem()->text(), QStringLiteral("B"));
    editor.Type("Y");
    editor.Press("按钮1插入");
    QCOMPARE(editor.Items(), (QStringList{"A", "X", "Y", "B", "C"}));
}

void TestPeriodRockGradeWindow::InsertWithoutSelection() {
    const QByteArray bytes("A|B|");
    Editor editor(m_dir->path(), &bytes);
    editor.Type("X");
    editor.Press("按钮1插入");
    QCOMPARE(editor.Items(), (QStringList{"A", "B"}));
    QCOMPARE(editor.window->NameBox()->text(), QString());
    QVERIFY(editor.dialogs.messages.isEmpty());
}

void TestPeriodRockGradeWindow::ModifyKeepsSelection() {
    QByteArray bytes;
    for (int i = 0; i < 40; ++i) bytes += "N" + QByteArray::number(i) + "|";
    Editor editor(m_dir->path(), &bytes);
    QListWidget *list = editor.window->List();
    list->scrollToItem(list->item(30));
    editor.Pick(30);
    const int scrolled = list->verticalScrollBar()->value();
    QVERIFY(scrolled > 0);
    editor.Type("M30");
    editor.Press("按钮1修改");
    QCOMPARE(list->item(30)->text(), QStringLiteral("M30"));
    QCOMPARE(list->count(), 40);
    QCOMPARE(list->currentRow(), 30);
    QVERIFY(list->item(30)->isSelected());
    QCOMPARE(list->verticalScrollBar()->value(), scrolled);
    QCOMPARE(editor.window->NameBox()->text(), QString());

    // Without a chosen entry nothing changes but the name box.
    list->clearSelection();
    editor.Type("Z");
    editor.Press("按钮1修改");
    QVERIFY(!editor.Items().contains("Z"));
    QCOMPARE(editor.window->NameBox()->text(), QString());
}

void TestPeriodRockGradeWindow::DeleteAsksFirst() {
    const QByteArray bytes("A|B|C|");
    Editor editor(m_dir->path(), &bytes);
    editor.Pick(1);
    editor.Type("kept");
    editor.dialogs.answers.enqueue(kAnswerCancel);
    editor.Press("按钮1删除");
    QCOMPARE(editor.Items(), (QStringList{"A", "B", "C"}));
    QCOMPARE(editor.dialogs.messages[0].text, QStringLiteral("您确定要删除该项目？"));
    QCOMPARE(editor.dialogs.messages[0].caption, QStringLiteral("信息："));
    QCOMPARE(editor.dialogs.messages[0].buttons, Buttons::OkCancel);
    QCOMPARE(editor.dialogs.messages[0].icon, Icon::None);
    editor.Press("按钮1删除");
    QCOMPARE(editor.Items(), (QStringList{"A", "C"}));
    QCOMPARE(editor.window->NameBox()->text(), QStringLiteral("kept"));
    // Nothing is chosen afterwards.
    editor.Press("按钮1删除");
    QCOMPARE(editor.dialogs.messages.last().text, QStringLiteral("请选择要删除的项目！"));
    QCOMPARE(editor.Items(), (QStringList{"A", "C"}));
}

void TestPeriodRockGradeWindow::ClearAsksFirst() {
    const QByteArray bytes("A|B|");
    Editor editor(m_dir->path(), &bytes);
    editor.dialogs.answers.enqueue(kAnswerCancel);
    editor.Press("按钮1清空");
    QCOMPARE(editor.Items(), (QStringList{"A", "B"}));
    QCOMPARE(editor.dialogs.messages[0].text, QStringLiteral("确定清空全部项目"));
    QCOMPARE(editor.dialogs.messages[0].buttons, Buttons::OkCancel);
    editor.Press("按钮1清空");
    QCOMPARE(editor.Items(), QStringList{});
    editor.window->close();
    QCOMPARE(QFileInfo(Path()).size(), 0);
}

void TestPeriodRockGradeWindow::PickCopiesName() {
    const QByteArray bytes = ToGbk(u"Ⅰ级|Ⅱ级|");
    Editor editor(m_dir->path(), &bytes);
    editor.window->Hint()->setText(QStringLiteral("项目名称重复"));
    editor.Pick(1);
    QCOMPARE(editor.window->NameBox()->text(), QStringLiteral("Ⅱ级"));
    QCOMPARE(editor.window->Hint()->text(), QString());
}

void TestPeriodRockGradeWindow::CloseFailureIsReported() {
    Editor editor(m_dir->path());
    QVERIFY(QDir(m_dir->path()).mkpath("Data/data.ini/x"));
    editor.Type("A");
    editor.Press("按钮1添加");
    editor.window->close();
    QCOMPARE(editor.dialogs.messages.size(), 1);
    QVERIFY(editor.dialogs.messages[0].text.contains(QStringLiteral("data.ini")));
    QCOMPARE(editor.dialogs.messages[0].icon, Icon::Error);
    // Closed all the same, and reported once.
    QTRY_VERIFY(!editor.window);
    QCOMPARE(editor.dialogs.messages.size(), 1);
}

void TestPeriodRockGradeWindow::UnreadableFileIsNotReplaced() {
    // A data.ini that cannot be read (here a folder of that name) is not
    // overwritten with the empty list the editor shows.
    QVERIFY(QDir().mkpath(Path()));
    {
        Editor editor(m_dir->path());
        QCOMPARE(editor.dialogs.messages.size(), 1);
        QVERIFY(editor.dialogs.messages[0].text.startsWith(QStringLiteral("围岩等级列表无法读取")));
        QCOMPARE(editor.dialogs.messages[0].icon, Icon::Warning);
        editor.Type(QStringLiteral("Ⅴ级"));
        editor.Press("按钮1添加");
        editor.window->close();
        QCOMPARE(editor.dialogs.messages.size(), 1);  // no store was tried
    }
    QVERIFY(QFileInfo(Path()).isDir());
}

QTEST_MAIN(TestPeriodRockGradeWindow)
#include "test_period_rock_grade_window.moc"
