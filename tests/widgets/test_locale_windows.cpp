#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <clocale>

#include "core/docx_document.h"
#include "core/gbk_text.h"
#include "core/module_entry.h"
#include "core/window_table.h"
#include "support/comma_locale.h"
#include "support/scripted_dialogs.h"
#include "support/test_files.h"
#include "widgets/calc_window.h"
#include "widgets/module_window.h"

using namespace tunnel;
using tunnel::test::ScriptedDialogs;

namespace {

// Answers every save dialog with a new file in the folder, every open dialog
// with Cancel and every question with 是, so each window stores what it shows.
class SavingDialogs : public ScriptedDialogs {
public:
    explicit SavingDialogs(QString folder) : m_folder(std::move(folder)) {}
    int Message(const QString &text, const QString &caption, Buttons buttons, Icon icon) override {
        const int answer = ScriptedDialogs::Message(text, caption, buttons, icon);
        return buttons == Buttons::YesNo ? kAnswerYes : answer;
    }
    std::optional<QString> AskFile(const FileRequest &request) override {
        ScriptedDialogs::AskFile(request);
        if (!request.save) return std::nullopt;
        const QString extension =
            request.defaultExtension.isEmpty() ? QStringLiteral(".tac") : request.defaultExtension;
        return m_folder + QStringLiteral("/存储%1").arg(++m_saved) + extension;
    }

private:
    QString m_folder;
    int m_saved = 0;
};

// What the user sees of a window: every unit's text, in creation order.
QStringList Screen(QWidget *window) {
    QStringList lines;
    for (QWidget *unit : window->findChildren<QWidget *>()) {
        const QString id = unit->objectName();
        if (auto *edit = qobject_cast<QLineEdit *>(unit))
            lines << id + QStringLiteral(" = ") + edit->text();
        else if (auto *box = qobject_cast<QPlainTextEdit *>(unit))
            lines << id + QStringLiteral(" = ") + box->toPlainText();
        else if (auto *rich = qobject_cast<QTextEdit *>(unit))
            lines << id + QStringLiteral(" = ") + rich->toPlainText();
        else if (auto *label = qobject_cast<QLabel *>(unit))
            lines << id + QStringLiteral(" : ") + label->text();
        else if (auto *combo = qobject_cast<QComboBox *>(unit))
            lines << id + QStringLiteral(" # ") + combo->currentText();
        else if (auto *list = qobject_cast<QListWidget *>(unit))
            for (int i = 0; i < list->count(); ++i)
                lines << id + QStringLiteral(" - ") + list->item(i)->text();
    }
    return lines;
}

// What the program stored: parameter files and lists as text, reports by
// their main text.
QStringList Files(const QString &folder) {
    QStringList paths;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) paths << it.next();
    paths.sort();
    QStringList lines;
    for (const QString &path : paths) {
        lines << QStringLiteral("file ") + QDir(folder).relativeFilePath(path);
        const QByteArray bytes = test::ReadFileBytes(path);
        if (bytes.startsWith("PK\x03\x04")) {
            DocxDocument report;
            lines << (report.Open(bytes) ? report.MainText() : QStringLiteral("unreadable"));
        } else {
            lines << FromGbk(bytes);
        }
    }
    return lines;
}

// Runs every calculation window's commands twice (later steps read earlier
// results back), saves its parameters and exports its report, then prints
// the screens, messages and files.
int Dump(const QString &folder) {
    QStringList out;
    out << QStringLiteral("point %1 %2")
               .arg(QString::fromLatin1(std::localeconv()->decimal_point),
                    QString(QLocale::system().decimalPoint()));
    SavingDialogs dialogs(folder);
    // Reference tables and editors open modal; close them at once.
    QTimer closer;
    closer.callOnTimeout([] {
        if (QWidget *modal = QApplication::activeModalWidget()) modal->close();
    });
    closer.start(20);
    for (const ModuleEntry *entry : BuiltModules()) {
        QWidget *window = CreateModuleWindow(*entry, {dialogs, folder});
        window->show();
        if (!QTest::qWaitForWindowExposed(window)) return 2;
        out << QStringLiteral("window ") + window->windowTitle();
        if (auto *calc = dynamic_cast<CalcWindow *>(window)) {
            const auto click = [&](Role role) {
                for (const ButtonRow &row : calc->Table().buttons) {
                    QPushButton *button = calc->Button(row.id);
                    if (row.role == role && button && button->isEnabled()) button->click();
                }
            };
            click(Role::Command);
            click(Role::Command);
            click(Role::Save);
            click(Role::Export);
        }
        out << Screen(window);
        delete window;
    }
    out << QStringLiteral("messages") << dialogs.MessageTexts();
    out << Files(folder);
    QString text = out.join(u'\n');
    text.replace(folder, QStringLiteral("<folder>"));
    text.replace(QDir::toNativeSeparators(folder), QStringLiteral("<folder>"));
    QFile console;
    if (!console.open(stdout, QIODevice::WriteOnly)) return 3;
    console.write(text.toUtf8());
    return 0;
}

}  // namespace

class TestLocaleWindows : public QObject {
    Q_OBJECT
private slots:
    void commaLocaleShowsAndStoresTheSameTexts();

private:
    // The dump of a fresh program folder, from this program run in the locale.
    QStringList Run(const QString &folder, const QString &locale, const QString &locpath) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), locale);
        env.insert(QStringLiteral("LANG"), locale);
        if (!locpath.isEmpty()) env.insert(QStringLiteral("LOCPATH"), locpath);
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QDir().mkpath(folder);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--dump"), folder});
        if (!child.waitForFinished(300000) || child.exitCode() != 0) return {};
        return QString::fromUtf8(child.readAllStandardOutput()).split(u'\n');
    }
};

void TestLocaleWindows::commaLocaleShowsAndStoresTheSameTexts() {
    QTemporaryDir dir;
    const QString locales = dir.filePath(QStringLiteral("locales"));
    const QString failure = test::MakeCommaLocale(locales);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));

    const QStringList plain =
        Run(dir.filePath(QStringLiteral("plain")), QStringLiteral("C.UTF-8"), QString());
    const QStringList comma =
        Run(dir.filePath(QStringLiteral("comma")), QLatin1String(test::kCommaLocale), locales);
    QVERIFY(!plain.isEmpty());
    QVERIFY(!comma.isEmpty());
    QCOMPARE(plain.first(), QStringLiteral("point . ."));
    QCOMPARE(comma.first(), QStringLiteral("point , ,"));
    // Decimals on screen and in the files, where a comma would show.
    const QRegularExpression decimal(QStringLiteral("\\d\\.\\d"));
    QVERIFY(plain.filter(decimal).size() > 10 * qsizetype(BuiltModules().size()) - 20);
    // Every calculation window stored its parameters and its report.
    const qsizetype withParameters = std::ranges::count_if(
        BuiltModules(), [](const ModuleEntry *entry) { return !entry->table().params.empty(); });
    const qsizetype withReports = std::ranges::count_if(
        BuiltModules(), [](const ModuleEntry *entry) { return !entry->reports.empty(); });
    QVERIFY(plain.filter(QRegularExpression(QStringLiteral("^file .*\\.tac$"))).size() >=
            withParameters);
    QVERIFY(plain.filter(QRegularExpression(QStringLiteral("^file 导出的方案/"))).size() >=
            withReports);
    for (qsizetype i = 1; i < qMin(plain.size(), comma.size()); ++i)
        if (comma[i] != plain[i]) QCOMPARE(comma[i], plain[i]);
    QCOMPARE(comma.size(), plain.size());
}

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--dump") return Dump(QString::fromLocal8Bit(argv[2]));
    TestLocaleWindows test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_locale_windows.moc"
