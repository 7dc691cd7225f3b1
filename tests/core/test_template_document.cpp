#include <QtTest>

#include "core/docx_document.h"
#include "core/report_export.h"
#include "core/template_document.h"
#include "support/docx_builder.h"

using namespace tunnel;
using namespace tunnel::test;

// The templates are parsed once per process: what one export fills must
// never show in the next one's copy.
class TestTemplateDocument : public QObject {
    Q_OBJECT
private slots:
    void copiesStartPristine_data();
    void copiesStartPristine();
    void unknownTemplate();
};

void TestTemplateDocument::copiesStartPristine_data() {
    QTest::addColumn<QString>("name");
    // Every template the program holds.
    const QStringList packages = QDir(QStringLiteral(":/templates")).entryList();
    QVERIFY(packages.size() >= 7);
    for (const QString &package : packages) {
        const QString name = package.chopped(5);  // ".docx"
        QTest::newRow(qPrintable(name)) << name;
    }
}

void TestTemplateDocument::copiesStartPristine() {
    QFETCH(QString, name);
    const QByteArray templateName = name.toLatin1();
    DocxDocument opened;
    QVERIFY(opened.Open(TemplateBytes(templateName.constData())));
    const QByteArray pristine = EntryData(ReadPackage(opened.Save()), "word/document.xml");

    QString failure;
    DocxDocument first = TemplateDocument(templateName.constData(), &failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(first.MainText(), opened.MainText());
    // The first copy has its opening words replaced and its rows of
    // placeholders removed.
    QString line;
    for (const QString &text : first.MainText().split(u'\n'))
        if (line.isEmpty()) line = text.trimmed().left(4);
    QVERIFY(!line.isEmpty());
    QVERIFY(first.ReplacePlaceholder(line, QStringLiteral("改"), 50) > 0);
    first.RemoveTableRows(QStringLiteral("编辑框"));
    QVERIFY(first.MainText() != opened.MainText());

    const DocxDocument second = TemplateDocument(templateName.constData(), &failure);
    QCOMPARE(second.MainText(), opened.MainText());
    QCOMPARE(EntryData(ReadPackage(second.Save()), "word/document.xml"), pristine);
}

void TestTemplateDocument::unknownTemplate() {
    QString failure;
    const DocxDocument document = TemplateDocument("no such template", &failure);
    QVERIFY(!failure.isEmpty());
    QVERIFY(document.Save().isEmpty());
    QString again;
    TemplateDocument("no such template", &again);
    QCOMPARE(again, failure);
}

QTEST_GUILESS_MAIN(TestTemplateDocument)
#include "test_template_document.moc"
