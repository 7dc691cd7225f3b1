#include <QTemporaryDir>
#include <QtTest>
#include <pugixml.hpp>

#include "core/docx_document.h"
#include "support/docx_builder.h"
#include "support/office_check.h"

using namespace tunnel;
using namespace tunnel::test;

namespace {

const QString kTemplates = QStringLiteral(":/templates");

// The placeholders of the mucking report with the preset results, in the
// order the export replaces them.
const QList<QPair<QString, QString>> kMuckingFields = {
    {"编辑框1开挖断面面积", "100"},
    {"编辑框1循环进尺", "2.8"},
    {"编辑框1超挖系数", "1.1"},
    {"编辑框1岩体松胀系数", "1.15"},
    {"编辑框1单循环爆破石渣量", "354.2"},
    {"编辑框2运输距离", "1500"},
    {"编辑框2装载设备铲斗容量", "1.2"},
    {"编辑框2运输设备厢斗容量", "12"},
    {"编辑框2运输设备速度", "10"},
    {"编辑框2装载机装一斗用时", "22"},
    {"编辑框2出碴设备数量", "4.9"},
    {"编辑框2出碴设备配置数量", "5"},
    {"编辑框3单循环爆破后石碴量", "354.2"},
    {"编辑框3装载机装一斗用时", "22"},
    {"编辑框3装载设备铲斗容量", "1.2"},
    {"编辑框3出碴时间", "1.8"},
};

QByteArray TemplateFile(const QString &name) {
    QFile file(kTemplates + "/" + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Parses(const QByteArray &xml, pugi::xml_document &doc) {
    return bool(doc.load_buffer(xml.constData(), std::size_t(xml.size())));
}

bool IsHeaderOrFooter(const QString &name) {
    static const QRegularExpression part(QStringLiteral("^word/(header|footer)\\d*\\.xml$"));
    return part.match(name).hasMatch();
}

// The texts of the w:t elements of a part, one item per element.
QStringList TextElements(const QByteArray &xml) {
    pugi::xml_document doc;
    QStringList texts;
    if (!Parses(xml, doc)) return texts;
    for (const pugi::xpath_node &t : doc.select_nodes("//w:t"))
        texts << QString::fromUtf8(t.node().text().get());
    return texts;
}

// A filled copy of the mucking template.
QByteArray FilledMucking(const QList<QPair<QString, QString>> &values, QString *mainText) {
    DocxDocument document;
    if (!document.Open(TemplateFile("mucking.docx"))) return {};
    for (const auto &[placeholder, value] : values)
        document.ReplacePlaceholder(placeholder, value, 10);
    if (mainText) *mainText = document.MainText();
    return document.Save();
}

}  // namespace

class TestTemplates : public QObject {
    Q_OBJECT
private slots:
    void templatesEmbedded();
    void packages_data();
    void packages();
    void muckingPlaceholders_data();
    void muckingPlaceholders();
    void muckingFilledWithPresets();
    void muckingInWordProcessor();
    void projectBlock_data();
    void projectBlock();
};

void TestTemplates::templatesEmbedded() {
    const QStringList names = QDir(kTemplates).entryList(QDir::Files);
    QVERIFY2(names.contains("mucking.docx"), qPrintable(names.join(", ")));
}

void TestTemplates::packages_data() {
    QTest::addColumn<QString>("name");
    for (const QString &name : QDir(kTemplates).entryList(QDir::Files))
        QTest::newRow(qPrintable(name)) << name;
}

void TestTemplates::packages() {
    QFETCH(QString, name);
    const QByteArray package = TemplateFile(name);
    QString error;
    const QList<PackageEntry> entries = ReadPackage(package, &error);
    QVERIFY2(!entries.isEmpty(), qPrintable(error));
    QCOMPARE(entries.first().name, QStringLiteral("[Content_Types].xml"));

    QStringList names;
    for (const PackageEntry &entry : entries) {
        QVERIFY2(!entry.name.endsWith(u'/'), qPrintable(entry.name));
        names << entry.name;
        if (entry.name.endsWith(".xml") || entry.name.endsWith(".rels")) {
            pugi::xml_document doc;
            QVERIFY2(Parses(entry.data, doc), qPrintable(entry.name));
        }
    }
    for (const EntryFlags &flags : ReadEntryFlags(package))
        QVERIFY2(!(flags.central & 0x0008) && !(flags.local & 0x0008), qPrintable(flags.name));

    // Every part has a content type, and every override names a part.
    pugi::xml_document types;
    QVERIFY(Parses(entries.first().data, types));
    QStringList defaults;
    for (const pugi::xpath_node &d : types.select_nodes("/Types/Default"))
        defaults << QString::fromUtf8(d.node().attribute("Extension").value()).toLower();
    QStringList overrides;
    for (const pugi::xpath_node &o : types.select_nodes("/Types/Override")) {
        const QString part = QString::fromUtf8(o.node().attribute("PartName").value()).mid(1);
        QVERIFY2(names.contains(part), qPrintable(part));
        overrides << part;
    }
    for (const QString &entry : names) {
        if (entry != u"[Content_Types].xml")
            QVERIFY2(
                overrides.contains(entry) || defaults.contains(QFileInfo(entry).suffix().toLower()),
                qPrintable(entry));
    }

    // Internal relationships of the main part point at parts that exist.
    pugi::xml_document rels;
    QVERIFY(Parses(EntryData(entries, "word/_rels/document.xml.rels"), rels));
    for (const pugi::xpath_node &r : rels.select_nodes("/Relationships/Relationship")) {
        if (QString::fromUtf8(r.node().attribute("TargetMode").value()) == u"External") continue;
        const QString target = "word/" + QString::fromUtf8(r.node().attribute("Target").value());
        QVERIFY2(names.contains(QDir::cleanPath(target)), qPrintable(target));
    }

    DocxDocument document;
    QVERIFY2(document.Open(package, &error), qPrintable(error));
    QVERIFY(!document.MainText().isEmpty());
}

void TestTemplates::muckingPlaceholders_data() {
    QTest::addColumn<QString>("placeholder");
    for (const auto &field : kMuckingFields) QTest::newRow(qPrintable(field.first)) << field.first;
}

void TestTemplates::muckingPlaceholders() {
    QFETCH(QString, placeholder);
    const QByteArray package = TemplateFile("mucking.docx");
    DocxDocument document;
    QVERIFY(document.Open(package));
    const qsizetype count = document.MainText().count(placeholder);
    QVERIFY2(count >= 1 && count <= 3, qPrintable(QString::number(count)));

    const QList<PackageEntry> entries = ReadPackage(package);
    for (const PackageEntry &entry : entries) {
        if (IsHeaderOrFooter(entry.name))
            QVERIFY2(!QString::fromUtf8(entry.data).contains(placeholder), qPrintable(entry.name));
    }
    // Each occurrence lies inside one w:t, so that nothing but the
    // placeholder's own run decides its formatting.
    const QStringList texts = TextElements(EntryData(entries, "word/document.xml"));
    qsizetype whole = 0;
    for (const QString &text : texts) whole += text.count(placeholder);
    QCOMPARE(whole, count);
}

void TestTemplates::muckingFilledWithPresets() {
    QString text;
    const QByteArray filled = FilledMucking(kMuckingFields, &text);
    QVERIFY(!filled.isEmpty());
    QVERIFY2(!text.contains("编辑框"), qPrintable(text));

    const QStringList lines = text.split(u'\n');
    QVERIFY(lines.contains("隧道出渣设备配置计算书"));
    QVERIFY(lines.contains("工程概况"));
    QVERIFY(lines.contains("工程名称：工程信息_工程名称"));
    QVERIFY(lines.contains("方案编制原因与目的"));
    QVERIFY(lines.contains("计算书"));
    QVERIFY(lines.contains("计算结论"));
    QVERIFY(lines.contains("Z=R×△×L×S=1.15×1.1×2.8×100=354.2（m3）"));
    // The haul distance is taken in metres by the truck count formula.
    QVERIFY(lines.contains("L--运输距离（m）=1500m，"));
    QVERIFY(lines.contains("N=1500×7200/1000×1.2/(12×10×22)=4.9（辆）"));
    QVERIFY(lines.contains("T=354.2×22/(1.2×3600)=1.8（小时）"));
    QVERIFY(text.contains("出碴渣车计算数量为4.9辆，向上取整应配置出碴设备5辆"));

    // Headers and footers come out as they went in.
    const QList<PackageEntry> before = ReadPackage(TemplateFile("mucking.docx"));
    const QList<PackageEntry> after = ReadPackage(filled);
    QCOMPARE(after.size(), before.size());
    for (const PackageEntry &entry : before) {
        if (entry.name != u"word/document.xml") QCOMPARE(EntryData(after, entry.name), entry.data);
    }
}

void TestTemplates::muckingInWordProcessor() {
    if (!OfficeAvailable()) QSKIP("LibreOffice or pdftotext is not installed");
    QList<QPair<QString, QString>> values;
    for (int i = 0; i < kMuckingFields.size(); ++i)
        values << qMakePair(kMuckingFields[i].first, QStringLiteral("QV%1").arg(i + 11));
    const QByteArray filled = FilledMucking(values, nullptr);
    QVERIFY(!filled.isEmpty());

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // Named as the export names its output.
    const QString path = dir.filePath("隧道除渣设备配置计算方案.docx");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(filled);
    file.close();

    QString error;
    const QString text = OfficeText(path, &error);
    QVERIFY2(!text.isEmpty(), qPrintable(error));
    for (const auto &[placeholder, value] : values)
        QVERIFY2(text.contains(value), qPrintable(placeholder + " " + value + "\n" + text));
    QVERIFY2(!text.contains("编辑框"), qPrintable(text));
    QVERIFY(text.contains("隧道出渣设备配置计算书"));
    // The page header and footer, as laid out on the pages.
    const QString pages = OfficePageText(path, &error);
    QVERIFY2(!pages.isEmpty(), qPrintable(error));
    QVERIFY(pages.contains("页眉_工程名称"));
    QVERIFY2(pages.contains(QRegularExpression("第\\s*1\\s*页")), qPrintable(pages));
}

void TestTemplates::projectBlock_data() {
    packages_data();
}

// Every report names the units and has the check section before its four
// signature rows, the date on 编制's only; the page header names the project.
void TestTemplates::projectBlock() {
    QFETCH(QString, name);
    const QByteArray package = TemplateFile(name);
    DocxDocument document;
    QVERIFY(document.Open(package));
    const QStringList lines = document.MainText().split(u'\n');
    for (const char *unit : {"建设单位", "设计单位", "监理单位"})
        QVERIFY2(lines.contains(QString::fromUtf8(unit) + "：工程信息_" + QString::fromUtf8(unit)),
                 unit);
    const qsizetype signature = lines.indexOf("签字栏");
    QVERIFY(signature > 0);
    QCOMPARE(lines.indexOf("校核_内容"), signature - 1);
    QCOMPARE(lines.count("校核_内容"), 1);
    const QStringList rows = lines.mid(signature);
    QCOMPARE(rows.mid(5, 4), (QStringList{"编制", "工程信息_编制", "", "工程信息_日期"}));
    QCOMPARE(rows.mid(17, 4), (QStringList{"审批", "工程信息_审批", "", ""}));
    QCOMPARE(rows.count("工程信息_日期"), 1);

    int headers = 0;
    for (const PackageEntry &entry : ReadPackage(package)) {
        if (!entry.name.startsWith("word/header")) continue;
        QVERIFY2(TextElements(entry.data).contains("页眉_工程名称"), qPrintable(entry.name));
        ++headers;
    }
    QCOMPARE(headers, 1);
}

QTEST_GUILESS_MAIN(TestTemplates)
#include "test_templates.moc"
