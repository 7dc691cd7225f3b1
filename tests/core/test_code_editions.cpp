// No window text, help text, picture or report cites an edition of a code
// other than the one in force.
#include <QDirIterator>
#include <QFile>
#include <QtTest>

#include "core/code_editions.h"
#include "core/docx_document.h"
#include "core/module_entry.h"
#include "core/reference_texts.h"
#include "core/report_export.h"
#include "core/window_table.h"

using namespace tunnel;

namespace {

QStringList TableTexts(const WindowTable &table) {
    QStringList texts{U(table.title), U(table.noticePreset), U(table.changeNotice)};
    for (const GroupRow &group : table.groups) texts << U(group.title);
    for (const FieldRow &field : table.fields)
        texts << U(field.label) << U(field.unit) << U(field.preset) << U(field.hint)
              << U(field.focusHint);
    for (const ButtonRow &button : table.buttons) texts << U(button.caption);
    for (const char *line : table.creationLog) texts << U(line);
    if (table.report)
        for (const ReportStep &step : table.report->steps)
            if (step.text) texts << U(step.text);
    return texts;
}

// Every text the program shows or prints, by where it comes from.
QList<QPair<QString, QString>> Sources() {
    QList<QPair<QString, QString>> sources;
    for (const ModuleEntry *entry : BuiltModules()) {
        sources.append(
            {QStringLiteral("window ") + U(entry->id), TableTexts(entry->table()).join(u'\n')});
        for (const ReferenceLink &link : entry->references) {
            const PageTable page = link.page();
            QStringList texts{page.caption};
            for (const PageUnit &unit : page.units) texts << unit.content;
            sources.append({QStringLiteral("reference ") + page.caption, texts.join(u'\n')});
        }
    }
    sources.append({QStringLiteral("help"), HelpText()});
    sources.append({QStringLiteral("advance reference"), AdvanceText()});
    sources.append({QStringLiteral("wedge cut reference"), WedgeCutText()});
    sources.append({QStringLiteral("vibration limits"), VibrationLimitText()});
    for (QDirIterator it(QStringLiteral(":/templates")); it.hasNext();) {
        const QString path = it.next();
        QFile file(path);
        DocxDocument document;
        if (file.open(QIODevice::ReadOnly) && document.Open(file.readAll()))
            sources.append({QStringLiteral("template ") + path, document.MainText()});
    }
    // The tables drawn into the reference pictures.
    for (QDirIterator it(QStringLiteral(TUNNEL_SOURCE_DIR "/tools/pictures"), {"*.cpp"});
         it.hasNext();) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            sources.append(
                {QStringLiteral("picture ") + file.fileName(), QString::fromUtf8(file.readAll())});
    }
    return sources;
}

}  // namespace

class TestCodeEditions : public QObject {
    Q_OBJECT
private slots:
    void numbersRead_data();
    void numbersRead();
    void onlyEditionsInForce_data();
    void onlyEditionsInForce();
};

void TestCodeEditions::numbersRead_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("blank and hyphen") << "按GB 50017-2017执行" << QStringList{"GB 50017-2017"};
    QTest::newRow("dash, recommended") << "《JTG/T 3660—2020》" << QStringList{"JTG/T 3660-2020"};
    QTest::newRow("no blank") << "GB6722-2014及TB10120-2019"
                              << QStringList{"GB 6722-2014", "TB 10120-2019"};
    QTest::newRow("letter number")
        << "JTG T F60-2009公路隧道施工技术细则" << QStringList{"JTG/T F60-2009"};
    QTest::newRow("part") << "JTG 3370.1-2018" << QStringList{"JTG 3370.1-2018"};
    QTest::newRow("no year") << "GB 50017" << QStringList();
}

void TestCodeEditions::numbersRead() {
    QFETCH(QString, text);
    QTEST(CitedCodeNumbers(text), "numbers");
}

void TestCodeEditions::onlyEditionsInForce_data() {
    QTest::addColumn<QString>("text");
    for (const auto &[where, text] : Sources()) QTest::newRow(where.toUtf8()) << text;
}

void TestCodeEditions::onlyEditionsInForce() {
    QFETCH(QString, text);
    QStringList known;
    for (const CodeEdition &edition : CitedEditions()) known << U(edition.number);
    for (const QString &number : CitedCodeNumbers(text))
        QVERIFY2(known.contains(number), qPrintable(number + " is not an edition in force"));
    QVERIFY(!CitesOrder37WithoutRevision(text));
}

QTEST_GUILESS_MAIN(TestCodeEditions)
#include "test_code_editions.moc"
